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

char const * const fixedName = "-misc-fixed-medium-r-normal--20-200-75-75-c-100-iso8859-1";  // 10 pixels wide

class XFonts : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display: DISPLAY is not set (scripts/test runs the tests under xvfb-run)";
        // The virtual server of the tests now and then refuses a connection.
        for (int attempt = 0; attempt < 20 && !(display = XOpenDisplay(nullptr)); ++attempt)
            usleep(50000);
        ASSERT_NE(nullptr, display) << "cannot open the display " << std::getenv("DISPLAY");
        screen = DefaultScreen(display);
        auto memory = std::make_unique<win_MemoryRegistry>();
        memory->SetString(win_Hive::localMachine, win_fontsKey, "Foo (TrueType)",
                          "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
        win_SetRegistry(std::move(memory));
        Fonts().Init(display);
    }
    void TearDown() override
    {
        // The server frees its X fonts on the display, so it goes first.
        omi_Singleton<fsp_FontServer>::Finalize();
        win_SetRegistry(nullptr);
        if (font)
            XFreeFont(display, font);
        for (Pixmap pixmap : pixmaps)
            XFreePixmap(display, pixmap);
        if (gc)
            XFreeGC(display, gc);
        if (display)
            XCloseDisplay(display);
    }

    static fsp_FontServer & Fonts() { return omi_Singleton<fsp_FontServer>::Instance(); }
    static unsigned Load(char const * name) { return Fonts().LoadFont(name, 0, 0, false, false, false); }

    XFontStruct & Fixed()
    {
        if (!font && !(font = XLoadQueryFont(display, fixedName))) {
            ADD_FAILURE() << "the X server has no font " << fixedName << " (xfonts-base)";
            std::abort();
        }
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
        XImage * image = XGetImage(display, pixmap, 0, 0, width, height, AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        for (int y = 0; y < static_cast<int>(height); ++y) {
            for (int x = 0; x < static_cast<int>(width); ++x)
                pixels.push_back(XGetPixel(image, x, y));
        }
        XDestroyImage(image);
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
    XFontStruct * font = nullptr;
    std::vector<Pixmap> pixmaps;
    unsigned const width = 96;
    unsigned const height = 40;
};

TEST_F(XFonts, EveryGlyphIsTheCellTheServerDrawsWithTheFontsMetrics)
{
    XFontStruct & font = Fixed();
    fsp_XTextFont const glyphs(display, font);
    ASSERT_EQ(256u, glyphs.GlyphCount());
    for (unsigned char c : std::string("AgW|~ _j\xe9")) {
        g3d_Bitmap const & glyph = glyphs.Glyph(c);
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
    // A matrix font lacking the first row, the one single-byte text draws from, loads with empty glyphs.
    XFontStruct * const k14 = XLoadQueryFont(display, "-misc-fixed-medium-r-normal--14-130-75-75-c-140-jisx0208.1983-0");
    ASSERT_NE(nullptr, k14);
    EXPECT_EQ(256u, fsp_XTextFont(display, *k14).GlyphCount());
    XFreeFont(display, k14);
}

// A name without font file is served by the X server; an unknown one falls
// to the default font and then to any server font, and neither a name
// longer than the protocol carries nor a size beyond any screen (a scalable
// font's error would end the process) is ever sent.
TEST_F(XFonts, NamesWithoutFontFileAreServedByTheXServerWithinItsLimits)
{
    unsigned const handle = Load(fixedName);
    ASSERT_LT(handle, fsp_FontServer::slotCount);
    ASSERT_NE(nullptr, Fonts().GetXFontStruct(handle));
    cow_String file = "x";
    float size = 0.0f;
    EXPECT_TRUE(Fonts().GetFontInfo(handle, file, size));
    EXPECT_STREQ("", file.AsCharPtr());
    EXPECT_FLOAT_EQ(10.0f, size);  // the empty style field ends the reading before the point size
    fsp_XTextFont const glyphs(display, Fixed());
    EXPECT_EQ(glyphs.Glyph('Q'), Fonts().GetBitmap(handle, 'Q'));
    int const pixels = XTextWidth(&Fixed(), "Hello", 5);
    EXPECT_NEAR(float(pixels), Fonts().GetWidth(handle, "Hello", 0, 0), 1e-3f);
    float const doubled = 2.0f * fsp_FontServer::GetDisplayPixelsPerMM_X(display, 0);
    EXPECT_NEAR(2.0f * float(pixels), Fonts().GetWidth(handle, "Hello", doubled, 0), 1e-2f);
    EXPECT_NEAR(float(Fixed().ascent + Fixed().descent), Fonts().GetHeight(handle, "Hello", 0, 0), 1e-3f);

    std::string const huge = "-*-" + std::string(70000, 'h') + "-medium-r-normal-*-*-120-*";
    for (char const * fallen : {"-*-no such family-medium-r-normal-*-*-120-*-*-*-*-*-*", huge.c_str(),
                                "-*-*-*-*-*-*-20000-*-*-*-*-*-*-*", "-*-*-*-*-*-*-*-1200-100000-100000-*-*-*-*",
                                "-*-*-*-*-*-*-[~20000 0 0 20000]-*-*-*-*-*-*-*"}) {
        unsigned const slot = Load(fallen);
        ASSERT_LT(slot, fsp_FontServer::slotCount) << fallen;
        EXPECT_NE(nullptr, Fonts().GetXFontStruct(slot)) << fallen;
        EXPECT_FALSE(Fonts().ValidFontString(fallen, display)) << fallen;  // the slot has the name it fell to
    }
    // Outlines fall back to Courier, else the first catalogue font, never to the X server.
    unsigned const outlines = Fonts().LoadFont("-*-no such family-bold-i-normal-*-*-140-*", 0, 0, false, false, true);
    ASSERT_LT(outlines, fsp_FontServer::slotCount);
    EXPECT_EQ(nullptr, Fonts().GetXFontStruct(outlines));
    EXPECT_GT(Fonts().GetOutlineWidth(outlines, "A"), 0.0f);
}

TEST_F(XFonts, StringWithAnXFontDrawsTheTextUpToItsLength)
{
    unsigned const handle = Load(fixedName);
    Pixmap const byServer = Canvas(0);
    Pixmap const expected = Canvas(0);
    XSetForeground(display, gc, 0xffffff);
    Fonts().String(display, byServer, gc, handle, "ABC", 1, 10.7f, 20.9f);
    Fonts().String(display, byServer, gc, handle, cow_String("xy"), 40.0f, 30.0f);
    XSetFont(display, gc, Fixed().fid);
    XDrawString(display, expected, gc, 10, 20, "A", 1);
    XDrawString(display, expected, gc, 40, 30, "xy", 2);
    EXPECT_EQ(Pixels(expected), Pixels(byServer));
}

TEST_F(XFonts, StringWithAnOutlineFontColoursTheGlyphsAndLeavesTheRest)
{
    unsigned const handle = Load("-*-foo-medium-r-normal-*-*-140-*");
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
    ASSERT_TRUE(XGetGCValues(display, gc, GCFunction | GCForeground | GCBackground, &values));
    EXPECT_EQ(GXcopy, values.function);
    EXPECT_EQ(ink, values.foreground);
    EXPECT_EQ(0x00ff00ul, values.background);

}

}  // namespace
