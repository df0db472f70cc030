#include "modC_Module.h"

#include "fsp_Module.h"
#include "mmgC_Module.h"
#include "qel_Module.h"

namespace {

qel_ModuleCounter counter("modC");

using ModuleFunction = void (*)(int &);
struct ModulePair {
    ModuleFunction initialize;
    ModuleFunction finalize;
};

// In start order; they end in reverse.
constexpr ModulePair dependencies[] = {
    {mmgC_initialize, mmgC_finalize},
    {ContribXpm_initialize, ContribXpm_finalize},
    {ContribFStt_initialize, ContribFStt_finalize},
    {ContribFSt1_initialize, ContribFSt1_finalize},
    {mfx_initialize, mfx_finalize},
    {utl_initialize, utl_finalize},
    {omu_initialize, omu_finalize},
    {g3d_initialize, g3d_finalize},
    {fsp_initialize, fsp_finalize},
    {sesC_initialize, sesC_finalize},
    {wfxcom_initialize, wfxcom_finalize},
};

}  // namespace

void modC_initialize(int & count)
{
    if (!counter.Initialize(count))
        return;
    for (ModulePair const & module : dependencies)
        module.initialize(count);
    typ_ArchCompTable::InsertEntry(modC_Component, modC_ArchEntry());
}

void modC_finalize(int & count)
{
    if (!counter.Finalize(count))
        return;
    for (auto module = std::rbegin(dependencies); module != std::rend(dependencies); ++module)
        module->finalize(count);
}
