// The state records through the object streams and the pretty printer.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "modC_ModeStateInfo.h"
#include "modC_Module.h"
#include "modC_MouseInfo.h"
#include "modC_StepStateChoiceInfo.h"
#include "modC_StepStateDialogInfo.h"
#include "modC_StepStatePositionInfo.h"
#include "modC_StepStateScalarInfo.h"
#include "modC_StepStateToggleInfo.h"

namespace {

class StateRecords : public ::testing::Test {
protected:
    void SetUp() override { modC_initialize(modules); }
    void TearDown() override { modC_finalize(modules); }

    // The printed form with ESC pairs spelled out as <t>, <{> ...
    template <class R>
    static std::string Readable(R const & record)
    {
        std::ostringstream text;
        pnt_PrettyPrint out(text);
        out << record;
        std::string shown;
        std::string const raw = text.str();
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\x1b' && i + 1 < raw.size())
                shown += std::string("<") + raw[++i] + ">";
            else
                shown += raw[i];
        }
        return shown;
    }

    std::stringstream bytes;
    bio_Ofilter out{bytes};
    bio_Ifilter in{bytes};
    int modules = 0;
};

// A pointer record whose every field differs from its default and the others.
modC_MouseInfo Pointer()
{
    modC_MouseInfo m;
    m.context = 9;
    m.x = 1.5f;
    m.y = -2.0f;
    m.z = 0.25f;
    m.pixelX = 100;
    m.pixelY = 200;
    m.pixelZ = 3;
    m.deltaX = 0.5f;
    m.deltaY = 0.75f;
    m.deltaZ = 1.0f;
    m.pixelDeltaX = -4;
    m.pixelDeltaY = 5;
    m.pixelDeltaZ = 6;
    m.button = 1;
    m.modifiers = 4;
    m.event = 3;
    m.phase = 0;
    return m;
}

TEST_F(StateRecords, EveryRecordReadsBackEqual)
{
    modC_ModeStateInfo mode(in);
    mode.info1 = 4;
    mode.info2 = -7;
    modC_StepStateScalarInfo scalar(in);
    scalar.info1 = 1;
    scalar.info3 = 3;
    scalar.value = omu_PrimString(cow_String("25 mm"));
    modC_StepStatePositionInfo position(in);
    position.info2 = 8;
    position.mouse = Pointer();
    modC_StepStateChoiceInfo choice(in);
    choice.choice = 2;
    modC_StepStateDialogInfo dialog(in);
    dialog.info1 = 5;
    dialog.values.Put(cow_String("Blind"));
    dialog.values.Put(12.5);
    modC_StepStateToggleInfo toggle(in);
    toggle.info3 = 6;
    toggle.states.Get(0) = 1;
    toggle.states.Get(2) = 1;
    out << mode << scalar << position << choice << dialog << toggle;

    modC_ModeStateInfo mode2(in);
    modC_StepStateScalarInfo scalar2(in);
    modC_StepStatePositionInfo position2(in);
    modC_StepStateChoiceInfo choice2(in);
    modC_StepStateDialogInfo dialog2(in);
    modC_StepStateToggleInfo toggle2(in);
    EXPECT_EQ(2, position2.mouse.phase);  // a fresh position record's pointer starts in phase 2
    in >> mode2 >> scalar2 >> position2 >> choice2 >> dialog2 >> toggle2;
    ASSERT_TRUE(in.Good());
    EXPECT_EQ(Readable(mode), Readable(mode2));
    EXPECT_EQ(Readable(scalar), Readable(scalar2));
    EXPECT_EQ(Readable(position), Readable(position2));
    EXPECT_EQ(Readable(choice), Readable(choice2));
    EXPECT_TRUE(dialog2.values == dialog.values);
    EXPECT_EQ(5, dialog2.info1);
    EXPECT_TRUE(toggle2.states == toggle.states);
    EXPECT_EQ(6, toggle2.info3);
}

TEST_F(StateRecords, PointersRoundTripWithTheirDynamicType)
{
    modC_StepStateChoiceInfo choice(in);
    choice.choice = 5;
    modC_StepStateInfo const * asBase = &choice;
    modC_StepStateInfo const * none = nullptr;
    out << asBase << none;

    modC_StepStateInfo * read = nullptr;
    modC_StepStateInfo * readNone = &choice;
    in >> read >> readNone;
    ASSERT_TRUE(in.Good());
    std::unique_ptr<modC_StepStateInfo> owned(read);
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(modC_StepStateChoiceInfo::TypeId(), read->DynTypeId());
    EXPECT_EQ(5, static_cast<modC_StepStateChoiceInfo *>(read)->choice);
    EXPECT_EQ(nullptr, readNone);
}

TEST_F(StateRecords, ReadingAnotherTypeFailsTheStream)
{
    modC_ModeStateInfo mode(in);
    out << mode;
    modC_StepStateInfo step(in);
    in >> step;
    EXPECT_FALSE(in.Good());
    // A derived record has fields the base record has no room for.
    modC_StepStateDialogInfo dialog(in);
    std::stringstream derived;
    bio_Ofilter written(derived);
    written << dialog;
    bio_Ifilter base(derived);
    base >> step;
    EXPECT_FALSE(base.Good());
}

TEST_F(StateRecords, PrintedForms)
{
    modC_StepStateChoiceInfo choice(in);
    choice.info1 = 7;
    choice.info3 = 3;
    choice.choice = 4;
    EXPECT_EQ("<t><{>(modC_StepStateChoiceInfo <o><t><{>(modC_StepStateInfo <o>7 <o>0 <o>3)<}><u> <o>4)<}><u>",
              Readable(choice));
    modC_StepStateScalarInfo scalar(in);
    scalar.value = omu_PrimString(cow_String("25 mm"));
    EXPECT_EQ("<t><{>(modC_StepStateScalarInfo <o><t><{>(modC_StepStateInfo <o>0 <o>0 <o>0)<}><u> <o>25 mm)<}><u>",
              Readable(scalar));
    modC_StepStateToggleInfo toggle(in);
    toggle.states.Get(1) = 1;
    EXPECT_NE(std::string::npos, Readable(toggle).find(" <o>[0 1])<}><u>"));
    modC_StepStatePositionInfo position(in);
    position.mouse = Pointer();
    EXPECT_EQ("<t><{>(modC_StepStatePositionInfo <o><t><{>(modC_StepStateInfo <o>0 <o>0 <o>0)<}><u> "
              "<o><t><{>(modC_MouseInfo <o>9 <o>1.5 <o>-2 <o>0.25 <o>100 <o>200 <o>3 <o>0.5 <o>0.75 <o>1 <o>-4 <o>5 "
              "<o>6 <o>1 <o>4 <o>3 <o>0 <o>)<}><u>)<}><u>",
              Readable(position));
    modC_ModeStateInfo mode(in);
    mode.info1 = 1;
    mode.info2 = 2;
    EXPECT_EQ("<t><{>(modC_ModeStateInfo <o>1 <o>2)<}><u>", Readable(mode));
}

}  // namespace
