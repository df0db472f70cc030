#include "qel_Module.h"

namespace {
qel_ModuleObserver observer = nullptr;
}

qel_ModuleObserver qel_SetModuleObserver(qel_ModuleObserver newObserver)
{
    qel_ModuleObserver previous = observer;
    observer = newObserver;
    return previous;
}

bool qel_ModuleCounter::Initialize(int & count)
{
    if (calls++ != 0)
        return false;
    ++count;
    if (observer)
        observer(name, true);
    return true;
}

bool qel_ModuleCounter::Finalize(int & count)
{
    if (calls == 0 || --calls != 0)
        return false;
    --count;
    if (observer)
        observer(name, false);
    return true;
}

// The base modules keep no state of their own here; their pairs count calls.
#define QEL_COUNTED_MODULE(module)                                   \
    namespace {                                                      \
    qel_ModuleCounter module##_counter(#module);                     \
    }                                                                \
    void module##_initialize(int & count) { module##_counter.Initialize(count); } \
    void module##_finalize(int & count) { module##_counter.Finalize(count); }

QEL_COUNTED_MODULE(ContribXpm)
QEL_COUNTED_MODULE(ContribFStt)
QEL_COUNTED_MODULE(ContribFSt1)
QEL_COUNTED_MODULE(mfx)
QEL_COUNTED_MODULE(utl)
QEL_COUNTED_MODULE(omu)
QEL_COUNTED_MODULE(g3d)
QEL_COUNTED_MODULE(sesC)
QEL_COUNTED_MODULE(wfxcom)
