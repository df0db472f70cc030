// The state of a step holding a choice.
#ifndef MODC_STEPSTATECHOICEINFO_H
#define MODC_STEPSTATECHOICEINFO_H

#include "modC_StepStateInfo.h"

class modC_StepStateChoiceInfo : public modC_StepStateInfo {
public:
    explicit modC_StepStateChoiceInfo(bio_Ifilter & in);
    unsigned int DynTypeId() const override { return TypeId(); }

    static unsigned int TypeId() { return modC_RecordTypeId(5); }

    static void * CtorFunc(bio_Ifilter & in, void * place) { return modC_ConstructRecord<modC_StepStateChoiceInfo>(in, place); }
    static void ReadData(bio_Ifilter & in, void * record);
    static bio_Ofilter & WriteData(bio_Ofilter & out, void const * record);
    static pnt_PrettyPrint & PrintData(pnt_PrettyPrint & out, void const * record);
    static void DtorFunc(void * record) { modC_DestroyRecord<modC_StepStateChoiceInfo>(record); }

    int choice = 0;
};

#endif
