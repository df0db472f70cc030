#include "fsp_XTextFont.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <memory>

g3d_Bitmap const fsp_XTextFont::m_bmDefaultChar;

namespace {

// Larger cells are no text font; the bound also keeps the pixmap request valid.
constexpr int kMaxCell = 4096;
constexpr unsigned kCodes = 256;  // single-byte text reaches codes 0 to 255 only

class PixmapHolder {
public:
    PixmapHolder(Display * display, Pixmap pixmap) : display(display), pixmap(pixmap) {}
    ~PixmapHolder()
    {
        if (pixmap != 0)
            XFreePixmap(display, pixmap);
    }
    PixmapHolder(PixmapHolder const &) = delete;
    PixmapHolder & operator=(PixmapHolder const &) = delete;
    Pixmap Get() const { return pixmap; }

private:
    Display * display;
    Pixmap pixmap;
};

struct GCCloser {
    Display * display;
    void operator()(_XGC * gc) const { XFreeGC(display, gc); }
};

struct ImageCloser {
    void operator()(XImage * image) const { XDestroyImage(image); }
};

// The advance of code `c` of a font whose first row holds single-byte text.
int CharWidth(XFontStruct const & font, unsigned c)
{
    if (!font.per_char)
        return font.min_bounds.width;
    return font.per_char[c - font.min_char_or_byte2].width;
}

}  // namespace

fsp_XTextFont::fsp_XTextFont(_XDisplay * display, XFontStruct const & font) : fontStruct(&font)
{
    if (!display)
        return;
    // The cell spans the widest reach of any glyph on either side of the pen.
    int const width = font.max_bounds.rbearing - font.min_bounds.lbearing;
    int const height = font.max_bounds.ascent + font.max_bounds.descent;
    if (width <= 0 || height <= 0 || width > kMaxCell || height > kMaxCell)
        return;
    int const screen = DefaultScreen(display);
    PixmapHolder pixmap(display, XCreatePixmap(display, RootWindow(display, screen), static_cast<unsigned>(width),
                                               static_cast<unsigned>(height),
                                               static_cast<unsigned>(DefaultDepth(display, screen))));
    if (pixmap.Get() == 0)
        return;
    std::unique_ptr<_XGC, GCCloser> gc(XCreateGC(display, pixmap.Get(), 0, nullptr), GCCloser{display});
    if (!gc)
        return;
    XSetFont(display, gc.get(), font.fid);
    if (!Load(display, height, pixmap.Get(), gc.get()))
        glyphs.clear();
}

bool fsp_XTextFont::Load(_XDisplay * display, int height, Pixmap pixmap, _XGC * gc)
{
    XFontStruct const & font = *fontStruct;
    int const left = font.min_bounds.lbearing;
    int const width = font.max_bounds.rbearing - left;
    int const rows = std::min(height, font.ascent + font.descent);
    if (rows <= 0)
        return false;
    glyphs.assign(kCodes, g3d_Bitmap());
    // Single-byte text draws from the first row of a matrix font; a font
    // without that row has no glyph for it.
    if (font.min_byte1 != 0)
        return true;
    unsigned const last = std::min(font.max_char_or_byte2, kCodes - 1);
    for (unsigned c = font.min_char_or_byte2; c <= last; ++c) {
        XSetForeground(display, gc, 0);
        XFillRectangle(display, pixmap, gc, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
        XSetForeground(display, gc, ~0UL);
        char const code = static_cast<char>(c);
        // Drawn right of its left bearing, so a glyph reaching left of the pen
        // is not cut; the offset below puts it back.
        XDrawString(display, pixmap, gc, -left, font.ascent, &code, 1);
        std::unique_ptr<XImage, ImageCloser> image(
            XGetImage(display, pixmap, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(rows), 0xff, ZPixmap));
        if (!image)
            return false;
        g3d_Bitmap & glyph = glyphs[c];
        glyph.SetSize((width + 7) / 8 * 8, rows, true);
        glyph.xOffset = static_cast<float>(left);
        glyph.yOffset = static_cast<float>(font.descent);
        glyph.xAdvance = static_cast<float>(CharWidth(font, c));
        glyph.yAdvance = 0.0f;
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < width; ++x) {
                if (XGetPixel(image.get(), x, y) != 0)
                    glyph.SetPixel(x, rows - 1 - y, true);
            }
        }
    }
    return true;
}

g3d_Bitmap const & fsp_XTextFont::Glyph(unsigned char c) const
{
    if (glyphs.empty())
        return m_bmDefaultChar;
    return c < glyphs.size() ? glyphs[c] : glyphs[0];
}
