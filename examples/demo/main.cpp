// A console front end in miniature: it installs a mode made by a mode factory,
// walks its two steps, backs up once and finishes, printing everything the
// library tells the front end.
#include <cstdio>
#include <memory>
#include <string>

#include "modC_ModeFactory.h"
#include "modC_Module.h"
#include "modC_Procedure.h"
#include "modC_Step.h"
#include "modC_StepReceiver.h"
#include "modC_Strategy.h"

namespace {

// The front end's side of a mode: it shows what the procedure asks it to.
class ConsoleStrategy : public modC_Strategy {
public:
    void ModeEnded() override { std::printf("  [front end] mode ended\n"); }
    modC_MethodFactory const * GetMethodFactory() override { return nullptr; }
    void SetBackupAvailable(int flag) override
    {
        std::printf("  [front end] back button %s\n", flag ? "enabled" : "disabled");
    }
    void SetStepFlag(bool) override {}
    void SetBackupShown(int) override {}
    void SetPrompt(char const * text) override { std::printf("  [front end] prompt: %s\n", text); }
    void StepChanging() override { std::printf("  [front end] step changing\n"); }
    void SetOptionCallback(int, char const *, OptionCallback, void *) override {}
    void SetOption(int, char const *, char const *) override {}
    void VerifyPreReq(modC_ModePreReq * preReq) const override
    {
        std::printf("  [front end] prerequisite verified, starting %s\n",
                    preReq->GetMode()->ModeName().AsCharPtr());
        preReq->GetMode()->Start();
    }
};

// A step whose answer the demo gives by hand, as a user would type it.
class AnswerStep : public modC_Step {
public:
    AnswerStep(char const * prompt, int seq) : modC_Step(seq) { setPrompt(prompt); }
    void Execute(modC_MethodFactory const *, modC_StepReceiver * r) override
    {
        receiver = r;
        std::printf("  [step %d] waiting for input\n", seq);
    }
    void Cancel() override { std::printf("  [step %d] cancelled\n", seq); }
    void Suspend() override {}
    void Resume() override {}
    void Done(modC_Method *) override {}

    void Answer(std::string const & text)
    {
        std::printf("user> %s\n", text.c_str());
        answer = text;
        receiver->StepTerminated(*this);
    }
    std::string answer;
};

class ExtrudeProcedure : public modC_Procedure {
public:
    ExtrudeProcedure() : modC_Procedure(false), profile(new AnswerStep("Select the profile", 1)),
                         depth(new AnswerStep("Key in the depth", 2))
    {
        modeName = "Extrude";
    }
    void Start() override { ExecuteStep(profile, false); }
    void StepTerminatedHook(modC_Step const & step) override
    {
        if (&step == profile) {
            ExecuteStep(depth, false);
        } else {
            std::printf("  [Extrude] extruding %s by %s\n", profile->answer.c_str(), depth->answer.c_str());
            EndMode();
        }
    }
    // Owned by the step stack once executed.
    AnswerStep * profile;
    AnswerStep * depth;
};

class DemoModeFactory : public modC_ModeFactory {
public:
    modC_Mode * MakeProcedure(cow_String const & name) const override
    {
        return name == "Extrude" ? new ExtrudeProcedure : nullptr;
    }
};

}  // namespace

int main()
{
    int modules = 0;
    modC_initialize(modules);
    std::printf("library started (%d modules)\n", modules);

    DemoModeFactory factory;
    ConsoleStrategy frontEnd;
    std::unique_ptr<modC_Mode> mode(factory.MakeProcedure("Extrude"));
    auto & extrude = static_cast<ExtrudeProcedure &>(*mode);
    mode->Install(&frontEnd, nullptr);

    extrude.profile->Answer("sketch 1");
    std::printf("user> (back)\n");
    extrude.Backup();
    extrude.profile->Answer("sketch 2");
    extrude.depth->Answer("25 mm");

    mode.reset();
    modC_finalize(modules);
    std::printf("library finished (%d modules)\n", modules);
    return 0;
}
