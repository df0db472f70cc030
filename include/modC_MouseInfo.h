// The pointer record a viewport keeps: position, displacement from the point
// where the current drag started, button, modifier keys, event kind and phase.
#ifndef MODC_MOUSEINFO_H
#define MODC_MOUSEINFO_H

class modC_MouseInfo {
public:
    // Everything 0 except `phase`, which starts at 2.
    modC_MouseInfo();

    static unsigned int TypeId();
    virtual unsigned int DynTypeId() const;

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
