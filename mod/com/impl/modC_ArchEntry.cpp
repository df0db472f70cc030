#include "modC_Module.h"

namespace {

constexpr unsigned int recordFlags = 7;
constexpr unsigned int stepStateInfoType = (modC_Component << 16) | 2;

typ_ArchEntry Entry(char const * name, unsigned int parent)
{
    typ_ArchEntry entry;
    entry.flags = recordFlags;
    entry.parent = parent;
    entry.name = name;
    return entry;
}

}  // namespace

std::vector<typ_ArchEntry> const & modC_ArchEntry()
{
    static std::vector<typ_ArchEntry> const table = {
        typ_ArchEntry(),
        Entry("modC_MouseInfo", typ_ArchCompTable::rootType),
        Entry("modC_StepStateInfo", typ_ArchCompTable::rootType),
        Entry("modC_StepStateScalarInfo", stepStateInfoType),
        Entry("modC_StepStatePositionInfo", stepStateInfoType),
        Entry("modC_StepStateChoiceInfo", stepStateInfoType),
        Entry("modC_StepStateDialogInfo", stepStateInfoType),
        Entry("modC_StepStateToggleInfo", stepStateInfoType),
        Entry("modC_ModeStateInfo", typ_ArchCompTable::rootType),
    };
    return table;
}
