// The flip-flop step: two alternative children and the switch button (prompt
// option 0) that the front end shows for it.
#include <gtest/gtest.h>

#include "Session.h"
#include "modC_FlipFlopStep.h"

namespace {

class CommittingStep : public ScriptedStep {
public:
    using ScriptedStep::ScriptedStep;
    void CommitData() override { log().Add(Name() + ".CommitData"); }
    CallLog & log() { return *commitLog; }
    CallLog * commitLog = nullptr;
};

struct FlipSession : Session {
    FlipSession() : Session("Mode") {}

    modC_FlipFlopStep & Make(bool flipOnce, bool commitFirst, char const * prompt1 = nullptr)
    {
        pick = new CommittingStep("pick", log, 0, prompt1);
        pick->commitLog = &log;
        keyin = new CommittingStep("keyin", log, 0, "Key in the values");
        keyin->commitLog = &log;
        flipFlop = new modC_FlipFlopStep(procedure.get(), "pick", "keyin", pick, keyin, 3, flipOnce, commitFirst);
        return *flipFlop;
    }
    // The user presses the switch button the front end shows as option 0.
    void PressSwitch() { strategy.UseOption(0); }

    CommittingStep * pick = nullptr;
    CommittingStep * keyin = nullptr;
    modC_FlipFlopStep * flipFlop = nullptr;
};

TEST(FlipFlopStep, ShowsTheRunningChildsPromptAndASwitchButtonKeyedByItsName)
{
    FlipSession s;
    ScriptedProcedure & p = s.Installed();
    p.Execute(s.Make(false, false));
    EXPECT_EQ((Lines{"SetBackupAvailable(0)", "SetStepFlag(false)",
                     "SetPrompt(\"*promptArea.Mode_pick.labelString\")",
                     "SetOptionCallback(0, \"*promptArea.Mode_pick.btn1.labelString\", Option2DataCB)",
                     "pick.Execute"}),
              s.log.Take());
}

TEST(FlipFlopStep, TheButtonSwitchesBackAndForthAndTellsTheReceiver)
{
    FlipSession s;
    ScriptedProcedure & p = s.Installed();
    modC_FlipFlopStep & f = s.Make(false, false);
    f.setOptBtnLabels("Key in instead", "Pick instead");
    p.Execute(f);
    EXPECT_TRUE(p.FirstStep(*s.pick) == false);  // the procedure knows the flip-flop, not its child
    EXPECT_TRUE(f.FirstStep(*s.pick));
    s.log.Take();
    s.PressSwitch();
    EXPECT_EQ((Lines{"pick.Cancel", "StepChanging()", "SetPrompt(\"Key in the values\")",
                     "SetOptionCallback(0, \"Pick instead\", Option2DataCB)", "keyin.Execute"}),
              s.log.Take());
    EXPECT_FALSE(f.FirstActive());
    EXPECT_FALSE(f.FirstStep(*s.pick));  // not after a switch
    s.PressSwitch();
    EXPECT_EQ("SetOptionCallback(0, \"Key in instead\", Option2DataCB)", s.log.Take()[3]);
    EXPECT_TRUE(f.FirstActive());
}

TEST(FlipFlopStep, FlipOnceDropsTheButtonAfterTheSwitchButResumeShowsItAgain)
{
    FlipSession s;
    ScriptedProcedure & p = s.Installed();
    p.Execute(s.Make(true, false));
    s.PressSwitch();
    auto lines = s.log.Take();
    EXPECT_EQ("SetOptionCallback(0, null, null)", lines[lines.size() - 2]);
    EXPECT_FALSE(s.strategy.OptionShown(0));
    p.Suspend();
    s.log.Take();
    p.Resume();
    // The procedure has no prompt of its own to restore: the flip-flop shows its child's.
    EXPECT_EQ((Lines{"ResumeHook(step)", "SetPrompt(\"Key in the values\")", "keyin.Resume", "SetOptionCallback(0, \"*promptArea.Mode_keyin.btn1.labelString\", Option2DataCB)",
                     "SetBackupAvailable(0)"}),
              s.log.Take());
}

TEST(FlipFlopStep, CommitFirstCommitsOnTheFirstPressAndSwitchesOnTheNextValueChange)
{
    FlipSession s;
    ScriptedProcedure & p = s.Installed();
    p.Execute(s.Make(false, true));
    s.log.Take();
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

TEST(FlipFlopStep, TheTerminatingChildReachesTheProcedureAndTheButtonGoes)
{
    FlipSession s;
    ScriptedProcedure & p = s.Installed();
    p.Execute(s.Make(false, false));
    s.PressSwitch();
    s.log.Take();
    s.keyin->Terminate();
    EXPECT_EQ((Lines{"SetOptionCallback(0, null, null)", "StepTerminatedHook(keyin)"}), s.log.Take());
    s.keyin->Abort();
    EXPECT_EQ((Lines{"StepAbortHook(keyin)"}), s.log.Take());
}

TEST(FlipFlopStep, CancelBackupAndDestructionActOnTheRunningChildAndTheButton)
{
    FlipSession s;
    ScriptedProcedure & p = s.Installed();
    modC_FlipFlopStep & f = s.Make(false, false, "Pick the edge");
    p.Execute(f);
    EXPECT_STREQ("Pick the edge", f.getPrompt());
    s.log.Take();
    s.pick->RefuseBackup(true);
    EXPECT_EQ(0, f.Backup());
    f.Cancel();
    f.ClearHighlights();
    EXPECT_EQ((Lines{"pick.Backup", "pick.Cancel", "SetOptionCallback(0, null, null)", "pick.ClearHighlights",
                     "keyin.ClearHighlights"}),
              s.log.Take());
    s.procedure.reset();
    EXPECT_EQ((Lines{"SetOptionCallback(0, null, null)", "pick.~", "keyin.~"}), s.log.Take());
}

}  // namespace
