#include "modC_ModeStateInfo.h"
#include "modC_Module.h"
#include "modC_MouseInfo.h"
#include "modC_StepStateChoiceInfo.h"
#include "modC_StepStateDialogInfo.h"
#include "modC_StepStateInfo.h"
#include "modC_StepStatePositionInfo.h"
#include "modC_StepStateScalarInfo.h"
#include "modC_StepStateToggleInfo.h"

namespace {

constexpr unsigned int recordFlags = 7;

template <class R>
typ_ArchEntry Entry(char const * name, unsigned int parent)
{
    typ_ArchEntry entry;
    entry.flags = recordFlags;
    entry.parent = parent;
    entry.name = name;
    entry.construct = &R::CtorFunc;
    entry.read = &R::ReadData;
    entry.write = &R::WriteData;
    entry.print = &R::PrintData;
    entry.destroy = &R::DtorFunc;
    return entry;
}

}  // namespace

std::vector<typ_ArchEntry> const & modC_ArchEntry()
{
    unsigned int const root = typ_ArchCompTable::rootType;
    unsigned int const step = modC_StepStateInfo::TypeId();
    static std::vector<typ_ArchEntry> const table = {
        typ_ArchEntry(),
        Entry<modC_MouseInfo>("modC_MouseInfo", root),
        Entry<modC_StepStateInfo>("modC_StepStateInfo", root),
        Entry<modC_StepStateScalarInfo>("modC_StepStateScalarInfo", step),
        Entry<modC_StepStatePositionInfo>("modC_StepStatePositionInfo", step),
        Entry<modC_StepStateChoiceInfo>("modC_StepStateChoiceInfo", step),
        Entry<modC_StepStateDialogInfo>("modC_StepStateDialogInfo", step),
        Entry<modC_StepStateToggleInfo>("modC_StepStateToggleInfo", step),
        Entry<modC_ModeStateInfo>("modC_ModeStateInfo", root),
    };
    return table;
}
