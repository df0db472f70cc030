// The procedure's hot path: execute a step, terminate it, back up, over and
// over, with a front end that does nothing. Also the heap cost of the step
// stack entries, which live until the procedure dies.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <new>

#include "modC_Procedure.h"
#include "modC_Step.h"
#include "modC_StepReceiver.h"
#include "modC_Strategy.h"

namespace {
long long liveBytes = 0;
}

// Counting replacements of the global allocation functions.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void * operator new(std::size_t size)
{
    void * p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    liveBytes += static_cast<long long>(malloc_usable_size(p));
    return p;
}

void operator delete(void * p) noexcept
{
    if (p)
        liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}

void operator delete(void * p, std::size_t) noexcept
{
    operator delete(p);
}

namespace {

class SilentStrategy : public modC_Strategy {
public:
    void ModeEnded() override {}
    modC_MethodFactory const * GetMethodFactory() override { return nullptr; }
    void SetBackupAvailable(int) override {}
    void SetStepFlag(bool) override {}
    void SetBackupShown(int) override {}
    void SetPrompt(char const *) override {}
    void StepChanging() override {}
    void SetOptionCallback(int, char const *, OptionCallback, void *) override {}
    void SetOption(int, char const *, char const *) override {}
    void VerifyPreReq(modC_ModePreReq *) const override {}
};

class InstantStep : public modC_Step {
public:
    InstantStep() : modC_Step(0) {}
    void Execute(modC_MethodFactory const *, modC_StepReceiver * r) override { receiver = r; }
    void Cancel() override {}
    void Suspend() override {}
    void Resume() override {}
    void Done(modC_Method *) override {}
    void Finish() { receiver->StepTerminated(*this); }
};

class LoopProcedure : public modC_Procedure {
public:
    LoopProcedure() : modC_Procedure(false), first(new InstantStep), second(new InstantStep)
    {
        modeName = "Extrude";
    }
    void Start() override { ExecuteStep("select", first, false); }
    void StepTerminatedHook(modC_Step const & step) override
    {
        if (&step == first)
            ExecuteStep("depth", second, false);
    }
    // One cycle: the first step terminates, the second runs, the user backs up.
    void Cycle()
    {
        first->Finish();
        Backup();
    }

private:
    InstantStep * first;
    InstantStep * second;
};

void BM_ExecuteTerminateBackup(benchmark::State & state)
{
    SilentStrategy frontEnd;
    auto procedure = std::make_unique<LoopProcedure>();
    procedure->Install(&frontEnd, nullptr);
    procedure->Start();
    long long cycles = 0;
    long long const before = liveBytes;
    for (auto _ : state) {
        procedure->Cycle();
        ++cycles;
    }
    // Every cycle leaves one more entry on the stack (a step executed by
    // backing up pushes none).
    state.counters["heap_bytes_per_entry"] = static_cast<double>(liveBytes - before) / static_cast<double>(cycles);
    state.counters["cycles"] = static_cast<double>(cycles);
}
BENCHMARK(BM_ExecuteTerminateBackup);

}  // namespace

BENCHMARK_MAIN();
