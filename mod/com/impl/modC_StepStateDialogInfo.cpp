#include "modC_StepStateDialogInfo.h"

modC_StepStateDialogInfo::modC_StepStateDialogInfo(bio_Ifilter & in) : modC_StepStateInfo(in) {}

void modC_StepStateDialogInfo::ReadData(bio_Ifilter & in, void * record)
{
    auto * r = static_cast<modC_StepStateDialogInfo *>(record);
    modC_StepStateInfo::ReadData(in, static_cast<modC_StepStateInfo *>(r));
    in >> r->values;
}

bio_Ofilter & modC_StepStateDialogInfo::WriteData(bio_Ofilter & out, void const * record)
{
    auto const * r = static_cast<modC_StepStateDialogInfo const *>(record);
    modC_StepStateInfo::WriteData(out, static_cast<modC_StepStateInfo const *>(r));
    out << r->values;
    return out;
}

pnt_PrettyPrint & modC_StepStateDialogInfo::PrintData(pnt_PrettyPrint & out, void const * record)
{
    auto const * r = static_cast<modC_StepStateDialogInfo const *>(record);
    modC_PrintOpen(out, "modC_StepStateDialogInfo");
    modC_StepStateInfo::PrintData(modC_PrintItem(out), static_cast<modC_StepStateInfo const *>(r));
    modC_PrintItem(out) << r->values;
    modC_PrintClose(out);
    return out;
}
