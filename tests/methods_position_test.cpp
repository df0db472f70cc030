// The pointer record and the click-and-drag method that hands it to its step.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScriptedFactory.h"
#include "modC_ClickAndDragMethod.h"
#include "modC_MouseInfo.h"

namespace {

using Lines = std::vector<std::string>;

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

class ClickAndDragTest : public testing::Test {
protected:
    void SetUp() override
    {
        method.reset(factory.MakePositionMethod(&step));
        drag = dynamic_cast<modC_ClickAndDragMethod *>(method.get());
        ASSERT_NE(nullptr, drag);
        viewport = factory.LastPosition();
    }

    ScriptedFactory factory;
    ScriptedReceiver step{factory.Log()};
    std::unique_ptr<modC_Method> method;
    modC_ClickAndDragMethod * drag = nullptr;
    ScriptedPosition * viewport = nullptr;
};

TEST_F(ClickAndDragTest, EveryReportCopiesTheRecordOfThatMoment)
{
    method->Execute();
    modC_MouseInfo & record = viewport->Record();
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
    viewport->ReportDone();
    EXPECT_EQ((std::vector<double>{11, 1.5, -2.5, 15, -25, 0.25, -0.75, 3, -7, 5, 3, 1, 2}), atReport);

    record.x = 99;  // the tracker moves on; the step keeps what it was told
    EXPECT_EQ(1.5, drag->X());
}

}  // namespace
