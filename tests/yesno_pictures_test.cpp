// The yes/no step's picture buttons made for real on the X display of a FOX
// application: XPM images with their transparent pixels in the mode
// context's background, bitmaps in its foreground and background, 0 for a
// picture that cannot be made, and every pixmap freed with the step.
// Needs an X display (the test scripts run under xvfb-run); without one each
// test is skipped with a message. The path without a display is covered in
// yesno_step_test.
#include <gtest/gtest.h>

#include <fx.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "StepSession.h"
#include "modC_YesNoStep.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// FOX's application keeps fontconfig's process-wide state, which is never
// released; that is not this library's memory.
extern "C" char const * __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

// Counts the X errors raised while it lives instead of letting them end the test.
struct XErrorTrap {
    explicit XErrorTrap(Display * display) : display(display)
    {
        XSync(display, False);
        errors = 0;
        previous = XSetErrorHandler([](Display *, XErrorEvent *) { return ++errors, 0; });
    }
    ~XErrorTrap() { XSetErrorHandler(previous); }
    // The errors so far, after the server has handled every request.
    int Errors() { return XSync(display, False), errors; }

    static int errors;
    Display * display;
    int (*previous)(Display *, XErrorEvent *);
};
int XErrorTrap::errors = 0;

class PicturesTest : public testing::Test {
protected:
    void SetUp() override
    {
        char const * name = std::getenv("DISPLAY");
        if (!name || !*name)
            GTEST_SKIP() << "no X display: run under xvfb-run to test the picture buttons";
        app.reset(new FX::FXApp("yesno_pictures_test", "QELmodC"));
        int argc = 1;
        char program[] = "yesno_pictures_test";
        char * argv[] = {program, nullptr};
        app->init(argc, argv);
        app->create();
        display = static_cast<Display *>(app->getDisplay());
        ASSERT_NE(nullptr, display);
        screen = DefaultScreen(display);
        background = WhitePixel(display, screen);
        foreground = BlackPixel(display, screen);
        session.reset(new StepSession("Extrude"));
        session->strategy.SetColors(background, foreground);
    }

    void TearDown() override
    {
        // Steps before the application that owns their display.
        session.reset();
        app.reset();
    }

    // The width, height and depth of a live pixmap; all 0 when `pixmap` names none.
    std::vector<unsigned int> GeometryOf(unsigned long pixmap)
    {
        XErrorTrap trap(display);
        Window root = 0;
        int x = 0, y = 0;
        unsigned int width = 0, height = 0, border = 0, depth = 0;
        if (!XGetGeometry(display, pixmap, &root, &x, &y, &width, &height, &border, &depth) || trap.Errors())
            return {0, 0, 0};
        return {width, height, depth};
    }

    std::vector<std::vector<unsigned long>> Pixels(unsigned long pixmap, unsigned int width, unsigned int height)
    {
        XImage * image = XGetImage(display, pixmap, 0, 0, width, height, AllPlanes, ZPixmap);
        std::vector<std::vector<unsigned long>> rows(height, std::vector<unsigned long>(width));
        for (unsigned int y = 0; y < height; ++y)
            for (unsigned int x = 0; x < width; ++x)
                rows[y][x] = XGetPixel(image, static_cast<int>(x), static_cast<int>(y));
        XDestroyImage(image);
        return rows;
    }

    unsigned int RootDepth() const { return static_cast<unsigned int>(DefaultDepth(display, screen)); }

    std::unique_ptr<FX::FXApp> app;
    std::unique_ptr<StepSession> session;
    Display * display = nullptr;
    int screen = 0;
    unsigned long background = 0;
    unsigned long foreground = 0;
};

// 3 x 2: a red pixel, a transparent one, red; then transparent, red, transparent.
char const * const checker[] = {"3 2 2 1", "r c #FF0000", "  c None", "r r", " r "};
char const * const blue[] = {"2 2 1 1", "b c #0000FF", "bb", "bb"};
char const * const broken[] = {"this is no image"};

TEST_F(PicturesTest, XpmTransparencyIsTheBackgroundAndBitmapsAreDrawnInTheForeground)
{
    ScriptedProcedure & p = *session->procedure;
    char ** images[] = {const_cast<char **>(checker), const_cast<char **>(blue)};
    auto * step = new modC_YesNoStep(&p, 2, images, 0, modC_Button1, true);
    unsigned long const first = step->Pixmap(0);
    unsigned long const second = step->Pixmap(1);
    ASSERT_NE(0u, first);
    ASSERT_NE(0u, second);
    EXPECT_NE(first, second);

    EXPECT_EQ((std::vector<unsigned int>{3, 2, RootDepth()}), GeometryOf(first));
    EXPECT_EQ(2u, GeometryOf(second)[0]);

    auto const pixels = Pixels(first, 3, 2);
    unsigned long const red = pixels[0][0];
    EXPECT_NE(background, red);
    EXPECT_EQ((std::vector<unsigned long>{red, background, red}), pixels[0]);
    EXPECT_EQ((std::vector<unsigned long>{background, red, background}), pixels[1]);

    p.Execute(*step);
    EXPECT_EQ("MakeImageChoiceMethod([" + std::to_string(first) + ", " + std::to_string(second) +
                  "], 2, 1, true) -> imageChoice1",
              session->log.Take().at(2));
    session->factory.LastChoice()->Press(1);
    EXPECT_EQ(modC_Button2, step->DefaultButton());
    session->log.Take();

    // Bitmaps: two rows of eight pixels, the first bit of each byte leftmost.
    char left[] = {0x0F, static_cast<char>(0xF0)};
    char right[] = {static_cast<char>(0x80), 0x01};
    char * bitmaps[] = {left, right};
    auto * drawn = new modC_YesNoStep(&p, 2, bitmaps, 8, 2, 0, modC_NoDefaultButton, false);
    ASSERT_NE(0u, drawn->Pixmap(0));
    ASSERT_NE(0u, drawn->Pixmap(1));
    EXPECT_EQ((std::vector<unsigned int>{8, 2, RootDepth()}), GeometryOf(drawn->Pixmap(0)));

    unsigned long const f = foreground, b = background;
    auto const bits = Pixels(drawn->Pixmap(0), 8, 2);
    EXPECT_EQ((std::vector<unsigned long>{f, f, f, f, b, b, b, b}), bits[0]);
    EXPECT_EQ((std::vector<unsigned long>{b, b, b, b, f, f, f, f}), bits[1]);
    auto const other = Pixels(drawn->Pixmap(1), 8, 2);
    EXPECT_EQ((std::vector<unsigned long>{b, b, b, b, b, b, b, f}), other[0]);
    EXPECT_EQ((std::vector<unsigned long>{f, b, b, b, b, b, b, b}), other[1]);

    p.Execute(*drawn);
    EXPECT_EQ("MakeImageChoiceMethod([" + std::to_string(drawn->Pixmap(0)) + ", " +
                  std::to_string(drawn->Pixmap(1)) + "], 2, -1, false) -> imageChoice2",
              session->log.Take().at(2));
}

TEST_F(PicturesTest, APictureThatCannotBeMadeIs0AndTheStepStillRuns)
{
    ScriptedProcedure & p = *session->procedure;
    char ** images[] = {const_cast<char **>(broken), nullptr, const_cast<char **>(blue)};
    XErrorTrap trap(display);
    auto * fromXpm = new modC_YesNoStep(&p, 3, images, 0, modC_Button1, false);
    EXPECT_EQ(0u, fromXpm->Pixmap(0));
    EXPECT_EQ(0u, fromXpm->Pixmap(1));
    EXPECT_NE(0u, fromXpm->Pixmap(2));

    char bits[] = {0x01};
    char * bitmaps[] = {bits, nullptr};
    auto const empty = std::make_unique<modC_YesNoStep>(&p, 2, bitmaps, 0, 1, 0, modC_Button1, false);
    auto const missing = std::make_unique<modC_YesNoStep>(&p, 2, bitmaps, 8, 1, 0, modC_Button1, false);
    EXPECT_EQ(0u, empty->Pixmap(0));
    EXPECT_EQ(0u, empty->Pixmap(1));
    EXPECT_NE(0u, missing->Pixmap(0));
    EXPECT_EQ(0u, missing->Pixmap(1));
    EXPECT_EQ(0, trap.Errors()) << "no request the server refused";

    p.Execute(*fromXpm);
    EXPECT_EQ("MakeImageChoiceMethod([0, 0, " + std::to_string(fromXpm->Pixmap(2)) +
                  "], 3, 1, false) -> imageChoice1",
              session->log.Take().at(2));
    session->factory.LastChoice()->Press(2);
    EXPECT_EQ("StepTerminatedHook(step)", session->log.Take().back());
}

TEST_F(PicturesTest, ThePixmapsAreFreedWithTheStepAndOnlyThen)
{
    ScriptedProcedure & p = *session->procedure;
    char ** images[] = {const_cast<char **>(checker), const_cast<char **>(blue)};
    auto * kept = new modC_YesNoStep(&p, 2, images, 0, modC_Button1, false);
    p.Execute(*kept);
    session->factory.LastChoice()->Press(0);
    kept->Cancel();
    EXPECT_EQ(3u, GeometryOf(kept->Pixmap(0))[0]) << "terminating or cancelling keeps the pictures";

    std::vector<unsigned long> made;
    {
        char bits[] = {0x01};
        char * bitmaps[] = {bits, bits};
        modC_YesNoStep step(&p, 2, bitmaps, 8, 1, 0, modC_Button1, false);
        made = {step.Pixmap(0), step.Pixmap(1)};
        ASSERT_EQ(8u, GeometryOf(made[0])[0]);
        step.Execute(&session->factory, &p);
    }  // destroyed while showing its buttons
    EXPECT_EQ("imageChoice2 deleted", session->log.Take().back());
    EXPECT_EQ(0u, GeometryOf(made[0])[0]);
    EXPECT_EQ(0u, GeometryOf(made[1])[0]);

    unsigned long const first = kept->Pixmap(0);
    session->procedure.reset();  // the step stack destroys the step
    EXPECT_EQ(0u, GeometryOf(first)[0]);
}

}  // namespace
