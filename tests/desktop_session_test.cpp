// The desktop front end driven through the X server as its user drives it, with synthetic pointer and key
// events (XTest): whole sessions, checking on the way what the procedure told the mode context (through a
// recording wrapper of the desktop's) and what the window shows, against the font server's glyphs and
// FreeType's rendering; the widgets of its method factory that no session uses; a user who clicks anything.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <ft2build.h>
#include <fxkeys.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CallLog.h"
#include "DesktopDriver.h"
#include "DesktopWindow.h"
#include "SampleEmbedded.h"
#include "ScenePainter.h"
#include "Screenshot.h"
#include "SessionPlayer.h"
#include "fsp_FontServer.h"
#include "modC_ChoiceMethod.h"
#include "modC_ComboMethod.h"
#include "modC_DialogMethod.h"
#include "modC_FilterMethod.h"
#include "modC_ModePreReq.h"
#include "modC_Module.h"
#include "modC_Procedure.h"
#include "modC_ScalarMethod.h"
#include "modC_Strategy.h"
#include "modC_ToggleMethod.h"

// The leak checker of the sanitizer builds: what the system's libraries
// keep until the process ends is theirs (fontconfig's caches for FOX's
// fonts, Mesa's driver state), not the desktop's.
extern "C" char const * __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libGLX_mesa.so\nleak:swrast_dri.so\n";
}

namespace {

using Action = DesktopDriver::Action;
using Lines = std::vector<std::string>;

// ---- the application ----

// Lives from the first test that needs it to the end of the test program,
// where it finalises the library before the display closes, before any
// static object the library uses is destroyed.
struct Application : ::testing::Environment {
    Application()
    {
        if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY"))
            return;
        // Mesa's shader disk cache writes from a thread of its own, which the
        // leak checker's stop-the-world at the end of a sanitizer run can catch
        // mid-exit and then crash; the tests' shaders need no cache.
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        // Mesa's libraries stay loaded to the end, so that the leak checker can
        // name them in the stacks of what they allocated.
        for (char const * library : {"libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
            dlopen(library, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
        app = std::make_unique<FX::FXApp>("qelmodc-desktop-tests", "QELmodC");
        // The application keeps the arguments for the window manager.
        static int argc = 1;
        static char name[] = "desktop-tests";
        static char * argv[] = {name, nullptr};
        app->init(argc, argv, true);
        if (!app->getDisplay()) {
            app.reset();
            return;
        }
        app->create();
        modC_initialize(modules);
    }
    void TearDown() override
    {
        if (!app)
            return;
        // The font server frees its X fonts before the display closes.
        modC_finalize(modules);
        app.reset();
    }

    std::unique_ptr<FX::FXApp> app;
    int modules = 0;
};

// The application all tests share; null without an X display.
FX::FXApp * TestApp()
{
    static auto * const application = static_cast<Application *>(::testing::AddGlobalTestEnvironment(new Application));
    return application->app.get();
}

// Skips the test when there is no display to run the window on.
#define REQUIRE_DISPLAY()                                                         \
    do {                                                                          \
        if (!TestApp())                                                           \
            GTEST_SKIP() << "no X display (DISPLAY unset): run under xvfb-run";   \
    } while (0)

// ---- what the procedure tells the mode context ----

// Every call the procedure makes on its mode context, as a line, passed on
// to the desktop's own.
class RecordingStrategy : public modC_Strategy {
public:
    explicit RecordingStrategy(modC_Strategy & inner) : inner(inner)
    {
        bgColor = inner.GetBgColor();
        fgColor = inner.GetFgColor();
    }

    void ModeEnded() override { Log("ModeEnded()"); inner.ModeEnded(); }
    modC_MethodFactory const * GetMethodFactory() override { return inner.GetMethodFactory(); }
    void SetBackupAvailable(int flag) override
    {
        Log(Call("SetBackupAvailable", flag));
        inner.SetBackupAvailable(flag);
    }
    void SetStepFlag(bool flag) override { Log(Call("SetStepFlag", flag)); inner.SetStepFlag(flag); }
    void SetBackupShown(int flag) override { Log(Call("SetBackupShown", flag)); inner.SetBackupShown(flag); }
    void SetPrompt(char const * text) override { Log("SetPrompt(" + Quote(text) + ")"); inner.SetPrompt(text); }
    void StepChanging() override { Log("StepChanging()"); inner.StepChanging(); }
    void SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData) override
    {
        char const * name =
            !callback ? "null" : callback == &modC_Procedure::OptionDataCB ? "OptionDataCB" : "callback";
        Log("SetOptionCallback(" + std::to_string(optNum) + ", " + Quote(label) + ", " + name + ")");
        inner.SetOptionCallback(optNum, label, callback, clientData);
    }
    void SetOption(int optNum, char const * name, char const * label) override
    {
        Log("SetOption(" + std::to_string(optNum) + ", " + Quote(name) + ", " + Quote(label) + ")");
        inner.SetOption(optNum, name, label);
    }
    void VerifyPreReq(modC_ModePreReq * preReq) const override
    {
        Log("VerifyPreReq(" + std::string(preReq->GetMode()->ModeName().AsCharPtr()) + ")");
        inner.VerifyPreReq(preReq);
    }

    // The calls since the last Take.
    Lines Take() { return std::exchange(lines, {}); }

private:
    static std::string Call(char const * name, int flag) { return name + ("(" + std::to_string(flag) + ")"); }
    static std::string Call(char const * name, bool flag) { return name + std::string(flag ? "(true)" : "(false)"); }
    void Log(std::string line) const { lines.push_back(std::move(line)); }

    modC_Strategy & inner;
    mutable Lines lines;
};

// ---- the window, played as its user plays it ----

class DesktopSession {
public:
    DesktopSession()
        : window(std::make_unique<DesktopWindow>(*TestApp(), DesktopOptions{})),
          driver(std::make_unique<DesktopDriver>(*TestApp())),
          recorder(std::make_unique<RecordingStrategy>(window->Strategy()))
    {
        window->UseModeContext(recorder.get());
        window->Show();
        // Where a window manager would put it: the same place every time.
        window->Main()->move(0, 0);
        EXPECT_TRUE(driver->Available()) << "the display has no XTest extension";
        EXPECT_TRUE(driver->Settle());
    }
    ~DesktopSession()
    {
        window->EndSession();
        window.reset();
        // What the window's end left on the display, before the next test's.
        TestApp()->runWhileEvents();
    }

    // Runs the actions as the user; fails the test when the window hangs.
    void Play(std::vector<Action> actions)
    {
        EXPECT_TRUE(driver->Play(std::move(actions), 60)) << "the window did not settle";
    }

    // The button showing `label`, inside `within` when given.
    Action Press(std::string const & label, FX::FXWindow * within = nullptr)
    {
        return [this, label, within] {
            FX::FXLabel * button = driver->Button(label, within);
            ASSERT_NE(nullptr, button) << "no button \"" << label << "\" is shown";
            driver->Press(button);
        };
    }
    Action ClickModel(Vec3 at) { return [this, at] { driver->Click(Canvas(), int(Pixel(at).x), int(Pixel(at).y)); }; }
    // Drags a rectangle on the screen around the entities `names`, 10 pixels clear of them.
    Action DragAround(std::vector<std::string> names)
    {
        return [this, names] {
            float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
            for (std::string const & name : names)
                for (Vec3 const & c : Entity(name).corners) {
                    g3d_Point const p = Pixel(c);
                    x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
                }
            driver->Drag(Canvas(), int(x0) - 10, int(y0) - 10, int(x1) + 10, int(y1) + 10);
        };
    }
    Action Type(std::string const & text) { return [this, text] { driver->Type(text); }; }
    // Takes a screenshot into Shot() and writes it as
    // desktop_screenshots/<test>-<name>.png in the working directory.
    Action Shoot(std::string const & name)
    {
        return [this, name] {
            shot = driver->Shoot(window->Main());
            ::testing::TestInfo const * info = ::testing::UnitTest::GetInstance()->current_test_info();
            std::string file = std::string(info->test_suite_name()) + "." + info->name() + "-" + name + ".png";
            std::replace(file.begin(), file.end(), '/', '_');
            std::filesystem::create_directories("desktop_screenshots");
            std::string error;
            EXPECT_TRUE(shot.WritePng("desktop_screenshots/" + file, error)) << error;
        };
    }

    Screenshot const & Shot() const { return shot; }
    Lines Calls() { return recorder->Take(); }
    DesktopWindow & Window() { return *window; }
    DesktopDriver & Driver() { return *driver; }
    FX::FXGLCanvas * Canvas() { return window->GetViewport().Canvas(); }
    g3d_Point Pixel(Vec3 const & model) const { return window->GetViewport().GetCamera().ModelToPixel(model); }
    Scene::Entity const & Entity(std::string const & name)
    {
        for (Scene::Entity const & e : window->GetScene().Entities())
            if (e.name == name)
                return e;
        ADD_FAILURE() << "no entity " << name;
        return window->GetScene().Entities().front();
    }

private:
    std::unique_ptr<DesktopWindow> window;
    std::unique_ptr<DesktopDriver> driver;
    std::unique_ptr<RecordingStrategy> recorder;
    Screenshot shot;
};

// ---- pixels ----

fsp_FontServer & Server() { return omi_Singleton<fsp_FontServer>::Instance(); }

// Ink inside a box, relative to its top left corner.
struct InkMask {
    int width = 0, height = 0;
    std::vector<bool> on;

    InkMask(int width, int height) : width(width), height(std::max(0, height)), on(std::size_t(width * this->height)) {}
    // The pixels of `shot` in the box at (x0, y0) that have `colour`.
    InkMask(Screenshot const & shot, int x0, int y0, int width, int height, unsigned char const (&colour)[3])
        : InkMask(width, height)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                Set(x, y, shot.Is(x0 + x, y0 + y, colour));
    }
    bool At(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height && on[std::size_t(y * width + x)];
    }
    void Set(int x, int y, bool ink)
    {
        if (x >= 0 && y >= 0 && x < width && y < height)
            on[std::size_t(y * width + x)] = on[std::size_t(y * width + x)] || ink;
    }
    // The bounding box of the ink; false without ink.
    bool Box(int & left, int & top, int & right, int & bottom) const
    {
        left = width, top = height, right = -1, bottom = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (At(x, y))
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                    bottom = std::max(bottom, y);
        return right >= 0;
    }
};

// Differing pixels over covered pixels of two masks laid over each other by
// the top left corners of their ink; 1 when either has none.
double Mismatch(InkMask const & a, InkMask const & b)
{
    int al, at, ar, ab, bl, bt, br, bb, differ = 0, covered = 0;
    if (!a.Box(al, at, ar, ab) || !b.Box(bl, bt, br, bb))
        return 1.0;
    for (int y = 0; y <= std::max(ab - at, bb - bt); ++y)
        for (int x = 0; x <= std::max(ar - al, br - bl); ++x) {
            bool const inA = a.At(al + x, at + y), inB = b.At(bl + x, bt + y);
            covered += inA || inB;
            differ += inA != inB;
        }
    return covered ? static_cast<double>(differ) / covered : 1.0;
}

// Where `window` sits in a screenshot of the session's main window.
g3d_Point Offset(DesktopSession & session, FX::FXWindow * window)
{
    int x = 0, y = 0;
    window->translateCoordinatesTo(x, y, session.Window().Main(), 0, 0);
    return {static_cast<float>(x), static_cast<float>(y)};
}

// The prompt area of the session's shot shows `text` in the font server's
// glyph bitmaps of the prompt font: the same ink, pixel for pixel.
::testing::AssertionResult PromptShows(DesktopSession & session, std::string const & text)
{
    // The expected ink, from the server's bitmaps placed by their metrics.
    unsigned const font = session.Window().Fonts().Prompt();
    int above = 0, below = 0;
    float width = 0;
    for (unsigned char c : text) {
        g3d_Bitmap const & g = Server().GetBitmap(font, c);
        above = std::max(above, g.Height() - static_cast<int>(g.yOffset));
        below = std::max(below, static_cast<int>(g.yOffset));
        width += g.xAdvance;
    }
    InkMask expected(static_cast<int>(std::ceil(width)) + 2, above + below);
    float pen = 0;
    for (unsigned char c : text) {
        g3d_Bitmap const & g = Server().GetBitmap(font, c);
        for (int row = 0; g.HasPixels() && row < g.Height(); ++row)
            for (int x = 0; x < g.Width(); ++x)
                expected.Set(static_cast<int>(std::lround(pen + g.xOffset)) + x,
                             above - 1 + static_cast<int>(g.yOffset) - row, g.Pixel(x, row));
        pen += g.xAdvance;
    }
    FX::FXCanvas * canvas = session.Window().Bar().Prompt().Canvas();
    g3d_Point const at = Offset(session, canvas);
    unsigned char const black[3] = {0, 0, 0};
    InkMask const seen(session.Shot(), static_cast<int>(at.x), static_cast<int>(at.y), canvas->getWidth(),
                       canvas->getHeight(), black);
    double const mismatch = Mismatch(seen, expected);
    if (mismatch == 0.0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the prompt area does not show \"" << text << "\" in the prompt font: "
                                         << mismatch * 100 << "% of its pixels differ";
}

// The face `name` is drawn in the highlight colour (sampled inside it,
// away from its label).
::testing::AssertionResult FaceHighlighted(DesktopSession & session, std::string const & name)
{
    Scene::Entity const & face = session.Entity(name);
    Camera const & camera = session.Window().GetViewport().GetCamera();
    g3d_Point const at = Offset(session, session.Window().GetViewport().Canvas());
    g3d_Point centre;
    for (Vec3 const & c : face.corners) {
        centre.x += session.Pixel(c).x / static_cast<float>(face.corners.size());
        centre.y += session.Pixel(c).y / static_cast<float>(face.corners.size());
    }
    g3d_Point const label = ScenePainter::LabelOrigin(face, camera);
    int sampled = 0;
    for (Vec3 const & c : face.corners) {
        int const x = static_cast<int>(centre.x + 0.6f * (session.Pixel(c).x - centre.x));
        int const y = static_cast<int>(centre.y + 0.6f * (session.Pixel(c).y - centre.y));
        // Clear of the label, which starts at its origin and reads to the right.
        if (x >= label.x - 4 && x <= label.x + 90 && y >= label.y - 24 && y <= label.y + 8)
            continue;
        ++sampled;
        int const sx = static_cast<int>(at.x) + x, sy = static_cast<int>(at.y) + y;
        if (!session.Shot().Is(sx, sy, ScenePainter::highlight)) {
            std::uint8_t const * p = session.Shot().At(sx, sy);
            return ::testing::AssertionFailure() << name << " at pixel (" << x << ", " << y << ") is " << int(p[0])
                                                 << "," << int(p[1]) << "," << int(p[2]) << ", not the highlight";
        }
    }
    if (sampled < 2)
        return ::testing::AssertionFailure() << name << " is too small on the screen to sample";
    return ::testing::AssertionSuccess();
}

// The share of pixels that differ between the label of `name` on the
// screen and FreeType's rendering of the same text in the same font at the
// same size, over the pixels either covers.
double LabelMismatch(DesktopSession & session, std::string const & name)
{
    unsigned const font = session.Window().Fonts().Labels();
    cow_String file;
    float size = 0;
    if (font == fsp_FontServer::noFont || !Server().GetFontInfo(font, file, size) || file.Std().empty())
        return 1.0;
    // The screen's label: what has the label colour around its origin.
    g3d_Point const origin =
        ScenePainter::LabelOrigin(session.Entity(name), session.Window().GetViewport().GetCamera());
    g3d_Point const at = Offset(session, session.Window().GetViewport().Canvas());
    float width = 0;
    for (unsigned char c : name) {
        unsigned count = 0;
        float * triangles = nullptr;
        width += Server().GetFill(font, c, count, &triangles) * session.Window().Fonts().LabelScale();
    }
    int const baseline = 30;
    InkMask const screen(session.Shot(), static_cast<int>(at.x + origin.x) - 4,
                         static_cast<int>(at.y + origin.y) - baseline, static_cast<int>(width) + 8, baseline + 12,
                         ScenePainter::labelFill);
    // FreeType's: the same file, at the size whose advances add up to the label's width.
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) || FT_New_Face(library, file.AsCharPtr(), 0, &face)) {
        FT_Done_FreeType(library);
        return 1.0;
    }
    FT_Int32 const load = FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
    FT_Set_Char_Size(face, 0, 100 * 64, 72, 72);
    double at100 = 0;
    for (unsigned char c : name)
        if (!FT_Load_Char(face, c, load))
            at100 += face->glyph->linearHoriAdvance / 65536.0;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(100.0 * width / at100 * 64)), 72, 72);
    InkMask rendered(screen.width + 16, screen.height);
    double pen = 4;
    for (unsigned char c : name) {
        if (FT_Load_Char(face, c, load))
            continue;
        FT_GlyphSlot g = face->glyph;
        double const whole = std::floor(pen);
        FT_Outline_Translate(&g->outline, static_cast<FT_Pos>(std::lround((pen - whole) * 64)), 0);
        if (!FT_Render_Glyph(g, FT_RENDER_MODE_NORMAL))
            for (unsigned row = 0; row < g->bitmap.rows; ++row)
                for (unsigned col = 0; col < g->bitmap.width; ++col)
                    rendered.Set(static_cast<int>(whole) + g->bitmap_left + static_cast<int>(col),
                                 baseline - g->bitmap_top + static_cast<int>(row),
                                 g->bitmap.buffer[row * static_cast<unsigned>(g->bitmap.pitch) + col] >= 128);
        pen += g->linearHoriAdvance / 65536.0;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return Mismatch(screen, rendered);
}

// ---- sessions ----

std::string const draftOption = "SetOptionCallback(1, \"*promptArea.Extrude_draftOption.labelString\", OptionDataCB)";
std::string const flipOption = "SetOption(2, \"flip\", \"*promptArea.Extrude_flipOption.labelString\")";
std::string const noDraft = "SetOptionCallback(1, null, null)";
std::string const noFlip = "SetOption(2, null, null)";

std::string Prompt(std::string const & key) { return "SetPrompt(\"*promptArea." + key + ".labelString\")"; }

// The calls that show a step: its prompt, then the back and flag calls.
Lines Shown(std::string const & key, int back, Lines before = {}, Lines after = {})
{
    before.insert(before.end(),
                  {Prompt(key), "SetBackupAvailable(" + std::to_string(back) + ")", "SetStepFlag(false)"});
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
        {"ok",
         {{"SetBackupAvailable(1)", draftOption, flipOption, Prompt("Extrude_end"), "SetStepFlag(false)"}, nullptr}},
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
        actions.push_back(
            [&s, &expected, line] { EXPECT_EQ(expected.first, s.Calls()) << "after \"" << line << "\""; });
        if (expected.second) {
            actions.push_back(s.Shoot(line == "0" ? "error" : line == "option 1" ? "draft" : line));
            actions.push_back(expected.second);
        }
    }
    s.Play(actions);
    EXPECT_EQ(Lines{"Extrusion1: Sketch2 25 mm deep, draft 3 degrees outward"}, s.Window().GetScene().Features());
    EXPECT_EQ(nullptr, s.Window().Mode());
}

TEST(DesktopSession, ClosingTheDialogOrTheWindowByTheWindowManagerAndEscCancel)
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
            [&] { s.Driver().Key(KEY_Escape); },  // the main window's Esc: cancel the mode
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
                    g3d_Point const at = Offset(s, pictures[i]);
                    InkMask const ink(s.Shot(), int(at.x), int(at.y), pictures[i]->getWidth(),
                                      pictures[i]->getHeight(), colours[i]);
                    EXPECT_GT(std::count(ink.on.begin(), ink.on.end(), true), 40) << "picture " << i;
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

// ---- the widgets on their own ----

// A step as far as a method sees it: the reports it gets.
struct Receiver : modC_MethodReceiver {
    void DirectManipulation(DirectManipReason, modC_Method *) override { reports += "M"; }
    void ValueChanged(modC_Method *) override { reports += "V"; }
    void Done(modC_Method *) override { reports += "D"; }
    std::string reports;
};

// A widget no session uses: its method made as a step makes it, the user's acts, the reports, the value read.
struct WidgetCase {
    char const * name;
    std::function<modC_Method *(modC_MethodFactory const &, Receiver &)> make;
    std::function<std::vector<Action>(DesktopSession &)> use;
    std::string reports;
    std::function<std::string(modC_Method &)> value;
    std::string expected;
};

template <class W>
W * Visible(DesktopSession & s)
{
    for (FX::FXWindow * w : s.Driver().VisibleWindows())
        if (auto * widget = dynamic_cast<W *>(w))
            return widget;
    return nullptr;
}

// Presses the button showing each input that starts with a capital; plays the others as lines of a
// console session (typed with Return; "name=value" fills in the dialog's field).
auto Inputs(std::vector<std::string> inputs)
{
    return [inputs](DesktopSession & s) {
        auto const player = std::make_shared<SessionPlayer>(s.Window(), s.Driver());
        std::vector<Action> actions;
        for (std::string const & input : inputs) {
            bool known = false;
            Action const line = player->Line(input, known);
            actions.push_back(input[0] >= 'A' && input[0] <= 'Z' ? s.Press(input) : [player, line] { line(); });
        }
        return actions;
    };
}

// Opens the popup of the visible Opener, clicks `at` its height (5/6: the third of three entries) and gives
// the inputs `then`; the pointer goes there first: a popup takes the pointer over once it saw it come.
template <class Opener>
auto Popup(double at, std::vector<std::string> then = {})
{
    return [at, then](DesktopSession & s) {
        auto const point = [&s, at](bool click) {
            return [&s, at, click] {
                FX::FXPopup * popup = Visible<FX::FXPopup>(s);
                ASSERT_NE(nullptr, popup);
                int const y = static_cast<int>(popup->getHeight() * at);
                click ? s.Driver().Click(popup, 10, y) : s.Driver().Move(popup, 10, y);
            };
        };
        std::vector<Action> actions = Inputs(then)(s);
        actions.insert(actions.begin(), {[&s] { s.Driver().Press(Visible<Opener>(s)); }, point(false), point(true)});
        return actions;
    };
}

std::string Text(modC_Method & m) { return static_cast<modC_ScalarMethod &>(m).GetStringValue().Std(); }
std::string Choice(modC_Method & m) { return std::to_string(static_cast<modC_ChoiceMethod &>(m).Value()); }
std::string States(cow_1DArray<int> const & states)
{
    std::string text;
    for (int i = 0; i < states.Length(); ++i)
        text += std::to_string(states.ConstGet(i));
    return text;
}

char const * labels[] = {"First", "Second", "Third"};

WidgetCase const widgetCases[] = {
    // Entries refuse what lies outside their range: the step waits.
    {"WholeNumber", [](auto const & f, auto & r) { return f.MakeIntegerMethod(&r, 5, 0, 10, 1, 1, 0, nullptr, 20); },
     Inputs({"12", "7"}), "VD", Text, "7"},
    {"Number", [](auto const & f, auto & r) { return f.MakeFloatMethod(&r, 2.5, 1, 10, 1, 1, 0, nullptr, 20); },
     Inputs({"0.5", "3.25"}), "VD", Text, "3.25"},
    {"RadioOkTakesTheDefault", [](auto const & f, auto & r) { return f.MakeRadioMethod(labels, 3, &r, 3); },
     Inputs({"OK"}), "VD", Choice, "2"},
    {"Menu", [](auto const & f, auto & r) { return f.MakeMenuChoiceMethod(labels, 3, &r); },
     Popup<FX::FXMenuButton>(0.5), "VD", Choice, "1"},
    {"OptionList", [](auto const & f, auto & r) { return f.MakeOptionMethod(labels, 3, &r, 1); },
     Popup<FX::FXListBox>(5 / 6.0), "VD", Choice, "2"},
    {"TogglesReportEachFlip", [](auto const & f, auto & r) { return f.MakeToggleMethod(labels, 3, &r, nullptr); },
     Inputs({"Second", "Third", "Second", "OK"}), "VVVD",
     [](modC_Method & m) { return States(static_cast<modC_ToggleMethod &>(m).GetToggleState()); }, "001"},
    {"FilterChecks",
     [](auto const & f, auto & r) {
         omu_PrimDictionary<cow_String> filters;
         filters.Put(omu_PrimInt(1), cow_String("Faces"));
         filters.Put(omu_PrimInt(2), cow_String("Edges"));
         return f.MakeFilterMethod(&r, filters);
     },
     Inputs({"Edges", "OK"}), "VD",
     [](modC_Method & m) { return States(static_cast<modC_FilterMethod &>(m).GetFilterState()); }, "01"},
    {"Combo",
     [](auto const & f, auto & r) {
         cow_List<cow_String> entries;
         for (char const * label : labels)
             entries.Append(cow_String(label));
         return f.MakeComboMethod(&r, entries, 1);
     },
     Popup<FX::FXComboBox>(5 / 6.0, {"OK"}), "VD",
     [](modC_Method & m) { return static_cast<modC_ComboMethod &>(m).GetValueAsString().Std(); }, "Third"},
    // A tool set has no value of its own: its reports are what the step gets.
    {"Toolset", [](auto const & f, auto & r) { return f.MakeToolsetMethod(&r, cow_String("pickFilter")); },
     Inputs({"Edges", "Use"}), "VD", [](modC_Method &) { return std::string(); }, ""},
    {"DialogFieldGoesBackInItsTuple",
     [](auto const & f, auto & r) {
         omu_PrimTuple pair, values;
         pair.Put("depth");
         pair.Put(2.0);
         values.Put(pair);
         return f.MakeDialogMethod("sizes", values, &r);
     },
     Inputs({"depth=7.5", "OK"}), "VD",
     [](modC_Method & m) {
         auto const & pair = static_cast<omu_PrimTuple const &>(static_cast<modC_DialogMethod &>(m).Values().Index(0));
         return std::to_string(static_cast<omu_PrimDouble const &>(pair.Index(1)).GetValue());
     }, "7.500000"},
};

TEST(DesktopWidgets, EachReportsWhatTheUserDidAndHoldsTheValueTheStepReads)
{
    REQUIRE_DISPLAY();
    for (WidgetCase const & c : widgetCases) {
        SCOPED_TRACE(c.name);
        DesktopSession s;
        Receiver receiver;
        std::unique_ptr<modC_Method> method(c.make(*s.Window().Strategy().GetMethodFactory(), receiver));
        method->Execute();
        s.Play(c.use(s));
        EXPECT_EQ(c.reports, receiver.reports) << s.Window().Stage().StatusText();
        EXPECT_EQ(c.expected, c.value(*method));
        method->Cancel();
    }
}

// ---- a user who clicks anything ----

// Random presses, viewport clicks and drags, text and Esc for a few hundred rounds: nothing may crash or fail a
// contract check (nor, in the sanitizer build, leak a step or free one twice); the session still ends cleanly.
TEST(DesktopRobustness, RandomPressesClicksAndTextLeaveTheSessionWhole)
{
    REQUIRE_DISPLAY();
    std::mt19937 random(20240611u);
    auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, std::max(1, n) - 1)(random); };
    DesktopSession s;
    DesktopDriver & driver = s.Driver();
    FX::FXGLCanvas * canvas = s.Canvas();
    std::vector<Action> actions(300, [&] {
        FX::FXDialogBox * dialog = driver.Dialog();
        // Buttons of all kinds, option lists and fields, but not the menus, whose Quit would end the run early.
        std::vector<FX::FXWindow *> pressable;
        for (FX::FXWindow * w : driver.VisibleWindows())
            if (w->isEnabled() && (!dialog || w->isChildOf(dialog)) &&
                (dynamic_cast<FX::FXLabel *>(w) || dynamic_cast<FX::FXListBox *>(w) ||
                 dynamic_cast<FX::FXTextField *>(w)))
                pressable.push_back(w);
        FX::FXWindow * w = pressable.empty() ? nullptr : pressable[std::size_t(pick(int(pressable.size())))];
        int const what = pick(100), x = pick(canvas->getWidth()), y = pick(canvas->getHeight());
        std::string text(static_cast<std::size_t>(pick(9)), ' ');
        for (char & c : text)
            c = static_cast<char>(pick(3) ? "0123456789.,- e"[pick(15)] : 0x21 + pick(0x5e));
        if (what < 40 && w)
            driver.Click(w, 1 + pick(w->getWidth() - 2), 1 + pick(w->getHeight() - 2));
        else if (what < 50)
            driver.Drag(canvas, x, y, pick(canvas->getWidth()), pick(canvas->getHeight()), pick(5) ? 1 : 3);
        else if (what < 75)
            driver.Click(canvas, x, y, pick(4) ? 1 : 3, pick(5) == 0);
        else if (what < 95)
            driver.Type(pick(2) ? text + "\n" : text);
        else if (dialog)
            driver.CloseByWindowManager(dialog);
        else
            driver.Key(KEY_Escape);
    });
    // A modal dialog takes the main window's close as it takes all its input: the user closes it first, then
    // starts a mode for the close to cancel.
    actions.insert(actions.end(), 3, [&] { if (auto * open = driver.Dialog()) driver.CloseByWindowManager(open); });
    actions.push_back(s.Press("Extrude", s.Window().ToolBar()));
    actions.push_back([&] { driver.CloseByWindowManager(s.Window().Main()); });
    s.Play(actions);
    EXPECT_FALSE(s.Window().Mode() || driver.Dialog()) << "a mode or a dialog outlived the window";
    int started = 0, ended = 0;
    for (std::string const & call : s.Calls())
        started += call.rfind("VerifyPreReq(", 0) == 0, ended += call == "ModeEnded()";
    EXPECT_EQ(started, ended) << "every mode that started ends once";
}

}  // namespace
