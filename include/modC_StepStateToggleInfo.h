// The state of a step holding toggle states.
#ifndef MODC_STEPSTATETOGGLEINFO_H
#define MODC_STEPSTATETOGGLEINFO_H

#include "cow_1DArrayIO.h"
#include "modC_StepStateInfo.h"

class modC_StepStateToggleInfo : public modC_StepStateInfo {
public:
    explicit modC_StepStateToggleInfo(bio_Ifilter & in);
    unsigned int DynTypeId() const override { return TypeId(); }

    static unsigned int TypeId() { return modC_RecordTypeId(7); }

    static void * CtorFunc(bio_Ifilter & in, void * place) { return modC_ConstructRecord<modC_StepStateToggleInfo>(in, place); }
    static void ReadData(bio_Ifilter & in, void * record);
    static bio_Ofilter & WriteData(bio_Ofilter & out, void const * record);
    static pnt_PrettyPrint & PrintData(pnt_PrettyPrint & out, void const * record);
    static void DtorFunc(void * record) { modC_DestroyRecord<modC_StepStateToggleInfo>(record); }

    cow_1DArray<int> states;
};

#endif
