// The state of a step; the base of the records of each kind of step.
#ifndef MODC_STEPSTATEINFO_H
#define MODC_STEPSTATEINFO_H

#include "modC_StateRecord.h"

class modC_StepStateInfo {
public:
    using StateRecordTag = void;

    explicit modC_StepStateInfo(bio_Ifilter & in);
    virtual ~modC_StepStateInfo() = default;
    virtual unsigned int DynTypeId() const { return TypeId(); }

    static unsigned int TypeId() { return modC_RecordTypeId(2); }
    bool IsA(unsigned int type) const { return typ_ArchCompTable::IsParent(DynTypeId(), type); }

    static void * CtorFunc(bio_Ifilter & in, void * place) { return modC_ConstructRecord<modC_StepStateInfo>(in, place); }
    static void ReadData(bio_Ifilter & in, void * record);
    static bio_Ofilter & WriteData(bio_Ofilter & out, void const * record);
    static pnt_PrettyPrint & PrintData(pnt_PrettyPrint & out, void const * record);
    static void DtorFunc(void * record) { modC_DestroyRecord<modC_StepStateInfo>(record); }

    int info1 = 0;
    int info2 = 0;
    int info3 = 0;
};

#endif
