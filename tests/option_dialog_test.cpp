// Data options that interrupt the current step with a dialog step, and the
// step error dialog with its backing up, ending and trace file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "AssertCapture.h"
#include "ScriptedFactory.h"
#include "Session.h"
#include "modC_DialogStep.h"

namespace {

struct DialogSession : Session {
    DialogSession() : factory(log) { strategy.SetFactory(&factory); }
    ScriptedFactory factory;
};

omu_PrimTuple Depth(double depth)
{
    omu_PrimTuple t;
    t.Put(depth);
    return t;
}

TEST(DataOption, ItsDialogInterruptsTheStepAndTheStepResumesWithTheEnteredValuesKept)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "Select a profile");
    omu_PrimTuple data = Depth(10);
    p.setPromptOption(1, "depth", "Depth...", "Edit the depth", data, 0);
    p.setPromptOption(2, "flip", "Flip");
    p.Execute(a);
    s.log.Take();

    s.strategy.UseOption(1);
    EXPECT_EQ((Lines{"A.Suspend", "SetOptionCallback(1, null, null)", "SetPrompt(\"Edit the depth\")",
                     "SetBackupAvailable(1)", "SetStepFlag(false)", "MakeDialogMethod(\"depth\", (10)) -> dialog1",
                     "dialog1.Execute()"}),
              s.log.Take());
    s.factory.LastDialog()->Change(Depth(12));
    EXPECT_EQ((Lines{"OptionDataHook(dialog:depth)"}), s.log.Take());
    s.factory.LastDialog()->Finish(Depth(15));
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted", "OptionDataHook(dialog:depth)", "SetBackupAvailable(0)",
                     "SetOptionCallback(1, \"Depth...\", OptionDataCB)", "SetOption(2, \"flip\", \"Flip\")",
                     "SetPrompt(\"Select a profile\")", "SetStepFlag(false)", "A.Resume"}),
              s.log.Take());
    EXPECT_EQ(&a, p.CurrentStep());
    EXPECT_EQ(1, p.StepStkDepth());
    EXPECT_TRUE(p.OptionDialogData(1) == Depth(15));

    // The next use of the option starts from the values just entered.
    s.strategy.UseOption(1);
    EXPECT_EQ("MakeDialogMethod(\"depth\", (15)) -> dialog2", s.log.Take()[5]);
}

TEST(DataOption, AnOptionThatEndsTheStepUnsetsItselfAndTerminatesTheInterruptedStep)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    omu_PrimTuple data = Depth(1);
    p.setPromptOption(3, "finish", "Finish...", "Confirm", data, 1);
    p.Execute(a);
    s.strategy.UseOption(3);
    s.log.Take();
    s.factory.LastDialog()->Finish(Depth(2));
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted", "OptionDataHook(dialog:finish)", "SetBackupAvailable(0)",
                     "SetOptionCallback(3, null, null)", "StepChanging()", "A.Cancel", "StepTerminatedHook(A)"}),
              s.log.Take());
    EXPECT_EQ(modC_Procedure::NONE, p.OptionKind(3));
}

TEST(DataOption, BackingUpFromItsDialogResumesTheInterruptedStep)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    omu_PrimTuple data = Depth(1);
    p.setPromptOption(1, "depth", "Depth...", "Edit", data, 0);
    p.Execute(a);
    s.strategy.UseOption(1);
    s.factory.LastDialog()->Change(Depth(99));
    s.log.Take();
    p.Backup();
    EXPECT_EQ((Lines{"SetOptionCallback(1, null, null)", "BackupHook(dialog:depth)", "dialog1.Cancel()",
                     "dialog1 deleted", "StepChanging()", "SetPrompt(\"a\")", "SetBackupAvailable(0)",
                     "SetStepFlag(false)", "SetOptionCallback(1, \"Depth...\", OptionDataCB)", "A.Resume"}),
              s.log.Take());
    // Backing up to the entry resets the working data to the option's data.
    EXPECT_TRUE(p.OptionDialogData(1) == data);
    EXPECT_EQ(1, a.Executions());
}

TEST(DataOption, ContractChecksOfTheCallback)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    int four = 4;
    EXPECT_ASSERTION(modC_Procedure::OptionDataCB(&p, &four), "j > 0 && j < numOptions", "modC_Procedure");
    int one = 1;
    p.setPromptOption(1, "plain", "Plain");
    EXPECT_ASSERTION(modC_Procedure::OptionDataCB(&p, &one), "proc->optionActive.ConstGet(j) == CB",
                     "modC_Procedure");
}

struct ErrorSession : DialogSession {
    ScriptedStep * steps[3] = {};
    ScriptedProcedure & ThreeSteps()
    {
        ScriptedProcedure & p = Installed();
        char const * names[] = {"A", "B", "C"};
        for (int i = 0; i < 3; ++i) {
            steps[i] = &p.NewStep(names[i], i + 1, names[i]);
            p.Execute(*steps[i]);
        }
        log.Take();
        return p;
    }
    void Acknowledge() { factory.LastDialog()->Finish(factory.LastDialog()->Values()); }
};

TEST(ErrorDialog, BackingUpOneStepRunsTheFailedStepAgain)
{
    ErrorSession s;
    ScriptedProcedure & p = s.ThreeSteps();
    p.setPromptOption(1, "flip", "Flip");
    s.log.Take();
    p.showStepErrorDialog("Depth must be positive", false, 1);
    EXPECT_EQ((Lines{"SetBackupAvailable(1)", "SetStepFlag(true)",
                     "MakeDialogMethod(\"modG_ErrorForm\", ((), ((\"WFXStringTarget\", \"Depth must be positive\"), "
                     "(\"WFXIntTarget\", 1)), (\"Depth must be positive\"))) -> dialog1",
                     "dialog1.Execute()", "StepChanging()", "SetOption(1, null, null)"}),
              s.log.Take());
    EXPECT_EQ(4, p.StepStkDepth());
    s.Acknowledge();
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted", "onError(C, false)", "SetOption(1, \"flip\", \"Flip\")",
                     "SetOption(1, null, null)", "BackupHook(dialog:modG_ErrorForm)", "StepChanging()",
                     "SetPrompt(\"C\")", "SetBackupAvailable(1)", "SetStepFlag(false)", "C.Execute"}),
              s.log.Take());
    EXPECT_EQ(3, p.StepStkDepth());
    EXPECT_EQ(nullptr, p.ErrorStep());
}

TEST(ErrorDialog, BackingUpTheWholeDepthRunsTheFirstStepAgain)
{
    ErrorSession s;
    ScriptedProcedure & p = s.ThreeSteps();
    p.showStepErrorDialog("Start over", false, 3);
    s.log.Take();
    s.Acknowledge();
    // Two pops (the error step's own entry, then C's), and the third by backing up.
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted", "onError(C, false)", "BackupHook(dialog:modG_ErrorForm)",
                     "BackupHook(dialog:modG_ErrorForm)", "C.Cancel", "BackupHook(dialog:modG_ErrorForm)", "B.Cancel",
                     "StepChanging()", "SetPrompt(\"A\")", "SetBackupAvailable(0)", "SetStepFlag(false)",
                     "A.Execute"}),
              s.log.Take());
    EXPECT_EQ(1, p.StepStkDepth());
}

TEST(ErrorDialog, BackingUpNothingActsLikeOne)
{
    ErrorSession s;
    ScriptedProcedure & p = s.ThreeSteps();
    p.showStepErrorDialog("Again", false, 0);
    s.Acknowledge();
    EXPECT_EQ(3, p.StepStkDepth());
    EXPECT_EQ(s.steps[2], p.CurrentStep());
}

TEST(ErrorDialog, EndingTheModeTellsOnErrorFirst)
{
    ErrorSession s;
    ScriptedProcedure & p = s.ThreeSteps();
    p.showStepErrorDialog("Cannot continue", true, 0);
    s.log.Take();
    s.Acknowledge();
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted", "onError(C, true)", "ModeEnded()"}), s.log.Take());
    EXPECT_EQ(modC_Procedure::INACTIVE, p.GetState());
}

TEST(ErrorDialog, BackingUpFurtherThanTheStackHoldsIsAContractViolation)
{
    ErrorSession s;
    ScriptedProcedure & p = s.ThreeSteps();
    EXPECT_ASSERTION(p.showStepErrorDialog("Too far", false, 4), "endTheMode_ || backupAmount_ <= stepStack->Depth()",
                     "modC_Procedure");
}

class TraceFile : public ::testing::Test {
protected:
    static constexpr char const * name = "vantor_procedures.rpy.txt";
    void SetUp() override
    {
        std::remove(name);
        unsetenv("QEL_PRINT_PROCEDURE_NAME");
    }
    void TearDown() override
    {
        std::remove(name);
        unsetenv("QEL_PRINT_PROCEDURE_NAME");
    }
    static std::string Contents()
    {
        std::ifstream in(name);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(TraceFile, EachInstalledProcedureAppendsItsNameWhenAsked)
{
    Session first("Extrude");
    first.Installed();
    EXPECT_FALSE(std::ifstream(name).good());  // not asked: no file
    setenv("QEL_PRINT_PROCEDURE_NAME", "", 1);
    Session second("Extrude");
    second.Installed();
    Session third("Fillet");
    third.Installed();
    EXPECT_EQ("Extrude\nFillet\n", Contents());
}

}  // namespace

namespace {

TEST(DataOption, ResumingWhileItsDialogRunsShowsTheOtherOptionsButNotItself)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    omu_PrimTuple data = Depth(1);
    p.setPromptOption(1, "depth", "Depth...", "Edit", data, 0);
    p.setPromptOption(2, "flip", "Flip");
    p.Execute(a);
    s.strategy.UseOption(1);
    p.Suspend();
    s.log.Take();
    p.Resume();
    EXPECT_EQ((Lines{"ResumeHook(dialog:depth)", "SetPrompt(\"Edit\")", "dialog1.Resume()", "SetBackupAvailable(1)",
                     "SetOption(2, \"flip\", \"Flip\")"}),
              s.log.Take());
    EXPECT_FALSE(s.strategy.OptionShown(1));
}

TEST(ErrorDialog, ResumingWhileItIsShownKeepsTheOptionsHidden)
{
    ErrorSession s;
    ScriptedProcedure & p = s.ThreeSteps();
    p.setPromptOption(1, "flip", "Flip");
    p.showStepErrorDialog("Depth must be positive", false, 1);
    p.Suspend();
    s.log.Take();
    p.Resume();
    EXPECT_EQ((Lines{"ResumeHook(dialog:modG_ErrorForm)", "dialog1.Resume()", "SetBackupAvailable(1)"}), s.log.Take());
    EXPECT_FALSE(s.strategy.OptionShown(1));
}

}  // namespace
