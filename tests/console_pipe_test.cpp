// The demo program as its user meets it: run without a subcommand, and its
// console front end fed through a pipe and from a file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    std::string out;
    std::string err;
    int status;  // the exit status; 137 when killed at its deadline
};

std::string Read(std::string const & path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Runs the demo with `arguments` and `input` as its standard input, with a
// deadline, so that a hang fails the test instead of stalling it.
Outcome RunDemo(std::vector<std::string> const & arguments, std::string const & input)
{
    // ctest runs each case as its own process, several at once: one set of files each.
    std::string const base = ::testing::TempDir() + "console_pipe_test." + std::to_string(getpid()) + ".";
    std::ofstream(base + "in", std::ios::binary) << input;
    std::string command = "timeout -s KILL 60 '" QELMODC_DEMO "'";
    for (std::string const & argument : arguments)
        command += " '" + argument + "'";
    int const status = std::system((command + " <" + base + "in >" + base + "out 2>" + base + "err").c_str());
    Outcome outcome{Read(base + "out"), Read(base + "err"), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    for (char const * stream : {"in", "out", "err"})
        std::remove((base + stream).c_str());
    return outcome;
}

bool Contains(std::string const & text, std::string const & part)
{
    return text.find(part) != std::string::npos;
}

bool EndsWith(std::string const & text, std::string const & end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(DemoProgram, WithoutASubcommandItPlaysTheExtrusionSessionToItsEndAndRendersTheSample)
{
    std::string const out = ::testing::TempDir() + "qelmodc-demo-out." + std::to_string(getpid());
    Outcome const run = RunDemo({"--out", out}, "");
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("", run.err);
    EXPECT_EQ(R"(QELmodC console. Modes: extrude, multi, fillet. Type help for the commands.
== No mode is running: type extrude, multi or fillet to start a mode, or help for the commands.
> # The default session: an extrusion with a typing mistake, an error dialog,
> # one backup, a wrong pick and the draft option, to its end.
> extrude
== Extrude: Select the profile to extrude
   back: not available
   a) viewport: click X Y, or drag X0 Y0 X1 Y1 [rectangle|circle|polygon]; add shift, ctrl or right
> click 10 5
   Picked Sketch1.
== Extrude: Choose the end condition
   back: available; options: 1 Draft..., 2 Flip direction (type option N)
   a) option list: 1 Through All | 2 Specific Depth (selected) | 3 Up to Face
   b) whole number from 0 to 99999: 0   <- typing goes here
> 25x
   ! "25x" is not a whole number; type a whole number from 0 to 99999.
> 0
== Extrude: Choose the end condition
   back: once the error is acknowledged
   a) error: The depth must lie between 1 and 500 mm. (press Enter or type ok)
>
== Extrude: Choose the end condition
   back: available; options: 1 Draft..., 2 Flip direction (type option N)
   a) option list: 1 Through All | 2 Specific Depth (selected) | 3 Up to Face
   b) whole number from 0 to 99999: 0   <- typing goes here
> back
== Extrude: Select the profile to extrude
   back: not available
   a) viewport: click X Y, or drag X0 Y0 X1 Y1 [rectangle|circle|polygon]; add shift, ctrl or right
> click 80 80
   Nothing to pick: no profile at (80, 80).
> click 35 5
   Picked Sketch2.
== Extrude: Choose the end condition
   back: available; options: 1 Draft..., 2 Flip direction (type option N)
   a) option list: 1 Through All | 2 Specific Depth (selected) | 3 Up to Face
   b) whole number from 0 to 99999: 0   <- typing goes here
> option 1
== Extrude: Set the draft of the side walls
   back: available; options: 2 Flip direction (type option N)
   a) draft dialog: angle = 0, outward = yes (name=value changes a field, ok closes it)
> angle=3
== Extrude: Set the draft of the side walls
   back: available; options: 2 Flip direction (type option N)
   a) draft dialog: angle = 3, outward = yes (name=value changes a field, ok closes it)
> ok
== Extrude: Choose the end condition
   back: available; options: 1 Draft..., 2 Flip direction (type option N)
   a) option list: 1 Through All | 2 Specific Depth (selected) | 3 Up to Face
   b) whole number from 0 to 99999: 0   <- typing goes here
> 25
   Ready to extrude Sketch2 25 mm deep, draft 3 degrees outward.
== Extrude: Create the extrusion?
   back: available
   a) buttons: 1 Yes | 2 No
> yes
   Created Extrusion1: Sketch2 25 mm deep, draft 3 degrees outward.
== Extrude ended.
== No mode is running: type extrude, multi or fillet to start a mode, or help for the commands.
(end of input)
Bye.

Text rendered with the font server:
  )" + out + R"(/text.png    glyph bitmaps placed by their metrics
  )" + out + R"(/glyphs.svg  glyph outlines and their fill triangles
)",
              std::regex_replace(run.out, std::regex(" +\n"), "\n"));
    for (char const * file : {"/text.png", "/glyphs.svg"}) {
        EXPECT_GT(Read(out + file).size(), 100u) << out + file;
        std::remove((out + file).c_str());
    }
}

TEST(DemoProgram, PipedGarbageGetsMessagesAndTheEndOfInputEndsTheSessionCleanly)
{
    std::string garbage = "\x01\x02\xff\xfe\n\t\t\nextrude\nclick 10 5 \x1b[A\nclick 10 5\n";
    garbage += std::string(100000, '7') + "\n";
    garbage += std::string("12\0" "34\n", 6);
    garbage += "a: " + std::string(5000, 'z') + "\n";
    garbage += "option 1\nangle=1e400\nangle=2";  // cut off mid-line, inside the dialog
    Outcome const run = RunDemo({"console"}, garbage);
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.err);
    EXPECT_TRUE(Contains(run.out, "   ! Unknown command \"\x01\x02\xff\xfe\"; type extrude, multi or fillet"));
    EXPECT_TRUE(Contains(run.out, std::string(100000, '7') + "\" is not a whole number; type a whole number"));
    EXPECT_TRUE(Contains(run.out, "   ! \"1e400\" is not a number; angle takes one.\n"));
    EXPECT_TRUE(EndsWith(run.out, "(end of input)\n   End of input: cancelling Extrude.\n== Extrude ended.\nBye.\n"));
}

TEST(DemoProgram, TheConsolePlaysASessionFileAndNotItsInput)
{
    std::string const script = ::testing::TempDir() + "pipe_session." + std::to_string(getpid()) + ".txt";
    std::ofstream(script) << "fillet\nclick 15 70\n2.5\nno\n";
    Outcome const run = RunDemo({"console", "--script", script}, "ignored\n");
    EXPECT_EQ(0, run.status);
    EXPECT_TRUE(Contains(run.out, "> click 15 70\n   Picked Edge1.\n== Blend: Key in the fillet radius in mm\n"));
    EXPECT_TRUE(Contains(run.out, "   Created Fillet1: Edge1 radius 2.5.\n"));
    EXPECT_FALSE(Contains(run.out, "ignored"));
    std::remove(script.c_str());
}

TEST(DemoProgram, BadArgumentsAreRefusedWithTheUsage)
{
    struct {
        std::vector<std::string> arguments;
        char const * says;
    } const cases[] = {
        {{"paint"}, "qelmodc-demo: unknown subcommand \"paint\"\nusage: qelmodc-demo"},
        {{"console", "--verbose"}, "qelmodc-demo console: unexpected argument \"--verbose\"\n"
                                   "usage: qelmodc-demo console [--script FILE] [--resources FILE]\n"},
        {{"console", "--script"}, "unexpected argument \"--script\""},
        {{"console", "--script", "/nonexistent/session"}, "qelmodc-demo console: cannot read /nonexistent/session\n"},
    };
    for (auto const & c : cases) {
        Outcome const run = RunDemo(c.arguments, "");
        EXPECT_EQ(2, run.status) << c.says;
        EXPECT_EQ("", run.out);
        EXPECT_TRUE(Contains(run.err, c.says)) << run.err;
    }
}

}  // namespace
