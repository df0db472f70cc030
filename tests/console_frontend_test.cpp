// The console front end, driven as its user drives it: sessions typed line by
// line, compared with the transcript the console prints; and its widgets,
// made by its factory and given typed lines, compared with what reaches the
// step.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CallLog.h"
#include "Console.h"
#include "ConsoleFactory.h"
#include "ConsoleStage.h"
#include "ConsoleWidgets.h"
#include "ScriptedImpls.h"
#include "modC_ChoiceMethod.h"
#include "modC_ClickAndDragMethod.h"
#include "modC_ComboMethod.h"
#include "modC_DialogMethod.h"
#include "modC_FilterMethod.h"
#include "modC_ScalarMethod.h"
#include "modC_ToggleMethod.h"
#include "omu_PrimString.h"
#include "uti_ResourceManager.h"

namespace {

using Lines = std::vector<std::string>;

Lines Split(std::string const & text)
{
    Lines lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

// A session played to its end.
struct Played {
    Lines lines;
    int status = -1;

    // What the console printed after the `occurrence`-th line typed as
    // `input`, up to the next line read.
    Lines After(std::string const & input, int occurrence = 1) const
    {
        Lines after;
        bool inside = false;
        for (std::string const & line : lines) {
            bool const typed = line.rfind("> ", 0) == 0 || line == ">";
            if (inside && (typed || line == "(end of input)"))
                break;
            if (inside)
                after.push_back(line);
            if (typed && line == "> " + input && --occurrence == 0)
                inside = true;
        }
        EXPECT_TRUE(inside) << "never typed: " << input;
        return after;
    }
    // The last `count` lines.
    Lines Last(std::size_t count) const
    {
        return Lines(lines.end() - static_cast<std::ptrdiff_t>(std::min(count, lines.size())), lines.end());
    }
    bool Has(std::string const & line) const { return std::find(lines.begin(), lines.end(), line) != lines.end(); }
};

Played Play(std::string const & session)
{
    std::istringstream in(session);
    std::ostringstream out;
    Played played;
    {
        Console console(in, out, Console::Settings{});
        played.status = console.Run();
    }
    played.lines = Split(out.str());
    return played;
}

std::string const viewport =
    "   a) viewport: click X Y, or drag X0 Y0 X1 Y1 [rectangle|circle|polygon]; add shift, ctrl or right";
Lines const profilePanel = {"== Extrude: Select the profile to extrude", "   back: not available", viewport};
Lines const endPanel = {
    "== Extrude: Choose the end condition",
    "   back: available; options: 1 Draft..., 2 Flip direction (type option N)",
    "   a) option list: 1 Through All | 2 Specific Depth (selected) | 3 Up to Face",
    "   b) whole number from 0 to 99999: 0   <- typing goes here",
};
Lines const confirmPanel = {"== Extrude: Create the extrusion?", "   back: available", "   a) buttons: 1 Yes | 2 No"};
Lines const noMode = {
    "== No mode is running: type extrude, multi or fillet to start a mode, or help for the commands."};

Lines Joined(std::initializer_list<Lines> parts)
{
    Lines all;
    for (Lines const & part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The lines that end a session cut off while `mode` runs.
Lines CutOff(std::string const & mode)
{
    return {"(end of input)", "   End of input: cancelling " + mode + ".", "== " + mode + " ended.", "Bye."};
}

// ---- the built-in session ----

TEST(ConsoleSession, TheDefaultSessionWalksTheExtrusionToItsEndWithOneBackupAndOneErrorDialog)
{
    std::ostringstream out;
    EXPECT_EQ(0, PlayDefaultSession(out));
    Lines const expected = Joined({
        {"QELmodC console. Modes: extrude, multi, fillet. Type help for the commands."},
        noMode,
        {"> # The default session: an extrusion with a typing mistake, an error dialog,",
         "> # one backup, a wrong pick and the draft option, to its end.", "> extrude"},
        profilePanel,
        {"> click 10 5", "   Picked Sketch1."},
        endPanel,
        {"> 25x", "   ! \"25x\" is not a whole number; type a whole number from 0 to 99999.", "> 0",
         "== Extrude: Choose the end condition", "   back: once the error is acknowledged",
         "   a) error: The depth must lie between 1 and 500 mm. (press Enter or type ok)", "> "},
        endPanel,
        {"> back"},
        profilePanel,
        {"> click 80 80", "   Nothing to pick: no profile at (80, 80).", "> click 35 5", "   Picked Sketch2."},
        endPanel,
        {"> option 1", "== Extrude: Set the draft of the side walls",
         "   back: available; options: 2 Flip direction (type option N)",
         "   a) draft dialog: angle = 0, outward = yes (name=value changes a field, ok closes it)", "> angle=3",
         "== Extrude: Set the draft of the side walls",
         "   back: available; options: 2 Flip direction (type option N)",
         "   a) draft dialog: angle = 3, outward = yes (name=value changes a field, ok closes it)", "> ok"},
        endPanel,
        {"> 25", "   Ready to extrude Sketch2 25 mm deep, draft 3 degrees outward."},
        confirmPanel,
        {"> yes", "   Created Extrusion1: Sketch2 25 mm deep, draft 3 degrees outward.", "== Extrude ended."},
        noMode,
        {"(end of input)", "Bye."},
    });
    EXPECT_EQ(expected, Split(out.str()));
}

// ---- the extrusion ----

TEST(ConsoleSession, AUserWithTyposBacksUpCancelsAndUsesTheOptions)
{
    Played const s = Play("extrud\n"
                          "extrude\n"
                          "clik 10 5\n"
                          "click 10 5\n"
                          "2.5\n"
                          "back\n"
                          "cancel\n"
                          "extrude\n"
                          "click 45 5\n"
                          "option 2\n"
                          "option 1\n"
                          "angel=2\n"
                          "angle=2\n"
                          "outward=no\n"
                          "ok\n"
                          "40\n"
                          "no\n"
                          "option 2\n"
                          "40\n"
                          "1\n");
    EXPECT_EQ(0, s.status);
    EXPECT_EQ((Lines{"   ! Unknown command \"extrud\"; type extrude, multi or fillet to start a mode, or help for "
                     "the commands."}),
              s.After("extrud"));
    EXPECT_EQ((Lines{"   ! Unknown command \"clik 10 5\"; pick with click X Y or drag X0 Y0 X1 Y1, type help for "
                     "the commands."}),
              s.After("clik 10 5"));
    EXPECT_EQ((Lines{"   ! \"2.5\" is not a whole number; type a whole number from 0 to 99999."}), s.After("2.5"));
    EXPECT_EQ(profilePanel, s.After("back"));
    EXPECT_EQ(Joined({{"== Extrude ended."}, noMode}), s.After("cancel"));
    EXPECT_EQ((Lines{"   The extrusion now goes the other way."}), s.After("option 2"));
    EXPECT_EQ((Lines{"   ! This dialog has no field \"angel\"; its fields are angle, outward."}), s.After("angel=2"));
    EXPECT_EQ("   a) draft dialog: angle = 2, outward = no (name=value changes a field, ok closes it)",
              s.After("outward=no").back());
    // Closing the dialog brings back the step it interrupted, with its options.
    EXPECT_EQ(endPanel, s.After("ok"));
    EXPECT_EQ(Joined({{"   Ready to extrude Sketch2 40 mm deep, draft 2 degrees inward, the other way."},
                      confirmPanel}),
              s.After("40"));
    // "No" goes back to the end condition, which shows the depth typed last.
    Lines const backAgain = s.After("no");
    ASSERT_EQ(4u, backAgain.size());
    EXPECT_EQ("   b) whole number from 0 to 99999: 40   <- typing goes here", backAgain[3]);
    EXPECT_EQ((Lines{"   The extrusion goes the usual way again."}), s.After("option 2", 2));
    // Backing up to the end condition brought its draft option back to its data.
    EXPECT_EQ(Joined({{"   Created Extrusion1: Sketch2 40 mm deep.", "== Extrude ended."}, noMode}), s.After("1"));
}

TEST(ConsoleSession, TheEndConditionRotatesAmongItsOptions)
{
    Played const s = Play("extrude\nclick 10 5\na: 3\nclick 5 5\nok\nclick 10 50\nno\na: 1\n1\n1\n");
    EXPECT_EQ((Lines{"== Extrude: Choose the end condition",
                     "   back: available; options: 1 Draft..., 2 Flip direction (type option N)",
                     "   a) option list: 1 Through All | 2 Specific Depth | 3 Up to Face (selected)",
                     "      Select a face to extrude to", "   b) viewport: click X Y, or drag X0 Y0 X1 Y1 "
                                                         "[rectangle|circle|polygon]; add shift, ctrl or right"}),
              s.After("a: 3"));
    // A pick that hits no face is the procedure's error, acknowledged with ok.
    EXPECT_EQ((Lines{"== Extrude: Choose the end condition", "   back: once the error is acknowledged",
                     "   a) error: There is no face at the point picked: (5, 5). (press Enter or type ok)"}),
              s.After("click 5 5"));
    EXPECT_EQ("   Ready to extrude Sketch1 up to Face1.", s.After("click 10 50").front());
    // Backing up from the question restores the option chosen last.
    EXPECT_EQ("   a) option list: 1 Through All | 2 Specific Depth | 3 Up to Face (selected)", s.After("no")[2]);
    EXPECT_EQ((Lines{"== Extrude: Choose the end condition",
                     "   back: available; options: 1 Draft..., 2 Flip direction (type option N)",
                     "   a) option list: 1 Through All (selected) | 2 Specific Depth | 3 Up to Face",
                     "   b) buttons: 1 Done   <- typing goes here"}),
              s.After("a: 1"));
    EXPECT_EQ("   Ready to extrude Sketch1 through all.", s.After("1").front());
    EXPECT_TRUE(s.Has("   Created Extrusion1: Sketch1 through all."));
}

TEST(ConsoleSession, AmbiguousPicksAreResolvedWithTheRowOrByShiftClicks)
{
    Played const s = Play("extrude\n"
                          "click 45 15\n"
                          "1\n"
                          "2\n"
                          "click 45 15 shift\n"
                          "click 45 15 shift right\n"
                          "3\n");
    EXPECT_EQ((Lines{"   2 profiles at (45, 15).", "   Sketch2 is highlighted; choose Next, Previous or OK.",
                     "== Extrude: Select the profile to extrude", "   back: not available", viewport,
                     "   b) Ambiguous selection, please choose one: 1 Next | 2 Previous | 3 OK"}),
              s.After("click 45 15"));
    EXPECT_EQ((Lines{"   Sketch3 is highlighted."}), s.After("1"));
    EXPECT_EQ((Lines{"   Sketch2 is highlighted."}), s.After("2"));
    EXPECT_EQ((Lines{"   Sketch3 is highlighted."}), s.After("click 45 15 shift"));
    EXPECT_EQ((Lines{"   Sketch2 is highlighted."}), s.After("click 45 15 shift right"));
    EXPECT_EQ("   Picked Sketch2.", s.After("3").front());
}

TEST(ConsoleSession, APlainClickOrAPointerMotionEndsTheChoiceAmongCandidates)
{
    Played const s = Play("extrude\nclick 45 15\nclick 10 5\ncancel\nextrude\nclick 45 15\nmove 0 0\nclick 35 5\n");
    EXPECT_EQ("   Picked Sketch1.", s.After("click 10 5").front());
    // The library ends the choice on any pointer report without modifiers.
    EXPECT_EQ(profilePanel, s.After("move 0 0"));
    EXPECT_EQ("   Picked Sketch2.", s.After("click 35 5").front());
}

TEST(ConsoleSession, AreaPicksTakeWhatLiesInsideRectangleCircleOrPolygon)
{
    Played const s = Play("extrude\n"
                          "drag 25 -5 55 25\n"
                          "cancel\n"
                          "extrude\n"
                          "drag 80 80 82 80 circle\n"
                          "drag 25 5 45 5 circle\n"
                          "cancel\n"
                          "extrude\n"
                          "drag -5 -5 25 -5 polygon\n"
                          "click 25 25\n"
                          "a: click 99 99\n"
                          "b: 1\n"
                          "b: 3\n");
    EXPECT_EQ("   Picked Sketch2.", s.After("drag 25 -5 55 25").front());
    EXPECT_EQ((Lines{"   Nothing to pick: no profile inside the circle."}), s.After("drag 80 80 82 80 circle"));
    EXPECT_EQ("   2 profiles inside the circle.", s.After("drag 25 5 45 5 circle").front());
    EXPECT_EQ("   b) Pick the points for the polygon: 1 Backup | 2 Abort | 3 Done",
              s.After("drag -5 -5 25 -5 polygon").back());
    // Backup drops the stray vertex; Done delivers the polygon.
    EXPECT_EQ((Lines{}), s.After("b: 1"));
    EXPECT_EQ("   Picked Sketch1.", s.After("b: 3").front());
}

TEST(ConsoleSession, APolygonCanBeAbandoned)
{
    Played const s = Play("extrude\ndrag 0 0 5 5 polygon\n2\nclick 10 5\n");
    EXPECT_EQ(profilePanel, s.After("2"));
    EXPECT_EQ("   Picked Sketch1.", s.After("click 10 5").front());
}

TEST(ConsoleSession, BackingUpToTheEndConditionResetsTheDraftToTheOptionsData)
{
    Played const s = Play("extrude\nclick 10 5\noption 1\nangle=5\nok\n0\n\n30\n");
    // The error dialog backs up to the end condition: its options start afresh.
    EXPECT_EQ("   Ready to extrude Sketch1 30 mm deep.", s.After("30").front());
}

TEST(ConsoleSession, TheOptionDialogCanBeLeftWithBackAndIsNotOpenedTwice)
{
    Played const s =
        Play("extrude\nclick 10 5\noption 1\nangle=5\nback\noption 1\nsuspend\nresume\noption 1\nok\n20\n");
    EXPECT_EQ(endPanel, s.After("back"));
    EXPECT_EQ("   a) draft dialog: angle = 0, outward = yes (name=value changes a field, ok closes it)",
              s.After("option 1", 2).back());
    // Resuming keeps the option hidden while its own dialog is open.
    EXPECT_EQ("   back: available; options: 2 Flip direction (type option N)", s.After("resume")[1]);
    EXPECT_EQ((Lines{"   ! Option 1 is not shown; type option 2."}), s.After("option 1", 3));
    EXPECT_EQ(endPanel, s.After("ok"));
    EXPECT_EQ("   Ready to extrude Sketch1 20 mm deep.", s.After("20").front());
}

TEST(ConsoleSession, ASuspendedModeShowsNothingAndTakesNothingUntilResumed)
{
    Played const s = Play("extrude\nclick 10 5\nsuspend\n12\nback\noption 1\nsuspend\nresume\nresume\n12\n");
    EXPECT_EQ((Lines{"== Extrude: Choose the end condition (suspended: type resume)"}), s.After("suspend"));
    EXPECT_EQ((Lines{"   ! The mode is suspended; type resume to go on."}), s.After("12"));
    EXPECT_EQ((Lines{"   ! The mode is suspended; type resume first."}), s.After("back"));
    EXPECT_EQ((Lines{"   ! The mode is suspended; type resume first."}), s.After("option 1"));
    EXPECT_EQ((Lines{"   ! The mode is already suspended; type resume to go on."}), s.After("suspend", 2));
    EXPECT_EQ(endPanel, s.After("resume"));
    EXPECT_EQ((Lines{"   ! The mode is not suspended."}), s.After("resume", 2));
    EXPECT_EQ("   Ready to extrude Sketch1 12 mm deep.", s.After("12", 2).front());
}

TEST(ConsoleSession, TheErrorDialogIsModal)
{
    Played const s = Play("extrude\nclick 10 5\n600\nback\noption 2\nb: 1\n5\nok\n");
    Lines const refused = {"   ! Acknowledge the error first: press Enter."};
    EXPECT_EQ(refused, s.After("back"));
    EXPECT_EQ(refused, s.After("option 2"));
    EXPECT_EQ((Lines{"   ! There is no b) now; the widgets are tagged a) to a)."}), s.After("b: 1"));
    EXPECT_EQ((Lines{"   ! The error dialog is waiting: press Enter or type ok."}), s.After("5"));
    Lines panel = endPanel;
    panel.back() = "   b) whole number from 0 to 99999: 600   <- typing goes here";
    EXPECT_EQ(panel, s.After("ok"));
}

// ---- bad input everywhere ----

TEST(ConsoleBadInput, EveryPromptExplainsWhatItTakes)
{
    Played const s = Play("\n"
                          "extrude now\n"
                          "extrude\n"
                          "\n"
                          "42\n"
                          "click 10\n"
                          "click x 5\n"
                          "click 1e7 5\n"
                          "click 10 5 twice\n"
                          "drag 1 2 3\n"
                          "back\n"
                          "click 10 5\n"
                          "\n"
                          "-1\n"
                          "100000\n"
                          "1,5\n"
                          "a: 4\n"
                          "a: none\n"
                          "a:\n"
                          "c: 1\n"
                          "option\n"
                          "option x\n"
                          "option 3\n"
                          "option 1\n"
                          "\n"
                          "angle\n"
                          "angle=steep\n"
                          "outward=maybe\n"
                          "ok\n"
                          "9\n"
                          "3\n"
                          "\n"
                          "maybe\n");
    EXPECT_EQ((Lines{"   ! Nothing typed; type extrude, multi or fillet to start a mode, or help for the commands."}),
              s.After(""));
    EXPECT_EQ((Lines{"   ! Unknown command \"extrude now\"; type extrude, multi or fillet to start a mode, or help "
                     "for the commands."}),
              s.After("extrude now"));
    EXPECT_EQ((Lines{"   ! Nothing typed; click or drag in the viewport."}), s.After("", 2));
    EXPECT_EQ((Lines{"   ! Unknown command \"42\"; pick with click X Y or drag X0 Y0 X1 Y1, type help for the "
                     "commands."}),
              s.After("42"));
    EXPECT_EQ((Lines{"   ! Not enough coordinates. Type click X Y [shift] [ctrl] [right]."}), s.After("click 10"));
    EXPECT_EQ((Lines{"   ! \"x\" is not a coordinate. Type click X Y [shift] [ctrl] [right]."}), s.After("click x 5"));
    EXPECT_EQ((Lines{"   ! 1e7 lies outside the viewport (-1000000 to 1000000). Type click X Y [shift] [ctrl] "
                     "[right]."}),
              s.After("click 1e7 5"));
    EXPECT_EQ((Lines{"   ! \"twice\" is not shift, ctrl, right or a shape. Type click X Y [shift] [ctrl] [right]."}),
              s.After("click 10 5 twice"));
    EXPECT_EQ((Lines{"   ! Not enough coordinates. Type drag X0 Y0 X1 Y1 [rectangle|circle|polygon] [shift] [ctrl] "
                     "[right]."}),
              s.After("drag 1 2 3"));
    EXPECT_EQ((Lines{"   ! There is no earlier step to back up to; type cancel to leave the mode."}), s.After("back"));
    EXPECT_EQ((Lines{"   ! Nothing typed; type the value. The field shows \"0\"."}), s.After("", 3));
    EXPECT_EQ((Lines{"   ! -1 is too small; type a whole number from 0 to 99999."}), s.After("-1"));
    EXPECT_EQ((Lines{"   ! 100000 is too large; type a whole number from 0 to 99999."}), s.After("100000"));
    EXPECT_EQ((Lines{"   ! \"1,5\" is not a whole number; type a whole number from 0 to 99999."}), s.After("1,5"));
    std::string const notAChoice = " is not one of the choices; type a number from 1 to 3 or a label.";
    EXPECT_EQ((Lines{"   ! \"4\"" + notAChoice}), s.After("a: 4"));
    EXPECT_EQ((Lines{"   ! \"none\"" + notAChoice}), s.After("a: none"));
    EXPECT_EQ((Lines{"   ! Nothing chosen; type a number from 1 to 3 or a label."}), s.After("a:"));
    EXPECT_EQ((Lines{"   ! There is no c) now; the widgets are tagged a) to b)."}), s.After("c: 1"));
    std::string const options = "type option 1 or 2.";
    EXPECT_EQ((Lines{"   ! Type option N to use prompt option N; " + options}), s.After("option"));
    EXPECT_EQ((Lines{"   ! Type option N to use prompt option N; " + options}), s.After("option x"));
    EXPECT_EQ((Lines{"   ! Option 3 is not shown; " + options}), s.After("option 3"));
    EXPECT_EQ((Lines{"   ! Type name=value to change a field, or ok to close the dialog."}), s.After("", 4));
    EXPECT_EQ((Lines{"   ! Type name=value to change a field, or ok to close the dialog."}), s.After("angle"));
    EXPECT_EQ((Lines{"   ! \"steep\" is not a number; angle takes one."}), s.After("angle=steep"));
    EXPECT_EQ((Lines{"   ! \"maybe\" is neither yes nor no; outward takes yes or no."}), s.After("outward=maybe"));
    EXPECT_EQ(Joined({{"   Ready to extrude Sketch1 9 mm deep."}, confirmPanel}), s.After("9"));
    EXPECT_EQ((Lines{"   ! \"3\" is not one of the choices; type a number from 1 to 2 or a label."}), s.After("3"));
    EXPECT_EQ((Lines{"   ! Nothing chosen; type a number from 1 to 2 or a label."}), s.After("", 5));
    EXPECT_EQ((Lines{"   ! \"maybe\" is not one of the choices; type a number from 1 to 2 or a label."}),
              s.After("maybe"));
    EXPECT_EQ(CutOff("Extrude"), s.Last(4));
    EXPECT_EQ(0, s.status);
}

TEST(ConsoleBadInput, NumberAndTextFieldsOfTheOtherModes)
{
    Played const s = Play("fillet\n"
                          "click 15 70\n"
                          "abc\n"
                          "0.05\n"
                          "1e999\n"
                          "inf\n"
                          "nan\n"
                          "0x10\n"
                          "cancel\n"
                          "multi\n"
                          "click 1 2\n"
                          "ten\n"
                          "99999999999999999999\n"
                          "7\n"
                          "seven\n"
                          "\n"
                          "7.25\n"
                          "\n"
                          "\"\"\n");
    std::string const radius = "; type a number from 0.1 to 50.";
    EXPECT_EQ((Lines{"   ! \"abc\" is not a number" + radius}), s.After("abc"));
    EXPECT_EQ((Lines{"   ! 0.05 is too small" + radius}), s.After("0.05"));
    EXPECT_EQ((Lines{"   ! \"1e999\" is not a number" + radius}), s.After("1e999"));
    EXPECT_EQ((Lines{"   ! \"inf\" is not a number" + radius}), s.After("inf"));
    EXPECT_EQ((Lines{"   ! \"nan\" is not a number" + radius}), s.After("nan"));
    EXPECT_EQ((Lines{"   ! \"0x10\" is not a number" + radius}), s.After("0x10"));
    EXPECT_EQ((Lines{"   ! Nothing is picked in the viewport at this step."}), s.After("click 1 2"));
    EXPECT_EQ((Lines{"   ! \"ten\" is not a whole number; type a whole number."}), s.After("ten"));
    EXPECT_EQ((Lines{"   ! \"99999999999999999999\" is not a whole number; type a whole number."}),
              s.After("99999999999999999999"));
    EXPECT_EQ((Lines{"   ! \"seven\" is not a number; type a number."}), s.After("seven"));
    EXPECT_EQ((Lines{"   ! Nothing typed; type the value. The field shows \"20\"."}), s.After("", 1));
    EXPECT_EQ((Lines{"   ! Nothing typed; type the text (\"\" for none). The field shows \"DEFAULT STRING\"."}),
              s.After("", 2));
    EXPECT_TRUE(s.Has("   Keyed in 7, 7.25 and \"\"."));
}

TEST(ConsoleBadInput, TheEndOfInputCancelsTheModeWhereverItComes)
{
    std::vector<std::pair<std::string, std::string>> const cutOffs = {
        {"extrude\n", "Extrude"},
        {"extrude\nclick 10 5\n", "Extrude"},
        {"extrude\nclick 10 5\n12x", "Extrude"},  // a last line without its line end
        {"extrude\nclick 10 5\n0\n", "Extrude"},
        {"extrude\nclick 10 5\noption 1\nangle=4\n", "Extrude"},
        {"extrude\nclick 10 5\n5\n", "Extrude"},
        {"extrude\nclick 45 15\n", "Extrude"},
        {"extrude\ndrag 0 0 5 5 polygon\n", "Extrude"},
        {"extrude\nclick 10 5\nsuspend\n", "Extrude"},
        {"multi\n1\n", "Multi"},
        {"fillet\nclick 15 70\n", "Blend"},
        {"fillet\nclick 15 70\n2\n", "Blend"},
    };
    for (auto const & cut : cutOffs) {
        Played const s = Play(cut.first);
        EXPECT_EQ(0, s.status) << cut.first;
        EXPECT_EQ(CutOff(cut.second), s.Last(4)) << cut.first;
    }
    Played const empty = Play("");
    EXPECT_EQ(Joined({{"QELmodC console. Modes: extrude, multi, fillet. Type help for the commands."}, noMode,
                      {"(end of input)", "Bye."}}),
              empty.lines);
}

TEST(ConsoleBadInput, AZeroByteInsideANumberMakesItNoNumber)
{
    std::string const typed("12\0" "34", 5);
    Played const s = Play("extrude\nclick 10 5\n" + typed + "\n5\n");
    EXPECT_EQ((Lines{"   ! \"" + typed + "\" is not a whole number; type a whole number from 0 to 99999."}),
              s.After(typed));
    EXPECT_EQ("   Ready to extrude Sketch1 5 mm deep.", s.After("5").front());
}

TEST(ConsoleBadInput, QuitEndsTheSessionAndReadsNoFurther)
{
    Played const s = Play("extrude\nquit\nextrude\n");
    EXPECT_EQ((Lines{"   Quit: cancelling Extrude.", "== Extrude ended.", "Bye."}), s.After("quit"));
    EXPECT_EQ(1, std::count(s.lines.begin(), s.lines.end(), "> extrude"));
}

TEST(ConsoleBadInput, CommentsAndCarriageReturnsAreHarmless)
{
    Played const s = Play("# a comment\r\nextrude\r\nclick 10 5\r\n7\r\n1\r\n");
    EXPECT_TRUE(s.Has("   Created Extrusion1: Sketch1 7 mm deep."));
}

// ---- the other modes ----

TEST(ConsoleSession, TheMultiStepAsksForAFloatOnlyBelowFifty)
{
    Played const below = Play("multi\n49\n2.5\nhello world\n");
    EXPECT_EQ((Lines{"== Multi: keyin a float", "   back: not available", "   a) number: 20"}), below.After("49"));
    EXPECT_EQ(Joined({{"   Keyed in 49, 2.5 and \"hello world\".", "== Multi ended."}, noMode}),
              below.After("hello world"));
    Played const above = Play("multi\n50\n\"back\"\n");
    EXPECT_EQ((Lines{"== Multi: keyin a string", "   back: not available", "   a) text: \"DEFAULT STRING\""}),
              above.After("50"));
    EXPECT_TRUE(above.Has("   Keyed in 50 and \"back\"."));
}

TEST(ConsoleSession, TheCompositeFilletRoundsEdgesUntilTheUserSaysNo)
{
    Played const s = Play("fillet\n"
                          "click 30 70\n"
                          "3\n"
                          "2\n"
                          "yes\n"
                          "click 15 90\n"
                          "1.5\n"
                          "back\n"
                          "back\n"
                          "yes\n"
                          "click 0 80\n"
                          "4\n"
                          "no\n");
    EXPECT_EQ((Lines{"== Blend: Select the edge to round", "   back: not available", viewport}), s.After("fillet"));
    EXPECT_EQ((Lines{"   Picked Edge1.", "== Blend: Key in the fillet radius in mm", "   back: not available",
                     "   a) number from 0.1 to 50: 1"}),
              s.After("3"));
    EXPECT_EQ((Lines{"== Blend: Round another edge?", "   back: available", "   a) buttons: 1 Yes | 2 No"}),
              s.After("2"));
    // The second round starts at the edge again and offers the last radius.
    EXPECT_EQ("   a) number from 0.1 to 50: 2", s.After("click 15 90").back());
    // Backing up from the question takes back its round; backing up again
    // leaves the fillet step as a whole.
    EXPECT_EQ((Lines{"== Blend: Select the edge to round", "   back: available", viewport}), s.After("back"));
    EXPECT_EQ((Lines{"== Blend: Round another edge?", "   back: available", "   a) buttons: 1 Yes | 2 No"}),
              s.After("back", 2));
    EXPECT_TRUE(s.Has("   Created Fillet1: Edge1 radius 2, Edge4 radius 4."));
}

// ---- commands ----

TEST(ConsoleCommands, HelpAndSceneAnswerEverywhere)
{
    Played const s = Play("help\nscene\nextrude\nclick 10 5\n3\nyes\nscene\n");
    EXPECT_EQ("   Commands:", s.After("help").front());
    EXPECT_EQ("   profile Sketch1: (0, 0) to (20, 10)", s.After("scene").front());
    EXPECT_EQ("   feature Extrusion1: Sketch1 3 mm deep", s.After("scene", 2).back());
}

TEST(ConsoleCommands, AddedResourcesReplaceTheBuiltInTexts)
{
    std::istringstream in("extrude\nclick 10 5\n");
    std::ostringstream out;
    {
        Console console(in, out, Console::Settings{});
        std::istringstream french("*promptArea.Extrude_profile.labelString: Choisissez le profil\n");
        EXPECT_EQ(1, console.LoadResources(french));
        console.Run();
    }
    Lines const lines = Split(out.str());
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "== Extrude: Choisissez le profil"));
    // The next console starts from the built-in texts again.
    EXPECT_TRUE(Play("extrude\n").Has("== Extrude: Select the profile to extrude"));
}

TEST(ConsoleCommands, TheConsoleCommandReadsScriptsAndRefusesBadArguments)
{
    std::string const script = ::testing::TempDir() + "console_session.txt";
    std::ofstream(script) << "multi\n60\nfrom a file\n";
    std::istringstream none;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(0, RunConsoleCommand({"--script", script}, none, out, err, true));
    EXPECT_NE(std::string::npos, out.str().find("> 60\n"));
    EXPECT_NE(std::string::npos, out.str().find("   Keyed in 60 and \"from a file\".\n"));
    EXPECT_EQ("", err.str());

    std::ostringstream badOut;
    std::ostringstream badErr;
    EXPECT_EQ(2, RunConsoleCommand({"--script"}, none, badOut, badErr, false));
    EXPECT_EQ("qelmodc-demo console: unexpected argument \"--script\"\n"
              "usage: qelmodc-demo console [--script FILE] [--resources FILE]\n",
              badErr.str());
    std::ostringstream missingErr;
    EXPECT_EQ(2, RunConsoleCommand({"--script", script + ".missing"}, none, badOut, missingErr, false));
    EXPECT_EQ("qelmodc-demo console: cannot read " + script + ".missing\n", missingErr.str());
    EXPECT_EQ("", badOut.str());
}

TEST(ConsoleCommands, ATerminalGetsAPromptAndNoEcho)
{
    std::istringstream in("extrude\n");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(0, RunConsoleCommand({}, in, out, err, true));
    Lines const lines = Split(out.str());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "> extrude"), 0);
    EXPECT_NE(std::string::npos, out.str().find("\n> == Extrude: Select the profile to extrude\n"));
}

// ---- the widgets on their own ----

struct Bench {
    Bench() : stage(out), factory(stage), step(log) {}

    // Makes and shows a method; the widget is the one made last.
    modC_Method & Show(modC_Method * made)
    {
        method.reset(made);
        method->Execute();
        return *method;
    }
    ConsoleWidget & Widget() { return *stage.Live().back(); }
    Lines Said()
    {
        Lines said = Split(out.str());
        out.str("");
        return said;
    }

    std::ostringstream out;
    ConsoleStage stage;
    ConsoleFactory factory;
    CallLog log;
    ScriptedReceiver step;
    std::unique_ptr<modC_Method> method;
};

TEST(ConsoleWidgets, PointAndListEntriesTakeNumbersSeparatedByCommasOrBlanks)
{
    Bench b;
    auto & point = static_cast<modC_ScalarMethod &>(
        b.Show(b.factory.MakePointMethod(&b.step, 1, 2, 0, true, -100, 100, true, true, false, false, 20)));
    EXPECT_EQ("point x, y from -100 to 100: 1, 2", b.Widget().Describe());
    b.Widget().Input("3 4 5");
    EXPECT_EQ((Lines{"   ! \"3 4 5\" is not a point; type x, y from -100 to 100, separated by commas or blanks."}),
              b.Said());
    b.Widget().Input("1,,2");
    b.Widget().Input("500 1");
    EXPECT_EQ((Lines{"   ! \"1,,2\" is not a point; type x, y from -100 to 100, separated by commas or blanks.",
                     "   ! 500 is out of range; every number must lie from -100 to 100."}),
              b.Said());
    EXPECT_TRUE(b.log.Take().empty());
    b.Widget().Input("(3, -4.5)");
    EXPECT_EQ((Lines{"step.Done()"}), b.log.Take());
    double x = 0, y = 0, z = 9;
    point.GetPointValue(x, y, z);
    EXPECT_EQ(3.0, x);
    EXPECT_EQ(-4.5, y);
    EXPECT_EQ(0.0, z);

    b.Show(b.factory.MakePointMethod(&b.step, 0, 0, 7, false, -1e9, 1e9, true, true, false, false, 20));
    EXPECT_EQ("point x, y, z from -1e+09 to 1e+09: 0, 0, 7", b.Widget().Describe());
    b.Widget().Input("8 9");
    EXPECT_EQ((Lines{"step.Done()"}), b.log.Take());

    cow_1DArrayList<double, double> start;
    start.Append(1);
    start.Append(1);
    start.Append(1);
    auto & list = static_cast<modC_ScalarMethod &>(
        b.Show(b.factory.MakeArrayMethod(&b.step, start, 0, 10, true, true, 1.0, 3, false, false, 20)));
    EXPECT_EQ("list of 3 numbers from 0 to 10: 1, 1, 1", b.Widget().Describe());
    b.Widget().Input("1 2");
    b.Widget().Input("1, 2,");
    EXPECT_EQ((Lines{"   ! \"1 2\" is not a list of 3 numbers; type 3 numbers from 0 to 10, separated by commas or "
                     "blanks.",
                     "   ! \"1, 2,\" is not a list of 3 numbers; type 3 numbers from 0 to 10, separated by commas "
                     "or blanks."}),
              b.Said());
    b.Widget().Input("1, 2 3");
    cow_1DArrayList<double, double> values;
    list.GetArrayValue(values);
    ASSERT_EQ(3, values.Size());
    EXPECT_EQ(2.0, values.ConstGet(1));
    EXPECT_EQ(3.0, values.ConstGet(2));
}

TEST(ConsoleWidgets, TextEntriesTakeAnyTextAndQuotesAroundIt)
{
    Bench b;
    auto & text = static_cast<modC_ScalarMethod &>(b.Show(b.factory.MakeStringMethod(&b.step, "old", 20)));
    EXPECT_EQ("text: \"old\"", b.Widget().Describe());
    b.method->CommitData();
    EXPECT_EQ((Lines{"step.ValueChanged()"}), b.log.Take());
    EXPECT_EQ("old", text.GetStringValue().Std());
    b.Widget().Input("\"cancel\"");
    EXPECT_EQ("cancel", text.GetStringValue().Std());
}

TEST(ConsoleWidgets, TogglesAndFiltersFlipByNumberAndCompleteWithOk)
{
    Bench b;
    char const * labels[] = {"Tangent", "Keep edges"};
    cow_1DArray<int> states(2);
    states.Get(0) = 1;
    auto & toggles = static_cast<modC_ToggleMethod &>(b.Show(b.factory.MakeToggleMethod(labels, 2, &b.step, &states)));
    EXPECT_EQ("toggles: 1 [x] Tangent | 2 [ ] Keep edges (numbers flip them, ok when done)", b.Widget().Describe());
    b.Widget().Input("1 2");
    EXPECT_EQ((Lines{"step.ValueChanged()"}), b.log.Take());
    EXPECT_EQ(0, toggles.GetToggleState().ConstGet(0));
    EXPECT_EQ(1, toggles.GetToggleState().ConstGet(1));
    b.Widget().Input("3");
    EXPECT_EQ((Lines{"   ! \"3\" is not a toggle; type toggle numbers from 1 to 2 to flip them, or ok when done."}),
              b.Said());
    b.Widget().Input("OK");
    EXPECT_EQ((Lines{"step.Done()"}), b.log.Take());

    omu_PrimDictionary<cow_String> filters;
    filters.Put(omu_PrimInt(1), cow_String("pickFace"));
    filters.Put(omu_PrimInt(2), cow_String("pickEdge"));
    auto & filter = static_cast<modC_FilterMethod &>(b.Show(b.factory.MakeFilterMethod(&b.step, filters)));
    EXPECT_EQ("pick filters: 1 [ ] pickFace | 2 [ ] pickEdge (numbers switch them, ok when done)",
              b.Widget().Describe());
    b.Widget().Input("2");
    EXPECT_EQ(1, filter.GetFilterState().ConstGet(1));
    omu_PrimDictionary<cow_String> others;
    others.Put(omu_PrimInt(1), cow_String("pickCell"));
    filter.Reset(others);
    EXPECT_EQ("pick filters: 1 [ ] pickCell (numbers switch them, ok when done)", b.Widget().Describe());
    b.Widget().Input("2");
    EXPECT_EQ((Lines{"   ! \"2\" is not a filter; type filter numbers from 1 to 1 to switch them, or ok when done."}),
              b.Said());
}

TEST(ConsoleWidgets, ComboRadioMenuPictureAndToolsetWidgets)
{
    Bench b;
    cow_List<cow_String> entries;
    entries.Append(cow_String("Steel"));
    entries.Append(cow_String("Brass"));
    auto & combo = static_cast<modC_ComboMethod &>(b.Show(b.factory.MakeComboMethod(&b.step, entries, 2)));
    EXPECT_EQ("combo box: 1 Steel | 2 Brass (selected) (a number chooses, ok when done)", b.Widget().Describe());
    b.Widget().Input("steel");
    EXPECT_EQ(1, combo.Selection());
    EXPECT_EQ("Steel", combo.GetValueAsString().Std());
    b.Widget().Input("3");
    EXPECT_EQ((Lines{"   ! \"3\" is not an entry; type a number from 1 to 2, an entry's text, or ok when done."}),
              b.Said());
    // A default entry that does not exist opens the combo on none.
    b.Show(b.factory.MakeComboMethod(&b.step, entries, 5));
    EXPECT_EQ("combo box: 1 Steel | 2 Brass (a number chooses, ok when done)", b.Widget().Describe());

    char const * sides[] = {"Left", "Right"};
    auto & radio = static_cast<modC_ChoiceMethod &>(b.Show(b.factory.MakeRadioMethod(sides, 2, &b.step, 1)));
    EXPECT_EQ("radio buttons: 1 Left (selected) | 2 Right", b.Widget().Describe());
    b.log.Take();
    b.Widget().Input("RIGHT");
    EXPECT_EQ((Lines{"step.ValueChanged()", "step.Done()"}), b.log.Take());
    EXPECT_EQ(1, radio.Value());

    b.Show(b.factory.MakeMenuChoiceMethod(sides, 2, &b.step));
    EXPECT_EQ("menu: 1 Left | 2 Right", b.Widget().Describe());

    unsigned long pictures[] = {7, 0};
    b.Show(b.factory.MakeImageChoiceMethod(pictures, 2, &b.step, 1, false));
    EXPECT_EQ("buttons: 1 picture 7 | 2 picture missing", b.Widget().Describe());

    b.Show(b.factory.MakeToolsetMethod(&b.step, "Sketching"));
    EXPECT_EQ("tool set Sketching (ok uses it)", b.Widget().Describe());
    b.Widget().Input("use");
    EXPECT_EQ((Lines{"   ! Type ok to use the tool set Sketching."}), b.Said());
    b.log.Take();
    b.Widget().Input("ok");
    EXPECT_EQ((Lines{"step.Done()"}), b.log.Take());

    uti_ResourceManager::Instance().SetStringResource("*promptArea.Test_line.labelString", "A line of text");
    b.Show(b.factory.MakePromptMethod(&b.step, "*promptArea.Test_line.labelString"));
    EXPECT_EQ("A line of text", b.Widget().Describe());
    EXPECT_FALSE(b.Widget().TakesLines());
    b.Widget().Input("x");
    EXPECT_EQ((Lines{"   ! This line only shows text; there is nothing to type here."}), b.Said());
}

TEST(ConsoleWidgets, DialogsShowTheirFieldsAndTakeNameValueLines)
{
    Bench b;
    omu_PrimTuple count;
    count.Put(cow_String("count"));
    count.Put(3);
    omu_PrimTuple name;
    name.Put(cow_String("name"));
    name.Put(cow_String("a"));
    omu_PrimTuple form;
    form.Put(count);
    form.Put(name);
    auto & dialog = static_cast<modC_DialogMethod &>(b.Show(b.factory.MakeDialogMethod("pattern", form, &b.step)));
    EXPECT_EQ("pattern dialog: count = 3, name = \"a\" (name=value changes a field, ok closes it)",
              b.Widget().Describe());
    b.Widget().Input("count=2.5");
    EXPECT_EQ((Lines{"   ! \"2.5\" is not a whole number; count takes one."}), b.Said());
    b.Widget().Input("name = \"b c\"");
    EXPECT_EQ((Lines{"step.ValueChanged()"}), b.log.Take());
    EXPECT_EQ("pattern dialog: count = 3, name = \"b c\" (name=value changes a field, ok closes it)",
              b.Widget().Describe());
    EXPECT_EQ(2, dialog.Values().Length());

    omu_PrimTuple plain;
    plain.Put(1);
    b.Show(b.factory.MakeDialogMethod("raw", plain, &b.step));
    b.Widget().Input("a=1");
    EXPECT_EQ((Lines{"   ! This dialog only shows its values; type ok to close it."}), b.Said());
    b.Widget().Input("ok");
    EXPECT_EQ((Lines{"step.Done()"}), b.log.Take());
}

TEST(ConsoleWidgets, APlainViewportReportsEveryPointerEventThenTheCompletion)
{
    Bench b;
    auto & position = static_cast<modC_ClickAndDragMethod &>(b.Show(b.factory.MakePositionMethod(&b.step)));
    EXPECT_EQ("viewport: click X Y", b.Widget().Describe());
    b.Widget().Input("click 3 4 shift ctrl");
    EXPECT_EQ((Lines{"step.ValueChanged()", "step.Done()"}), b.log.Take());
    EXPECT_EQ(5, position.Modifiers());
    EXPECT_EQ(4, position.Event());
    double lastDelta = 0;
    b.step.onReport = [&](std::string const &, modC_Method *) { lastDelta = position.DeltaX(); };
    b.Widget().Input("drag 1 1 6 3 right");
    EXPECT_EQ((Lines{"step.ValueChanged()", "step.ValueChanged()", "step.ValueChanged()", "step.Done()"}),
              b.log.Take());
    EXPECT_EQ(5.0, lastDelta);
    EXPECT_EQ(3, position.Event());
    EXPECT_EQ(3, position.Button());
    EXPECT_EQ(6.0, position.X());
}

TEST(ConsoleWidgets, AChoiceThatEndsTheInputIsNotCompletedAfterwards)
{
    Bench b;
    char const * labels[] = {"Yes", "No"};
    b.Show(b.factory.MakeChoiceMethod(labels, 2, &b.step, 1, false));
    // The step takes the value change as the end of its input and deletes the method.
    b.step.onReport = [&](std::string const &, modC_Method *) { b.method.reset(); };
    b.Widget().Input("2");
    EXPECT_EQ((Lines{"step.ValueChanged()"}), b.log.Take());
    EXPECT_TRUE(b.stage.Live().empty());
}

}  // namespace
