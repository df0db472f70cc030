// Sessions of one procedure: executing, terminating, backing up, cancelling,
// suspending and resuming, and what the front end is told at each point; and
// the step stack's chain of entries underneath.
#include <gtest/gtest.h>

#include <functional>

#include "AssertCapture.h"
#include "Session.h"
#include "StepStack.h"
#include "modC_PickProcedure.h"
#include "sesC_PickOptions.h"
#include "omu_PrimString.h"

namespace {

// An installed session with steps A, B, C (sequence numbers 1 to 3, prompts
// "a" to "c"), of which the first `executed` have run.
struct Steps : Session {
    explicit Steps(int executed = 0, bool noBackup = false) : Session("Extrude", noBackup)
    {
        Installed();
        for (int i = 0; i < 3; ++i)
            step[i] = &p.NewStep(std::string(1, char('A' + i)), i + 1, prompts[i]);
        for (int i = 0; i < executed; ++i)
            p.Execute(*step[i]);
        log.Take();
    }
    char const * prompts[3] = {"a", "b", "c"};
    ScriptedProcedure & p = *procedure;
    ScriptedStep * step[3] = {};
    ScriptedStep & a() { return *step[0]; }
    ScriptedStep & b() { return *step[1]; }
    ScriptedStep & c() { return *step[2]; }
};

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

    // A prerequisite given at construction is copied with its type and flag.
    ScriptedProcedure given(s.log, "Fillet", modC_ModePreReq(nullptr, omu_PrimType(42), true));
    s.strategy.StartModeOnVerify(false);
    given.Install(&s.strategy, nullptr);
    EXPECT_EQ((Lines{"VerifyPreReq(type 42, true)"}), s.log.Take());
}

TEST(Procedure, ExecutingAStepShowsItsPromptOrResourceKeyBackStateAndFlagThenRunsIt)
{
    Steps s;
    EXPECT_EQ(-1, s.p.CurrentSeq());
    s.p.Execute(s.b(), true);
    EXPECT_EQ((Lines{"SetPrompt(\"b\")", "SetBackupAvailable(0)", "SetStepFlag(true)", "B.Execute"}), s.log.Take());
    EXPECT_EQ(2, s.p.CurrentSeq());
    EXPECT_TRUE(s.p.FirstStep(s.b()));
    s.p.Execute(s.p.NewStep("keyed"), false, "select");
    EXPECT_EQ("SetPrompt(\"*promptArea.Extrude_select.labelString\")", s.log.Take().front());
    EXPECT_EQ(1, s.p.CheckPrompt("*promptArea.Extrude_select.labelString"));
    // Neither prompt nor key: the prompt area keeps what it showed.
    s.p.Execute(s.p.NewStep("bare"));
    EXPECT_EQ((Lines{"SetBackupAvailable(1)", "SetStepFlag(false)", "bare.Execute"}), s.log.Take());
    EXPECT_EQ(1, s.p.CheckPrompt(""));
}

TEST(Procedure, MisuseFailsItsContractCheck)
{
    Session unnamed("");
    unnamed.Installed();
    EXPECT_ASSERTION(unnamed.procedure->Execute(unnamed.procedure->NewStep("A"), false, "select"),
                     "modeName != \"\"", "modC_Procedure");
    Session notInstalled;
    EXPECT_ASSERTION(notInstalled.procedure->Execute(notInstalled.procedure->NewStep("B")), "state == ACTIVE",
                     "modC_Procedure");
    EXPECT_ASSERTION(notInstalled.procedure->EndMode(), "modeContext != 0", "modC_Procedure");
    EXPECT_ASSERTION(notInstalled.procedure->NewStep("C").CommitData(), "0", "modC_Step");

    EXPECT_ASSERTION(notInstalled.strategy.GetFgColor(), "fgColor != ULONG_MAX", "modC_Strategy");
    EXPECT_ASSERTION(notInstalled.strategy.GetBgColor(), "bgColor != ULONG_MAX", "modC_Strategy");
}

TEST(Procedure, StepReportsGoToTheHooksAndTheTerminationHookRunsTheNextStepBeforeReturning)
{
    Steps s;
    s.p.onTerminated = [&](modC_Step const & done) {
        if (&done == &s.a())
            s.p.Execute(s.b());
        else
            s.p.EndMode();
    };
    s.p.Execute(s.a());
    s.log.Take();
    s.a().ChangeValue(3);
    s.a().Abort();
    s.a().Terminate();
    EXPECT_EQ((Lines{"ValueChangedHook(A)", "StepAbortHook(A)", "StepTerminatedHook(A)", "SetPrompt(\"b\")",
                     "SetBackupAvailable(1)", "SetStepFlag(false)", "B.Execute"}),
              s.log.Take());
    s.b().Terminate();
    EXPECT_EQ((Lines{"StepTerminatedHook(B)", "B.Cancel", "ModeEnded()"}), s.log.Take());
    EXPECT_EQ(modC_Procedure::INACTIVE, s.p.GetState());
    s.p.EndMode();
    EXPECT_TRUE(s.log.Take().empty());
}

TEST(Procedure, BackingUpReExecutesEachEarlierStepWithoutPushingAndBackingOutOfTheFirstEndsTheMode)
{
    Steps s;
    s.p.Execute(s.a(), true);
    s.p.Execute(s.b());
    s.p.Execute(s.c());
    s.log.Take();
    s.c().RefuseBackup(true);
    s.p.Backup();
    EXPECT_EQ((Lines{"C.Backup"}), s.log.Take());
    EXPECT_EQ(3, s.p.StepStkDepth());

    s.c().RefuseBackup(false);
    s.p.Backup();
    EXPECT_EQ((Lines{"C.Backup", "BackupHook(C)", "C.Cancel", "StepChanging()", "SetPrompt(\"b\")",
                     "SetBackupAvailable(1)", "SetStepFlag(false)", "B.Execute"}),
              s.log.Take());
    s.p.Backup();
    EXPECT_EQ((Lines{"B.Backup", "BackupHook(B)", "B.Cancel", "StepChanging()", "SetPrompt(\"a\")",
                     "SetBackupAvailable(0)", "SetStepFlag(true)", "A.Execute"}),
              s.log.Take());
    EXPECT_EQ(1, s.p.StepStkDepth());
    // Going forward again pushes a new entry for the same step.
    s.p.Execute(s.b());
    EXPECT_EQ(2, s.p.StepStkDepth());
    EXPECT_EQ((Lines{"SetPrompt(\"b\")", "SetBackupAvailable(1)", "SetStepFlag(false)", "B.Execute"}), s.log.Take());

    s.p.Backup();
    s.log.Take();
    s.p.Backup();
    EXPECT_EQ((Lines{"A.Backup", "BackupHook(A)", "A.Cancel", "A.Cancel", "ModeEnded()"}), s.log.Take());
    EXPECT_EQ(modC_Procedure::INACTIVE, s.p.GetState());
}

TEST(Procedure, NoBackupProceduresOnlyEverHideTheBackButton)
{
    Steps s(0, true);
    s.p.Execute(s.a());
    s.p.Execute(s.b());
    EXPECT_EQ((Lines{"SetPrompt(\"a\")", "SetBackupShown(0)", "SetStepFlag(false)", "A.Execute", "SetPrompt(\"b\")",
                     "SetBackupShown(0)", "SetStepFlag(false)", "B.Execute"}),
              s.log.Take());
    s.p.Backup();
    EXPECT_EQ((Lines{"B.Backup", "BackupHook(B)", "B.Cancel", "StepChanging()", "SetPrompt(\"a\")",
                     "SetBackupShown(0)", "A.Execute"}),
              s.log.Take());
}

TEST(Procedure, CancelClearsHighlightsCallsTheHookAndEndsTheMode)
{
    Steps s(2);
    s.p.Execute(s.a());
    s.log.Take();
    s.p.Cancel();
    // Newest entry first, each distinct step once at its oldest entry.
    EXPECT_EQ((Lines{"B.ClearHighlights", "A.ClearHighlights", "CancelHook(A)", "A.Cancel", "ModeEnded()"}),
              s.log.Take());
    s.p.Cancel();
    EXPECT_TRUE(s.log.Take().empty());

    Steps quiet(1);
    quiet.p.SetClearHighlightsOnCancel(false);
    quiet.p.Cancel();
    EXPECT_EQ((Lines{"CancelHook(A)", "A.Cancel", "ModeEnded()"}), quiet.log.Take());
}

TEST(Procedure, SuspendAndResumeInEachState)
{
    Steps s(1);
    s.p.setPromptOption(1, "flip", "Flip");
    s.log.Take();
    s.p.Suspend();
    EXPECT_EQ(modC_Procedure::SUSPENDED, s.p.GetState());
    EXPECT_EQ((Lines{"SetOption(1, null, null)", "SuspendHook(A)", "A.Suspend"}), s.log.Take());
    s.p.Suspend();  // only an active procedure suspends
    EXPECT_TRUE(s.log.Take().empty());

    s.p.Resume();
    EXPECT_EQ(modC_Procedure::ACTIVE, s.p.GetState());
    EXPECT_EQ((Lines{"ResumeHook(A)", "SetPrompt(\"a\")", "A.Resume", "SetBackupAvailable(0)",
                     "SetOption(1, \"flip\", \"Flip\")"}),
              s.log.Take());
    // Resuming an active procedure puts back control and options, not the step.
    s.p.Resume();
    EXPECT_EQ((Lines{"SetBackupAvailable(0)", "SetOption(1, \"flip\", \"Flip\")"}), s.log.Take());

    s.p.EndMode();
    s.log.Take();
    s.p.Resume();
    s.p.Suspend();
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ(modC_Procedure::INACTIVE, s.p.GetState());
}

TEST(Procedure, CancelStepAndClearStepStkLeaveTheStepsAlone)
{
    struct Case {
        char const * name;
        std::function<void(ScriptedProcedure &)> act;
        Lines told;
        int depth;
        int seq;
    } const cases[] = {
        {"CancelStep", [](ScriptedProcedure & p) { p.CancelStep(); }, {"B.Cancel", "SetBackupAvailable(0)"}, 1, 1},
        // Nothing cancelled, nothing destroyed.
        {"ClearStepStk", [](ScriptedProcedure & p) { p.ClearStepStk(); }, {}, 0, -1},
    };
    for (Case const & c : cases) {
        SCOPED_TRACE(c.name);
        Steps s(2);
        c.act(s.p);
        EXPECT_EQ(c.told, s.log.Take());
        EXPECT_EQ(c.depth, s.p.StepStkDepth());
        EXPECT_EQ(c.seq, s.p.CurrentSeq());
        EXPECT_EQ(1, s.a().Executions());
        EXPECT_EQ(c.depth > 0, s.p.FirstStep(s.a()));
    }
    Steps s(2);
    s.p.ClearStepStk();
    s.p.Execute(s.b());
    EXPECT_TRUE(s.p.FirstStep(s.b()));
}

TEST(Procedure, DestroyingTheProcedureDestroysEachStepOnceNewestFirstWithoutCancelling)
{
    Steps s(2);
    s.p.Execute(s.a());
    s.p.Execute(s.a());
    s.log.Take();
    s.procedure.reset();
    // C was never executed and belongs to the test procedure; the stack then
    // destroys B at its only entry and A at its oldest.
    EXPECT_EQ((Lines{"C.~", "B.~", "A.~"}), s.log.Take());
    EXPECT_EQ(0, s.strategy.ModeEndedCount());
}

class PickingProcedure : public modC_PickProcedure {
public:
    PickingProcedure() : modC_PickProcedure(false) {}
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
    PickingProcedure second;
    EXPECT_EQ(before + 2, options.InitializeCount());
}

void Push(StepStack & stack, modC_Step * step, char const * prompt = "")
{
    stack.Push(step, prompt, cow_1DArray<cow_String>(4), cow_1DArray<cow_String>(4), cow_1DArray<cow_String>(4),
               cow_1DArray<int>(4), cow_1DArray<int>(4), false);
}

TEST(StepStack, PoppedEntriesStayInTheChainAndPopSkipsThem)
{
    CallLog log;
    auto * a = new ScriptedStep("A", log);
    auto * b = new ScriptedStep("B", log);
    auto * c = new ScriptedStep("C", log);
    {
        StepStack stack;
        Push(stack, a, "a");
        EXPECT_EQ(a, stack.FirstStep());
        Push(stack, b, "b");
        EXPECT_EQ(a, stack.Pop());
        Push(stack, c, "c");
        EXPECT_EQ(2, stack.Depth());
        EXPECT_EQ(b, stack.Top()->next->step);
        EXPECT_TRUE(stack.Top()->next->popped);
        EXPECT_EQ(a, stack.Pop());
        EXPECT_EQ("a", std::string(stack.Top()->prompt.AsCharPtr()));
        EXPECT_EQ(nullptr, stack.Pop());
        EXPECT_EQ(nullptr, stack.FirstStep());
        EXPECT_EQ(nullptr, stack.Pop());  // popping an empty stack stays empty
        EXPECT_EQ(0, stack.Depth());
        EXPECT_TRUE(log.Take().empty());
    }
    EXPECT_EQ((Lines{"C.~", "B.~", "A.~"}), log.Take());
}

}  // namespace
