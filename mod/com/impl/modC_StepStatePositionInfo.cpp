#include "modC_StepStatePositionInfo.h"

modC_StepStatePositionInfo::modC_StepStatePositionInfo(bio_Ifilter & in) : modC_StepStateInfo(in) {}

void modC_StepStatePositionInfo::ReadData(bio_Ifilter & in, void * record)
{
    auto * r = static_cast<modC_StepStatePositionInfo *>(record);
    modC_StepStateInfo::ReadData(in, static_cast<modC_StepStateInfo *>(r));
    obj_InputP0Obj(in, &r->mouse, modC_MouseInfo::TypeId());
}

bio_Ofilter & modC_StepStatePositionInfo::WriteData(bio_Ofilter & out, void const * record)
{
    auto const * r = static_cast<modC_StepStatePositionInfo const *>(record);
    modC_StepStateInfo::WriteData(out, static_cast<modC_StepStateInfo const *>(r));
    obj_OutputP0Obj(out, &r->mouse, modC_MouseInfo::TypeId());
    return out;
}

pnt_PrettyPrint & modC_StepStatePositionInfo::PrintData(pnt_PrettyPrint & out, void const * record)
{
    auto const * r = static_cast<modC_StepStatePositionInfo const *>(record);
    modC_PrintOpen(out, "modC_StepStatePositionInfo");
    modC_StepStateInfo::PrintData(modC_PrintItem(out), static_cast<modC_StepStateInfo const *>(r));
    obj_PrintP0Obj(modC_PrintItem(out), &r->mouse, modC_MouseInfo::TypeId());
    modC_PrintClose(out);
    return out;
}
