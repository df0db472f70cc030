// The composite step inside a procedure: its children run one after another,
// with their own prompts, and the composite backs up and is owned as one step.
#include <gtest/gtest.h>

#include <functional>

#include "AssertCapture.h"
#include "Session.h"
#include "modC_CompositeStep.h"

namespace {

// A composite that grows as its children terminate, as a derived class would.
class GrowingComposite : public modC_CompositeStep {
public:
    GrowingComposite(modC_Procedure * procedure, CallLog & log, char const * name, int capacity)
        : modC_CompositeStep(procedure, name, capacity, 7), log(log)
    {
    }

    ScriptedStep * Child(std::string const & childName, char const * prompt = nullptr)
    {
        return new ScriptedStep(childName, log, 0, prompt);
    }
    void Add(modC_Step * step, char const * stepName) { AddStep(step, stepName); }
    void Replace(modC_Step * step, char const * stepName) { ReplaceStep(step, stepName); }

    void StepTerminated(modC_Step const & child) override
    {
        if (onChildTerminated)
            onChildTerminated(child);
        modC_CompositeStep::StepTerminated(child);
    }
    void StepValueChanged(modC_Step const & child) override
    {
        log.Add("composite.StepValueChanged(" + ScriptedProcedure::NameOf(child) + ")");
    }

    std::function<void(modC_Step const &)> onChildTerminated;

private:
    CallLog & log;
};

struct CompositeSession : Session {
    CompositeSession() : Session("Blend") {}

    GrowingComposite & Make(int capacity = 3)
    {
        composite = new GrowingComposite(procedure.get(), log, "fillet", capacity);
        return *composite;
    }
    GrowingComposite * composite = nullptr;
};

TEST(CompositeStep, ChildrenRunInTurnWithTheirOwnPromptsAndTheCompositeTerminatesOnce)
{
    CompositeSession s;
    ScriptedProcedure & p = s.Installed();
    GrowingComposite & c = s.Make();
    ScriptedStep * first = c.Child("first");
    ScriptedStep * second = c.Child("second", "Pick the second edge");
    c.Add(first, "pickEdge");
    c.onChildTerminated = [&](modC_Step const & child) {
        if (&child == first)
            c.Add(second, "second");
    };
    p.Execute(c);
    EXPECT_EQ((Lines{"SetBackupAvailable(0)", "SetStepFlag(false)",
                     "SetPrompt(\"*promptArea.Blend_fillet_pickEdge.labelString\")", "first.Execute"}),
              s.log.Take());
    first->Terminate();
    EXPECT_EQ((Lines{"StepChanging()", "SetPrompt(\"Pick the second edge\")", "second.Execute"}), s.log.Take());
    second->Terminate();
    EXPECT_EQ((Lines{"StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(7, p.CurrentSeq());
}

TEST(CompositeStep, AOneChildCompositeTerminatesWithItsChild)
{
    CompositeSession s;
    ScriptedProcedure & p = s.Installed();
    GrowingComposite & c = s.Make(1);
    ScriptedStep * only = c.Child("only", "only");
    c.Add(only, "x");
    p.Execute(c);
    s.log.Take();
    only->Terminate();
    EXPECT_EQ((Lines{"StepTerminatedHook(step)"}), s.log.Take());
    std::unique_ptr<ScriptedStep> extra(c.Child("extra"));
    EXPECT_ASSERTION(c.Add(extra.get(), "x"), "numSteps < maxNumSteps", "modC_CompositeStep");
}

TEST(CompositeStep, ReplacingTheLastChildRunsTheReplacementAtTheSamePosition)
{
    CompositeSession s;
    ScriptedProcedure & p = s.Installed();
    GrowingComposite & c = s.Make();
    ScriptedStep * first = c.Child("first", "first");
    ScriptedStep * better = c.Child("better");
    c.Add(first, "pickEdge");
    bool replaced = false;
    c.onChildTerminated = [&](modC_Step const &) {
        if (!replaced) {
            replaced = true;
            c.Replace(better, "pickFace");
            EXPECT_EQ(-1, c.Current());
        }
    };
    p.Execute(c);
    s.log.Take();
    first->Terminate();
    EXPECT_EQ((Lines{"StepChanging()", "SetPrompt(\"*promptArea.Blend_fillet_pickFace.labelString\")",
                     "better.Execute"}),
              s.log.Take());
    EXPECT_EQ(0, c.Current());
    c.Add(c.Child("next", "next"), "n");
    std::unique_ptr<ScriptedStep> late(c.Child("late"));
    EXPECT_ASSERTION(c.Replace(late.get(), "x"), "!\"Only the last step which executed can be replaced.\"",
                     "modC_CompositeStep");
    s.procedure.reset();
    // The displaced child and its replacement are each destroyed once.
    auto lines = s.log.Take();
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "first.~"));
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "better.~"));
}

TEST(CompositeStep, BackupCancelsTheLaterChildrenNewestFirstAndLetsTheProcedureBackOut)
{
    CompositeSession s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & before = p.NewStep("before", 0, "before");
    GrowingComposite & c = s.Make();
    ScriptedStep * one = c.Child("one", "one");
    ScriptedStep * two = c.Child("two", "two");
    ScriptedStep * three = c.Child("three", "three");
    c.Add(one, "a");
    c.onChildTerminated = [&](modC_Step const & child) {
        if (&child == one)
            c.Add(two, "b");
        else if (&child == two)
            c.Add(three, "c");
    };
    p.Execute(before);
    p.Execute(c);
    one->Terminate();
    two->Terminate();
    s.log.Take();
    p.Backup();
    EXPECT_EQ((Lines{"three.Cancel", "two.Cancel", "BackupHook(step)", "one.Cancel", "StepChanging()",
                     "SetPrompt(\"before\")", "SetBackupAvailable(0)", "SetStepFlag(false)", "before.Execute"}),
              s.log.Take());
    EXPECT_EQ(1, c.NumSteps());
    EXPECT_EQ(0, c.Current());
}

TEST(CompositeStep, RunningAgainStartsFromTheFirstChildAndOldChildrenAreDestroyedOnce)
{
    CompositeSession s;
    ScriptedProcedure & p = s.Installed();
    GrowingComposite & c = s.Make();
    ScriptedStep * first = c.Child("first", "first");
    c.Add(first, "a");
    int run = 0;
    c.onChildTerminated = [&](modC_Step const & child) {
        if (&child == first)
            c.Add(c.Child("second#" + std::to_string(++run), "second"), "b");
    };
    p.onTerminated = [&](modC_Step const &) {};
    p.Execute(c);
    first->Terminate();
    EXPECT_EQ(2, c.NumSteps());
    p.Backup();  // backs out of the composite: the mode ends
    s.Installed();
    p.Execute(c);
    EXPECT_EQ(1, c.NumSteps());
    first->Terminate();  // appends a new second child over the old one
    s.log.Take();
    s.procedure.reset();
    auto lines = s.log.Take();
    EXPECT_EQ((Lines{"first.~", "second#2.~", "second#1.~"}), lines);
}

TEST(CompositeStep, ReportsAreForwardedToTheProcedure)
{
    CompositeSession s;
    ScriptedProcedure & p = s.Installed();
    GrowingComposite & c = s.Make();
    ScriptedStep * first = c.Child("first", "first");
    c.Add(first, "a");
    p.Execute(c);
    s.log.Take();
    first->Abort();
    first->ChangeValue(3);
    EXPECT_EQ((Lines{"StepAbortHook(first)", "composite.StepValueChanged(first)"}), s.log.Take());
    EXPECT_TRUE(c.FirstStep(*first));
    EXPECT_STREQ("first", c.getPrompt());
    p.Suspend();
    p.Resume();
    EXPECT_EQ((Lines{"SuspendHook(step)", "first.Suspend", "ResumeHook(step)", "SetPrompt(\"first\")",
                     "SetPrompt(\"first\")", "first.Resume", "SetBackupAvailable(0)"}),
              s.log.Take());
    c.EndMode();
    EXPECT_EQ((Lines{"first.Cancel", "ModeEnded()"}), s.log.Take());
    EXPECT_ASSERTION(c.Done(nullptr), "0", "modC_CompositeStep");
}

TEST(CompositeStep, OnlyTheFirstChildOfAFirstCompositeIsTheFirstStep)
{
    CompositeSession s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & before = p.NewStep("before");
    GrowingComposite & c = s.Make();
    ScriptedStep * first = c.Child("first", "first");
    ScriptedStep * second = c.Child("second", "second");
    c.Add(first, "a");
    c.Add(second, "b");
    p.Execute(before);
    p.Execute(c);
    EXPECT_FALSE(c.FirstStep(*first));
    EXPECT_FALSE(c.FirstStep(*second));
}

TEST(CompositeStep, ClearHighlightsReachesEveryChildIncludingDisplacedOnes)
{
    CompositeSession s;
    ScriptedProcedure & p = s.Installed();
    GrowingComposite & c = s.Make();
    ScriptedStep * first = c.Child("first", "first");
    c.Add(first, "a");
    c.onChildTerminated = [&](modC_Step const &) { c.Replace(c.Child("swap", "swap"), "a"); };
    p.Execute(c);
    first->Terminate();
    s.log.Take();
    c.ClearHighlights();
    EXPECT_EQ((Lines{"swap.ClearHighlights", "first.ClearHighlights"}), s.log.Take());
}

}  // namespace
