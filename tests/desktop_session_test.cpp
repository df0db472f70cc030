// The desktop front end driven through the X server as its user drives it:
// each test plays a session with synthetic pointer and key events, checking
// on the way what the procedure told the mode context (through a recording
// wrapper of the desktop's) and what the window shows.
#include <gtest/gtest.h>

#include <fxkeys.h>

#include <functional>
#include <map>
#include <sstream>

#include "DesktopHarness.h"
#include "SampleEmbedded.h"
#include "ScenePainter.h"
#include "SessionPlayer.h"

namespace {

std::string const draftOption = "SetOptionCallback(1, \"*promptArea.Extrude_draftOption.labelString\", OptionDataCB)";
std::string const flipOption = "SetOption(2, \"flip\", \"*promptArea.Extrude_flipOption.labelString\")";
std::string const noDraft = "SetOptionCallback(1, null, null)";
std::string const noFlip = "SetOption(2, null, null)";

std::string Prompt(std::string const & key)
{
    return "SetPrompt(\"*promptArea." + key + ".labelString\")";
}

// The calls that show a step: its prompt, then the back and flag calls.
Lines Shown(std::string const & key, int back, Lines before = {}, Lines after = {})
{
    before.insert(before.end(), {Prompt(key), "SetBackupAvailable(" + std::to_string(back) + ")", "SetStepFlag(false)"});
    before.insert(before.end(), after.begin(), after.end());
    return before;
}

// Labels drawn from the font server's triangles cover FreeType's rendering
// of the same text at the same size but for this share of the pixels either
// covers: the tessellated outlines are flattened with a quarter-pixel
// tolerance and rasterised by pixel centres, FreeType's by coverage.
double const labelTolerance = 0.10;

TEST(DesktopSession, TheExtrusionSessionBacksUpThroughTheErrorDialogAndTakesTheDraft)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    // The console's session, played with the mouse and the keyboard: what
    // each line makes the procedure tell the mode context, and what the
    // window shows then.
    Lines const resumed = {draftOption, flipOption, noDraft, noFlip, "StepChanging()"};
    std::map<std::string, std::pair<Lines, std::function<void()>>> const lines = {
        {"extrude", {Shown("Extrude_profile", 0, {"VerifyPreReq(Extrude)"}), nullptr}},
        {"click 10 5", {Shown("Extrude_end", 1, {draftOption, flipOption}), [&s] {
             EXPECT_TRUE(PromptShows(s, "Choose the end condition"));
             EXPECT_TRUE(FaceHighlighted(s, "Sketch1"));
             EXPECT_LE(LabelMismatch(s, "Point1"), labelTolerance);
         }}},
        // Typed text the entry cannot use: a message, and the step waits.
        {"25x", {{}, [&s] {
             EXPECT_EQ("\"25x\" is not a whole number; type a whole number from 0 to 99999.",
                       s.Window().Stage().StatusText());
             EXPECT_TRUE(PromptShows(s, "Choose the end condition"));
         }}},
        // The error dialog, its own step without a prompt.
        {"0", {{"SetBackupAvailable(1)", "SetStepFlag(true)", "StepChanging()", noDraft, noFlip}, [&s] {
             ASSERT_NE(nullptr, s.Driver().Dialog());
             EXPECT_STREQ("Error", s.Driver().Dialog()->getTitle().text());
         }}},
        // Acknowledged: back to the end condition.
        {"", {Shown("Extrude_end", 1, resumed, {draftOption, flipOption}), nullptr}},
        {"back", {Shown("Extrude_profile", 0, {noDraft, noFlip, "StepChanging()"}), nullptr}},
        {"click 80 80", {{}, nullptr}},
        {"click 35 5", {Shown("Extrude_end", 1, {draftOption, flipOption}), [&s] {
             EXPECT_EQ(nullptr, s.Driver().Dialog());
             EXPECT_TRUE(FaceHighlighted(s, "Sketch2"));
             EXPECT_FALSE(FaceHighlighted(s, "Sketch1"));
         }}},
        {"option 1", {Shown("Extrude_draft", 1, {noDraft}),
                      [&s] { EXPECT_TRUE(PromptShows(s, "Set the draft of the side walls")); }}},
        {"angle=3", {{}, nullptr}},
        {"ok", {{"SetBackupAvailable(1)", draftOption, flipOption, Prompt("Extrude_end"), "SetStepFlag(false)"}, nullptr}},
        {"25", {Shown("Extrude_confirm", 1, {noDraft, noFlip}), nullptr}},
        {"yes", {{"ModeEnded()"}, nullptr}},
    };
    SessionPlayer player(s.Window(), s.Driver());
    std::vector<Action> actions;
    std::istringstream session(sample_embedded::ExtrudeSession());
    for (std::string line; std::getline(session, line);) {
        bool known = false;
        Action const act = player.Line(line, known);
        if (!known)
            continue;
        auto const & expected = lines.at(line);
        actions.push_back(act);
        actions.push_back([&s, &expected, line] { EXPECT_EQ(expected.first, s.Calls()) << "after \"" << line << "\""; });
        if (expected.second) {
            actions.push_back(s.Shoot(line == "0" ? "error" : line == "option 1" ? "draft" : line));
            actions.push_back(expected.second);
        }
    }
    s.Play(actions);
    EXPECT_EQ(Lines{"Extrusion1: Sketch2 25 mm deep, draft 3 degrees outward"}, s.Window().GetScene().Features());
    EXPECT_EQ(nullptr, s.Window().Mode());
}

TEST(DesktopSession, TheWindowManagerClosingADialogOrTheWindowAndEscCancel)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    SessionPlayer player(s.Window(), s.Driver());
    bool known = false, closed = false;
    s.Window().onClosed = [&closed] { closed = true; };
    auto const closeByWindowManager = [&s](bool dialog) {
        return [&s, dialog] {
            s.Calls();
            FX::FXWindow * window = dialog ? s.Driver().Dialog() : static_cast<FX::FXWindow *>(s.Window().Main());
            ASSERT_NE(nullptr, window);
            s.Driver().CloseByWindowManager(window);
        };
    };
    s.Play({s.Press("Extrude"), s.ClickModel({10, 5, 0}), player.Line("option 1", known), player.Line("angle=7", known),
            closeByWindowManager(true),
            [&] {
                // Backing out of the dialog step resumes the step it interrupted.
                EXPECT_EQ(Shown("Extrude_end", 1, {noDraft, noFlip, "StepChanging()"}, {draftOption, flipOption}),
                          s.Calls());
                EXPECT_EQ(nullptr, s.Driver().Dialog());
            },
            player.Line("option 1", known),
            [&] {
                // The dialog given up kept nothing: it opens on the option's data.
                FX::FXLabel * angle = nullptr;
                for (FX::FXWindow * w : s.Driver().VisibleWindows())
                    if (auto * label = dynamic_cast<FX::FXLabel *>(w); label && label->getText() == "angle")
                        angle = label;
                ASSERT_NE(nullptr, angle);
                EXPECT_STREQ("0", static_cast<FX::FXTextField *>(angle->getNext())->getText().text());
                s.Calls();
                s.Driver().Key(KEY_Escape);  // the dialog's own Esc: Cancel
            },
            [&] {
                EXPECT_EQ(nullptr, s.Driver().Dialog());
                s.Calls();
                s.Driver().Key(KEY_Escape);  // the main window's: cancel the mode
            },
            [&] {
                EXPECT_EQ((Lines{noDraft, noFlip, "ModeEnded()"}), s.Calls());
                EXPECT_EQ(nullptr, s.Window().Mode());
            },
            s.Press("Extrude"), s.ClickModel({10, 5, 0}), closeByWindowManager(false), [&] {
                EXPECT_EQ((Lines{noDraft, noFlip, "ModeEnded()"}), s.Calls());
                EXPECT_TRUE(closed);
                EXPECT_EQ(nullptr, s.Window().Mode());
                // The step's widgets went with it.
                for (FX::FXWindow * w : s.Driver().VisibleWindows())
                    EXPECT_FALSE(w->isChildOf(s.Window().Bar().MethodArea())) << w->getClassName();
            }});
}

TEST(DesktopSession, APictureButtonAnswersTheGroupQuestion)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    FX::FXComposite * area = s.Window().Bar().MethodArea();
    s.Play({s.Press("Group"), s.Press("OK", area), s.DragAround({"Point1", "Point3"}), s.Shoot("question"), [&] {
                Lines const shapes = Shown("Group_shape", 0, {"VerifyPreReq(Group)"});
                EXPECT_EQ(Shown("Group_confirm", 1, Shown("Group_rectangle", 1, shapes)), s.Calls());
                std::vector<FX::FXButton *> pictures;
                for (FX::FXWindow * w : s.Driver().VisibleWindows())
                    if (auto * b = dynamic_cast<FX::FXButton *>(w); b && b->getIcon() && w->isChildOf(area))
                        pictures.push_back(b);
                ASSERT_EQ(2u, pictures.size());
                // Each button shows its picture: the tick's green, the cross's red.
                unsigned char const colours[2][3] = {{0x1E, 0x8C, 0x28}, {0xC8, 0x1E, 0x1E}};
                for (std::size_t i = 0; i < 2; ++i) {
                    FX::FXint x = 0, y = 0, inked = 0;
                    pictures[i]->translateCoordinatesTo(x, y, s.Window().Main(), 0, 0);
                    for (int dy = 0; dy < pictures[i]->getHeight(); ++dy)
                        for (int dx = 0; dx < pictures[i]->getWidth(); ++dx)
                            inked += s.Shot().Is(x + dx, y + dy, colours[i]);
                    EXPECT_GT(inked, 40) << "picture " << i;
                }
                s.Driver().Press(pictures[0]);
            },
            [&] { EXPECT_EQ(Lines{"ModeEnded()"}, s.Calls()); }});
    EXPECT_EQ(Lines{"Group1: Point1, Point3"}, s.Window().GetScene().Features());
}

TEST(DesktopSession, ARectangleAroundTwoProfilesCyclesThroughThemWithNextAndPrevious)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    auto const highlighted = [&s](char const * lit, char const * dark) {
        return [&s, lit, dark] {
            EXPECT_TRUE(FaceHighlighted(s, lit));
            EXPECT_FALSE(FaceHighlighted(s, dark));
            EXPECT_EQ(Lines{}, s.Calls());
        };
    };
    s.Play({s.Press("Extrude"), s.Press("Rectangle", s.Window().ToolBar()), s.DragAround({"Sketch2", "Sketch3"}),
            s.Shoot("ambiguous"), [&] {
                EXPECT_EQ(Shown("Extrude_profile", 0, {"VerifyPreReq(Extrude)"}), s.Calls());
                EXPECT_EQ("Sketch2 is highlighted; choose Next, Previous or OK.", s.Window().Stage().StatusText());
            },
            highlighted("Sketch2", "Sketch3"), s.Press("Next"), s.Shoot("next"), highlighted("Sketch3", "Sketch2"),
            s.Press("Previous"), s.Shoot("previous"), highlighted("Sketch2", "Sketch3"), s.Press("Next"),
            s.Press("OK"), [&] {
                EXPECT_EQ(Shown("Extrude_end", 1, {draftOption, flipOption}), s.Calls());
                EXPECT_EQ("Picked Sketch3.", s.Window().Stage().StatusText());
            }});
}

TEST(DesktopSession, BlendRoundsEdgesUntilTheUserSaysNo)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    Lines const radius = {"StepChanging()", Prompt("Blend_fillet_radius")};
    s.Play({s.Press("Blend"), s.ClickModel({15, 70, 20}), [&] {
                // The composite step has no prompt; its children have.
                EXPECT_EQ((Lines{"VerifyPreReq(Blend)", "SetBackupAvailable(0)", "SetStepFlag(false)",
                                 Prompt("Blend_fillet_pickEdge"), radius[0], radius[1]}),
                          s.Calls());
            },
            s.Type("3\n"), s.Press("Yes"),
            // The fillet runs again, from its edge.
            [&] {
                EXPECT_EQ(Shown("Blend_more", 1, {}, {"SetBackupAvailable(1)", "SetStepFlag(false)",
                                                      Prompt("Blend_fillet_pickEdge")}),
                          s.Calls());
            },
            s.ClickModel({30, 80, 20}), s.Type("4\n"), s.Press("No"),
            [&] { EXPECT_EQ(Shown("Blend_more", 1, radius, {"ModeEnded()"}), s.Calls()); }});
    EXPECT_EQ(Lines{"Fillet1: Edge1 radius 3, Edge2 radius 4"}, s.Window().GetScene().Features());
}

}  // namespace
