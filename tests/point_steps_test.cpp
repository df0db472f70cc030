// The point step, the keyed-in point step and the keyed-in list step in a
// session: the viewport click that completes a point, typed points and lists
// reported as they change, taken over on commit, and shown again next time.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "AssertCapture.h"
#include "ScriptedFactory.h"
#include "Session.h"
#include "modC_KeyinArrayStep.h"
#include "modC_KeyinPointStep.h"
#include "modC_PointStep.h"

namespace {

struct PointSession : Session {
    PointSession() : factory(log) { strategy.SetFactory(&factory); }

    ScriptedEntry & Entry(std::string const & name)
    {
        ScriptedEntry * entry = factory.Find<ScriptedEntry>(name);
        if (!entry)
            throw std::logic_error("no entry " + name + " is shown");
        return *entry;
    }

    ScriptedFactory factory;
};

std::vector<double> Point(modC_KeyinPointStep const & step)
{
    return {step.x, step.y, step.z};
}

std::vector<double> Default(modC_KeyinPointStep const & step)
{
    return {step.defaultX, step.defaultY, step.defaultZ};
}

std::vector<double> Elements(cow_1DArrayList<double, double> const & list)
{
    std::vector<double> elements;
    for (int i = 0; i < list.Size(); ++i)
        elements.push_back(list.ConstGet(i));
    return elements;
}

// A front end whose viewport cannot be tracked: it makes a text entry instead.
class NoViewportFactory : public ScriptedFactory {
public:
    using ScriptedFactory::ScriptedFactory;
    modC_Method * MakePositionMethod(modC_MethodReceiver * receiver) const override
    {
        return MakeStringMethod(receiver, "", 20);
    }
    modC_Method * MakePointMethod(modC_MethodReceiver *, double, double, double, bool, double, double, bool, bool,
                                  bool, bool, int) const override
    {
        return nullptr;
    }
};

TEST(PointStep, TheFirstPointerChangeTakesThePositionAndCompletesTheStep)
{
    PointSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_PointStep(4);
    step->setPrompt("Place the hole");
    p.Execute(*step);
    EXPECT_EQ((Lines{"SetPrompt(\"Place the hole\")", "SetBackupAvailable(0)", "SetStepFlag(false)",
                     "MakePositionMethod() -> position1", "position1.Execute()"}),
              s.log.Take());
    EXPECT_EQ(0.0, step->x);
    EXPECT_EQ(0.0, step->y);
    s.factory.LastPosition()->Click(3.5f, -2.25f);
    EXPECT_EQ((Lines{"position1.Cancel()", "position1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(3.5, step->x);
    EXPECT_EQ(-2.25, step->y);
    EXPECT_EQ(4, p.CurrentSeq());
}

TEST(PointStep, ACompletionOrAManipulationAloneLeavesTheStepRunning)
{
    PointSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_PointStep(0);
    p.Execute(*step);
    s.log.Take();
    ScriptedPosition * viewport = s.factory.LastPosition();
    viewport->Record().x = 9.0f;
    viewport->ReportDone();
    viewport->Manipulate(2, modC_MethodReceiver::GEOMETRY_CHANGED);
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ(0.0, step->x);
    EXPECT_EQ((std::vector<std::string>{"position1"}), s.factory.Live());
    modC_Procedure::Option2DataCB(&p, nullptr);  // a finish from outside carries no position either
    EXPECT_TRUE(s.log.Take().empty());
    viewport->MoveTo(1.0f, 2.0f);
    EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back());
    EXPECT_EQ(1.0, step->x);
}

TEST(PointStep, SuspendResumeCancelAndRepeatedExecution)
{
    PointSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_PointStep(0);
    step->Cancel();
    p.Execute(*step);
    s.log.Take();
    p.Suspend();
    p.Resume();
    p.Repeat();
    EXPECT_EQ((Lines{"SuspendHook(step)", "position1.Suspend()", "ResumeHook(step)", "position1.Resume()",
                     "SetBackupAvailable(0)", "SetBackupAvailable(0)", "position1.Cancel()", "position1 deleted",
                     "MakePositionMethod() -> position2", "position2.Execute()"}),
              s.log.Take());
    s.procedure.reset();
    EXPECT_EQ((Lines{"position2.Cancel()", "position2 deleted"}), s.log.Take());
}

TEST(PointStep, AFactoryThatTracksNoPointerIsAContractViolationAndLeaksNothing)
{
    CallLog log;
    NoViewportFactory factory(log);
    modC_PointStep step(0);
    EXPECT_ASSERTION(step.Execute(&factory, nullptr), "method != 0", "modC_PointStep");
    EXPECT_EQ((Lines{"MakeStringMethod(\"\", 20) -> string1", "string1 deleted"}), log.Take());
    modC_KeyinPointStep keyin(true, 0, 0, 1, true, true, true, true);
    EXPECT_ASSERTION(keyin.Execute(&factory, nullptr), "method != 0", "modC_EntryStep");
}

TEST(KeyinPointStep, EveryChangeIsReportedAndConfirmingTerminates)
{
    PointSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_KeyinPointStep(1.0, 2.0, 3, -100.0, 100.0, true, false, true, false);
    p.Execute(*step);
    EXPECT_EQ((Lines{"SetBackupAvailable(0)", "SetStepFlag(false)",
                     "MakePointMethod(1, 2, 0, true, -100, 100, true, false, true, false, 20) -> point1",
                     "point1.Execute()"}),
              s.log.Take());
    EXPECT_EQ((std::vector<double>{1, 2, 0}), Point(*step));

    s.Entry("point1").Type("4 5");
    EXPECT_EQ((Lines{"ValueChangedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<double>{4, 5, 0}), Point(*step));
    EXPECT_EQ((std::vector<double>{4, 5, 0}), Default(*step));

    // The two-dimensional flag only travels to the entry: a typed z is kept.
    s.Entry("point1").Enter("(1.5,2.5,3.5)");
    EXPECT_EQ((Lines{"point1.Cancel()", "point1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<double>{1.5, 2.5, 3.5}), Point(*step));
    p.Repeat();
    EXPECT_EQ("MakePointMethod(1.5, 2.5, 3.5, true, -100, 100, true, false, true, false, 20) -> point2",
              s.log.Take().at(1));
}

TEST(KeyinPointStep, TheThreeConstructorsStartFromTheirOwnPoint)
{
    PointSession s;
    ScriptedProcedure & p = s.Installed();
    auto * three = new modC_KeyinPointStep(1.0, 2.0, 3.0, 0, -5.0, 5.0, false, false, false, true);
    auto * origin2 = new modC_KeyinPointStep(true, 0, 0.0, 1.0, true, true, true, true);
    auto * origin3 = new modC_KeyinPointStep(false, 0, 0.0, 1.0, true, true, true, true);
    EXPECT_FALSE(three->twoD);
    EXPECT_TRUE(origin2->twoD);
    EXPECT_FALSE(origin3->twoD);
    p.Execute(*three);
    p.Execute(*origin2);
    p.Execute(*origin3);
    Lines const lines = s.log.Take();
    EXPECT_EQ("MakePointMethod(1, 2, 3, false, -5, 5, false, false, false, true, 20) -> point1", lines.at(2));
    EXPECT_EQ("MakePointMethod(0, 0, 0, true, 0, 1, true, true, true, true, 20) -> point2", lines.at(6));
    EXPECT_EQ("MakePointMethod(0, 0, 0, false, 0, 1, true, true, true, true, 20) -> point3", lines.at(10));
    // Each was left running by the next; the stack destroys them and their entries.
    s.procedure.reset();
    EXPECT_TRUE(s.factory.Live().empty());
}

TEST(KeyinPointStep, CommitDataTakesOverTheTypedTextThroughTheEntrysReport)
{
    PointSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_KeyinPointStep(0.0, 0.0, 0.0, 0, -10.0, 10.0, true, true, false, false);
    step->CommitData();  // not running: nothing to take over
    p.Execute(*step);
    s.log.Take();
    s.Entry("point1").Edit("7, 8, 9");
    EXPECT_EQ((std::vector<double>{0, 0, 0}), Point(*step));
    step->CommitData();
    EXPECT_EQ((Lines{"point1.CommitData()", "ValueChangedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<double>{7, 8, 9}), Point(*step));
    EXPECT_EQ((std::vector<std::string>{"point1"}), s.factory.Live()) << "committing does not complete the step";

    // A finish from outside completes it with what was taken over.
    modC_Procedure::Option2DataCB(&p, nullptr);
    EXPECT_EQ((Lines{"point1.Cancel()", "point1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    step->CommitData();
    EXPECT_TRUE(s.log.Take().empty());
}

TEST(KeyinPointStep, HostileTextGivesAPointAndNeverFails)
{
    struct Case {
        std::string typed;
        std::vector<double> point;
    };
    Case const cases[] = {
        {"garbage", {0, 0, 0}},
        {"", {0, 0, 0}},
        {"1", {1, 0, 0}},
        {"1, 2, 3, 4, 5", {1, 2, 3}},
        {"1e999, -1e999", {HUGE_VAL, -HUGE_VAL, 0}},
        {"( 1 , 2 , 3 )", {1, 0, 0}},
        {std::string(50000, '9') + ", 1", {HUGE_VAL, 1, 0}},
        {"\xff\xfe, \x01", {0, 0, 0}},
    };
    for (Case const & c : cases) {
        PointSession s;
        ScriptedProcedure & p = s.Installed();
        auto * step = new modC_KeyinPointStep(5.0, 5.0, 5.0, 0, -1.0, 1.0, true, true, false, false);
        p.Execute(*step);
        s.Entry("point1").Enter(c.typed);
        EXPECT_EQ(c.point, Point(*step)) << "typed: " << c.typed.substr(0, 20);
        EXPECT_EQ(c.point, Default(*step)) << "typed: " << c.typed.substr(0, 20);
    }
}

TEST(KeyinArrayStep, ASizedListStartsWithCopiesOfTheDefaultAndExpectsThatMany)
{
    PointSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_KeyinArrayStep(3, 6, 0.0, 10.0, true, false, false, true, 1.5, -1);
    EXPECT_EQ(3, step->expectedCount);
    EXPECT_EQ((std::vector<double>{1.5, 1.5, 1.5}), Elements(step->values));
    p.Execute(*step);
    EXPECT_EQ("MakeArrayMethod([1.5, 1.5, 1.5], 0, 10, true, false, 1.5, 3, false, true, 20) -> array1",
              s.log.Take().at(2));
    EXPECT_EQ("1.5, 1.5, 1.5", s.Entry("array1").FieldText());

    s.Entry("array1").Type("1, 2 3,4");
    EXPECT_EQ((Lines{"ValueChangedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<double>{1, 2, 3, 4}), Elements(step->values));
    EXPECT_EQ((std::vector<double>{1, 2, 3, 4}), Elements(step->defaultValues));

    s.Entry("array1").Enter("");
    EXPECT_EQ((Lines{"array1.Cancel()", "array1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<double>{0.0}), Elements(step->values));
    p.Repeat();
    EXPECT_EQ("MakeArrayMethod([0], 0, 10, true, false, 1.5, 3, false, true, 20) -> array2", s.log.Take().at(1));
}

TEST(KeyinArrayStep, AGivenListIsCopiedAndAGivenCountKept)
{
    PointSession s;
    ScriptedProcedure & p = s.Installed();
    cow_1DArrayList<double, double> initial;
    initial.Append(4.0);
    initial.Append(-2.0);
    auto * counted = new modC_KeyinArrayStep(initial, 0, -9.0, 9.0, true, true, true, true, 0.5, 5);
    auto * sized = new modC_KeyinArrayStep(initial, 0, -9.0, 9.0, true, true, true, true, 0.5, -1);
    initial.Get(0) = 99.0;  // the steps keep their own copies
    EXPECT_EQ(5, counted->expectedCount);
    EXPECT_EQ(2, sized->expectedCount);
    p.Execute(*counted);
    EXPECT_EQ("MakeArrayMethod([4, -2], -9, 9, true, true, 0.5, 5, true, true, 20) -> array1", s.log.Take().at(2));
    p.Execute(*sized);
    EXPECT_EQ("MakeArrayMethod([4, -2], -9, 9, true, true, 0.5, 2, true, true, 20) -> array2", s.log.Take().at(2));
}

TEST(KeyinArrayStep, CommitSuspendResumeAndHostileLists)
{
    PointSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_KeyinArrayStep(0, 0, 0.0, 1.0, true, true, true, true, 0.0, -1);
    EXPECT_EQ(0, step->expectedCount);
    p.Execute(*step);
    EXPECT_EQ("MakeArrayMethod([], 0, 1, true, true, 0, 0, true, true, 20) -> array1", s.log.Take().at(2));
    s.Entry("array1").Edit(",,");
    step->CommitData();
    EXPECT_EQ((Lines{"array1.CommitData()", "ValueChangedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<double>{0.0, 0.0}), Elements(step->values));

    p.Suspend();
    p.Resume();
    EXPECT_EQ((Lines{"SuspendHook(step)", "array1.Suspend()", "ResumeHook(step)", "array1.Resume()",
                     "SetBackupAvailable(0)"}),
              s.log.Take());

    std::string huge;
    for (int i = 0; i < 20000; ++i)
        huge += "1,";
    s.Entry("array1").Type(huge);
    EXPECT_EQ(20000, step->values.Size());
    s.Entry("array1").Type("abc, 1e999 -x");
    EXPECT_EQ((std::vector<double>{0.0, HUGE_VAL, 0.0}), Elements(step->values));
    step->Cancel();
    step->Cancel();
    EXPECT_EQ((Lines{"ValueChangedHook(step)", "ValueChangedHook(step)", "array1.Cancel()", "array1 deleted"}),
              s.log.Take());
}

}  // namespace
