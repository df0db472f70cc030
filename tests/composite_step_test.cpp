// The composite step inside a procedure: its children run one after another,
// with their own prompts, and the composite backs up and is owned as one step.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "AssertCapture.h"
#include "Session.h"
#include "modC_CompositeStep.h"

namespace {

// A composite that grows as its children terminate, as a derived class would:
// the next of `later` is added, or `onChildTerminated` decides.
class GrowingComposite : public modC_CompositeStep {
public:
    GrowingComposite(modC_Procedure * procedure, CallLog & log)
        : modC_CompositeStep(procedure, "fillet", 3, 7), log(log)
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
        if (onChildTerminated) {
            onChildTerminated(child);
        } else if (!later.empty()) {
            Add(later.front(), later.front()->Name().c_str());
            later.erase(later.begin());
        }
        modC_CompositeStep::StepTerminated(child);
    }
    void StepValueChanged(modC_Step const & child) override
    {
        log.Add("composite.StepValueChanged(" + ScriptedProcedure::NameOf(child) + ")");
    }

    std::vector<ScriptedStep *> later;
    std::function<void(modC_Step const &)> onChildTerminated;

private:
    CallLog & log;
};

// An installed procedure and a composite whose first child, "first", is added.
struct CompositeSession : Session {
    explicit CompositeSession(char const * firstPrompt = "first")
        : Session("Blend"), c(*new GrowingComposite(procedure.get(), log)), first(c.Child("first", firstPrompt))
    {
        Installed();
        c.Add(first, "pickEdge");
    }
    GrowingComposite & c;
    ScriptedStep * first;
};

TEST(CompositeStep, ChildrenRunInTurnWithTheirOwnPromptsAndBackingUpCancelsTheLaterOnesNewestFirst)
{
    CompositeSession s(nullptr);
    ScriptedStep & before = s.procedure->NewStep("before", 0, "before");
    ScriptedStep * second = s.c.Child("second", "Pick the second edge");
    s.c.later = {second, s.c.Child("third", "third")};
    s.procedure->Execute(before);
    s.log.Take();
    s.procedure->Execute(s.c);
    EXPECT_EQ((Lines{"SetBackupAvailable(1)", "SetStepFlag(false)",
                     "SetPrompt(\"*promptArea.Blend_fillet_pickEdge.labelString\")", "first.Execute"}),
              s.log.Take());
    s.first->Terminate();
    EXPECT_EQ((Lines{"StepChanging()", "SetPrompt(\"Pick the second edge\")", "second.Execute"}), s.log.Take());
    second->Terminate();
    s.log.Take();
    s.procedure->Backup();
    EXPECT_EQ((Lines{"third.Cancel", "second.Cancel", "BackupHook(step)", "first.Cancel", "StepChanging()",
                     "SetPrompt(\"before\")", "SetBackupAvailable(0)", "SetStepFlag(false)", "before.Execute"}),
              s.log.Take());
    EXPECT_EQ(1, s.c.NumSteps());
    EXPECT_EQ(0, s.c.Current());
}

TEST(CompositeStep, ReplacingTheLastChildRunsTheReplacementAtTheSamePosition)
{
    CompositeSession s;
    ScriptedStep * better = s.c.Child("better");
    s.c.onChildTerminated = [&](modC_Step const &) {
        s.c.Replace(better, "pickFace");
        EXPECT_EQ(-1, s.c.Current());
        s.c.onChildTerminated = nullptr;
    };
    s.procedure->Execute(s.c);
    s.log.Take();
    s.first->Terminate();
    EXPECT_EQ((Lines{"StepChanging()", "SetPrompt(\"*promptArea.Blend_fillet_pickFace.labelString\")",
                     "better.Execute"}),
              s.log.Take());
    EXPECT_EQ(0, s.c.Current());
    // Highlights are cleared on the displaced child too.
    s.c.ClearHighlights();
    EXPECT_EQ((Lines{"better.ClearHighlights", "first.ClearHighlights"}), s.log.Take());
    s.c.Add(s.c.Child("next", "next"), "n");
    std::unique_ptr<ScriptedStep> late(s.c.Child("late"));
    EXPECT_ASSERTION(s.c.Replace(late.get(), "x"), "!\"Only the last step which executed can be replaced.\"",
                     "modC_CompositeStep");
    s.c.Add(s.c.Child("last", "last"), "l");
    EXPECT_ASSERTION(s.c.Add(late.get(), "x"), "numSteps < maxNumSteps", "modC_CompositeStep");
    // Executed again, the composite forgets the names of the children it had.
    s.procedure->Execute(s.c);
    s.c.Add(s.c.Child("again"), "again");
    s.log.Take();
    better->Terminate();
    EXPECT_EQ("SetPrompt(\"*promptArea.Blend_fillet_again.labelString\")", s.log.Take()[1]);
    s.procedure.reset();
    // The displaced child and its replacement are each destroyed once.
    auto lines = s.log.Take();
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "first.~"));
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "better.~"));
}

TEST(CompositeStep, ReportsAreForwardedToTheProcedureAndItTerminatesOnceWithItsLastChild)
{
    CompositeSession s;
    s.procedure->Execute(s.c);
    s.log.Take();
    s.first->Abort();
    s.first->ChangeValue(3);
    EXPECT_EQ((Lines{"StepAbortHook(first)", "composite.StepValueChanged(first)"}), s.log.Take());
    EXPECT_TRUE(s.c.FirstStep(*s.first));
    EXPECT_STREQ("first", s.c.getPrompt());
    s.procedure->Suspend();
    s.procedure->Resume();
    EXPECT_EQ((Lines{"SuspendHook(step)", "first.Suspend", "ResumeHook(step)", "SetPrompt(\"first\")",
                     "SetPrompt(\"first\")", "first.Resume", "SetBackupAvailable(0)"}),
              s.log.Take());
    s.c.EndMode();
    EXPECT_EQ((Lines{"first.Cancel", "ModeEnded()"}), s.log.Take());
    EXPECT_ASSERTION(s.c.Done(nullptr), "0", "modC_CompositeStep");

    s.Installed();
    s.procedure->Execute(s.c);
    s.log.Take();
    s.first->Terminate();
    EXPECT_EQ((Lines{"StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(7, s.procedure->CurrentSeq());
}

}  // namespace
