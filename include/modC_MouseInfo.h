// The pointer record a viewport keeps: position, displacement from the point
// where the current drag started, button, modifier keys, event kind and phase.
#ifndef MODC_MOUSEINFO_H
#define MODC_MOUSEINFO_H

#include "modC_StateRecord.h"

// Final: its destructor is not virtual, and the registry deletes it as itself.
class modC_MouseInfo final {
public:
    using StateRecordTag = void;

    // Everything 0 except `phase`, which starts at 2.
    modC_MouseInfo();
    // An empty record for the object streams to read into.
    explicit modC_MouseInfo(bio_Ifilter & in);

    static unsigned int TypeId();
    virtual unsigned int DynTypeId() const;
    bool IsA(unsigned int type) const { return typ_ArchCompTable::IsParent(DynTypeId(), type); }

    static void * CtorFunc(bio_Ifilter & in, void * place) { return modC_ConstructRecord<modC_MouseInfo>(in, place); }
    static void ReadData(bio_Ifilter & in, void * record);
    static bio_Ofilter & WriteData(bio_Ofilter & out, void const * record);
    static pnt_PrettyPrint & PrintData(pnt_PrettyPrint & out, void const * record);
    static void DtorFunc(void * record) { modC_DestroyRecord<modC_MouseInfo>(record); }

    // Moves the pointer and keeps the press point (x - deltaX, y - deltaY) where it was.
    void SetPosition(float newX, float newY);
    void SetPixPosition(int newX, int newY);
    // Ends a drag: no displacement, no event; position, button, modifiers and phase stay.
    void Reset();

    int context;  // the front end's own; copied, never interpreted
    float x, y, z;
    int pixelX, pixelY, pixelZ;
    float deltaX, deltaY, deltaZ;
    int pixelDeltaX, pixelDeltaY, pixelDeltaZ;
    int button;
    int modifiers;  // 1 Shift, 4 Control
    int event;      // 1 drag start, 2 drag continues, 3 drag end, 4 click, else motion
    int phase;      // of a direct manipulation: 0, 1 or 2
};

#endif
