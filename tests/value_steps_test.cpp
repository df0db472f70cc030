// The steps that take a value in a session: integer, pair of integers, float,
// string, a point from the viewport or keyed in, and a keyed-in list. What the
// front end is asked for, what the procedure hears, and the typed value that
// the entry shows again when the user comes back to the step.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "StepSession.h"
#include "modC_FloatStep.h"
#include "modC_Int2Step.h"
#include "modC_IntStep.h"
#include "modC_KeyinArrayStep.h"
#include "modC_KeyinPointStep.h"
#include "modC_PointStep.h"
#include "modC_StringStep.h"
#include "support/TestTables.h"

namespace {

struct ValueSession : StepSession {
    ValueSession() : StepSession("Extrude") {}
    ScriptedEntry & Entry(std::string const & name) { return *factory.Find<ScriptedEntry>(name); }
};

// A front end without entry fields or a trackable viewport: an integer entry
// comes out as a prompt line, the viewport as a text entry, the rest not at all.
class NoEntryFactory : public ScriptedFactory {
public:
    using ScriptedFactory::ScriptedFactory;
    modC_Method * MakeIntegerMethod(modC_MethodReceiver * receiver, int, int, int, bool, bool, bool, void *,
                                    int) const override
    {
        return MakePromptMethod(receiver, "no entry");
    }
    modC_Method * MakeStringMethod(modC_MethodReceiver *, char const *, int) const override { return nullptr; }
    modC_Method * MakePositionMethod(modC_MethodReceiver * receiver) const override
    {
        return ScriptedFactory::MakeStringMethod(receiver, "", 20);
    }
    modC_Method * MakePointMethod(modC_MethodReceiver *, double, double, double, bool, double, double, bool, bool,
                                  bool, bool, int) const override
    {
        return nullptr;
    }
};

// One entry step of each kind: typing is kept quietly as the next default,
// confirming ends the step with its entry removed, and the next execution
// shows what was read.
TEST(EntryStep, TypingIsKeptQuietlyAndConfirmingTerminatesAndShowsTheValueNextTime)
{
    struct Case {
        std::function<modC_Step *()> make;
        std::string made, typed;
        char const * entered;  // null: confirmed as shown
        std::function<std::string(modC_Step &)> value;  // value and default value
        std::string whileTyping, whenDone, madeAgain;
    };
    auto const ints = [](modC_Step & s) {
        auto & i = static_cast<modC_IntStep &>(s);
        return std::to_string(i.value) + "/" + std::to_string(i.defaultValue);
    };
    auto const floats = [](modC_Step & s) {
        auto & f = static_cast<modC_FloatStep &>(s);
        return std::to_string(f.value) + "/" + std::to_string(f.defaultValue);
    };
    auto const strings = [](modC_Step & s) { return static_cast<modC_StringStep &>(s).GetValue().Std(); };
    Case const cases[] = {
        {[] { return new modC_IntStep(42, 7, -5, 100, true, false, true); },
         "MakeIntegerMethod(42, -5, 100, true, false, true, null, 20) -> integer1", "18", "23", ints, "18/18", "23/23",
         "MakeIntegerMethod(23, -5, 100, true, false, true, null, 20) -> integer2"},
        {[] { return new modC_FloatStep(2.5, 9, -1.5, 1e6, true, true, false); },
         "MakeFloatMethod(2.5, -1.5, 1e+06, true, true, false, null, 20) -> float1", "0.125", nullptr, floats,
         "0.125000/0.125000", "0.125000/0.125000",
         "MakeFloatMethod(0.125, -1.5, 1e+06, true, true, false, null, 20) -> float2"},
        {[] { return new modC_StringStep("Part1", 0); }, R"(MakeStringMethod("Part1", 20) -> string1)", "Bracket",
         "", strings, "Bracket", "", R"(MakeStringMethod("", 20) -> string2)"},
    };
    for (Case const & c : cases) {
        SCOPED_TRACE(c.made);
        ValueSession s;
        modC_Step * step = c.make();
        EXPECT_EQ(c.made, s.Run(*step).at(0));
        ScriptedEntry & entry = *s.factory.LastEntry();
        std::string const name = entry.Name();  // the entry goes when the step ends
        entry.Type(c.typed);
        EXPECT_TRUE(s.log.Take().empty()) << "value changes are not the receiver's business";
        EXPECT_EQ(c.whileTyping, c.value(*step));
        if (c.entered)
            entry.Enter(c.entered);
        else
            entry.Confirm();
        EXPECT_EQ((Lines{name + ".Cancel()", name + " deleted", "StepTerminatedHook(step)"}),
                  s.log.Take());
        EXPECT_EQ(c.whenDone, c.value(*step));
        s.procedure->Repeat();
        EXPECT_EQ(c.madeAgain, s.log.Take().at(1));
    }
}

TEST(ValueSteps, AFactoryWithoutTheirMethodIsAContractViolationAndLeaksNothing)
{
    CallLog log;
    NoEntryFactory factory(log);
    modC_IntStep integer(1, 0, 0, 9, true, true, false);
    modC_StringStep text("a", 0);
    modC_PointStep point(0);
    modC_KeyinPointStep keyin(true, 0, 0, 1, true, true, true, true);
    ExpectContractChecks("modC_EntryStep", {
        {[&] { integer.Execute(&factory, nullptr); }, "method != 0"},
        {[&] { text.Execute(&factory, nullptr); }, "method != 0"},
        {[&] { point.Execute(&factory, nullptr); }, "method != 0", "modC_PointStep"},
        {[&] { keyin.Execute(&factory, nullptr); }, "method != 0"},
    });
    EXPECT_EQ((Lines{"MakePromptMethod(\"no entry\") -> prompt1", "prompt1 deleted",
                     "MakeStringMethod(\"\", 20) -> string1", "string1 deleted"}),
              log.Take());
}

TEST(Int2Step, TwoEntriesWithAPromptBetweenThemAndOnlyTheSecondConfirmationEndsTheStep)
{
    ValueSession s;
    auto * step = new modC_Int2Step(3, 4, 0, 9, false, true, true);
    EXPECT_EQ((Lines{"MakeIntegerMethod(3, 0, 9, false, true, true, null, 20) -> integer1",
                     "MakeIntegerMethod(3, 0, 9, false, true, true, null, 20) -> integer2",
                     "MakePromptMethod(\"DUMMY PROMPT\") -> prompt1", "integer1.Execute()", "prompt1.Execute()",
                     "integer2.Execute()"}),
              s.Run(*step));
    s.Entry("integer1").Type("4");
    EXPECT_EQ(4, step->firstValue);
    EXPECT_EQ(4, step->defaultValue);
    s.Entry("integer2").Type("5");
    EXPECT_EQ(5, step->secondValue);
    EXPECT_EQ(5, step->defaultValue);
    s.Entry("integer1").Enter("11");  // confirming the first only marks it
    EXPECT_TRUE(step->firstDone);
    EXPECT_EQ(11, step->firstValue);
    step->Done(nullptr);  // a finish from outside names neither entry
    EXPECT_TRUE(s.log.Take().empty());

    s.Entry("integer2").Enter("6");
    EXPECT_EQ((Lines{"integer2.Cancel()", "integer2 deleted", "prompt1.Cancel()", "prompt1 deleted",
                     "integer1.Cancel()", "integer1 deleted", "StepTerminatedHook(step)"}),
              s.log.Take());
    EXPECT_EQ(6, step->secondValue);
    EXPECT_EQ(6, step->defaultValue);
    EXPECT_FALSE(step->firstDone);
    EXPECT_FALSE(step->secondDone);

    s.procedure->Repeat();  // both entries start with the value read last
    Lines const lines = s.log.Take();
    EXPECT_EQ("MakeIntegerMethod(6, 0, 9, false, true, true, null, 20) -> integer3", lines.at(1));
    EXPECT_EQ("MakeIntegerMethod(6, 0, 9, false, true, true, null, 20) -> integer4", lines.at(2));
    s.procedure->Suspend();
    s.procedure->Resume();
    EXPECT_EQ((Lines{"SuspendHook(step)", "integer4.Suspend()", "prompt2.Suspend()", "integer3.Suspend()",
                     "ResumeHook(step)", "integer3.Resume()", "prompt2.Resume()", "integer4.Resume()",
                     "SetBackupAvailable(0)"}),
              s.log.Take());
    s.Entry("integer4").Enter("7");
    EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back()) << "the second entry is done afresh";
    s.procedure->Repeat();
    s.log.Take();
    step->Cancel();
    EXPECT_EQ((Lines{"integer6.Cancel()", "prompt3.Cancel()", "integer5.Cancel()", "integer5 deleted",
                     "integer6 deleted", "prompt3 deleted"}),
              s.log.Take());
}

TEST(PointStep, OnlyAPointerChangeTakesThePositionAndCompletesTheStep)
{
    ValueSession s;
    auto * step = new modC_PointStep(4);
    EXPECT_EQ((Lines{"MakePositionMethod() -> position1", "position1.Execute()"}), s.Run(*step));
    EXPECT_EQ(0.0, step->x);
    EXPECT_EQ(0.0, step->y);
    ScriptedPosition * viewport = s.factory.LastPosition();
    viewport->Record().x = 9.0f;
    viewport->ReportDone();
    viewport->Manipulate(2, modC_MethodReceiver::GEOMETRY_CHANGED);
    modC_Procedure::Option2DataCB(s.procedure.get(), nullptr);  // a finish from outside carries no position
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ(0.0, step->x);
    viewport->Click(3.5f, -2.25f);
    EXPECT_EQ((Lines{"position1.Cancel()", "position1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(3.5, step->x);
    EXPECT_EQ(-2.25, step->y);
    EXPECT_EQ(4, s.procedure->CurrentSeq());
}

TEST(KeyinPointStep, EveryChangeIsReportedAndConfirmingTerminates)
{
    ValueSession s;
    auto * step = new modC_KeyinPointStep(1.0, 2.0, 3, -100.0, 100.0, true, false, true, false);
    EXPECT_EQ((Lines{"MakePointMethod(1, 2, 0, true, -100, 100, true, false, true, false, 20) -> point1",
                     "point1.Execute()"}),
              s.Run(*step));
    s.Entry("point1").Type("4 5");
    EXPECT_EQ((Lines{"ValueChangedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<double>{4, 5, 0, 4, 5, 0}),
              (std::vector<double>{step->x, step->y, step->z, step->defaultX, step->defaultY, step->defaultZ}));

    // The two-dimensional flag only travels to the entry: a typed z is kept.
    s.Entry("point1").Enter("(1.5,2.5,3.5)");
    EXPECT_EQ((Lines{"point1.Cancel()", "point1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(3.5, step->z);
    s.procedure->Repeat();
    EXPECT_EQ("MakePointMethod(1.5, 2.5, 3.5, true, -100, 100, true, false, true, false, 20) -> point2",
              s.log.Take().at(1));
}

TEST(KeyinArrayStep, ASizedListStartsWithCopiesOfTheDefaultAndExpectsThatMany)
{
    ValueSession s;
    auto * step = new modC_KeyinArrayStep(3, 6, 0.0, 10.0, true, false, false, true, 1.5, -1);
    EXPECT_EQ(3, step->expectedCount);
    EXPECT_EQ("MakeArrayMethod([1.5, 1.5, 1.5], 0, 10, true, false, 1.5, 3, false, true, 20) -> array1",
              s.Run(*step).at(0));
    EXPECT_EQ("1.5, 1.5, 1.5", s.Entry("array1").FieldText());

    s.Entry("array1").Type("1, 2 3,4");
    EXPECT_EQ((Lines{"ValueChangedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<double>{1, 2, 3, 4}), Elements(step->values));
    EXPECT_EQ((std::vector<double>{1, 2, 3, 4}), Elements(step->defaultValues));

    s.Entry("array1").Enter("");
    EXPECT_EQ((Lines{"array1.Cancel()", "array1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<double>{0.0}), Elements(step->values));
    s.procedure->Repeat();
    EXPECT_EQ("MakeArrayMethod([0], 0, 10, true, false, 1.5, 3, false, true, 20) -> array2", s.log.Take().at(1));
}

TEST(KeyinArrayStep, CommitTakesOverTheTypedTextAndSuspendResumeAndCancelReachTheEntry)
{
    ValueSession s;
    auto * step = new modC_KeyinArrayStep(0, 0, 0.0, 1.0, true, true, true, true, 0.0, -1);
    step->CommitData();  // not running: nothing to take over
    EXPECT_EQ("MakeArrayMethod([], 0, 1, true, true, 0, 0, true, true, 20) -> array1", s.Run(*step).at(0));
    s.Entry("array1").Edit(",,");
    step->CommitData();
    EXPECT_EQ((Lines{"array1.CommitData()", "ValueChangedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<double>{0.0, 0.0}), Elements(step->values));

    s.procedure->Suspend();
    s.procedure->Resume();
    EXPECT_EQ((Lines{"SuspendHook(step)", "array1.Suspend()", "ResumeHook(step)", "array1.Resume()",
                     "SetBackupAvailable(0)"}),
              s.log.Take());
    s.Entry("array1").Type("abc, 1e999 -x");
    EXPECT_EQ((std::vector<double>{0.0, HUGE_VAL, 0.0}), Elements(step->values));
    step->Cancel();
    step->Cancel();
    EXPECT_EQ((Lines{"ValueChangedHook(step)", "array1.Cancel()", "array1 deleted"}), s.log.Take());
}

}  // namespace
