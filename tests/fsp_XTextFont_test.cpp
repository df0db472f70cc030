// X server fonts: their glyphs as bitmaps, the font server's fallback to them,
// and text drawn into X drawables. Needs an X display with the fonts of
// xfonts-base (scripts/test provides one through xvfb-run).
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fsp_FontServer.h"
#include "fsp_XTextFont.h"
#include "win_Registry.h"

namespace {

std::string const dejavu = "/usr/share/fonts/truetype/dejavu/";
std::string const liberation = "/usr/share/fonts/truetype/liberation/";
char const * const fixedName = "-misc-fixed-medium-r-semicondensed--13-120-75-75-c-60-iso8859-1";

// A display connection; the virtual server of the tests now and then refuses a
// connection, so a few attempts are made.
Display * OpenDisplay()
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (Display * display = XOpenDisplay(nullptr))
            return display;
        usleep(50000);
    }
    return nullptr;
}

struct ImageCloser {
    void operator()(XImage * image) const { XDestroyImage(image); }
};

class XFonts : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display: DISPLAY is not set (scripts/test runs the tests under xvfb-run)";
        display = OpenDisplay();
        ASSERT_NE(nullptr, display) << "cannot open the display " << std::getenv("DISPLAY");
        screen = DefaultScreen(display);
        auto memory = std::make_unique<win_MemoryRegistry>();
        registry = memory.get();
        win_SetRegistry(std::move(memory));
    }
    void TearDown() override
    {
        // The server frees its X fonts on the display, so it goes first.
        omi_Singleton<fsp_FontServer>::Finalize();
        win_SetRegistry(nullptr);
        for (XFontStruct * font : fonts)
            XFreeFont(display, font);
        for (Pixmap pixmap : pixmaps)
            XFreePixmap(display, pixmap);
        if (gc)
            XFreeGC(display, gc);
        if (display)
            XCloseDisplay(display);
    }

    static fsp_FontServer & Fonts() { return omi_Singleton<fsp_FontServer>::Instance(); }

    XFontStruct & Query(char const * name)
    {
        XFontStruct * font = XLoadQueryFont(display, name);
        if (!font) {
            ADD_FAILURE() << "the X server has no font " << name << " (xfonts-base)";
            std::abort();
        }
        fonts.push_back(font);
        return *font;
    }
    // A pixmap filled with `pixel`, and the test's context on it.
    Pixmap Canvas(unsigned long pixel)
    {
        Pixmap const pixmap = XCreatePixmap(display, RootWindow(display, screen), width, height,
                                            static_cast<unsigned>(DefaultDepth(display, screen)));
        pixmaps.push_back(pixmap);
        if (!gc)
            gc = XCreateGC(display, pixmap, 0, nullptr);
        XSetFunction(display, gc, GXcopy);
        XSetForeground(display, gc, pixel);
        XFillRectangle(display, pixmap, gc, 0, 0, width, height);
        return pixmap;
    }
    std::vector<unsigned long> Pixels(Pixmap pixmap)
    {
        std::unique_ptr<XImage, ImageCloser> image(XGetImage(display, pixmap, 0, 0, width, height, AllPlanes, ZPixmap));
        std::vector<unsigned long> pixels;
        for (int y = 0; y < static_cast<int>(height); ++y) {
            for (int x = 0; x < static_cast<int>(width); ++x)
                pixels.push_back(XGetPixel(image.get(), x, y));
        }
        return pixels;
    }
    // The pixels `glyphs` cover when each is placed as the bitmap metrics say,
    // starting at the pen position (x, y).
    std::vector<bool> Cover(std::vector<g3d_Bitmap> const & glyphs, float x, float y)
    {
        std::vector<bool> covered(width * height, false);
        for (g3d_Bitmap const & glyph : glyphs) {
            int const left = static_cast<int>(x + glyph.xOffset);
            int const top = static_cast<int>(y + glyph.yOffset - static_cast<float>(glyph.Height()));
            for (int row = 0; glyph.HasPixels() && row < glyph.Height(); ++row) {
                for (int column = 0; column < glyph.Width(); ++column) {
                    int const px = left + column, py = top + (glyph.Height() - 1 - row);
                    if (glyph.Pixel(column, row) && px >= 0 && py >= 0 && px < int(width) && py < int(height))
                        covered[static_cast<std::size_t>(py) * width + static_cast<std::size_t>(px)] = true;
                }
            }
            x += glyph.xAdvance;
            y += glyph.yAdvance;
        }
        return covered;
    }

    Display * display = nullptr;
    int screen = 0;
    GC gc = nullptr;
    win_MemoryRegistry * registry = nullptr;
    std::vector<XFontStruct *> fonts;
    std::vector<Pixmap> pixmaps;
    unsigned const width = 96;
    unsigned const height = 40;
};

TEST_F(XFonts, EveryGlyphIsTheCellTheServerDrawsWithTheFontsMetrics)
{
    XFontStruct & font = Query(fixedName);
    fsp_XTextFont const glyphs(display, font);
    ASSERT_EQ(256u, glyphs.GlyphCount());
    for (unsigned char c : std::string("AgW|~ _j")) {
        g3d_Bitmap const & glyph = glyphs.Glyph(c);
        EXPECT_EQ(0, glyph.Width() % 8);
        EXPECT_GE(glyph.Width(), font.max_bounds.rbearing - font.min_bounds.lbearing);
        EXPECT_EQ(font.ascent + font.descent, glyph.Height());
        EXPECT_EQ(static_cast<float>(font.descent), glyph.yOffset);
        EXPECT_EQ(static_cast<float>(XTextWidth(&font, reinterpret_cast<char const *>(&c), 1)), glyph.xAdvance);
        EXPECT_EQ(0.0f, glyph.yAdvance);

        Pixmap const drawn = Canvas(0);
        XSetForeground(display, gc, 1);
        XSetFont(display, gc, font.fid);
        XDrawString(display, drawn, gc, 10, 25, reinterpret_cast<char const *>(&c), 1);
        std::vector<unsigned long> const pixels = Pixels(drawn);
        std::vector<bool> const covered = Cover({glyph}, 10.0f, 25.0f);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            ASSERT_EQ(pixels[i] != 0, covered[i]) << "code " << int(c) << " at " << i % width << "," << i / width;
    }
    EXPECT_FALSE(glyphs.Glyph(' ').Pixels().empty());
    EXPECT_EQ(std::vector<std::uint8_t>(glyphs.Glyph(' ').Pixels().size(), 0), glyphs.Glyph(' ').Pixels());
}

TEST_F(XFonts, AFontEndingAtCode127StillHas256SlotsWithTheRestEmpty)
{
    XFontStruct & font = Query("-schumacher-clean-medium-r-normal--10-100-75-75-c-50-iso646.1991-irv");
    ASSERT_EQ(127u, font.max_char_or_byte2) << "the test needs a font whose highest code is 127";
    fsp_XTextFont const glyphs(display, font);
    ASSERT_EQ(256u, glyphs.GlyphCount());
    EXPECT_TRUE(glyphs.Glyph('A').HasPixels());
    for (unsigned c = 128; c < 256; ++c) {
        EXPECT_EQ(0, glyphs.Glyph(static_cast<unsigned char>(c)).Width()) << c;
        EXPECT_FALSE(glyphs.Glyph(static_cast<unsigned char>(c)).HasPixels()) << c;
    }
}

TEST_F(XFonts, WithoutADisplayEveryGlyphIsTheSharedDefault)
{
    fsp_XTextFont const glyphs(nullptr, Query(fixedName));
    EXPECT_EQ(0u, glyphs.GlyphCount());
    EXPECT_EQ(&fsp_XTextFont::m_bmDefaultChar, &glyphs.Glyph('A'));
    EXPECT_EQ(&fsp_XTextFont::m_bmDefaultChar, &glyphs.Glyph(0));
}

TEST_F(XFonts, ANameWithoutFontFileIsServedByTheXServer)
{
    Fonts().Init(display);
    unsigned const handle = Fonts().LoadFont(fixedName, 0, 0, false, false, false);
    ASSERT_LT(handle, fsp_FontServer::slotCount);
    XFontStruct const * font = Fonts().GetXFontStruct(handle);
    ASSERT_NE(nullptr, font);
    cow_String file = "x";
    float size = 0.0f;
    EXPECT_TRUE(Fonts().GetFontInfo(handle, file, size));
    EXPECT_STREQ("", file.AsCharPtr());
    EXPECT_FLOAT_EQ(10.0f, size);  // the empty style field ends the reading before the point size

    XFontStruct & own = Query(fixedName);
    fsp_XTextFont const glyphs(display, own);
    EXPECT_EQ(glyphs.Glyph('Q'), Fonts().GetBitmap(handle, 'Q'));
    EXPECT_EQ(glyphs.Glyph(200), Fonts().GetBitmap(handle, 200));
    int const pixels = XTextWidth(&own, "Hello", 5);
    EXPECT_NEAR(float(pixels), Fonts().GetWidth(handle, "Hello", 0, 0), 1e-3f);
    float const doubled = 2.0f * fsp_FontServer::GetDisplayPixelsPerMM_X(display, 0);
    EXPECT_NEAR(2.0f * float(pixels), Fonts().GetWidth(handle, "Hello", doubled, 0), 1e-2f);
    EXPECT_NEAR(float(own.ascent + own.descent), Fonts().GetHeight(handle, "Hello", 0, 0), 1e-3f);
    EXPECT_TRUE(Fonts().ValidFontString("fixed", nullptr));
    EXPECT_FALSE(Fonts().ValidFontString("-*-no such family-*-*-*-*-*-*-*-*-*-*-*-*", display));
}

TEST_F(XFonts, AnUnknownNameFallsBackToTheDefaultFontAndThenToAnyServerFont)
{
    Fonts().Init(display);
    char const * unknown = "-*-no such family-medium-r-normal-*-*-120-*-*-*-*-*-*";
    unsigned const handle = Fonts().LoadFont(unknown, 0, 0, false, false, false);
    ASSERT_LT(handle, fsp_FontServer::slotCount);
    EXPECT_NE(nullptr, Fonts().GetXFontStruct(handle));
    EXPECT_FALSE(Fonts().ValidFontString(unknown, nullptr));  // the slot carries the name of the font it fell to
    // A name longer than the protocol can carry is never sent.
    std::string const huge = "-*-" + std::string(70000, 'h') + "-medium-r-normal-*-*-120-*";
    EXPECT_LT(Fonts().LoadFont(huge.c_str(), 0, 0, false, false, false), fsp_FontServer::slotCount);
    EXPECT_FALSE(Fonts().ValidFontString(huge.c_str(), display));
    // Nor is a size beyond any screen: the X server would answer a scalable
    // font with an error that ends the process.
    for (char const * oversized : {"-*-*-*-*-*-*-20000-*-*-*-*-*-*-*", "-*-*-*-*-*-*-*-1200-100000-100000-*-*-*-*",
                                   "-*-*-*-*-*-*-[~20000 0 0 20000]-*-*-*-*-*-*-*"}) {
        unsigned const fallen = Fonts().LoadFont(oversized, 0, 0, false, false, false);
        ASSERT_LT(fallen, fsp_FontServer::slotCount) << oversized;
        EXPECT_NE(nullptr, Fonts().GetXFontStruct(fallen)) << oversized;
        EXPECT_FALSE(Fonts().ValidFontString(oversized, display)) << oversized;
    }
}

TEST_F(XFonts, WithADisplayOutlinesFallBackToCourierAndNeverToTheXServer)
{
    registry->SetString(win_Hive::localMachine, win_fontsKey, "Courier (TrueType)",
                        liberation + "LiberationMono-Regular.ttf");
    Fonts().Init(display);
    unsigned const handle = Fonts().LoadFont("-*-no such family-bold-i-normal-*-*-140-*", 0, 0, false, false, true);
    ASSERT_LT(handle, fsp_FontServer::slotCount);
    cow_String file;
    float size = 0.0f;
    Fonts().GetFontInfo(handle, file, size);
    EXPECT_EQ(liberation + "LiberationMono-Regular.ttf", file.AsCharPtr());
    EXPECT_FLOAT_EQ(10.0f, size);
    EXPECT_EQ(nullptr, Fonts().GetXFontStruct(handle));
    // With a display, an unknown family is no courier request: the X server
    // serves bitmap requests.
    unsigned const bitmaps = Fonts().LoadFont("-*-fixed-medium-r-normal-*-*-120-*", 0, 0, false, false, false);
    EXPECT_NE(nullptr, Fonts().GetXFontStruct(bitmaps));
}

TEST_F(XFonts, StringWithAnXFontDrawsTheTextUpToItsLength)
{
    Fonts().Init(display);
    unsigned const handle = Fonts().LoadFont(fixedName, 0, 0, false, false, false);
    XFontStruct & font = Query(fixedName);
    Pixmap const byServer = Canvas(0);
    Pixmap const expected = Canvas(0);
    XSetForeground(display, gc, 0xffffff);
    Fonts().String(display, byServer, gc, handle, "ABC", 1, 10.7f, 20.9f);
    Fonts().String(display, byServer, gc, handle, cow_String("xy"), 40.0f, 30.0f);
    XSetFont(display, gc, font.fid);
    XDrawString(display, expected, gc, 10, 20, "A", 1);
    XDrawString(display, expected, gc, 40, 30, "xy", 2);
    EXPECT_EQ(Pixels(expected), Pixels(byServer));
}

TEST_F(XFonts, StringWithAnOutlineFontColoursTheGlyphsAndLeavesTheRest)
{
    registry->SetString(win_Hive::localMachine, win_fontsKey, "Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    Fonts().Init(display);
    unsigned const handle = Fonts().LoadFont("-*-foo-medium-r-normal-*-*-140-*", 0, 0, false, false, false);
    ASSERT_EQ(nullptr, Fonts().GetXFontStruct(handle));
    unsigned long const paper = 0x123456, ink = 0xff0000;
    Pixmap const canvas = Canvas(paper);
    XSetForeground(display, gc, ink);
    XSetBackground(display, gc, 0x00ff00);
    Fonts().String(display, canvas, gc, handle, "H g\0ignored", 11, 5.0f, 28.0f);
    std::vector<g3d_Bitmap> const glyphs = {Fonts().GetBitmap(handle, 'H'), Fonts().GetBitmap(handle, ' '),
                                            Fonts().GetBitmap(handle, 'g')};
    std::vector<bool> const covered = Cover(glyphs, 5.0f, 28.0f);
    std::vector<unsigned long> const pixels = Pixels(canvas);
    int inked = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        ASSERT_EQ(covered[i] ? ink : paper, pixels[i]) << i % width << "," << i / width;
        inked += covered[i];
    }
    EXPECT_GT(inked, 20);
    XGCValues values;
    ASSERT_TRUE(XGetGCValues(display, gc, GCFunction | GCForeground | GCBackground | GCPlaneMask, &values));
    EXPECT_EQ(GXcopy, values.function);
    EXPECT_EQ(ink, values.foreground);
    EXPECT_EQ(0x00ff00ul, values.background);
}

TEST_F(XFonts, ExclusiveOrTextDrawnTwiceRestoresTheDrawable)
{
    registry->SetString(win_Hive::localMachine, win_fontsKey, "Foo (TrueType)", dejavu + "DejaVuSans-Bold.ttf");
    Fonts().Init(display);
    unsigned const handle = Fonts().LoadFont("-*-foo-bold-r-normal-*-*-160-*", 0, 0, false, false, false);
    Pixmap const canvas = Canvas(0x2040a0);
    XSetForeground(display, gc, 0x00ff00);
    XFillRectangle(display, canvas, gc, 0, 0, width / 2, height);  // not one colour everywhere
    std::vector<unsigned long> const before = Pixels(canvas);
    XSetFunction(display, gc, GXxor);
    XSetForeground(display, gc, 0xffffff);
    XSetBackground(display, gc, 0x777777);
    Fonts().String(display, canvas, gc, handle, "Xor", 3, 8.0f, 30.0f);
    std::vector<unsigned long> const once = Pixels(canvas);
    EXPECT_NE(before, once);
    for (std::size_t i = 0; i < once.size(); ++i)
        ASSERT_TRUE(once[i] == before[i] || once[i] == (before[i] ^ 0xffffff)) << i;
    Fonts().String(display, canvas, gc, handle, "Xor", 3, 8.0f, 30.0f);
    EXPECT_EQ(before, Pixels(canvas));
    XGCValues values;
    ASSERT_TRUE(XGetGCValues(display, gc, GCFunction | GCBackground, &values));
    EXPECT_EQ(GXxor, values.function);
    EXPECT_EQ(0x777777ul, values.background);
}

TEST_F(XFonts, StringDoesNothingWithoutDisplayOrForAFreeSlot)
{
    Fonts().Init(display);
    Pixmap const canvas = Canvas(0x445566);
    std::vector<unsigned long> const before = Pixels(canvas);
    Fonts().String(nullptr, canvas, gc, 0, "text", 4, 10.0f, 20.0f);
    Fonts().String(display, canvas, gc, 7, "text", 4, 10.0f, 20.0f);
    Fonts().String(display, canvas, gc, 0, "text", -4, 10.0f, 20.0f);
    unsigned const handle = Fonts().LoadFont(fixedName, 0, 0, false, false, false);
    Fonts().String(display, canvas, gc, handle, "text", 0, 10.0f, 20.0f);
    Fonts().String(display, canvas, gc, handle, "text", 4, 1e30f, -1e30f);  // far off: clipped, no overflow
    EXPECT_EQ(before, Pixels(canvas));
}

}  // namespace
