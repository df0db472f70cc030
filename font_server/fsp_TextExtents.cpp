// The width and height of a text in pixels, from the same glyph metrics as
// the glyph bitmaps.
#include "fsp_GlyphBitmaps.h"

#include <algorithm>
#include <cmath>

using namespace fsp_glyphs;

namespace {

// Calls `visit` with each code of `text` up to its first 0 byte or code above `lastCode`.
template <class Visit>
void ForEachCode(cow_String const & text, unsigned lastCode, Visit visit)
{
    // The characters read directly, not through a library call per character.
    char const * const chars = text.AsCharPtr();
    for (int i = 0; i < text.Length(); ++i) {
        unsigned char const c = static_cast<unsigned char>(chars[i]);
        if (c == 0 || c > lastCode)
            return;
        visit(c);
    }
}

// Extent of a glyph bitmap above and below the baseline.
void Widen(g3d_Bitmap const & bitmap, float & above, float & below)
{
    above = std::max(above, static_cast<float>(bitmap.Height()) - std::trunc(bitmap.yOffset));
    below = std::max(below, bitmap.yOffset);
}

}  // namespace

// Calls `visit` with the metrics of each glyph of `text`: from the cached
// bitmaps when the size is cached, else from the same glyph loads, so a text
// measures the same either way. Nothing when the size cannot be set.
template <class Visit>
void fsp_FSTextFont::ForEachGlyphMetrics(float size, float xDpi, float yDpi, cow_String const & text,
                                         Visit visit) const
{
    if (!face)
        return;
    if (CachedSize const * cached = FindSize(size, xDpi, yDpi)) {
        ForEachCode(text, lastCode, [&](unsigned char c) {
            if (cached->slotOf[c] >= 0)
                visit(cached->bitmaps[static_cast<std::size_t>(cached->slotOf[c])]);
        });
        return;
    }
    long xPixels26 = 0, yPixels26 = 0;
    if (!ToPixels26(PixelsOf(size, xDpi), xPixels26) || !ToPixels26(PixelsOf(size, yDpi), yPixels26) ||
        !RequestPixels(xPixels26, yPixels26))
        return;
    g3d_Bitmap metrics;
    ForEachCode(text, lastCode, [&](unsigned char c) {
        if (RenderCode(c, false, metrics))
            visit(metrics);
    });
}

float fsp_FSTextFont::GetWidth(float size, float xDpi, float yDpi, cow_String const & text) const
{
    float width = 0.0f;
    ForEachGlyphMetrics(size, xDpi, yDpi, text, [&](g3d_Bitmap const & glyph) { width += glyph.xAdvance; });
    return width;
}

float fsp_FSTextFont::GetHeight(float size, float xDpi, float yDpi, cow_String const & text) const
{
    float above = 0.0f, below = 0.0f;
    ForEachGlyphMetrics(size, xDpi, yDpi, text, [&](g3d_Bitmap const & glyph) { Widen(glyph, above, below); });
    return above + below;
}
