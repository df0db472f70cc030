// The console front end, driven as its user drives it. A session is written
// as the transcript the console must print: the lines after "> " are typed,
// the others are its replies; "..." stands for any run of lines, also at the
// end of a line. Its widgets are then made by its factory on their own and
// given typed lines.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CallLog.h"
#include "Console.h"
#include "ConsoleFactory.h"
#include "ConsoleStage.h"
#include "ConsoleWidgets.h"
#include "SampleText.h"
#include "ScriptedImpls.h"
#include "modC_ClickAndDragMethod.h"
#include "modC_ScalarMethod.h"

namespace {

using Lines = std::vector<std::string>;

Lines Split(std::string const & text)
{
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.erase(line.find_last_not_of(' ') + 1));
    return lines;
}

Lines Play(std::string const & input)
{
    std::istringstream in(input);
    std::ostringstream out;
    Console console(in, out, Console::Settings{});
    EXPECT_EQ(0, console.Run());
    return Split(out.str());
}

bool Matches(Lines const & want, std::size_t w, Lines const & got, std::size_t g)
{
    if (w == want.size())
        return g == got.size();
    if (want[w] == "...") {
        for (std::size_t k = g; k <= got.size(); ++k)
            if (Matches(want, w + 1, got, k))
                return true;
        return false;
    }
    return g < got.size() && want[w] == got[g] && Matches(want, w + 1, got, g + 1);
}

struct Transcript {
    char const * name;
    char const * text;
};

void PrintTo(Transcript const & t, std::ostream * os) { *os << t.name; }

class ConsoleSession : public ::testing::TestWithParam<Transcript> {};

TEST_P(ConsoleSession, PrintsTheTranscript)
{
    Lines want = {"..."};  // the greeting
    std::string typed;
    for (std::string line : Split(GetParam().text)) {
        bool const anyLines = line.size() > 4 && line.compare(line.size() - 4, 4, " ...") == 0;
        if (anyLines)
            line.resize(line.size() - 4);
        want.push_back(line);
        if (line.rfind(">", 0) == 0)
            typed += line.substr(std::min<std::size_t>(2, line.size())) + "\n";
        if (anyLines)
            want.push_back("...");
    }
    Lines const got = Play(typed);
    std::string printed;
    for (std::string const & line : got)
        printed += line + "\n";
    EXPECT_TRUE(Matches(want, 0, got, 0)) << "the console printed:\n" << printed;
}

Transcript const transcripts[] = {
    {"CancellingTheOptionsAndBackingUpFromTheQuestion", R"(> extrude ...
> cancel
== Extrude ended.
== No mode is running: type extrude, multi or fillet to start a mode, or help for the commands.
> extrude ...
> help
   Commands: ...
> click 45 5 ...
> option 2
   The extrusion now goes the other way.
> option 1 ...
> angel=2
   ! This dialog has no field "angel"; its fields are angle, outward.
> angle=2 ...
> outward=no ...
   a) draft dialog: angle = 2, outward = no (name=value changes a field, ok closes it)
> ok
== Extrude: Choose the end condition ...
> 40
   Ready to extrude Sketch2 40 mm deep, draft 2 degrees inward, the other way.
== Extrude: Create the extrusion?
   back: available
   a) buttons: 1 Yes | 2 No
> no ...
   b) whole number from 0 to 99999: 40   <- typing goes here
> option 2
   The extrusion goes the usual way again.
> 40 ...
> 1
   Created Extrusion1: Sketch2 40 mm deep. ...
> scene ...
   feature Extrusion1: Sketch2 40 mm deep ...)"},
    {"TheEndConditionRotatesAmongItsOptions", R"(> extrude ...
> click 10 5 ...
> a: 3 ...
   a) option list: 1 Through All | 2 Specific Depth | 3 Up to Face (selected)
      Select a face to extrude to
   b) viewport: click X Y, or drag X0 Y0 X1 Y1 [rectangle|circle|polygon]; add shift, ctrl or right
> click 5 5 ...
   a) error: There is no face at the point picked: (5, 5). (press Enter or type ok)
> ok ...
> click 10 50
   Ready to extrude Sketch1 up to Face1. ...
> no ...
   a) option list: 1 Through All | 2 Specific Depth | 3 Up to Face (selected) ...
> a: 1 ...
   a) option list: 1 Through All (selected) | 2 Specific Depth | 3 Up to Face
   b) buttons: 1 Done   <- typing goes here
> 1
   Ready to extrude Sketch1 through all. ...)"},
    {"AmbiguousPicksCycleByTheRowOrShiftClicksAndEndOnAPlainReport", R"(> extrude ...
> click 45 15
   2 profiles at (45, 15).
   Sketch2 is highlighted; choose Next, Previous or OK. ...
   b) Ambiguous selection, please choose one: 1 Next | 2 Previous | 3 OK
> 1
   Sketch3 is highlighted.
> 2
   Sketch2 is highlighted.
> click 45 15 shift
   Sketch3 is highlighted.
> click 45 15 shift right
   Sketch2 is highlighted.
> 3
   Picked Sketch2. ...
> back ...
> click 45 15 ...
> click 10 5
   Picked Sketch1. ...
> back ...
> click 45 15 ...
> move 0 0
== Extrude: Select the profile to extrude
   back: not available
   a) viewport: click X Y, or drag X0 Y0 X1 Y1 [rectangle|circle|polygon]; add shift, ctrl or right
> click 35 5
   Picked Sketch2. ...)"},
    {"AreaPicksTakeWhatLiesInsideRectangleCircleOrPolygon", R"(> extrude ...
> drag 25 -5 55 25
   Picked Sketch2. ...
> back ...
> drag 80 80 82 80 circle
   Nothing to pick: no profile inside the circle.
> drag 25 5 45 5 circle
   2 profiles inside the circle. ...
> b: 3
   Picked Sketch1. ...
> back ...
> drag -5 -5 25 -5 polygon ...
   b) Pick the points for the polygon: 1 Backup | 2 Abort | 3 Done
> click 25 25
> a: click 99 99
> b: 1
> b: 3
   Picked Sketch1. ...
> back ...
> drag 0 0 5 5 polygon ...
> 2
== Extrude: Select the profile to extrude
   back: not available
   a) viewport: click X Y, or drag X0 Y0 X1 Y1 [rectangle|circle|polygon]; add shift, ctrl or right ...)"},
    {"ASuspendedModeAndAnOpenDialogRefuseWhatTheyCannotTake", R"(> extrude ...
> click 10 5 ...
> suspend
== Extrude: Choose the end condition (suspended: type resume)
> 12
   ! The mode is suspended; type resume to go on.
> back
   ! The mode is suspended; type resume first.
> option 1
   ! The mode is suspended; type resume first.
> suspend
   ! The mode is already suspended; type resume to go on.
> resume
== Extrude: Choose the end condition ...
> resume
   ! The mode is not suspended.
> option 1 ...
> angle=5 ...
> back
== Extrude: Choose the end condition ...
> option 1 ...
   a) draft dialog: angle = 0, outward = yes (name=value changes a field, ok closes it)
> suspend ...
> resume ...
   back: available; options: 2 Flip direction (type option N) ...
> option 1
   ! Option 1 is not shown; type option 2.
> angle=5 ...
> ok ...
> 12
   Ready to extrude Sketch1 12 mm deep, draft 5 degrees outward. ...)"},
    {"TheErrorDialogIsModalAndBacksUpToTheOptionsData", R"(> extrude ...
> click 10 5 ...
> option 1 ...
> angle=5 ...
> ok ...
> 600
== Extrude: Choose the end condition
   back: once the error is acknowledged
   a) error: The depth must lie between 1 and 500 mm. (press Enter or type ok)
> back
   ! Acknowledge the error first: press Enter.
> option 2
   ! Acknowledge the error first: press Enter.
> b: 1
   ! There is no b) now; the widgets are tagged a) to a).
> 5
   ! The error dialog is waiting: press Enter or type ok.
> ok ...
   b) whole number from 0 to 99999: 600   <- typing goes here
> 12
   Ready to extrude Sketch1 12 mm deep. ...)"},
    {"TheMultiStepAsksForAFloatOnlyBelowFifty", R"(> multi ...
> 49
== Multi: keyin a float ...
> 2.5 ...
> hello world
   Keyed in 49, 2.5 and "hello world". ...
> multi ...
> 50
== Multi: keyin a string
   back: not available
   a) text: "DEFAULT STRING"
> "back"
   Keyed in 50 and "back". ...)"},
    {"EveryPromptExplainsWhatItTakes", R"(>
   ! Nothing typed; type extrude, multi or fillet to start a mode, or help for the commands.
> extrude ...
> clik 10 5
   ! Unknown command "clik 10 5"; pick with click X Y or drag X0 Y0 X1 Y1, type help for the commands.
> click 1e7 5
   ! 1e7 lies outside the viewport (-1000000 to 1000000). Type click X Y [shift] [ctrl] [right].
> drag 1 2 3 4 twice
   ! "twice" is not shift, ctrl, right or a shape. Type drag X0 Y0 X1 Y1 [rectangle|circle|polygon] [shift] [ctrl] [right].
> back
   ! There is no earlier step to back up to; type cancel to leave the mode.
> click 10 5 ...
>
   ! Nothing typed; type the value. The field shows "0".
> 1,5
   ! "1,5" is not a whole number; type a whole number from 0 to 99999.
> a: 4
   ! "4" is not one of the choices; type a number from 1 to 3 or a label.
> c: 1
   ! There is no c) now; the widgets are tagged a) to b).
> option 3
   ! Option 3 is not shown; type option 1 or 2.
> option 1 ...
> outward=maybe
   ! "maybe" is neither yes nor no; outward takes yes or no.
> cancel ...
> cancel ...
> multi ...
> click 1 2
   ! Nothing is picked in the viewport at this step.
> 7 ...
>
   ! Nothing typed; type the value. The field shows "20".
> 1e999
   ! "1e999" is not a number; type a number.
> 7.25 ...
> ""
   Keyed in 7, 7.25 and "". ...)"},
};

INSTANTIATE_TEST_SUITE_P(Transcripts, ConsoleSession, ::testing::ValuesIn(transcripts),
                         [](auto const & info) { return std::string(info.param.name); });

std::string const noMode =
    "== No mode is running: type extrude, multi or fillet to start a mode, or help for the commands.";

// The last lines of a session cut off while `mode` runs.
Lines CutOff(std::string const & mode, Lines before = {})
{
    before.insert(before.end(),
                  {"(end of input)", "   End of input: cancelling " + mode + ".", "== " + mode + " ended.", "Bye."});
    return before;
}

Lines Last(Lines const & lines, std::size_t count)
{
    return Lines(lines.end() - std::min(count, lines.size()), lines.end());
}

TEST(ConsoleInput, TheEndOfInputOrQuitEndsTheSessionWhereverItComes)
{
    std::string const zero("12\0" "34", 5);
    std::pair<std::string, Lines> const endings[] = {
        {"extrude\n", CutOff("Extrude")},
        {"extrude\nclick 10 5\n12x", CutOff("Extrude")},  // a last line without its line end
        {"extrude\nclick 10 5\n0\n", CutOff("Extrude")},
        {"extrude\nclick 10 5\noption 1\nangle=4\n", CutOff("Extrude")},
        {"extrude\nclick 10 5\n5\n", CutOff("Extrude")},
        {"extrude\nclick 45 15\n", CutOff("Extrude")},
        {"extrude\ndrag 0 0 5 5 polygon\n", CutOff("Extrude")},
        {"extrude\nclick 10 5\nsuspend\n", CutOff("Extrude")},
        {"multi\n1\n", CutOff("Multi")},
        {"fillet\nclick 15 70\n2\n", CutOff("Blend")},
        {"", {"QELmodC console. Modes: extrude, multi, fillet. Type help for the commands.", noMode, "(end of input)",
              "Bye."}},
        // Nothing after quit is read.
        {"extrude\nquit\nextrude\n", {"> quit", "   Quit: cancelling Extrude.", "== Extrude ended.", "Bye."}},
        {"# a comment\r\nextrude\r\nclick 10 5\r\n7\r\n1\r\n",
         {"   Created Extrusion1: Sketch1 7 mm deep.", "== Extrude ended.", noMode, "(end of input)", "Bye."}},
        {"extrude\nclick 10 5\n" + zero + "\n",
         CutOff("Extrude", {"   ! \"" + zero + "\" is not a whole number; type a whole number from 0 to 99999."})},
    };
    for (auto const & ending : endings) {
        Lines const got = Play(ending.first);
        EXPECT_EQ(ending.second, Last(got, ending.second.size())) << ending.first;
    }
}

TEST(ConsoleInput, AddedResourcesReplaceTheBuiltInTextsOfThatConsoleOnly)
{
    std::istringstream in("extrude\n");
    std::ostringstream out;
    {
        Console console(in, out, Console::Settings{});
        std::istringstream french("*promptArea.Extrude_profile.labelString: Choisissez le profil\n");
        EXPECT_EQ(1, console.LoadResources(french));
        console.Run();
    }
    EXPECT_EQ("== Extrude: Choisissez le profil", Split(out.str()).at(3));
    EXPECT_EQ("== Extrude: Select the profile to extrude", Play("extrude\n").at(3));
}

TEST(ConsoleInput, ATerminalGetsAPromptAndNoEcho)
{
    std::istringstream in("extrude\n");
    std::ostringstream out, err;
    EXPECT_EQ(0, RunConsoleCommand({}, in, out, err, true));
    EXPECT_NE(std::string::npos, out.str().find("\n> == Extrude: Select the profile to extrude\n")) << out.str();
    EXPECT_EQ(std::string::npos, out.str().find("> extrude")) << out.str();
}

// ---- the widgets on their own ----

struct Bench {
    Bench() : stage(out), factory(stage), step(log) {}
    ConsoleWidget & Widget() { return *stage.Live().back(); }
    // What the console said and then what the step heard since the last call.
    Lines Replies()
    {
        Lines replies = Split(out.str());
        out.str("");
        for (std::string const & call : log.Take())
            replies.push_back(call);
        return replies;
    }

    std::ostringstream out;
    ConsoleStage stage;
    ConsoleFactory factory;
    CallLog log;
    ScriptedReceiver step;
};

struct WidgetCase {
    char const * name;
    std::function<modC_Method *(ConsoleFactory &, modC_MethodReceiver *)> make;
    std::string shows;
    std::vector<std::pair<std::string, Lines>> typed;  // a line and the replies to it
    std::function<std::string(modC_Method &)> value;   // what the step reads at the end
    std::string expected;
};

std::string Point(modC_Method & m)
{
    double x = 0, y = 0, z = 0;
    static_cast<modC_ScalarMethod &>(m).GetPointValue(x, y, z);
    return sample_text::ExactNumbers({x, y, z});
}

std::string const notAPoint = " is not a point; type x, y from -100 to 100, separated by commas or blanks.";
std::string const notAList = " is not a list of 3 numbers; type 3 numbers from 0 to 10, separated by commas or blanks.";

WidgetCase const widgetCases[] = {
    {"PointOfTwo",
     [](auto & f, auto * r) { return f.MakePointMethod(r, 1, 2, 0, true, -100, 100, true, true, false, false, 20); },
     "point x, y from -100 to 100: 1, 2",
     {{"3 4 5", {"   ! \"3 4 5\"" + notAPoint}},
      {"1,,2", {"   ! \"1,,2\"" + notAPoint}},
      {"500 1", {"   ! 500 is out of range; every number must lie from -100 to 100."}},
      {"(3, -4.5)", {"step.Done()"}}},
     Point, "3, -4.5, 0"},
    {"PointOfThree",
     [](auto & f, auto * r) { return f.MakePointMethod(r, 0, 0, 7, false, -1e9, 1e9, true, true, false, false, 20); },
     "point x, y, z from -1e+09 to 1e+09: 0, 0, 7", {{"8 9", {"step.Done()"}}}, Point, "8, 9, 0"},
    {"List",
     [](auto & f, auto * r) {
         cow_1DArrayList<double, double> start;
         for (int i = 0; i < 3; ++i)
             start.Append(1);
         return f.MakeArrayMethod(r, start, 0, 10, true, true, 1.0, 3, false, false, 20);
     },
     "list of 3 numbers from 0 to 10: 1, 1, 1",
     {{"1 2", {"   ! \"1 2\"" + notAList}}, {"1, 2,", {"   ! \"1, 2,\"" + notAList}}, {"1, 2 3", {"step.Done()"}}},
     [](modC_Method & m) {
         cow_1DArrayList<double, double> values;
         static_cast<modC_ScalarMethod &>(m).GetArrayValue(values);
         std::vector<double> numbers;
         for (int i = 0; i < values.Size(); ++i)
             numbers.push_back(values.ConstGet(i));
         return sample_text::ExactNumbers(numbers);
     },
     "1, 2, 3"},
    {"PlainViewport", [](auto & f, auto * r) { return f.MakePositionMethod(r); }, "viewport: click X Y",
     {{"drag 1 1 6 3 right", {"step.ValueChanged()", "step.ValueChanged()", "step.ValueChanged()", "step.Done()"}},
      {"click 3 4 shift ctrl", {"step.ValueChanged()", "step.Done()"}}},
     [](modC_Method & m) {
         auto & p = static_cast<modC_ClickAndDragMethod &>(m);
         return sample_text::ExactNumbers({double(p.Event()), double(p.Modifiers()), p.X()});
     },
     "4, 5, 3"},
};

void PrintTo(WidgetCase const & c, std::ostream * os) { *os << c.name; }

class ConsoleWidgets : public ::testing::TestWithParam<WidgetCase> {};

TEST_P(ConsoleWidgets, ShowTheirStateAndAnswerEachLine)
{
    WidgetCase const & c = GetParam();
    Bench b;
    std::unique_ptr<modC_Method> method(c.make(b.factory, &b.step));
    method->Execute();
    EXPECT_EQ(c.shows, b.Widget().Describe());
    for (auto const & line : c.typed) {
        b.Widget().Input(line.first);
        EXPECT_EQ(line.second, b.Replies()) << line.first;
    }
    EXPECT_EQ(c.expected, c.value(*method));
}

INSTANTIATE_TEST_SUITE_P(EveryFactoryOperation, ConsoleWidgets, ::testing::ValuesIn(widgetCases),
                         [](auto const & info) { return std::string(info.param.name); });

TEST(ConsoleWidgetsAlone, AChoiceThatEndsTheInputIsNotCompletedAfterwards)
{
    Bench b;
    char const * labels[] = {"Yes", "No"};
    std::unique_ptr<modC_Method> method(b.factory.MakeChoiceMethod(labels, 2, &b.step, 1, false));
    method->Execute();
    // The step takes the value change as the end of its input and deletes the method.
    b.step.onReport = [&](std::string const &, modC_Method *) { method.reset(); };
    b.Widget().Input("2");
    EXPECT_EQ((Lines{"step.ValueChanged()"}), b.log.Take());
    EXPECT_TRUE(b.stage.Live().empty());
}

}  // namespace
