// Sessions of one procedure: executing, terminating, backing up, cancelling,
// suspending and resuming, and what the front end is told at each point.
#include <gtest/gtest.h>

#include "AssertCapture.h"
#include "Session.h"
#include "modC_ModeFactory.h"
#include "modC_PickProcedure.h"
#include "sesC_PickOptions.h"
#include "omu_PrimString.h"

namespace {

TEST(Procedure, InstallActivatesAndHandsThePrerequisiteToTheModeContextOnce)
{
    Session s;
    EXPECT_EQ(modC_Procedure::INACTIVE, s.procedure->GetState());
    omu_PrimString primitive(cow_String("face 7"));
    s.strategy.StartModeOnVerify(true);
    s.procedure->onStart = [&] { EXPECT_EQ(modC_Procedure::ACTIVE, s.procedure->GetState()); };
    s.procedure->Install(&s.strategy, &primitive);
    EXPECT_EQ((Lines{"VerifyPreReq(type 0, false)", "Start()"}), s.log.Take());
    ASSERT_NE(nullptr, s.strategy.LastPreReq());
    EXPECT_EQ(&primitive, s.strategy.LastPreReq()->GetPrimitive());
    EXPECT_EQ(s.procedure.get(), s.strategy.LastPreReq()->GetMode());
}

TEST(Procedure, AGivenPrerequisiteIsCopiedWithItsTypeAndFlag)
{
    CallLog log;
    ScriptedStrategy strategy(log);
    modC_ModePreReq preReq(nullptr, omu_PrimType(42), true);
    ScriptedProcedure procedure(log, "Fillet", preReq);
    procedure.Install(&strategy, nullptr);
    EXPECT_EQ((Lines{"VerifyPreReq(type 42, true)"}), log.Take());
}

TEST(Procedure, ExecutingAStepShowsItsPromptBackStateAndFlagThenRunsIt)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 5, "Select a profile");
    EXPECT_EQ(-1, p.CurrentSeq());
    p.Execute(a, true);
    EXPECT_EQ((Lines{"SetPrompt(\"Select a profile\")", "SetBackupAvailable(0)", "SetStepFlag(true)", "A.Execute"}),
              s.log.Take());
    EXPECT_EQ(5, p.CurrentSeq());
    EXPECT_EQ(1, p.StepStkDepth());
    EXPECT_TRUE(p.FirstStep(a));
}

TEST(Procedure, AStepWithoutPromptIsShownByItsResourceKeyOrNotAtAll)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A");
    p.Execute(a, false, "select");
    EXPECT_EQ("SetPrompt(\"*promptArea.Extrude_select.labelString\")", s.log.Take().front());
    EXPECT_EQ(1, p.CheckPrompt("*promptArea.Extrude_select.labelString"));

    ScriptedStep & b = p.NewStep("B");
    p.Execute(b);
    // No prompt at all: the prompt area keeps what it showed.
    EXPECT_EQ((Lines{"SetBackupAvailable(1)", "SetStepFlag(false)", "B.Execute"}), s.log.Take());
    EXPECT_EQ(0, p.CheckPrompt("*promptArea.Extrude_select.labelString"));
    EXPECT_EQ(1, p.CheckPrompt(""));
}

TEST(Procedure, ContractChecksOfExecuteStepAndEndMode)
{
    Session unnamed("");
    unnamed.Installed();
    ScriptedStep & a = unnamed.procedure->NewStep("A");
    EXPECT_ASSERTION(unnamed.procedure->Execute(a, false, "select"), "modeName != \"\"", "modC_Procedure");

    Session notInstalled;
    ScriptedStep & b = notInstalled.procedure->NewStep("B");
    EXPECT_ASSERTION(notInstalled.procedure->Execute(b), "state == ACTIVE", "modC_Procedure");
    EXPECT_ASSERTION(notInstalled.procedure->EndMode(), "modeContext != 0", "modC_Procedure");
}

TEST(Procedure, TerminationGoesToTheHookWhichRunsTheNextStepBeforeReturning)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 1, "first");
    ScriptedStep & b = p.NewStep("B", 2, "second");
    p.onTerminated = [&](modC_Step const & done) {
        if (&done == &a)
            p.Execute(b);
        else
            p.EndMode();
    };
    p.Execute(a);
    s.log.Take();
    a.Terminate();
    EXPECT_EQ((Lines{"StepTerminatedHook(A)", "SetPrompt(\"second\")", "SetBackupAvailable(1)", "SetStepFlag(false)",
                     "B.Execute"}),
              s.log.Take());
    b.Terminate();
    EXPECT_EQ((Lines{"StepTerminatedHook(B)", "B.Cancel", "ModeEnded()"}), s.log.Take());
    EXPECT_EQ(modC_Procedure::INACTIVE, p.GetState());
    p.EndMode();
    EXPECT_TRUE(s.log.Take().empty());
}

TEST(Procedure, ValueChangesAndAbortsReachTheirHooks)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A");
    p.Execute(a);
    s.log.Take();
    a.ChangeValue(3);
    a.Abort();
    EXPECT_EQ((Lines{"ValueChangedHook(A)", "StepAbortHook(A)"}), s.log.Take());
}

TEST(Procedure, BackingUpRestoresThePreviousStepAndBackingOutOfTheFirstEndsTheMode)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A");
    ScriptedStep & b = p.NewStep("B", 0, "depth");
    p.Execute(a, true, "select");
    p.Execute(b);
    s.log.Take();

    p.Backup();
    EXPECT_EQ((Lines{"B.Backup", "BackupHook(B)", "B.Cancel", "StepChanging()",
                     "SetPrompt(\"*promptArea.Extrude_select.labelString\")", "SetBackupAvailable(0)",
                     "SetStepFlag(true)", "A.Execute"}),
              s.log.Take());
    EXPECT_EQ(&a, p.CurrentStep());
    EXPECT_EQ(2, a.Executions());

    p.Backup();
    EXPECT_EQ((Lines{"A.Backup", "BackupHook(A)", "A.Cancel", "A.Cancel", "ModeEnded()"}), s.log.Take());
    EXPECT_EQ(modC_Procedure::INACTIVE, p.GetState());
}

TEST(Procedure, AStepThatRefusesToBackUpChangesNothing)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    ScriptedStep & b = p.NewStep("B", 0, "b");
    p.Execute(a);
    p.Execute(b);
    s.log.Take();
    b.RefuseBackup(true);
    p.Backup();
    EXPECT_EQ((Lines{"B.Backup"}), s.log.Take());
    EXPECT_EQ(2, p.StepStkDepth());
    EXPECT_EQ(&b, p.CurrentStep());
}

TEST(Procedure, BackingUpThroughSeveralStepsReExecutesEachWithoutPushing)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    ScriptedStep & b = p.NewStep("B", 0, "b");
    ScriptedStep & c = p.NewStep("C", 0, "c");
    p.Execute(a);
    p.Execute(b);
    p.Execute(c);
    p.Backup();
    EXPECT_EQ(2, p.StepStkDepth());
    p.Backup();
    EXPECT_EQ(1, p.StepStkDepth());
    EXPECT_EQ(&a, p.CurrentStep());
    EXPECT_EQ(2, a.Executions());
    EXPECT_EQ(2, b.Executions());
    EXPECT_EQ(1, c.Executions());
    // Going forward again pushes a new entry for the same step.
    s.log.Take();
    p.Execute(b);
    EXPECT_EQ(2, p.StepStkDepth());
    EXPECT_EQ((Lines{"SetPrompt(\"b\")", "SetBackupAvailable(1)", "SetStepFlag(false)", "B.Execute"}), s.log.Take());
}

TEST(Procedure, NoBackupProceduresOnlyEverHideTheBackButton)
{
    Session s("Extrude", true);
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    ScriptedStep & b = p.NewStep("B", 0, "b");
    p.Execute(a);
    p.Execute(b);
    EXPECT_EQ((Lines{"SetPrompt(\"a\")", "SetBackupShown(0)", "SetStepFlag(false)", "A.Execute",
                     "SetPrompt(\"b\")", "SetBackupShown(0)", "SetStepFlag(false)", "B.Execute"}),
              s.log.Take());
    p.Backup();
    EXPECT_EQ((Lines{"B.Backup", "BackupHook(B)", "B.Cancel", "StepChanging()", "SetPrompt(\"a\")",
                     "SetBackupShown(0)", "A.Execute"}),
              s.log.Take());
}

TEST(Procedure, CancelClearsHighlightsCallsTheHookAndEndsTheMode)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    ScriptedStep & b = p.NewStep("B", 0, "b");
    p.Execute(a);
    p.Execute(b);
    p.Execute(a);
    s.log.Take();
    p.Cancel();
    // Newest entry first, each distinct step once at its oldest entry.
    EXPECT_EQ((Lines{"B.ClearHighlights", "A.ClearHighlights", "CancelHook(A)", "A.Cancel", "ModeEnded()"}),
              s.log.Take());
    p.Cancel();
    EXPECT_TRUE(s.log.Take().empty());
}

TEST(Procedure, CancelWithoutHighlightClearingAndBeforeAnyStep)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    p.SetClearHighlightsOnCancel(false);
    p.Cancel();
    EXPECT_EQ((Lines{"ModeEnded()"}), s.log.Take());
    Session notInstalled;
    notInstalled.procedure->Cancel();
    EXPECT_TRUE(notInstalled.log.Take().empty());
}

TEST(Procedure, SuspendAndResumeInEachState)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    p.Execute(a);
    p.setPromptOption(1, "flip", "Flip");
    s.log.Take();

    p.Suspend();
    EXPECT_EQ(modC_Procedure::SUSPENDED, p.GetState());
    EXPECT_EQ((Lines{"SetOption(1, null, null)", "SuspendHook(A)", "A.Suspend"}), s.log.Take());
    p.Suspend();  // only an active procedure suspends
    EXPECT_TRUE(s.log.Take().empty());

    p.Resume();
    EXPECT_EQ(modC_Procedure::ACTIVE, p.GetState());
    EXPECT_EQ((Lines{"ResumeHook(A)", "SetPrompt(\"a\")", "A.Resume", "SetBackupAvailable(0)",
                     "SetOption(1, \"flip\", \"Flip\")"}),
              s.log.Take());

    // Resuming an active procedure puts back control and options, not the step.
    p.Resume();
    EXPECT_EQ((Lines{"SetBackupAvailable(0)", "SetOption(1, \"flip\", \"Flip\")"}), s.log.Take());

    p.EndMode();
    s.log.Take();
    p.Resume();
    p.Suspend();
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ(modC_Procedure::INACTIVE, p.GetState());
}

TEST(Procedure, CancelStepPopsToThePreviousStepWithoutRunningIt)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 1, "a");
    ScriptedStep & b = p.NewStep("B", 2, "b");
    p.Execute(a);
    p.Execute(b);
    s.log.Take();
    p.CancelStep();
    EXPECT_EQ((Lines{"B.Cancel", "SetBackupAvailable(0)"}), s.log.Take());
    EXPECT_EQ(1, p.CurrentSeq());
    EXPECT_EQ(1, a.Executions());
}

TEST(Procedure, RepeatRunsTheTopStepAgainWithoutPushing)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    p.Execute(a);
    s.log.Take();
    p.Repeat();
    EXPECT_EQ((Lines{"SetPrompt(\"a\")", "SetBackupAvailable(0)", "A.Execute"}), s.log.Take());
    EXPECT_EQ(1, p.StepStkDepth());
}

TEST(Procedure, ClearStepStkKeepsEveryStepAliveAndFirstStepStartsOver)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A");
    ScriptedStep & b = p.NewStep("B");
    p.Execute(a);
    p.Execute(b);
    s.log.Take();
    p.ClearStepStk();
    EXPECT_TRUE(s.log.Take().empty());  // nothing cancelled, nothing destroyed
    EXPECT_EQ(nullptr, p.CurrentStep());
    EXPECT_EQ(0, p.StepStkDepth());
    EXPECT_FALSE(p.FirstStep(a));
    EXPECT_FALSE(p.FirstStep(b));
    EXPECT_EQ(0, p.CheckPrompt(""));
    p.Execute(b);
    EXPECT_TRUE(p.FirstStep(b));
    EXPECT_FALSE(p.FirstStep(a));
}

TEST(Procedure, DestroyingTheProcedureDestroysEachStepOnceNewestFirstWithoutCancelling)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A");
    ScriptedStep & b = p.NewStep("B");
    p.NewStep("never");
    p.Execute(a);
    p.Execute(b);
    p.Execute(a);
    p.Execute(a);
    s.log.Take();
    s.procedure.reset();
    // The never-executed step belongs to the test procedure; the stack then
    // destroys B at its only entry and A at its oldest.
    EXPECT_EQ((Lines{"never.~", "B.~", "A.~"}), s.log.Take());
    EXPECT_EQ(0, s.strategy.ModeEndedCount());
}

TEST(Procedure, BailoutAndBackupOKAnswerTheirHooks)
{
    Session s;
    EXPECT_EQ(1, s.procedure->Bailout());
    EXPECT_EQ(1, s.procedure->BackupOK());
}

TEST(Procedure, StepReceiverDefaultsAndModeDefaults)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A");
    EXPECT_EQ(0, p.CommandIsSent());
    EXPECT_STREQ("", a.getPrompt());
    EXPECT_EQ(1, a.Backup());
    modC_ModeFactory factory;
    EXPECT_EQ(nullptr, factory.MakeProcedure("Extrude"));
    EXPECT_EQ(nullptr, factory.MakeProcedure(""));
}

class RecordingReceiver : public modC_StepReceiver {
public:
    explicit RecordingReceiver(CallLog & log, std::string name) : log(log), name(std::move(name)) {}
    void StepTerminated(modC_Step const &) override { log.Add(name + ".StepTerminated"); }
    void StepValueChanged(modC_Step const &) override { log.Add(name + ".StepValueChanged"); }
    void StepAbort(modC_Step const &) override { log.Add(name + ".StepAbort"); }
    void SuspendOption() override {}
    void ResumeOption() override {}
    void EndMode() override {}
    bool FirstStep(modC_Step const &) override { return false; }

private:
    CallLog & log;
    std::string name;
};

TEST(Step, AStepExecutedAgainAfterCancelReportsToTheNewReceiver)
{
    CallLog log;
    RecordingReceiver first(log, "first");
    RecordingReceiver second(log, "second");
    ScriptedStep a("A", log);
    a.Execute(nullptr, &first);
    a.Cancel();
    a.Execute(nullptr, &second);
    a.Terminate();
    EXPECT_EQ((Lines{"A.Execute", "A.Cancel", "A.Execute", "second.StepTerminated"}), log.Take());
}

TEST(Step, CommitDataOfAPlainStepIsAContractViolation)
{
    CallLog log;
    ScriptedStep step("A", log);
    EXPECT_ASSERTION(step.CommitData(), "0", "modC_Step");
}

TEST(Strategy, ColoursMustBeSetBeforeTheyAreRead)
{
    CallLog log;
    ScriptedStrategy strategy(log);
    EXPECT_ASSERTION(strategy.GetFgColor(), "fgColor != ULONG_MAX", "modC_Strategy");
    EXPECT_ASSERTION(strategy.GetBgColor(), "bgColor != ULONG_MAX", "modC_Strategy");
    strategy.SetColors(0x102030, 0xffffff);
    EXPECT_EQ(0x102030u, strategy.GetBgColor());
    EXPECT_EQ(0xffffffu, strategy.GetFgColor());
}

TEST(ModePreReq, ACopyCarriesTheSamePrimitiveModeTypeAndFlag)
{
    Session s;
    modC_ModePreReq original(s.procedure.get(), omu_PrimType(9), true);
    omu_PrimString primitive(cow_String("edge"));
    original.CheckPreReq(s.strategy, &primitive);
    std::unique_ptr<modC_ModePreReq> copy(original.Copy());
    EXPECT_EQ(&primitive, copy->GetPrimitive());
    EXPECT_EQ(s.procedure.get(), copy->GetMode());
    EXPECT_EQ(9, copy->GetType().GetType());
    EXPECT_TRUE(copy->GetFlag());
}

}  // namespace

namespace {

class PickingProcedure : public modC_PickProcedure {
public:
    PickingProcedure() : modC_PickProcedure(false) { modeName = "Pick"; }
    PickingProcedure(modC_ModePreReq const & preReq) : modC_PickProcedure(preReq, true) {}
    void Start() override {}
    void StepTerminatedHook(modC_Step const &) override {}
};

TEST(PickProcedure, EachNewOneStartsAFreshPickContext)
{
    sesC_PickOptions & options = sesC_PickOptions::Instance();
    options.GetPickGC().SetShape(sesC_PickGC::POLYGON);
    int const before = options.InitializeCount();
    PickingProcedure first;
    EXPECT_EQ(sesC_PickGC::NONE, options.GetPickGC().GetShape());
    PickingProcedure second(modC_ModePreReq(nullptr, omu_PrimType(3), false));
    EXPECT_EQ(before + 2, options.InitializeCount());
    EXPECT_EQ(3, second.PreReq().GetType().GetType());
    EXPECT_EQ(modC_Procedure::INACTIVE, first.GetState());
}

}  // namespace
