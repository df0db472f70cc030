// The pointer record, the click-and-drag method that hands it to its step, and
// the pick method driven through its viewport and button rows as a front end
// would: the regions it builds and exactly what reaches the step, and when.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedFactory.h"
#include "modC_ClickAndDragMethod.h"
#include "modC_MouseInfo.h"
#include "modC_PickMethod.h"
#include "sesC_PickOptions.h"
#include "support/TestTables.h"

namespace {

using Lines = std::vector<std::string>;

std::string const cycleRow =
    R"(MakeTitledChoiceMethod(["Next", "Previous", "OK"], 3, "Ambiguous selection, please choose one:", 3, 0))";
std::string const polygonRow =
    R"(MakeTitledChoiceMethod(["Backup", "Abort", "Done"], 3, "Pick the points for the polygon", 3, 0))";

class PickMethodTest : public testing::Test {
protected:
    void SetUp() override
    {
        method.reset(factory.MakePickMethod(&step));
        pick = dynamic_cast<modC_PickMethod *>(method.get());
        ASSERT_NE(nullptr, pick);
        viewport = factory.LastPosition();
        method->Execute();
        factory.Log().Take();
    }
    void TearDown() override { Shape(sesC_PickGC::NONE); }

    static void Shape(int shape) { sesC_PickOptions::Instance().GetPickGC().SetShape(shape); }

    // A polygon with the vertices (0,0), (4,0), (4,3) and one under
    // construction that follows the pointer to (0,3).
    void DrawPolygon()
    {
        Shape(sesC_PickGC::POLYGON);
        viewport->StartDrag(0, 0);
        viewport->DragTo(4, 0);
        viewport->EndDrag(4, 0);
        viewport->MoveTo(4, 3);
        viewport->Click(4, 3);
        viewport->MoveTo(0, 3);
        factory.Log().Take();
    }

    ScriptedFactory factory;
    ScriptedReceiver step{factory.Log()};
    std::unique_ptr<modC_Method> method;
    modC_PickMethod * pick = nullptr;
    ScriptedPosition * viewport = nullptr;
};

TEST_F(PickMethodTest, RectangleCornersAreNormalisedAndNeedAnExtent)
{
    Shape(sesC_PickGC::RECTANGLE);
    viewport->StartDrag(10, 20);
    viewport->DragTo(4, 8);  // towards the lower left
    EXPECT_EQ(1, pick->GetPickShape());
    EXPECT_EQ(g3d_Point(4, 8), pick->BoxCorners()[0]);
    EXPECT_EQ(g3d_Point(10, 20), pick->BoxCorners()[1]);

    viewport->EndDrag(12, 5);  // lower right of the press point
    EXPECT_EQ(g3d_Point(10, 5), pick->BoxCorners()[0]);
    EXPECT_EQ(g3d_Point(12, 20), pick->BoxCorners()[1]);
    EXPECT_EQ((Lines{"step.ValueChanged()", "step.ValueChanged()", "step.ValueChanged()"}), factory.Log().Take());

    // Without extent the previous corners stay.
    viewport->StartDrag(5, 5);  // no extent at the start of a drag
    EXPECT_EQ(g3d_Point(10, 5), pick->BoxCorners()[0]);
    viewport->DragTo(9, 5);  // no extent in y
    viewport->DragTo(5, 9);  // none in x
    EXPECT_EQ(g3d_Point(10, 5), pick->BoxCorners()[0]);
    EXPECT_EQ(g3d_Point(12, 20), pick->BoxCorners()[1]);
}


TEST_F(PickMethodTest, CircleHas32PointsStartingAtAngleZero)
{
    Shape(sesC_PickGC::CIRCLE);
    viewport->StartDrag(2, 1);
    viewport->DragTo(5, 5);  // radius 5 around (2, 1)
    EXPECT_EQ(2, pick->GetPickShape());
    std::vector<g3d_Point> const points = Elements(pick->Points());
    ASSERT_EQ(32u, points.size());
    EXPECT_EQ(g3d_Point(7, 1), points[0]);
    double const pi = std::acos(-1.0);
    for (std::size_t k = 0; k < points.size(); ++k) {
        EXPECT_NEAR(2 + 5 * std::cos(k * pi / 16), points[k].x, 1e-4) << k;
        EXPECT_NEAR(1 + 5 * std::sin(k * pi / 16), points[k].y, 1e-4) << k;
        EXPECT_EQ(0.0f, points[k].z);
        EXPECT_EQ(1.0f, points[k].w);
    }

    viewport->EndDrag(2, 2);
    EXPECT_EQ(32, pick->Points().Size()) << "each drag event draws the circle afresh";
    EXPECT_EQ(g3d_Point(3, 1), pick->Points().ConstGet(0));
}

TEST_F(PickMethodTest, BackupRemovesVerticesButNeverTheFirst)
{
    DrawPolygon();
    ScriptedChoice * row = factory.LastChoice();
    for (int expected : {3, 2, 1}) {
        row->Press(0);
        EXPECT_EQ(expected, pick->Points().Size());
    }
    EXPECT_EQ((Lines{"step.DirectManipulation(2)", "step.DirectManipulation(2)", "step.DirectManipulation(2)"}),
              factory.Log().Take());

    row->PressLabel("Backup");
    EXPECT_EQ((std::vector<g3d_Point>{{0, 0}}), Elements(pick->Points()));
    EXPECT_TRUE(factory.Log().Take().empty()) << "a one-point polygon is left alone, silently";
}

TEST_F(PickMethodTest, DoneReportsThePolygonAsAValueChangeThenClearsIt)
{
    DrawPolygon();
    std::vector<g3d_Point> delivered;
    step.onReport = [&](std::string const &, modC_Method *) { delivered = Elements(pick->Points()); };
    factory.LastChoice()->PressLabel("Done");

    EXPECT_EQ((Lines{"titledChoice1.Cancel()", "titledChoice1 deleted", "step.ValueChanged()"}),
              factory.Log().Take());
    EXPECT_EQ((std::vector<g3d_Point>{{0, 0}, {4, 0}, {4, 3}, {0, 3}}), delivered);
    EXPECT_EQ(0, pick->Points().Size());
    EXPECT_EQ(0, pick->GetPickShape());

    viewport->Click(1, 1);  // back to ordinary picks
    EXPECT_EQ((Lines{"step.ValueChanged()"}), factory.Log().Take());
}

TEST_F(PickMethodTest, StepMayDeleteThePickWhileTheFinishedPolygonIsReported)
{
    DrawPolygon();
    step.onReport = [&](std::string const &, modC_Method *) { method.reset(); };
    factory.LastChoice()->PressLabel("Done");
    EXPECT_EQ((Lines{"titledChoice1.Cancel()", "titledChoice1 deleted", "step.ValueChanged()", "pick1 deleted"}),
              factory.Log().Take());
    EXPECT_TRUE(factory.Live().empty());
}

TEST_F(PickMethodTest, DirectManipulationByPhase)
{
    viewport->Record().x = 6;
    viewport->Record().y = 7;
    viewport->Manipulate(2, modC_MethodReceiver::MANIPULATION_CONTINUED);
    EXPECT_EQ(6.0f, pick->Cursor().x) << "phase 2 updates the region";
    viewport->Manipulate(0, modC_MethodReceiver::MANIPULATION_STARTED);
    viewport->Manipulate(1, modC_MethodReceiver::MANIPULATION_STARTED);
    EXPECT_EQ((Lines{"step.DirectManipulation(1)"}), factory.Log().Take())
        << "phases 0 and 1 matter only while a polygon is drawn";

    DrawPolygon();
    factory.LastChoice()->PressLabel("Backup");  // the last vertex is no longer where the pointer is
    factory.Log().Take();
    viewport->Manipulate(0, modC_MethodReceiver::MANIPULATION_STARTED);
    EXPECT_EQ((std::vector<g3d_Point>{{0, 0}, {4, 0}, {4, 3}, {4, 3}}), Elements(pick->Points()))
        << "a new vertex starts where the last one is";
    viewport->Manipulate(1, modC_MethodReceiver::MANIPULATION_CONTINUED);
    viewport->Manipulate(1, modC_MethodReceiver::GEOMETRY_CHANGED);
    EXPECT_EQ((std::vector<g3d_Point>{{0, 0}, {4, 0}}), Elements(pick->Points()));
    EXPECT_EQ((Lines{"step.DirectManipulation(0)", "step.DirectManipulation(1)", "step.DirectManipulation(2)"}),
              factory.Log().Take());
}

TEST_F(PickMethodTest, PolygonRowWithoutPointsSurvivesEveryReport)
{
    Shape(sesC_PickGC::POLYGON);
    pick->DisplayPolygonPrompt();  // the front end opens the row before any vertex
    viewport->Manipulate(0, modC_MethodReceiver::MANIPULATION_STARTED);
    viewport->Manipulate(1, modC_MethodReceiver::MANIPULATION_STARTED);
    viewport->DragTo(3, 3);  // a drag continued that never started
    viewport->EndDrag(3, 3);
    EXPECT_EQ(0, pick->Points().Size());
    factory.LastChoice()->PressLabel("Backup");
    EXPECT_EQ((Lines{polygonRow + " -> titledChoice1", "titledChoice1.Execute()", "step.DirectManipulation(0)"}),
              factory.Log().Take());
}

TEST_F(PickMethodTest, AmbiguityRowSetsTheActionAndReportsEveryDoneAsAValueChange)
{
    pick->Disambiguate();
    ScriptedChoice * row = factory.LastChoice();
    EXPECT_EQ((Lines{cycleRow + " -> titledChoice1", "titledChoice1.Execute()"}), factory.Log().Take());

    row->Select(0);
    EXPECT_EQ(3, pick->GetSelectAction());
    row->Select(1);
    EXPECT_EQ(4, pick->GetSelectAction());
    EXPECT_TRUE(factory.Log().Take().empty()) << "choosing on the row reports nothing";

    row->Press(1);
    viewport->Confirm();
    EXPECT_EQ((Lines{"step.ValueChanged()", "step.ValueChanged()"}), factory.Log().Take());

    row->Select(2);
    EXPECT_EQ(5, pick->GetSelectAction());
    row->PressLabel("OK");
    EXPECT_EQ((Lines{"titledChoice1.Cancel()", "titledChoice1 deleted", "step.ValueChanged()"}),
              factory.Log().Take());

    viewport->Confirm();
    EXPECT_EQ((Lines{"step.Done()"}), factory.Log().Take()) << "without the row a completed click is Done again";
}

TEST_F(PickMethodTest, LifecycleReachesTrackerThenBothRows)
{
    pick->Disambiguate();
    pick->DisplayPolygonPrompt();
    factory.Log().Take();
    method->Suspend();
    method->Resume();
    method->Cancel();
    method->Execute();
    EXPECT_EQ((Lines{"pick1.Suspend()", "titledChoice1.Suspend()", "titledChoice2.Suspend()", "pick1.Resume()",
                     "titledChoice1.Resume()", "titledChoice2.Resume()", "pick1.Cancel()", "titledChoice1.Cancel()",
                     "titledChoice2.Cancel()", "pick1.Execute()", "titledChoice1.Execute()",
                     "titledChoice2.Execute()"}),
              factory.Log().Take());
}

TEST(MouseInfo, StartsAtZeroInPhaseTwo)
{
    modC_MouseInfo const mouse;
    EXPECT_EQ(0, mouse.context);
    for (float f : {mouse.x, mouse.y, mouse.z, mouse.deltaX, mouse.deltaY, mouse.deltaZ})
        EXPECT_EQ(0.0f, f);
    for (int i : {mouse.pixelX, mouse.pixelY, mouse.pixelZ, mouse.pixelDeltaX, mouse.pixelDeltaY, mouse.pixelDeltaZ,
                  mouse.button, mouse.modifiers, mouse.event})
        EXPECT_EQ(0, i);
    EXPECT_EQ(2, mouse.phase);
    EXPECT_EQ(0x10C0001u, modC_MouseInfo::TypeId());
    EXPECT_EQ(0x10C0001u, mouse.DynTypeId());
}

TEST(ClickAndDragMethod, EveryReportCopiesTheRecordOfThatMoment)
{
    ScriptedFactory factory;
    ScriptedReceiver step{factory.Log()};
    std::unique_ptr<modC_Method> method(factory.MakePositionMethod(&step));
    auto * drag = dynamic_cast<modC_ClickAndDragMethod *>(method.get());
    ASSERT_NE(nullptr, drag);
    method->Execute();
    modC_MouseInfo & record = factory.LastPosition()->Record();
    record.context = 11;
    record.x = 1.5f;
    record.y = -2.5f;
    record.pixelX = 15;
    record.pixelY = -25;
    record.deltaX = 0.25f;
    record.deltaY = -0.75f;
    record.pixelDeltaX = 3;
    record.pixelDeltaY = -7;
    record.modifiers = 5;
    record.event = 3;
    record.phase = 1;
    record.button = 2;

    std::vector<double> atReport;
    step.onReport = [&](std::string const &, modC_Method * m) {
        auto const * d = static_cast<modC_ClickAndDragMethod const *>(m);
        atReport = {double(d->Context()), d->X(), d->Y(), double(d->PixelX()), double(d->PixelY()), d->DeltaX(),
                    d->DeltaY(), double(d->PixelDeltaX()), double(d->PixelDeltaY()), double(d->Modifiers()),
                    double(d->Event()), double(d->Phase()), double(d->Button())};
    };
    factory.LastPosition()->ReportDone();
    EXPECT_EQ((std::vector<double>{11, 1.5, -2.5, 15, -25, 0.25, -0.75, 3, -7, 5, 3, 1, 2}), atReport);

    record.x = 99;  // the tracker moves on; the step keeps what it was told
    EXPECT_EQ(1.5, drag->X());
    factory.LastPosition()->ReportDirectManipulation(modC_MethodReceiver::MANIPULATION_STARTED);
    EXPECT_EQ(99, atReport[1]) << "a direct manipulation copies the record too";
}

}  // namespace
