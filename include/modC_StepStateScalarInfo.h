// The state of a step holding a text value.
#ifndef MODC_STEPSTATESCALARINFO_H
#define MODC_STEPSTATESCALARINFO_H

#include "omu_PrimString.h"
#include "modC_StepStateInfo.h"

class modC_StepStateScalarInfo : public modC_StepStateInfo {
public:
    explicit modC_StepStateScalarInfo(bio_Ifilter & in);
    unsigned int DynTypeId() const override { return TypeId(); }

    static unsigned int TypeId() { return modC_RecordTypeId(3); }

    static void * CtorFunc(bio_Ifilter & in, void * place) { return modC_ConstructRecord<modC_StepStateScalarInfo>(in, place); }
    static void ReadData(bio_Ifilter & in, void * record);
    static bio_Ofilter & WriteData(bio_Ofilter & out, void const * record);
    static pnt_PrettyPrint & PrintData(pnt_PrettyPrint & out, void const * record);
    static void DtorFunc(void * record) { modC_DestroyRecord<modC_StepStateScalarInfo>(record); }

    omu_PrimString value;
};

#endif
