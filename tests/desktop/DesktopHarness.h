// What the desktop tests share: one FOX application on the test's X display,
// a desktop window per test whose modes report to a recording wrapper of its
// mode context, the XTest driver, and checks of the window's pixels against
// the font server's glyphs and FreeType's rendering.
#ifndef DESKTOPHARNESS_H
#define DESKTOPHARNESS_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CallLog.h"
#include "DesktopDriver.h"
#include "DesktopWindow.h"
#include "Screenshot.h"
#include "modC_Strategy.h"

using Action = DesktopDriver::Action;
using Lines = std::vector<std::string>;

// Every call the procedure makes on its mode context, as a line, passed on
// to the desktop's own.
class RecordingStrategy : public modC_Strategy {
public:
    explicit RecordingStrategy(modC_Strategy & inner);

    void ModeEnded() override { Log("ModeEnded()"); inner.ModeEnded(); }
    modC_MethodFactory const * GetMethodFactory() override { return inner.GetMethodFactory(); }
    void SetBackupAvailable(int flag) override { Log(Call("SetBackupAvailable", flag)); inner.SetBackupAvailable(flag); }
    void SetStepFlag(bool flag) override { Log(Call("SetStepFlag", flag)); inner.SetStepFlag(flag); }
    void SetBackupShown(int flag) override { Log(Call("SetBackupShown", flag)); inner.SetBackupShown(flag); }
    void SetPrompt(char const * text) override { Log("SetPrompt(" + Quote(text) + ")"); inner.SetPrompt(text); }
    void StepChanging() override { Log("StepChanging()"); inner.StepChanging(); }
    void SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData) override;
    void SetOption(int optNum, char const * name, char const * label) override;
    void VerifyPreReq(modC_ModePreReq * preReq) const override;

    // The calls since the last Take.
    Lines Take();

private:
    static std::string Call(char const * name, int flag) { return name + ("(" + std::to_string(flag) + ")"); }
    static std::string Call(char const * name, bool flag) { return name + std::string(flag ? "(true)" : "(false)"); }
    void Log(std::string line) const { lines.push_back(std::move(line)); }

    modC_Strategy & inner;
    mutable Lines lines;
};

// The application all tests of a program share; null without an X display.
FX::FXApp * TestApp();

class DesktopSession {
public:
    explicit DesktopSession(DesktopOptions options = {});
    ~DesktopSession();

    // Runs the actions as the user; fails the test when the window hangs.
    void Play(std::vector<Action> actions);

    // The button showing `label`, inside `within` when given.
    Action Press(std::string const & label, FX::FXWindow * within = nullptr);
    Action ClickModel(Vec3 at);
    // Drags a rectangle on the screen around the entities `names`.
    Action DragAround(std::vector<std::string> names);
    Action Type(std::string const & text);
    // Takes a screenshot into Shot() and writes it as
    // desktop_screenshots/<test>-<name>.png in the working directory.
    Action Shoot(std::string const & name);

    Screenshot const & Shot() const { return shot; }
    Lines Calls() { return recorder->Take(); }
    DesktopWindow & Window() { return *window; }
    DesktopDriver & Driver() { return *driver; }
    Scene::Entity const & Entity(std::string const & name);
    g3d_Point Pixel(Vec3 const & model) const;

private:
    std::unique_ptr<DesktopWindow> window;
    std::unique_ptr<DesktopDriver> driver;
    std::unique_ptr<RecordingStrategy> recorder;
    Screenshot shot;
};

// Skips the test when there is no display to run the window on.
#define REQUIRE_DISPLAY()                                                         \
    do {                                                                          \
        if (!TestApp())                                                           \
            GTEST_SKIP() << "no X display (DISPLAY unset): run under xvfb-run";   \
    } while (0)

// The prompt area of the session's shot shows `text` in the font server's
// glyph bitmaps of the prompt font: the same ink, pixel for pixel.
::testing::AssertionResult PromptShows(DesktopSession & session, std::string const & text);
// The face `name` is drawn in the highlight colour (sampled inside it,
// away from its label).
::testing::AssertionResult FaceHighlighted(DesktopSession & session, std::string const & name);
// The share of pixels that differ between the label of `name` on the
// screen (fill and outline colours) and FreeType's rendering of the same
// text in the same font at the same size, over the pixels either covers.
double LabelMismatch(DesktopSession & session, std::string const & name);

#endif
