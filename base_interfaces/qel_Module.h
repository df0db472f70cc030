// Counted module start and end. Only a module's first initialise and last
// finalise do work; each of those raises or lowers the caller's count once.
#ifndef QEL_MODULE_H
#define QEL_MODULE_H

class qel_ModuleCounter {
public:
    explicit constexpr qel_ModuleCounter(char const * name) : name(name) {}

    // True when this call is the first initialise: the caller does its work.
    bool Initialize(int & count);
    // True when this call is the last finalise; a finalise without an
    // initialise is ignored.
    bool Finalize(int & count);

    int Calls() const { return calls; }

private:
    char const * name;
    int calls = 0;
};

// Called whenever a module really starts or ends, for diagnostics.
using qel_ModuleObserver = void (*)(char const * module, bool started);
qel_ModuleObserver qel_SetModuleObserver(qel_ModuleObserver observer);

// The base modules this library starts, in the order it starts them.
void ContribXpm_initialize(int & count);
void ContribXpm_finalize(int & count);
void ContribFStt_initialize(int & count);
void ContribFStt_finalize(int & count);
void ContribFSt1_initialize(int & count);
void ContribFSt1_finalize(int & count);
void mfx_initialize(int & count);
void mfx_finalize(int & count);
void utl_initialize(int & count);
void utl_finalize(int & count);
void omu_initialize(int & count);
void omu_finalize(int & count);
void g3d_initialize(int & count);
void g3d_finalize(int & count);
void sesC_initialize(int & count);
void sesC_finalize(int & count);
void wfxcom_initialize(int & count);
void wfxcom_finalize(int & count);

#endif
