// The demo program as its user meets it: run without a subcommand, and its
// console front end fed through a pipe, from a file and on a terminal. Each
// run has a deadline, so a hang fails the test instead of stalling it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

auto const deadline = std::chrono::seconds(60);

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;  // the exit status; -1 when killed
};

std::string Read(std::string const & path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Waits for `child` until the deadline, then kills it.
int Wait(pid_t child)
{
    auto const end = std::chrono::steady_clock::now() + deadline;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            ADD_FAILURE() << "the demo hung";
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Exec(std::vector<std::string> arguments)
{
    std::vector<char *> argv = {const_cast<char *>(QELMODC_DEMO)};
    for (std::string & argument : arguments)
        argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

// Runs the demo with `arguments` and `input` as its standard input.
Outcome RunDemo(std::vector<std::string> const & arguments, std::string const & input)
{
    std::string const base = ::testing::TempDir() + "console_pipe_test.";
    std::ofstream(base + "in", std::ios::binary) << input;
    pid_t const child = fork();
    if (child == 0) {
        dup2(open((base + "in").c_str(), O_RDONLY), 0);
        dup2(open((base + "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(open((base + "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        Exec(arguments);
    }
    Outcome run;
    run.status = Wait(child);
    run.out = Read(base + "out");
    run.err = Read(base + "err");
    return run;
}

// Runs the demo on a terminal that does not echo, typing `input` (a ^D at the
// start of a line is the end of input), and collects what it shows.
Outcome RunOnTerminal(std::string const & input)
{
    int terminal = -1;
    pid_t const child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0)
        Exec({"console"});
    termios settings{};
    tcgetattr(terminal, &settings);
    settings.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    settings.c_oflag &= ~static_cast<tcflag_t>(ONLCR);
    tcsetattr(terminal, TCSANOW, &settings);
    Outcome run;
    EXPECT_EQ(static_cast<ssize_t>(input.size()), write(terminal, input.data(), input.size()));
    char buffer[4096];
    pollfd fd = {terminal, POLLIN, 0};
    // The read fails once the demo has exited and the terminal is gone.
    for (ssize_t got = 1; got > 0 && poll(&fd, 1, 60000) > 0;)
        if ((got = read(terminal, buffer, sizeof buffer)) > 0)
            run.out.append(buffer, static_cast<std::size_t>(got));
    close(terminal);
    run.status = Wait(child);
    return run;
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
    std::string const out = ::testing::TempDir() + "qelmodc-demo-out";
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
    std::string const script = ::testing::TempDir() + "pipe_session.txt";
    std::ofstream(script) << "fillet\nclick 15 70\n2.5\nno\n";
    Outcome const run = RunDemo({"console", "--script", script}, "ignored\n");
    EXPECT_EQ(0, run.status);
    EXPECT_TRUE(Contains(run.out, "> click 15 70\n   Picked Edge1.\n== Blend: Key in the fillet radius in mm\n"));
    EXPECT_TRUE(Contains(run.out, "   Created Fillet1: Edge1 radius 2.5.\n"));
    EXPECT_FALSE(Contains(run.out, "ignored"));
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

TEST(DemoProgram, OnATerminalTheConsolePromptsAndDoesNotRepeatWhatWasTyped)
{
    Outcome const run = RunOnTerminal("extrude\ncancel\n\x04");
    EXPECT_EQ(0, run.status);
    EXPECT_TRUE(Contains(run.out, "\n> == Extrude: Select the profile to extrude\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\n> == Extrude ended.\n")) << run.out;
    EXPECT_FALSE(Contains(run.out, "> extrude")) << run.out;
    EXPECT_TRUE(EndsWith(run.out, "> \n(end of input)\nBye.\n")) << run.out;
}

}  // namespace
