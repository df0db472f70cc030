#include "modC_StepStateToggleInfo.h"

modC_StepStateToggleInfo::modC_StepStateToggleInfo(bio_Ifilter & in) : modC_StepStateInfo(in) {}

void modC_StepStateToggleInfo::ReadData(bio_Ifilter & in, void * record)
{
    auto * r = static_cast<modC_StepStateToggleInfo *>(record);
    modC_StepStateInfo::ReadData(in, static_cast<modC_StepStateInfo *>(r));
    in >> r->states;
}

bio_Ofilter & modC_StepStateToggleInfo::WriteData(bio_Ofilter & out, void const * record)
{
    auto const * r = static_cast<modC_StepStateToggleInfo const *>(record);
    modC_StepStateInfo::WriteData(out, static_cast<modC_StepStateInfo const *>(r));
    out << r->states;
    return out;
}

pnt_PrettyPrint & modC_StepStateToggleInfo::PrintData(pnt_PrettyPrint & out, void const * record)
{
    auto const * r = static_cast<modC_StepStateToggleInfo const *>(record);
    modC_PrintOpen(out, "modC_StepStateToggleInfo");
    modC_StepStateInfo::PrintData(modC_PrintItem(out), static_cast<modC_StepStateInfo const *>(r));
    modC_PrintItem(out) << r->states;
    modC_PrintClose(out);
    return out;
}
