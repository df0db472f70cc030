#include "mmgC_Module.h"

#include "qel_Module.h"

namespace {
qel_ModuleCounter counter("mmgC");
}

void mmgC_initialize(int & count)
{
    counter.Initialize(count);
}

void mmgC_finalize(int & count)
{
    counter.Finalize(count);
}
