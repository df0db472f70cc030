#include "fsp_Module.h"

#include "fsp_FontServer.h"
#include "qel_Module.h"

namespace {
qel_ModuleCounter counter("fsp");
}

void fsp_initialize(int & count)
{
    counter.Initialize(count);
}

void fsp_finalize(int & count)
{
    if (counter.Finalize(count))
        omi_Singleton<fsp_FontServer>::Finalize();
}
