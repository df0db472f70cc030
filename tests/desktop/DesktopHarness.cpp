#include "DesktopHarness.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "CallLog.h"
#include "ScenePainter.h"
#include "fsp_FontServer.h"
#include "modC_Module.h"
#include "modC_ModePreReq.h"
#include "modC_Procedure.h"

// ---- RecordingStrategy ----

RecordingStrategy::RecordingStrategy(modC_Strategy & inner) : inner(inner)
{
    bgColor = inner.GetBgColor();
    fgColor = inner.GetFgColor();
}

void RecordingStrategy::ModeEnded()
{
    lines.push_back("ModeEnded()");
    inner.ModeEnded();
}

modC_MethodFactory const * RecordingStrategy::GetMethodFactory()
{
    return inner.GetMethodFactory();
}

void RecordingStrategy::SetBackupAvailable(int flag)
{
    lines.push_back("SetBackupAvailable(" + std::to_string(flag) + ")");
    inner.SetBackupAvailable(flag);
}

void RecordingStrategy::SetStepFlag(bool flag)
{
    lines.push_back(std::string("SetStepFlag(") + (flag ? "true" : "false") + ")");
    inner.SetStepFlag(flag);
}

void RecordingStrategy::SetBackupShown(int flag)
{
    lines.push_back("SetBackupShown(" + std::to_string(flag) + ")");
    inner.SetBackupShown(flag);
}

void RecordingStrategy::SetPrompt(char const * text)
{
    lines.push_back("SetPrompt(" + Quote(text) + ")");
    inner.SetPrompt(text);
}

void RecordingStrategy::StepChanging()
{
    lines.push_back("StepChanging()");
    inner.StepChanging();
}

void RecordingStrategy::SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData)
{
    std::string const name = !callback ? "null" : callback == &modC_Procedure::OptionDataCB ? "OptionDataCB" : "callback";
    lines.push_back("SetOptionCallback(" + std::to_string(optNum) + ", " + Quote(label) + ", " + name + ")");
    inner.SetOptionCallback(optNum, label, callback, clientData);
}

void RecordingStrategy::SetOption(int optNum, char const * name, char const * label)
{
    lines.push_back("SetOption(" + std::to_string(optNum) + ", " + Quote(name) + ", " + Quote(label) + ")");
    inner.SetOption(optNum, name, label);
}

void RecordingStrategy::VerifyPreReq(modC_ModePreReq * preReq) const
{
    lines.push_back("VerifyPreReq(" + std::string(preReq->GetMode()->ModeName().AsCharPtr()) + ")");
    inner.VerifyPreReq(preReq);
}

Lines RecordingStrategy::Take()
{
    Lines taken;
    taken.swap(lines);
    return taken;
}

// ---- the application ----

// The leak checker of the sanitizer builds: what the system's libraries
// keep until the process ends is theirs (fontconfig's caches for FOX's
// fonts, Mesa's driver state), not the desktop's.
extern "C" char const * __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libGLX_mesa.so\nleak:swrast_dri.so\n";
}

namespace {

// Mesa's libraries stay loaded to the end, so that the leak checker can name
// them in the stacks of what they allocated.
void KeepGlDriverLoaded()
{
    for (char const * library : {"libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
        dlopen(library, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
}

// Lives from the first test that needs it to the end of the test program,
// where it finalises the library before the display closes, before any
// static object the library uses is destroyed.
struct Application : ::testing::Environment {
    Application()
    {
        char const * display = std::getenv("DISPLAY");
        if (!display || !*display)
            return;
        // Mesa's shader disk cache writes from a thread of its own, which the
        // leak checker's stop-the-world at the end of a sanitizer run can catch
        // mid-exit and then crash; the tests' shaders need no cache.
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        KeepGlDriverLoaded();
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

std::string TestName()
{
    ::testing::TestInfo const * info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "desktop";
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}

fsp_FontServer & Server()
{
    return omi_Singleton<fsp_FontServer>::Instance();
}

// Ink of `shot` inside `box` whose colour is one of `colours`.
struct InkMask {
    int x0 = 0, y0 = 0, width = 0, height = 0;
    std::vector<bool> on;
    bool At(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height && on[static_cast<std::size_t>(y * width + x)];
    }
    // The bounding box of the ink, relative to the mask; false without ink.
    bool Box(int & left, int & top, int & right, int & bottom) const
    {
        left = width, top = height, right = -1, bottom = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (At(x, y)) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        return right >= 0;
    }
};

// Differing pixels over covered pixels of two masks laid over each other by
// the top left corners of their ink.
double Mismatch(InkMask const & a, InkMask const & b, int & covered)
{
    int al, at, ar, ab, bl, bt, br, bb;
    covered = 0;
    if (!a.Box(al, at, ar, ab) || !b.Box(bl, bt, br, bb))
        return 1.0;
    int const width = std::max(ar - al, br - bl) + 1;
    int const height = std::max(ab - at, bb - bt) + 1;
    int differ = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bool const inA = a.At(al + x, at + y);
            bool const inB = b.At(bl + x, bt + y);
            covered += inA || inB;
            differ += inA != inB;
        }
    return covered ? static_cast<double>(differ) / covered : 1.0;
}

// Where `window` sits in a screenshot of the main window.
void Offset(FX::FXWindow * window, FX::FXWindow * main, int & x, int & y)
{
    window->translateCoordinatesTo(x, y, main, 0, 0);
}

}  // namespace

FX::FXApp * TestApp()
{
    static Application * const application =
        static_cast<Application *>(::testing::AddGlobalTestEnvironment(new Application));
    return application->app.get();
}

// ---- DesktopSession ----

DesktopSession::DesktopSession(DesktopOptions options)
{
    FX::FXApp & app = *TestApp();
    window = std::make_unique<DesktopWindow>(app, std::move(options));
    driver = std::make_unique<DesktopDriver>(app);
    recorder = std::make_unique<RecordingStrategy>(window->Strategy());
    window->UseModeContext(recorder.get());
    window->Show();
    // Where a window manager would put it: the same place every time.
    window->Main()->move(0, 0);
    EXPECT_TRUE(driver->Available()) << "the display has no XTest extension";
    EXPECT_TRUE(driver->Settle());
}

DesktopSession::~DesktopSession()
{
    window->EndSession();
    window.reset();
    // What the window's end left on the display, before the next test's.
    TestApp()->runWhileEvents();
}

void DesktopSession::Play(std::vector<Action> actions)
{
    EXPECT_TRUE(driver->Play(std::move(actions), 60)) << "the window did not settle";
}

Action DesktopSession::Start(std::string const & mode)
{
    return Press(mode);
}

Action DesktopSession::Press(std::string const & label, FX::FXWindow * within)
{
    return [this, label, within] {
        FX::FXLabel * button = driver->Button(label, within);
        ASSERT_NE(nullptr, button) << "no button \"" << label << "\" is shown";
        driver->Press(button);
    };
}

g3d_Point DesktopSession::Pixel(Vec3 const & model) const
{
    return window->GetViewport().GetCamera().ModelToPixel(model);
}

Action DesktopSession::ClickModel(Vec3 at, int button, bool shift)
{
    return [this, at, button, shift] {
        g3d_Point const p = Pixel(at);
        driver->Click(window->GetViewport().Canvas(), static_cast<int>(p.x), static_cast<int>(p.y), button, shift);
    };
}

Action DesktopSession::DragModel(Vec3 from, Vec3 to)
{
    return [this, from, to] {
        g3d_Point const a = Pixel(from);
        g3d_Point const b = Pixel(to);
        driver->Drag(window->GetViewport().Canvas(), static_cast<int>(a.x), static_cast<int>(a.y),
                     static_cast<int>(b.x), static_cast<int>(b.y));
    };
}

Action DesktopSession::DragAround(std::vector<std::string> names, int margin)
{
    return [this, names, margin] {
        float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
        for (std::string const & name : names)
            for (Vec3 const & c : Entity(name).corners) {
                g3d_Point const p = Pixel(c);
                x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
            }
        driver->Drag(window->GetViewport().Canvas(), static_cast<int>(x0) - margin, static_cast<int>(y0) - margin,
                     static_cast<int>(x1) + margin, static_cast<int>(y1) + margin);
    };
}

Action DesktopSession::Type(std::string const & text)
{
    return [this, text] { driver->Type(text); };
}

Action DesktopSession::Shoot(std::string const & name)
{
    return [this, name] {
        shot = driver->Shoot(window->Main());
        std::filesystem::create_directories("desktop_screenshots");
        std::string error;
        EXPECT_TRUE(shot.WritePng("desktop_screenshots/" + TestName() + "-" + name + ".png", error)) << error;
    };
}

Scene::Entity const & DesktopSession::Entity(std::string const & name)
{
    for (Scene::Entity const & e : window->GetScene().Entities())
        if (e.name == name)
            return e;
    ADD_FAILURE() << "no entity " << name;
    return window->GetScene().Entities().front();
}

// ---- pixels ----

::testing::AssertionResult PromptShows(DesktopWindow & window, Screenshot const & shot, std::string const & text)
{
    // The expected ink, from the server's bitmaps placed by their metrics.
    unsigned const font = window.Fonts().Prompt();
    int above = 0, below = 0;
    float width = 0;
    for (unsigned char c : text) {
        g3d_Bitmap const & g = Server().GetBitmap(font, c);
        above = std::max(above, g.Height() - static_cast<int>(g.yOffset));
        below = std::max(below, static_cast<int>(g.yOffset));
        width += g.xAdvance;
    }
    InkMask expected;
    expected.width = static_cast<int>(std::ceil(width)) + 2;
    expected.height = above + below;
    expected.on.assign(static_cast<std::size_t>(expected.width * std::max(0, expected.height)), false);
    float pen = 0;
    for (unsigned char c : text) {
        g3d_Bitmap const & g = Server().GetBitmap(font, c);
        for (int row = 0; g.HasPixels() && row < g.Height(); ++row)
            for (int x = 0; x < g.Width(); ++x) {
                int const px = static_cast<int>(std::lround(pen + g.xOffset)) + x;
                int const py = above - 1 + static_cast<int>(g.yOffset) - row;
                if (g.Pixel(x, row) && px >= 0 && px < expected.width && py >= 0 && py < expected.height)
                    expected.on[static_cast<std::size_t>(py * expected.width + px)] = true;
            }
        pen += g.xAdvance;
    }
    FX::FXCanvas * canvas = window.Bar().Prompt().Canvas();
    InkMask seen;
    Offset(canvas, window.Main(), seen.x0, seen.y0);
    seen.width = canvas->getWidth();
    seen.height = canvas->getHeight();
    seen.on.assign(static_cast<std::size_t>(seen.width * seen.height), false);
    unsigned char const black[3] = {0, 0, 0};
    for (int y = 0; y < seen.height; ++y)
        for (int x = 0; x < seen.width; ++x)
            seen.on[static_cast<std::size_t>(y * seen.width + x)] = shot.Is(seen.x0 + x, seen.y0 + y, black);
    int covered = 0;
    double const mismatch = Mismatch(seen, expected, covered);
    if (mismatch == 0.0 && covered > 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the prompt area does not show \"" << text << "\" in the prompt font: "
                                         << mismatch * 100 << "% of " << covered << " pixels differ";
}

::testing::AssertionResult FaceHighlighted(DesktopSession & session, std::string const & name)
{
    Scene::Entity const & face = session.Entity(name);
    Camera const & camera = session.Window().GetViewport().GetCamera();
    int dx = 0, dy = 0;
    Offset(session.Window().GetViewport().Canvas(), session.Window().Main(), dx, dy);
    g3d_Point centre;
    for (Vec3 const & c : face.corners) {
        g3d_Point const p = camera.ModelToPixel(c);
        centre.x += p.x / static_cast<float>(face.corners.size());
        centre.y += p.y / static_cast<float>(face.corners.size());
    }
    g3d_Point const label = ScenePainter::LabelOrigin(face, camera);
    int sampled = 0;
    for (Vec3 const & c : face.corners) {
        g3d_Point const corner = camera.ModelToPixel(c);
        int const x = static_cast<int>(centre.x + 0.6f * (corner.x - centre.x));
        int const y = static_cast<int>(centre.y + 0.6f * (corner.y - centre.y));
        // Clear of the label, which starts at its origin and reads to the right.
        if (x >= label.x - 4 && x <= label.x + 90 && y >= label.y - 24 && y <= label.y + 8)
            continue;
        ++sampled;
        if (!session.Shot().Is(dx + x, dy + y, ScenePainter::highlight)) {
            std::uint8_t const * p = session.Shot().At(dx + x, dy + y);
            return ::testing::AssertionFailure() << name << " at pixel (" << x << ", " << y << ") is " << int(p[0])
                                                 << "," << int(p[1]) << "," << int(p[2]) << ", not the highlight";
        }
    }
    if (sampled < 2)
        return ::testing::AssertionFailure() << name << " is too small on the screen to sample";
    return ::testing::AssertionSuccess();
}

double LabelMismatch(DesktopSession & session, std::string const & name)
{
    DesktopWindow & window = session.Window();
    unsigned const font = window.Fonts().Labels();
    cow_String file;
    float size = 0;
    if (font == fsp_FontServer::noFont || !Server().GetFontInfo(font, file, size) || file.Std().empty())
        return 1.0;
    // The screen's label: what has the label colours around its origin.
    Scene::Entity const & entity = session.Entity(name);
    Camera const & camera = window.GetViewport().GetCamera();
    g3d_Point const origin = ScenePainter::LabelOrigin(entity, camera);
    int dx = 0, dy = 0;
    Offset(window.GetViewport().Canvas(), window.Main(), dx, dy);
    float width = 0;
    for (unsigned char c : name) {
        unsigned count = 0;
        float * triangles = nullptr;
        width += Server().GetFill(font, c, count, &triangles) * window.Fonts().LabelScale();
    }
    InkMask screen;
    screen.x0 = dx + static_cast<int>(origin.x) - 4;
    screen.y0 = dy + static_cast<int>(origin.y) - 30;
    screen.width = static_cast<int>(width) + 8;
    screen.height = 42;
    screen.on.assign(static_cast<std::size_t>(screen.width * screen.height), false);
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x)
            screen.on[static_cast<std::size_t>(y * screen.width + x)] =
                session.Shot().Is(screen.x0 + x, screen.y0 + y, ScenePainter::labelFill);
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
    double const ppem = 100.0 * width / at100;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(ppem * 64)), 72, 72);
    InkMask rendered;
    rendered.width = screen.width + 16;
    rendered.height = screen.height;
    rendered.on.assign(static_cast<std::size_t>(rendered.width * rendered.height), false);
    int const baseline = 30;
    double pen = 4;
    for (unsigned char c : name) {
        if (FT_Load_Char(face, c, load))
            continue;
        FT_GlyphSlot g = face->glyph;
        double const whole = std::floor(pen);
        FT_Outline_Translate(&g->outline, static_cast<FT_Pos>(std::lround((pen - whole) * 64)), 0);
        if (!FT_Render_Glyph(g, FT_RENDER_MODE_NORMAL))
            for (unsigned row = 0; row < g->bitmap.rows; ++row)
                for (unsigned col = 0; col < g->bitmap.width; ++col) {
                    int const x = static_cast<int>(whole) + g->bitmap_left + static_cast<int>(col);
                    int const y = baseline - g->bitmap_top + static_cast<int>(row);
                    if (g->bitmap.buffer[row * static_cast<unsigned>(g->bitmap.pitch) + col] >= 128 && x >= 0 &&
                        y >= 0 && x < rendered.width && y < rendered.height)
                        rendered.on[static_cast<std::size_t>(y * rendered.width + x)] = true;
                }
        pen += g->linearHoriAdvance / 65536.0;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    int covered = 0;
    return Mismatch(screen, rendered, covered);
}
