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

#include <cerrno>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

namespace {

int const deadlineSeconds = 60;

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;  // the exit status; -1 when killed or not exited
    bool timedOut = false;
};

std::vector<char *> Argv(std::vector<std::string> & arguments)
{
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(QELMODC_DEMO));
    for (std::string & argument : arguments)
        argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    return argv;
}

int Milliseconds(std::chrono::steady_clock::time_point deadline)
{
    auto const left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

void Finish(pid_t child, Outcome & run)
{
    if (run.timedOut)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the demo with `arguments`, writing `input` to its standard input and
// closing it, and collects both outputs.
Outcome RunDemo(std::vector<std::string> arguments, std::string const & input)
{
    signal(SIGPIPE, SIG_IGN);  // the demo may stop reading before all input is written
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) || pipe2(out, O_CLOEXEC) || pipe2(err, O_CLOEXEC))
        ADD_FAILURE() << "no pipes";
    std::vector<char *> argv = Argv(arguments);
    pid_t const child = fork();
    if (child == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    fcntl(in[1], F_SETFL, O_NONBLOCK);

    Outcome run;
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(deadlineSeconds);
    std::size_t written = 0;
    int writeEnd = in[1];
    if (input.empty()) {
        close(writeEnd);
        writeEnd = -1;
    }
    int readEnds[2] = {out[0], err[0]};
    std::string * sinks[2] = {&run.out, &run.err};
    while (readEnds[0] >= 0 || readEnds[1] >= 0) {
        pollfd fds[3] = {{readEnds[0], POLLIN, 0}, {readEnds[1], POLLIN, 0}, {writeEnd, POLLOUT, 0}};
        int const ready = poll(fds, 3, Milliseconds(deadline));
        if (ready == 0) {
            run.timedOut = true;
            break;
        }
        if (ready < 0 && errno == EINTR)
            continue;
        for (int i = 0; i < 2; ++i) {
            if (readEnds[i] < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[4096];
            ssize_t const got = read(readEnds[i], buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                close(readEnds[i]);
                readEnds[i] = -1;
            }
        }
        if (writeEnd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t const put = write(writeEnd, input.data() + written, input.size() - written);
            if (put > 0)
                written += static_cast<std::size_t>(put);
            if (put < 0 || written == input.size()) {
                close(writeEnd);
                writeEnd = -1;
            }
        }
    }
    for (int fd : {readEnds[0], readEnds[1], writeEnd})
        if (fd >= 0)
            close(fd);
    Finish(child, run);
    return run;
}

// Runs the demo on a terminal that does not echo, typing `input` (a ^D at the
// start of a line is the end of input), and collects what it shows.
Outcome RunOnTerminal(std::vector<std::string> arguments, std::string const & input)
{
    std::vector<char *> argv = Argv(arguments);
    int terminal = -1;
    termios settings{};
    pid_t const child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    Outcome run;
    if (child < 0) {
        ADD_FAILURE() << "no terminal";
        return run;
    }
    tcgetattr(terminal, &settings);
    settings.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    settings.c_oflag &= ~static_cast<tcflag_t>(ONLCR);
    tcsetattr(terminal, TCSANOW, &settings);
    if (write(terminal, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        ADD_FAILURE() << "could not type the input";
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(deadlineSeconds);
    for (;;) {
        pollfd fd = {terminal, POLLIN, 0};
        int const ready = poll(&fd, 1, Milliseconds(deadline));
        if (ready == 0) {
            run.timedOut = true;
            break;
        }
        char buffer[4096];
        ssize_t const got = read(terminal, buffer, sizeof buffer);
        if (got <= 0)
            break;  // the demo exited: the terminal is gone
        run.out.append(buffer, static_cast<std::size_t>(got));
    }
    close(terminal);
    Finish(child, run);
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
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("", run.err);
    EXPECT_TRUE(Contains(run.out, "> 0\n== Extrude: Choose the end condition\n   back: once the error is acknowledged\n"
                                  "   a) error: The depth must lie between 1 and 500 mm. (press Enter or type ok)\n"));
    EXPECT_TRUE(Contains(run.out, "> back\n== Extrude: Select the profile to extrude\n"));
    EXPECT_TRUE(Contains(run.out, "   Created Extrusion1: Sketch2 25 mm deep, draft 3 degrees outward.\n"
                                  "== Extrude ended.\n"));
    EXPECT_TRUE(Contains(run.out, "(end of input)\nBye.\n\nText rendered with the font server:\n"));
    EXPECT_TRUE(EndsWith(run.out, "  " + out + "/glyphs.svg  glyph outlines and their fill triangles\n"));
    for (char const * file : {"/text.png", "/glyphs.svg"}) {
        std::ifstream written(out + file, std::ios::binary);
        EXPECT_TRUE(written.good()) << out + file;
        EXPECT_GT(written.seekg(0, std::ios::end).tellg(), 100) << out + file;
        std::remove((out + file).c_str());
    }
}

TEST(DemoProgram, PipedGarbageGetsMessagesAndTheEndOfInputEndsTheSessionCleanly)
{
    std::string garbage = "\x01\x02\xff\xfe\n"
                          "\t\t\n"
                          "extrude\n"
                          "click 10 5 \x1b[A\n"
                          "click 10 5\n";
    garbage += std::string(100000, '7') + "\n";
    garbage += std::string("12\0" "34\n", 6);
    garbage += "a: " + std::string(5000, 'z') + "\n";
    garbage += "option 1\n"
               "angle=1e400\n"
               "angle=2";  // cut off mid-line, inside the dialog
    Outcome const run = RunDemo({"console"}, garbage);
    ASSERT_FALSE(run.timedOut) << "the console hung";
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.err);
    EXPECT_TRUE(Contains(run.out, "   ! Unknown command \"\x01\x02\xff\xfe\"; type extrude, multi or fillet"));
    EXPECT_TRUE(Contains(run.out, "\" is too large; type a whole number from 0 to 99999.\n") ||
                Contains(run.out, "\" is not a whole number; type a whole number from 0 to 99999.\n"));
    EXPECT_TRUE(Contains(run.out, "   ! \"1e400\" is not a number; angle takes one.\n"));
    EXPECT_TRUE(EndsWith(run.out, "(end of input)\n   End of input: cancelling Extrude.\n== Extrude ended.\nBye.\n"));
}

TEST(DemoProgram, TheConsolePlaysASessionFile)
{
    std::string const script = ::testing::TempDir() + "pipe_session.txt";
    std::ofstream(script) << "fillet\nclick 15 70\n2.5\nno\n";
    Outcome const run = RunDemo({"console", "--script", script}, "ignored\n");
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(0, run.status);
    EXPECT_TRUE(Contains(run.out, "> click 15 70\n   Picked Edge1.\n== Blend: Key in the fillet radius in mm\n"));
    EXPECT_TRUE(Contains(run.out, "   Created Fillet1: Edge1 radius 2.5.\n"));
    EXPECT_FALSE(Contains(run.out, "ignored"));
}

TEST(DemoProgram, NoInputAtAllIsAnEmptySession)
{
    Outcome const run = RunDemo({"console"}, "");
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(0, run.status);
    EXPECT_TRUE(EndsWith(run.out, "to start a mode, or help for the commands.\n(end of input)\nBye.\n"));
}

TEST(DemoProgram, BadArgumentsAreRefusedWithTheUsage)
{
    Outcome const unknown = RunDemo({"paint"}, "");
    EXPECT_EQ(2, unknown.status);
    EXPECT_EQ("", unknown.out);
    EXPECT_TRUE(Contains(unknown.err, "qelmodc-demo: unknown subcommand \"paint\"\nusage: qelmodc-demo"));
    Outcome const option = RunDemo({"console", "--verbose"}, "");
    EXPECT_EQ(2, option.status);
    EXPECT_TRUE(Contains(option.err, "unexpected argument \"--verbose\""));
    Outcome const missing = RunDemo({"console", "--script", "/nonexistent/session"}, "");
    EXPECT_EQ(2, missing.status);
    EXPECT_EQ("qelmodc-demo console: cannot read /nonexistent/session\n", missing.err);
}

TEST(DemoProgram, OnATerminalTheConsolePromptsAndDoesNotRepeatWhatWasTyped)
{
    Outcome const run = RunOnTerminal({"console"}, "extrude\ncancel\n\x04");
    ASSERT_FALSE(run.timedOut) << run.out;
    EXPECT_EQ(0, run.status);
    EXPECT_TRUE(Contains(run.out, "\n> == Extrude: Select the profile to extrude\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\n> == Extrude ended.\n")) << run.out;
    EXPECT_FALSE(Contains(run.out, "> extrude")) << run.out;
    EXPECT_TRUE(EndsWith(run.out, "> \n(end of input)\nBye.\n")) << run.out;
}

}  // namespace
