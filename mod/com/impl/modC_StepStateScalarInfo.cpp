#include "modC_StepStateScalarInfo.h"

modC_StepStateScalarInfo::modC_StepStateScalarInfo(bio_Ifilter & in) : modC_StepStateInfo(in) {}

void modC_StepStateScalarInfo::ReadData(bio_Ifilter & in, void * record)
{
    auto * r = static_cast<modC_StepStateScalarInfo *>(record);
    modC_StepStateInfo::ReadData(in, static_cast<modC_StepStateInfo *>(r));
    in >> r->value;
}

bio_Ofilter & modC_StepStateScalarInfo::WriteData(bio_Ofilter & out, void const * record)
{
    auto const * r = static_cast<modC_StepStateScalarInfo const *>(record);
    modC_StepStateInfo::WriteData(out, static_cast<modC_StepStateInfo const *>(r));
    out << r->value;
    return out;
}

pnt_PrettyPrint & modC_StepStateScalarInfo::PrintData(pnt_PrettyPrint & out, void const * record)
{
    auto const * r = static_cast<modC_StepStateScalarInfo const *>(record);
    modC_PrintOpen(out, "modC_StepStateScalarInfo");
    modC_StepStateInfo::PrintData(modC_PrintItem(out), static_cast<modC_StepStateInfo const *>(r));
    modC_PrintItem(out) << r->value;
    modC_PrintClose(out);
    return out;
}
