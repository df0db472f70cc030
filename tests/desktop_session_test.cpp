// The desktop front end driven through the X server as its user drives it:
// each test plays a session with synthetic pointer and key events, checking
// on the way what the procedure told the mode context (through a recording
// wrapper of the desktop's) and what the window shows.
#include <gtest/gtest.h>

#include <fxkeys.h>

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

// The back and flag calls that follow a step's prompt.
Lines Shown(std::string const & key, int back, bool flag = false)
{
    return {Prompt(key), "SetBackupAvailable(" + std::to_string(back) + ")",
            std::string("SetStepFlag(") + (flag ? "true" : "false") + ")"};
}

Lines Joined(std::initializer_list<Lines> parts)
{
    Lines all;
    for (Lines const & part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
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
    // The console's session, played with the mouse and the keyboard; what
    // each line makes the procedure tell the mode context.
    std::map<std::string, Lines> const calls = {
        {"extrude", Joined({{"VerifyPreReq(Extrude)"}, Shown("Extrude_profile", 0)})},
        {"click 10 5", Joined({{draftOption, flipOption}, Shown("Extrude_end", 1)})},
        // Typed text the entry cannot use: a message, and the step waits.
        {"25x", {}},
        // The error dialog, its own step without a prompt.
        {"0", {"SetBackupAvailable(1)", "SetStepFlag(true)", "StepChanging()", noDraft, noFlip}},
        // Acknowledged: back to the end condition.
        {"", Joined({{draftOption, flipOption, noDraft, noFlip, "StepChanging()"}, Shown("Extrude_end", 1),
                     {draftOption, flipOption}})},
        {"back", Joined({{noDraft, noFlip, "StepChanging()"}, Shown("Extrude_profile", 0)})},
        {"click 80 80", {}},
        {"click 35 5", Joined({{draftOption, flipOption}, Shown("Extrude_end", 1)})},
        {"option 1", Joined({{noDraft}, Shown("Extrude_draft", 1)})},
        {"angle=3", {}},
        {"ok", {"SetBackupAvailable(1)", draftOption, flipOption, Prompt("Extrude_end"), "SetStepFlag(false)"}},
        {"25", Joined({{noDraft, noFlip}, Shown("Extrude_confirm", 1)})},
        {"yes", {"ModeEnded()"}},
    };
    SessionPlayer player(s.Window(), s.Driver());
    std::vector<Action> actions;
    std::istringstream lines(sample_embedded::ExtrudeSession());
    std::string line;
    while (std::getline(lines, line)) {
        bool known = false;
        Action const act = player.Line(line, known);
        if (!known)
            continue;
        actions.push_back(act);
        actions.push_back([&s, &calls, line] { EXPECT_EQ(calls.at(line), s.Calls()) << "after \"" << line << "\""; });
        if (line == "click 10 5" || line == "25x" || line == "0" || line == "click 35 5" || line == "option 1")
            actions.push_back(s.Shoot(line == "0" ? "error" : line == "option 1" ? "draft" : line));
        if (line == "click 10 5")
            actions.push_back([&s] {
                EXPECT_TRUE(PromptShows(s.Window(), s.Shot(), "Choose the end condition"));
                EXPECT_TRUE(FaceHighlighted(s, "Sketch1"));
                EXPECT_LE(LabelMismatch(s, "Point1"), labelTolerance);
            });
        if (line == "25x")
            actions.push_back([&s] {
                EXPECT_EQ("\"25x\" is not a whole number; type a whole number from 0 to 99999.",
                          s.Window().Stage().StatusText());
                EXPECT_TRUE(PromptShows(s.Window(), s.Shot(), "Choose the end condition"));
            });
        if (line == "0")
            actions.push_back([&s] {
                ASSERT_NE(nullptr, s.Driver().Dialog());
                EXPECT_STREQ("Error", s.Driver().Dialog()->getTitle().text());
            });
        if (line == "click 35 5")
            actions.push_back([&s] {
                EXPECT_EQ(nullptr, s.Driver().Dialog());
                EXPECT_TRUE(FaceHighlighted(s, "Sketch2"));
                EXPECT_FALSE(FaceHighlighted(s, "Sketch1"));
            });
        if (line == "option 1")
            actions.push_back([&s] { EXPECT_TRUE(PromptShows(s.Window(), s.Shot(), "Set the draft of the side walls")); });
    }
    s.Play(actions);
    EXPECT_EQ(Lines{"Extrusion1: Sketch2 25 mm deep, draft 3 degrees outward"}, s.Window().GetScene().Features());
    EXPECT_EQ(nullptr, s.Window().Mode());
}

TEST(DesktopSession, ClosingTheDraftDialogByTheWindowManagerCancelsItAndEscCancelsTheMode)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    SessionPlayer player(s.Window(), s.Driver());
    bool known = false;
    s.Play({s.Start("Extrude"), s.ClickModel({10, 5, 0}), player.Line("option 1", known),
            player.Line("angle=7", known), [&] {
                s.Calls();
                ASSERT_NE(nullptr, s.Driver().Dialog());
                s.Driver().CloseByWindowManager(s.Driver().Dialog());
            },
            [&] {
                // Backing out of the dialog step resumes the step it interrupted.
                EXPECT_EQ(Joined({{noDraft, noFlip, "StepChanging()"}, Shown("Extrude_end", 1),
                                  {draftOption, flipOption}}),
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
            },
            [&] { s.Driver().Key(KEY_Escape); },  // the dialog's own Esc: Cancel
            [&] { EXPECT_EQ(nullptr, s.Driver().Dialog()); s.Calls(); },
            [&] { s.Driver().Key(KEY_Escape); },  // the main window's: cancel the mode
            [&] {
                EXPECT_EQ((Lines{noDraft, noFlip, "ModeEnded()"}), s.Calls());
                EXPECT_EQ(nullptr, s.Window().Mode());
            }});
}

TEST(DesktopSession, APictureButtonAnswersTheGroupQuestion)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    FX::FXComposite * area = s.Window().Bar().MethodArea();
    std::vector<FX::FXButton *> pictures;
    s.Play({s.Start("Group"), s.Press("OK", area), s.DragAround({"Point1", "Point3"}), s.Shoot("question"), [&] {
                EXPECT_EQ(Joined({{"VerifyPreReq(Group)"}, Shown("Group_shape", 0), Shown("Group_rectangle", 1),
                                  Shown("Group_confirm", 1)}),
                          s.Calls());
                for (FX::FXWindow * w : s.Driver().VisibleWindows())
                    if (auto * b = dynamic_cast<FX::FXButton *>(w); b && b->getIcon() && w->isChildOf(area))
                        pictures.push_back(b);
                ASSERT_EQ(2u, pictures.size());
                // Each button shows its picture: the tick's green, the cross's red.
                unsigned char const green[3] = {0x1E, 0x8C, 0x28};
                unsigned char const red[3] = {0xC8, 0x1E, 0x1E};
                for (std::size_t i = 0; i < 2; ++i) {
                    FX::FXint x = 0, y = 0;
                    pictures[i]->translateCoordinatesTo(x, y, s.Window().Main(), 0, 0);
                    int inked = 0;
                    for (int dy = 0; dy < pictures[i]->getHeight(); ++dy)
                        for (int dx = 0; dx < pictures[i]->getWidth(); ++dx)
                            inked += s.Shot().Is(x + dx, y + dy, i == 0 ? green : red);
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
    s.Play({s.Start("Extrude"), s.Press("Rectangle", s.Window().ToolBar()), s.DragAround({"Sketch2", "Sketch3"}),
            s.Shoot("ambiguous"), [&] {
                EXPECT_EQ(Joined({{"VerifyPreReq(Extrude)"}, Shown("Extrude_profile", 0)}), s.Calls());
                EXPECT_EQ("Sketch2 is highlighted; choose Next, Previous or OK.", s.Window().Stage().StatusText());
            },
            highlighted("Sketch2", "Sketch3"), s.Press("Next"), s.Shoot("next"), highlighted("Sketch3", "Sketch2"),
            s.Press("Previous"), s.Shoot("previous"), highlighted("Sketch2", "Sketch3"), s.Press("Next"),
            s.Press("OK"), [&] {
                EXPECT_EQ(Joined({{draftOption, flipOption}, Shown("Extrude_end", 1)}), s.Calls());
                EXPECT_EQ("Picked Sketch3.", s.Window().Stage().StatusText());
            }});
}

TEST(DesktopSession, BlendRoundsEdgesUntilTheUserSaysNo)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    s.Play({s.Start("Blend"), s.ClickModel({15, 70, 20}), [&] {
                // The composite step has no prompt; its children have.
                EXPECT_EQ((Lines{"VerifyPreReq(Blend)", "SetBackupAvailable(0)", "SetStepFlag(false)",
                                 Prompt("Blend_fillet_pickEdge"), "StepChanging()", Prompt("Blend_fillet_radius")}),
                          s.Calls());
            },
            s.Type("3\n"), s.Press("Yes"),
            // The fillet runs again, from its edge.
            [&] {
                EXPECT_EQ(Joined({Shown("Blend_more", 1),
                                  {"SetBackupAvailable(1)", "SetStepFlag(false)", Prompt("Blend_fillet_pickEdge")}}),
                          s.Calls());
            },
            s.ClickModel({30, 80, 20}), s.Type("4\n"), s.Press("No"), [&] {
                EXPECT_EQ(Joined({{"StepChanging()", Prompt("Blend_fillet_radius")}, Shown("Blend_more", 1),
                                  {"ModeEnded()"}}),
                          s.Calls());
            }});
    EXPECT_EQ(Lines{"Fillet1: Edge1 radius 3, Edge2 radius 4"}, s.Window().GetScene().Features());
}

TEST(DesktopSession, ClosingTheWindowEndsTheRunningModeOnce)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    bool closed = false;
    s.Window().onClosed = [&closed] { closed = true; };
    s.Play({s.Start("Extrude"), s.ClickModel({10, 5, 0}), [&] {
                s.Calls();
                s.Driver().CloseByWindowManager(s.Window().Main());
            },
            [&] {
                EXPECT_EQ((Lines{noDraft, noFlip, "ModeEnded()"}), s.Calls());
                EXPECT_TRUE(closed);
                EXPECT_EQ(nullptr, s.Window().Mode());
                // The step's widgets went with it.
                for (FX::FXWindow * w : s.Driver().VisibleWindows())
                    EXPECT_FALSE(w->isChildOf(s.Window().Bar().MethodArea())) << w->getClassName();
            }});
}

}  // namespace
