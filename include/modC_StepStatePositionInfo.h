// The state of a step holding a pointer position.
#ifndef MODC_STEPSTATEPOSITIONINFO_H
#define MODC_STEPSTATEPOSITIONINFO_H

#include "modC_MouseInfo.h"
#include "modC_StepStateInfo.h"

class modC_StepStatePositionInfo : public modC_StepStateInfo {
public:
    explicit modC_StepStatePositionInfo(bio_Ifilter & in);
    unsigned int DynTypeId() const override { return TypeId(); }

    static unsigned int TypeId() { return modC_RecordTypeId(4); }

    static void * CtorFunc(bio_Ifilter & in, void * place) { return modC_ConstructRecord<modC_StepStatePositionInfo>(in, place); }
    static void ReadData(bio_Ifilter & in, void * record);
    static bio_Ofilter & WriteData(bio_Ofilter & out, void const * record);
    static pnt_PrettyPrint & PrintData(pnt_PrettyPrint & out, void const * record);
    static void DtorFunc(void * record) { modC_DestroyRecord<modC_StepStatePositionInfo>(record); }

    modC_MouseInfo mouse;
};

#endif
