// The state of a step holding dialog values.
#ifndef MODC_STEPSTATEDIALOGINFO_H
#define MODC_STEPSTATEDIALOGINFO_H

#include "omu_PrimTuple.h"
#include "modC_StepStateInfo.h"

class modC_StepStateDialogInfo : public modC_StepStateInfo {
public:
    explicit modC_StepStateDialogInfo(bio_Ifilter & in);
    unsigned int DynTypeId() const override { return TypeId(); }

    static unsigned int TypeId() { return modC_RecordTypeId(6); }

    static void * CtorFunc(bio_Ifilter & in, void * place) { return modC_ConstructRecord<modC_StepStateDialogInfo>(in, place); }
    static void ReadData(bio_Ifilter & in, void * record);
    static bio_Ofilter & WriteData(bio_Ofilter & out, void const * record);
    static pnt_PrettyPrint & PrintData(pnt_PrettyPrint & out, void const * record);
    static void DtorFunc(void * record) { modC_DestroyRecord<modC_StepStateDialogInfo>(record); }

    omu_PrimTuple values;
};

#endif
