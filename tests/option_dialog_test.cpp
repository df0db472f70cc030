// Data options that interrupt the current step with a dialog step, and the
// step error dialog with its backing up, ending and trace file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "AssertCapture.h"
#include "StepSession.h"
#include "modC_DialogStep.h"

namespace {

omu_PrimTuple Depth(double depth)
{
    omu_PrimTuple t;
    t.Put(depth);
    return t;
}

// Step A (prompt "a") runs with data option 1 ("depth", ending the step when
// `endsStep`) and plain option 2 ("flip") shown.
struct OptionSession : StepSession {
    explicit OptionSession(int endsStep = 0) : StepSession("Extrude")
    {
        procedure->setPromptOption(1, "depth", "Depth...", "Edit the depth", data, endsStep);
        procedure->setPromptOption(2, "flip", "Flip");
        procedure->Execute(a);
        log.Take();
    }
    ScriptedProcedure & p = *procedure;
    omu_PrimTuple data = Depth(10);
    ScriptedStep & a = p.NewStep("A", 0, "a");
    ScriptedDialog & Dialog() { return *factory.LastDialog(); }
};

TEST(DataOption, ItsDialogInterruptsTheStepWhichResumesWithTheEnteredValuesKept)
{
    OptionSession s;
    s.strategy.UseOption(1);
    EXPECT_EQ((Lines{"A.Suspend", "SetOptionCallback(1, null, null)", "SetPrompt(\"Edit the depth\")",
                     "SetBackupAvailable(1)", "SetStepFlag(false)", "MakeDialogMethod(\"depth\", (10)) -> dialog1",
                     "dialog1.Execute()"}),
              s.log.Take());
    // Resuming shows the other options but not the one whose dialog runs.
    s.p.Suspend();
    s.log.Take();
    s.p.Resume();
    EXPECT_EQ((Lines{"ResumeHook(dialog:depth)", "SetPrompt(\"Edit the depth\")", "dialog1.Resume()",
                     "SetBackupAvailable(1)", "SetOption(2, \"flip\", \"Flip\")"}),
              s.log.Take());
    EXPECT_FALSE(s.strategy.OptionShown(1));
    s.Dialog().Change(Depth(12));
    EXPECT_EQ((Lines{"OptionDataHook(dialog:depth)"}), s.log.Take());
    s.Dialog().Finish(Depth(15));
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted", "OptionDataHook(dialog:depth)", "SetBackupAvailable(0)",
                     "SetOptionCallback(1, \"Depth...\", OptionDataCB)", "SetOption(2, \"flip\", \"Flip\")",
                     "SetPrompt(\"a\")", "SetStepFlag(false)", "A.Resume"}),
              s.log.Take());
    EXPECT_EQ(&s.a, s.p.CurrentStep());
    EXPECT_EQ(1, s.p.StepStkDepth());
    EXPECT_TRUE(s.p.OptionDialogData(1) == Depth(15));
    // The next use of the option starts from the values just entered.
    s.strategy.UseOption(1);
    EXPECT_EQ("MakeDialogMethod(\"depth\", (15)) -> dialog2", s.log.Take()[5]);
}

TEST(DataOption, AnOptionThatEndsTheStepUnsetsItselfAndTerminatesTheInterruptedStep)
{
    OptionSession s(1);
    s.strategy.UseOption(1);
    s.log.Take();
    s.Dialog().Finish(Depth(2));
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted", "OptionDataHook(dialog:depth)", "SetBackupAvailable(0)",
                     "SetOptionCallback(1, null, null)", "StepChanging()", "A.Cancel", "StepTerminatedHook(A)"}),
              s.log.Take());
    EXPECT_EQ(modC_Procedure::NONE, s.p.OptionKind(1));

    // The callback serves data options of existing slots only.
    for (int slot : {0, 4})
        EXPECT_ASSERTION(modC_Procedure::OptionDataCB(&s.p, &slot), "j > 0 && j < numOptions", "modC_Procedure");
    int plain = 2;
    EXPECT_ASSERTION(modC_Procedure::OptionDataCB(&s.p, &plain), "proc->optionActive.ConstGet(j) == CB",
                     "modC_Procedure");
}

TEST(DataOption, BackingUpFromItsDialogResumesTheInterruptedStep)
{
    OptionSession s;
    s.strategy.UseOption(1);
    s.Dialog().Change(Depth(99));
    s.log.Take();
    s.p.Backup();
    EXPECT_EQ((Lines{"SetOptionCallback(1, null, null)", "SetOption(2, null, null)", "BackupHook(dialog:depth)",
                     "dialog1.Cancel()", "dialog1 deleted", "StepChanging()", "SetPrompt(\"a\")",
                     "SetBackupAvailable(0)", "SetStepFlag(false)", "SetOptionCallback(1, \"Depth...\", OptionDataCB)",
                     "SetOption(2, \"flip\", \"Flip\")", "A.Resume"}),
              s.log.Take());
    // Backing up to the entry resets the working data to the option's data.
    EXPECT_TRUE(s.p.OptionDialogData(1) == s.data);
    EXPECT_EQ(1, s.a.Executions());
}

// Steps A, B, C (prompts "A" to "C") have run and option 1 ("flip") is shown.
struct ErrorSession : StepSession {
    ErrorSession() : StepSession("Extrude")
    {
        for (char const * name : {"A", "B", "C"})
            p.Execute(p.NewStep(name, 0, name));
        p.setPromptOption(1, "flip", "Flip");
        log.Take();
    }
    void Acknowledge() { factory.LastDialog()->Finish(factory.LastDialog()->Values()); }
    ScriptedProcedure & p = *procedure;
};

TEST(ErrorDialog, ItShowsTheMessageHidesTheOptionsAndResumesHidingThem)
{
    ErrorSession s;
    s.p.showStepErrorDialog("Depth must be positive", false, 1);
    EXPECT_EQ((Lines{"SetBackupAvailable(1)", "SetStepFlag(true)",
                     "MakeDialogMethod(\"modG_ErrorForm\", ((), ((\"WFXStringTarget\", \"Depth must be positive\"), "
                     "(\"WFXIntTarget\", 1)), (\"Depth must be positive\"))) -> dialog1",
                     "dialog1.Execute()", "StepChanging()", "SetOption(1, null, null)"}),
              s.log.Take());
    EXPECT_EQ(4, s.p.StepStkDepth());
    s.p.Suspend();
    s.log.Take();
    s.p.Resume();
    EXPECT_EQ((Lines{"ResumeHook(dialog:modG_ErrorForm)", "dialog1.Resume()", "SetBackupAvailable(1)"}), s.log.Take());
    EXPECT_FALSE(s.strategy.OptionShown(1));
    EXPECT_ASSERTION(s.p.showStepErrorDialog("Too far", false, 5), "endTheMode_ || backupAmount_ <= stepStack->Depth()",
                     "modC_Procedure");
}

TEST(ErrorDialog, AcknowledgingItBacksUpByTheAmountGivenOrEndsTheMode)
{
    Lines const backToC = {"dialog1.Cancel()", "dialog1 deleted", "onError(C, false)",
                           "SetOption(1, \"flip\", \"Flip\")", "SetOption(1, null, null)",
                           "BackupHook(dialog:modG_ErrorForm)", "StepChanging()", "SetPrompt(\"C\")",
                           "SetBackupAvailable(1)", "SetStepFlag(false)", "C.Execute"};
    struct Case {
        bool endTheMode;
        int backupAmount;
        Lines told;
        int depth;
    } const cases[] = {
        {false, 1, backToC, 3},
        {false, 0, backToC, 3},  // backing up nothing acts like one
        // Two pops (the error step's own entry, then C's), and the third by backing up.
        {false, 3, {"dialog1.Cancel()", "dialog1 deleted", "onError(C, false)", "BackupHook(dialog:modG_ErrorForm)",
                    "BackupHook(dialog:modG_ErrorForm)", "C.Cancel", "SetOption(1, \"flip\", \"Flip\")",
                    "SetOption(1, null, null)", "BackupHook(dialog:modG_ErrorForm)", "B.Cancel", "StepChanging()",
                    "SetPrompt(\"A\")", "SetBackupAvailable(0)", "SetStepFlag(false)", "A.Execute"}, 1},
        {true, 0, {"dialog1.Cancel()", "dialog1 deleted", "onError(C, true)", "SetOption(1, null, null)",
                   "ModeEnded()"}, 4},
    };
    for (Case const & c : cases) {
        SCOPED_TRACE(c.backupAmount);
        ErrorSession s;
        s.p.showStepErrorDialog("Wrong", c.endTheMode, c.backupAmount);
        s.log.Take();
        s.Acknowledge();
        EXPECT_EQ(c.told, s.log.Take());
        EXPECT_EQ(c.depth, s.p.StepStkDepth());
        EXPECT_EQ(nullptr, s.p.ErrorStep());
        EXPECT_EQ(c.endTheMode ? modC_Procedure::INACTIVE : modC_Procedure::ACTIVE, s.p.GetState());
    }
}

TEST(TraceFile, EachInstalledProcedureAppendsItsNameWhenAsked)
{
    char const * const name = "vantor_procedures.rpy.txt";
    std::remove(name);
    Session("Extrude").Installed();
    EXPECT_FALSE(std::ifstream(name).good());  // not asked: no file
    setenv("QEL_PRINT_PROCEDURE_NAME", "", 1);
    Session("Extrude").Installed();
    Session("Fillet").Installed();
    unsetenv("QEL_PRINT_PROCEDURE_NAME");
    std::stringstream text;
    text << std::ifstream(name).rdbuf();
    EXPECT_EQ("Extrude\nFillet\n", text.str());
    std::remove(name);
}

}  // namespace
