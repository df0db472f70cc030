// The smallest front end: a procedure with one step, installed and ended.
#include <cstdio>

#include "modC_Module.h"
#include "modC_Procedure.h"
#include "modC_Step.h"
#include "modC_StepReceiver.h"
#include "modC_Strategy.h"

namespace {

class Context : public modC_Strategy {
public:
    void ModeEnded() override { ended = true; }
    modC_MethodFactory const * GetMethodFactory() override { return nullptr; }
    void SetBackupAvailable(int) override {}
    void SetStepFlag(bool) override {}
    void SetBackupShown(int) override {}
    void SetPrompt(char const * text) override { std::printf("prompt: %s\n", text); }
    void StepChanging() override {}
    void SetOptionCallback(int, char const *, OptionCallback, void *) override {}
    void SetOption(int, char const *, char const *) override {}
    void VerifyPreReq(modC_ModePreReq * preReq) const override { preReq->GetMode()->Start(); }
    bool ended = false;
};

class Confirm : public modC_Step {
public:
    Confirm() : modC_Step(1) {}
    void Execute(modC_MethodFactory const *, modC_StepReceiver * r) override { r->StepTerminated(*this); }
    void Cancel() override {}
    void Suspend() override {}
    void Resume() override {}
    void Done(modC_Method *) override {}
};

class OneStep : public modC_Procedure {
public:
    OneStep() : modC_Procedure(false) { modeName = "Consumer"; }
    void Start() override { ExecuteStep("confirm", new Confirm, false); }
    void StepTerminatedHook(modC_Step const &) override { EndMode(); }
};

}  // namespace

int main()
{
    int modules = 0;
    modC_initialize(modules);
    Context context;
    {
        OneStep mode;
        mode.Install(&context, nullptr);
    }
    modC_finalize(modules);
    std::printf("mode ended: %s\n", context.ended ? "yes" : "no");
    return context.ended ? 0 : 1;
}
