// Drawing text of a loaded font into an X drawable: with the X server font
// when the slot has one, else glyph by glyph from the font's bitmaps.
#include "fsp_FontServer.h"

#include <cstring>
#include <vector>

#include "fsp_FontTable.h"

namespace {

// A position as X draws at it: 16 bits, clamped, and 0 for NaN.
int Coordinate(float value)
{
    if (!(value > -32768.0f))
        return value != value ? 0 : -32768;
    return value < 32767.0f ? static_cast<int>(value) : 32767;
}

}  // namespace

void fsp_FontServer::String(_XDisplay * xDisplay, unsigned long drawable, _XGC * gc, unsigned handle,
                            char const * text, int length, float x, float y)
{
    if (!xDisplay || !gc || !text || length <= 0)
        return;
    XFontEntry const * const entry = Slot(handle);
    if (!entry)
        return;
    int const count = static_cast<int>(strnlen(text, static_cast<std::size_t>(length)));
    if (entry->fontStruct) {
        XSetFont(xDisplay, gc, entry->fontStruct->fid);
        XDrawString(xDisplay, drawable, gc, Coordinate(x), Coordinate(y), text, count);
        return;
    }
    XGCValues saved;
    if (!XGetGCValues(xDisplay, gc, GCFunction | GCPlaneMask | GCForeground | GCBackground, &saved)) {
        int const screen = DefaultScreen(xDisplay);
        saved.function = GXcopy;
        saved.plane_mask = AllPlanes;
        saved.foreground = WhitePixel(xDisplay, screen);
        saved.background = BlackPixel(xDisplay, screen);
    }
    bool const exclusiveOr = saved.function == GXxor;
    if (exclusiveOr)
        XSetBackground(xDisplay, gc, 0);
    std::vector<char> scratch;
    for (int i = 0; i < count; ++i) {
        g3d_Bitmap const & glyph = GetBitmap(handle, static_cast<unsigned char>(text[i]));
        int const width = glyph.Width();
        int const height = glyph.Height();
        if (glyph.HasPixels() && width > 0 && height > 0) {
            std::size_t const rowBytes = static_cast<std::size_t>(glyph.BytesPerRow());
            std::size_t const needed = rowBytes * static_cast<std::size_t>(height);
            if (scratch.size() < needed)
                scratch.resize(2 * needed);
            // X wants the top row first.
            for (int row = 0; row < height; ++row)
                std::memcpy(scratch.data() + static_cast<std::size_t>(row) * rowBytes, glyph.Row(height - 1 - row),
                            rowBytes);
            XImage image{};
            image.width = width;
            image.height = height;
            image.format = XYBitmap;
            image.data = scratch.data();
            image.byte_order = LSBFirst;
            image.bitmap_unit = 8;
            image.bitmap_bit_order = MSBFirst;
            image.bitmap_pad = 8;
            image.depth = 1;
            image.bytes_per_line = static_cast<int>(rowBytes);
            image.bits_per_pixel = 1;
            if (XInitImage(&image)) {
                int const left = Coordinate(x + glyph.xOffset);
                int const top = Coordinate(y + glyph.yOffset - static_cast<float>(height));
                auto const put = [&] {
                    XPutImage(xDisplay, drawable, gc, &image, 0, 0, left, top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height));
                };
                if (!exclusiveOr) {
                    // Clear the glyph's pixels, then colour them; the others stay.
                    XSetState(xDisplay, gc, 0, ~0UL, GXand, saved.plane_mask);
                    put();
                    XSetState(xDisplay, gc, saved.foreground, 0, GXor, saved.plane_mask);
                }
                put();
            }
        }
        x += glyph.xAdvance;
        y += glyph.yAdvance;
    }
    XSetState(xDisplay, gc, saved.foreground, saved.background, saved.function, saved.plane_mask);
}

void fsp_FontServer::String(_XDisplay * xDisplay, unsigned long drawable, _XGC * gc, unsigned handle,
                            cow_String const & text, float x, float y)
{
    String(xDisplay, drawable, gc, handle, text.AsCharPtr(), text.Length(), x, y);
}
