// The state of a mode, as the front end saves and restores it.
#ifndef MODC_MODESTATEINFO_H
#define MODC_MODESTATEINFO_H

#include "modC_StateRecord.h"

class modC_ModeStateInfo {
public:
    using StateRecordTag = void;

    explicit modC_ModeStateInfo(bio_Ifilter & in);
    virtual ~modC_ModeStateInfo() = default;
    virtual unsigned int DynTypeId() const { return TypeId(); }

    static unsigned int TypeId() { return modC_RecordTypeId(8); }
    bool IsA(unsigned int type) const { return typ_ArchCompTable::IsParent(DynTypeId(), type); }

    static void * CtorFunc(bio_Ifilter & in, void * place) { return modC_ConstructRecord<modC_ModeStateInfo>(in, place); }
    static void ReadData(bio_Ifilter & in, void * record);
    static bio_Ofilter & WriteData(bio_Ofilter & out, void const * record);
    static pnt_PrettyPrint & PrintData(pnt_PrettyPrint & out, void const * record);
    static void DtorFunc(void * record) { modC_DestroyRecord<modC_ModeStateInfo>(record); }

    int info1 = 0;
    int info2 = 0;
};

#endif
