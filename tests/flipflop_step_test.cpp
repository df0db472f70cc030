// The flip-flop step: two alternative children and the switch button (prompt
// option 0) that the front end shows for it.
#include <gtest/gtest.h>

#include "Session.h"
#include "modC_FlipFlopStep.h"

namespace {

class CommittingStep : public ScriptedStep {
public:
    CommittingStep(std::string name, CallLog & log, char const * prompt)
        : ScriptedStep(name, log, 0, prompt), commitLog(log)
    {
    }
    void CommitData() override { commitLog.Add(Name() + ".CommitData"); }

private:
    CallLog & commitLog;
};

// An installed procedure and a flip-flop of "pick" and "keyin" it owns once run.
struct FlipSession : Session {
    FlipSession(bool flipOnce, bool commitFirst, char const * pickPrompt = nullptr)
        : Session("Mode"), pick(new CommittingStep("pick", log, pickPrompt)),
          keyin(new CommittingStep("keyin", log, "Key in the values")),
          flipFlop(new modC_FlipFlopStep(procedure.get(), "pick", "keyin", pick, keyin, 3, flipOnce, commitFirst))
    {
        Installed();
    }
    void Run()
    {
        procedure->Execute(*flipFlop);
        log.Take();
    }
    // The user presses the switch button the front end shows as option 0.
    void PressSwitch() { strategy.UseOption(0); }

    CommittingStep * pick;
    CommittingStep * keyin;
    modC_FlipFlopStep * flipFlop;
};

TEST(FlipFlopStep, ShowsTheRunningChildsPromptAndASwitchButtonThatSwitchesBackAndForth)
{
    FlipSession s(false, false);
    s.procedure->Execute(*s.flipFlop);
    EXPECT_EQ((Lines{"SetBackupAvailable(0)", "SetStepFlag(false)", "SetPrompt(\"*promptArea.Mode_pick.labelString\")",
                     "SetOptionCallback(0, \"*promptArea.Mode_pick.btn1.labelString\", Option2DataCB)",
                     "pick.Execute"}),
              s.log.Take());
    EXPECT_FALSE(s.procedure->FirstStep(*s.pick));  // the procedure knows the flip-flop, not its child
    EXPECT_TRUE(s.flipFlop->FirstStep(*s.pick));

    s.flipFlop->setOptBtnLabels("Key in instead", "Pick instead");
    s.PressSwitch();
    EXPECT_EQ((Lines{"pick.Cancel", "StepChanging()", "SetPrompt(\"Key in the values\")",
                     "SetOptionCallback(0, \"Pick instead\", Option2DataCB)", "keyin.Execute"}),
              s.log.Take());
    EXPECT_FALSE(s.flipFlop->FirstActive());
    EXPECT_FALSE(s.flipFlop->FirstStep(*s.pick));  // not after a switch
    s.PressSwitch();
    EXPECT_EQ("SetOptionCallback(0, \"Key in instead\", Option2DataCB)", s.log.Take()[3]);
    EXPECT_TRUE(s.flipFlop->FirstActive());

    // The child's reports reach the procedure, and the button goes with the step.
    s.pick->Abort();
    s.pick->Terminate();
    EXPECT_EQ((Lines{"StepAbortHook(pick)", "SetOptionCallback(0, null, null)", "StepTerminatedHook(pick)"}),
              s.log.Take());
}

TEST(FlipFlopStep, FlipOnceDropsTheButtonAfterTheSwitchButResumeShowsItAgain)
{
    FlipSession s(true, false);
    s.Run();
    s.PressSwitch();
    auto lines = s.log.Take();
    EXPECT_EQ("SetOptionCallback(0, null, null)", lines[lines.size() - 2]);
    EXPECT_FALSE(s.strategy.OptionShown(0));
    s.procedure->Suspend();
    s.log.Take();
    s.procedure->Resume();
    // The procedure has no prompt of its own to restore: the flip-flop shows its child's.
    EXPECT_EQ((Lines{"ResumeHook(step)", "SetPrompt(\"Key in the values\")", "keyin.Resume",
                     "SetOptionCallback(0, \"*promptArea.Mode_keyin.btn1.labelString\", Option2DataCB)",
                     "SetBackupAvailable(0)"}),
              s.log.Take());
}

TEST(FlipFlopStep, CommitFirstCommitsOnTheFirstPressAndSwitchesOnTheNextValueChange)
{
    FlipSession s(false, true);
    s.Run();
    s.PressSwitch();
    EXPECT_EQ((Lines{"pick.CommitData"}), s.log.Take());
    s.pick->ChangeValue(4);
    auto lines = s.log.Take();
    EXPECT_EQ("pick.Cancel", lines.front());
    EXPECT_EQ("keyin.Execute", lines[lines.size() - 2]);
    EXPECT_EQ("ValueChangedHook(pick)", lines.back());  // still passed on
    // The switch reset the commit: the next press commits the new child.
    s.PressSwitch();
    EXPECT_EQ((Lines{"keyin.CommitData"}), s.log.Take());
    s.PressSwitch();
    EXPECT_TRUE(s.flipFlop->FirstActive());
}

TEST(FlipFlopStep, CancelBackupAndDestructionActOnTheRunningChildAndTheButton)
{
    FlipSession s(false, false, "Pick the edge");
    s.Run();
    EXPECT_STREQ("Pick the edge", s.flipFlop->getPrompt());
    s.pick->RefuseBackup(true);
    EXPECT_EQ(0, s.flipFlop->Backup());
    s.flipFlop->Cancel();
    s.flipFlop->ClearHighlights();
    EXPECT_EQ((Lines{"pick.Backup", "pick.Cancel", "SetOptionCallback(0, null, null)", "pick.ClearHighlights",
                     "keyin.ClearHighlights"}),
              s.log.Take());
    s.procedure.reset();
    EXPECT_EQ((Lines{"SetOptionCallback(0, null, null)", "pick.~", "keyin.~"}), s.log.Take());
}

// What a child asks of its receiver beyond its own ending reaches the procedure.
TEST(FlipFlopStep, PassesTheOptionAndEndModeRequestsOnToTheProcedure)
{
    FlipSession s(false, false);
    s.procedure->setPromptOption(1, "close", "Close");
    s.Run();
    s.flipFlop->SuspendOption();
    s.flipFlop->ResumeOption();
    s.flipFlop->EndMode();
    EXPECT_EQ((Lines{"SetOption(1, null, null)", "SetOption(1, \"close\", \"Close\")", "pick.Cancel",
                     "SetOptionCallback(0, null, null)", "SetOption(1, null, null)", "ModeEnded()"}),
              s.log.Take());
}

}  // namespace
