#include "modC_ModeStateInfo.h"

modC_ModeStateInfo::modC_ModeStateInfo(bio_Ifilter &) {}

void modC_ModeStateInfo::ReadData(bio_Ifilter & in, void * record)
{
    auto * r = static_cast<modC_ModeStateInfo *>(record);
    in >> r->info1 >> r->info2;
}

bio_Ofilter & modC_ModeStateInfo::WriteData(bio_Ofilter & out, void const * record)
{
    auto const * r = static_cast<modC_ModeStateInfo const *>(record);
    return out << r->info1 << r->info2;
}

pnt_PrettyPrint & modC_ModeStateInfo::PrintData(pnt_PrettyPrint & out, void const * record)
{
    auto const * r = static_cast<modC_ModeStateInfo const *>(record);
    modC_PrintOpen(out, "modC_ModeStateInfo");
    modC_PrintItem(out) << r->info1;
    modC_PrintItem(out) << r->info2;
    modC_PrintClose(out);
    return out;
}
