#include "modC_StepStateChoiceInfo.h"

modC_StepStateChoiceInfo::modC_StepStateChoiceInfo(bio_Ifilter & in) : modC_StepStateInfo(in) {}

void modC_StepStateChoiceInfo::ReadData(bio_Ifilter & in, void * record)
{
    auto * r = static_cast<modC_StepStateChoiceInfo *>(record);
    modC_StepStateInfo::ReadData(in, static_cast<modC_StepStateInfo *>(r));
    in >> r->choice;
}

bio_Ofilter & modC_StepStateChoiceInfo::WriteData(bio_Ofilter & out, void const * record)
{
    auto const * r = static_cast<modC_StepStateChoiceInfo const *>(record);
    modC_StepStateInfo::WriteData(out, static_cast<modC_StepStateInfo const *>(r));
    out << r->choice;
    return out;
}

pnt_PrettyPrint & modC_StepStateChoiceInfo::PrintData(pnt_PrettyPrint & out, void const * record)
{
    auto const * r = static_cast<modC_StepStateChoiceInfo const *>(record);
    modC_PrintOpen(out, "modC_StepStateChoiceInfo");
    modC_StepStateInfo::PrintData(modC_PrintItem(out), static_cast<modC_StepStateInfo const *>(r));
    modC_PrintItem(out) << r->choice;
    modC_PrintClose(out);
    return out;
}
