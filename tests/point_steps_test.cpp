// The point step, the keyed-in point step and the keyed-in list step in a
// session: the viewport click that completes a point, typed points and lists
// reported as they change, taken over on commit, and shown again next time.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "StepSession.h"
#include "modC_KeyinArrayStep.h"
#include "modC_KeyinPointStep.h"
#include "modC_PointStep.h"
#include "support/TestTables.h"

namespace {

struct PointSession : StepSession {
    PointSession() : StepSession("Extrude") {}
    ScriptedEntry & Entry(std::string const & name) { return *factory.Find<ScriptedEntry>(name); }
};

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

TEST(PointStep, OnlyAPointerChangeTakesThePositionAndCompletesTheStep)
{
    PointSession s;
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
    PointSession s;
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
    PointSession s;
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
