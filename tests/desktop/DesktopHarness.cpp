#include "DesktopHarness.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

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

void RecordingStrategy::SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData)
{
    std::string const name = !callback ? "null" : callback == &modC_Procedure::OptionDataCB ? "OptionDataCB" : "callback";
    Log("SetOptionCallback(" + std::to_string(optNum) + ", " + Quote(label) + ", " + name + ")");
    inner.SetOptionCallback(optNum, label, callback, clientData);
}

void RecordingStrategy::SetOption(int optNum, char const * name, char const * label)
{
    Log("SetOption(" + std::to_string(optNum) + ", " + Quote(name) + ", " + Quote(label) + ")");
    inner.SetOption(optNum, name, label);
}

void RecordingStrategy::VerifyPreReq(modC_ModePreReq * preReq) const
{
    Log("VerifyPreReq(" + std::string(preReq->GetMode()->ModeName().AsCharPtr()) + ")");
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

fsp_FontServer & Server()
{
    return omi_Singleton<fsp_FontServer>::Instance();
}

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
    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && on[std::size_t(y * width + x)]; }
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
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
        return right >= 0;
    }
};

// Differing pixels over covered pixels of two masks laid over each other by
// the top left corners of their ink; 1 when either has none.
double Mismatch(InkMask const & a, InkMask const & b, int & covered)
{
    int al, at, ar, ab, bl, bt, br, bb, differ = 0;
    covered = 0;
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

Action DesktopSession::ClickModel(Vec3 at)
{
    return [this, at] {
        g3d_Point const p = Pixel(at);
        driver->Click(window->GetViewport().Canvas(), static_cast<int>(p.x), static_cast<int>(p.y));
    };
}

Action DesktopSession::DragAround(std::vector<std::string> names)
{
    return [this, names] {
        float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
        for (std::string const & name : names)
            for (Vec3 const & c : Entity(name).corners) {
                g3d_Point const p = Pixel(c);
                x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
            }
        int const margin = 10;  // pixels clear of the entities
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
        ::testing::TestInfo const * info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string file = std::string(info->test_suite_name()) + "." + info->name() + "-" + name + ".png";
        std::replace(file.begin(), file.end(), '/', '_');
        std::filesystem::create_directories("desktop_screenshots");
        std::string error;
        EXPECT_TRUE(shot.WritePng("desktop_screenshots/" + file, error)) << error;
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

double LabelMismatch(DesktopSession & session, std::string const & name)
{
    unsigned const font = session.Window().Fonts().Labels();
    cow_String file;
    float size = 0;
    if (font == fsp_FontServer::noFont || !Server().GetFontInfo(font, file, size) || file.Std().empty())
        return 1.0;
    // The screen's label: what has the label colour around its origin.
    g3d_Point const origin = ScenePainter::LabelOrigin(session.Entity(name), session.Window().GetViewport().GetCamera());
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
    int covered = 0;
    return Mismatch(screen, rendered, covered);
}
