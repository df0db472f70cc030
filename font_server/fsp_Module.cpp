#include "fsp_Module.h"

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
    counter.Finalize(count);
}
