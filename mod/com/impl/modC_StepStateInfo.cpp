#include "modC_StepStateInfo.h"

modC_StepStateInfo::modC_StepStateInfo(bio_Ifilter &) {}

void modC_StepStateInfo::ReadData(bio_Ifilter & in, void * record)
{
    auto * r = static_cast<modC_StepStateInfo *>(record);
    in >> r->info1 >> r->info2 >> r->info3;
}

bio_Ofilter & modC_StepStateInfo::WriteData(bio_Ofilter & out, void const * record)
{
    auto const * r = static_cast<modC_StepStateInfo const *>(record);
    return out << r->info1 << r->info2 << r->info3;
}

pnt_PrettyPrint & modC_StepStateInfo::PrintData(pnt_PrettyPrint & out, void const * record)
{
    auto const * r = static_cast<modC_StepStateInfo const *>(record);
    modC_PrintOpen(out, "modC_StepStateInfo");
    modC_PrintItem(out) << r->info1;
    modC_PrintItem(out) << r->info2;
    modC_PrintItem(out) << r->info3;
    modC_PrintClose(out);
    return out;
}
