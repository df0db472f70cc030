#include "fsp_GlyphBitmaps.h"

#include <ft2build.h>
#include <freetype/freetype.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

using namespace fsp_glyphs;

namespace {

constexpr float kRenderDpiLimit = 150.0f;  // from here on glyph images are made on demand

float sizeTolerance = 0.5f;  // see ChooseSizeTolerance

// A glyph image FreeType is about to render (its dimensions are preset when
// the glyph is loaded) stays within twice the largest em each way, whatever
// outline a damaged font gives it: at most 8 MB of 1-bit pixels.
bool DrawableSize(FT_GlyphSlot slot)
{
    unsigned const limit = 2 * fsp_FSTextFont::maxEmPixels;
    return slot->bitmap.width <= limit && slot->bitmap.rows <= limit;
}

// The glyph in `slot`, loaded for 1-bit output, as a bitmap: rows bottom-up,
// width padded to whole bytes; an empty image becomes 8 x 1. Without
// `withPixels` only the dimensions (those rendering would give) and metrics.
bool ToBitmap(FT_GlyphSlot slot, bool withPixels, g3d_Bitmap & bitmap)
{
    FT_Bitmap const & image = slot->bitmap;
    bool const blank = image.width == 0 || image.rows == 0;
    int const rows = blank ? 1 : static_cast<int>(image.rows);
    int const width = blank ? 8 : static_cast<int>((image.width + 7) / 8 * 8);
    int const bytes = width / 8;
    bool const copy = withPixels && !blank;
    if (copy && (image.pixel_mode != FT_PIXEL_MODE_MONO || !image.buffer || std::abs(image.pitch) < bytes))
        return false;
    bitmap.SetSize(width, rows, withPixels);
    if (copy) {
        unsigned const stride = static_cast<unsigned>(std::abs(image.pitch));
        for (int top = 0; top < rows; ++top) {
            // A negative pitch stores the bottom row first.
            int const stored = image.pitch >= 0 ? top : rows - 1 - top;
            std::memcpy(bitmap.Row(rows - 1 - top), image.buffer + static_cast<std::size_t>(stored) * stride,
                        static_cast<std::size_t>(bytes));
        }
    }
    bitmap.xOffset = blank ? 0.0f : static_cast<float>(slot->bitmap_left);
    bitmap.yOffset = blank ? 0.0f : static_cast<float>(static_cast<int>(image.rows) - slot->bitmap_top);
    bitmap.xAdvance = static_cast<float>(slot->advance.x) / 64.0f;
    bitmap.yAdvance = static_cast<float>(slot->advance.y) / 64.0f;
    return true;
}

}  // namespace

void fsp_glyphs::ChooseSizeTolerance()
{
    if (std::getenv("QEL_PRINT_XRES"))
        sizeTolerance = 0.05f;
}

// Loads the glyph of `c` hinted for 1-bit output at the face's current size.
bool fsp_FSTextFont::RenderCode(unsigned char c, bool withPixels, g3d_Bitmap & bitmap) const
{
    FT_UInt const glyph = glyphOf[c];
    if (type1 && glyph == 0)
        return false;
    // Embedded strikes may be grey or colour; outlines always give 1 bit.
    FT_Int32 const flags = FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(face.get(), glyph, flags) != 0 || !DrawableSize(face->glyph))
        return false;
    if (!withPixels)
        return ToBitmap(face->glyph, false, bitmap);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0)
        return ToBitmap(face->glyph, true, bitmap);
    // A glyph the rasteriser cannot draw (its outline far off the pen, say)
    // keeps its dimensions and metrics, so that text measures the same.
    return FT_Load_Glyph(face.get(), glyph, flags) == 0 && ToBitmap(face->glyph, false, bitmap);
}

fsp_FSTextFont::CachedSize * fsp_FSTextFont::FindSize(float size, float xDpi, float yDpi)
{
    return const_cast<CachedSize *>(static_cast<fsp_FSTextFont const *>(this)->FindSize(size, xDpi, yDpi));
}

fsp_FSTextFont::CachedSize const * fsp_FSTextFont::FindSize(float size, float xDpi, float yDpi) const
{
    float const xPixels = PixelsOf(size, xDpi), yPixels = PixelsOf(size, yDpi);
    for (CachedSize const & cached : sizes) {
        if (std::fabs(cached.xPixels - xPixels) < sizeTolerance && std::fabs(cached.yPixels - yPixels) < sizeTolerance)
            return &cached;
    }
    return nullptr;
}

g3d_Bitmap const & fsp_FSTextFont::EmptyBitmap()
{
    defaultBitmap.SetSize(8, 1, true);
    defaultBitmap.xOffset = defaultBitmap.yOffset = 0.0f;
    defaultBitmap.xAdvance = defaultBitmap.yAdvance = 0.0f;
    return defaultBitmap;
}

bool fsp_FSTextFont::CacheSize(float size, float xDpi, float yDpi, bool noBitmaps, bool outlines)
{
    if (!face)
        return false;
    if (outlines)
        return LoadOutlines();
    if (FindSize(size, xDpi, yDpi))
        return true;
    try {
        CachedSize entry;
        entry.xPixels = PixelsOf(size, xDpi);
        entry.yPixels = PixelsOf(size, yDpi);
        if (!ToPixels26(entry.xPixels, entry.xPixels26) || !ToPixels26(entry.yPixels, entry.yPixels26) ||
            !RequestPixels(entry.xPixels26, entry.yPixels26))
            return false;
        bool const withPixels = !noBitmaps && xDpi < kRenderDpiLimit;
        entry.slotOf.assign(lastCode + 1, -1);
        entry.bitmaps.reserve(lastCode + 1);
        // TrueType codes without a glyph share one image of the missing glyph.
        short missingSlot = -1;
        bool missingTried = false;
        for (unsigned c = 0; c <= lastCode; ++c) {
            bool const missing = !type1 && glyphOf[c] == 0;
            if (missing && missingTried) {
                entry.slotOf[c] = missingSlot;
                continue;
            }
            missingTried = missingTried || missing;
            entry.bitmaps.emplace_back();
            if (!RenderCode(static_cast<unsigned char>(c), withPixels, entry.bitmaps.back())) {
                entry.bitmaps.pop_back();
                continue;
            }
            entry.slotOf[c] = static_cast<short>(entry.bitmaps.size() - 1);
            if (missing)
                missingSlot = entry.slotOf[c];
        }
        sizes.push_back(std::move(entry));
        return true;
    } catch (std::bad_alloc const &) {
        return false;
    }
}

int fsp_FSTextFont::ReleaseSize(float size, float xDpi, float yDpi)
{
    if (CachedSize * cached = FindSize(size, xDpi, yDpi))
        sizes.erase(sizes.begin() + (cached - sizes.data()));
    return static_cast<int>(sizes.size());
}

void fsp_FSTextFont::StripCache(float size, float xDpi, float yDpi)
{
    if (CachedSize * cached = FindSize(size, xDpi, yDpi)) {
        for (g3d_Bitmap & bitmap : cached->bitmaps)
            bitmap.SetSize(bitmap.Width(), bitmap.Height(), false);
    }
}

g3d_Bitmap const & fsp_FSTextFont::GetGlyph(float size, float xDpi, float yDpi, unsigned char c)
{
    if (c == 0 || c > lastCode || !face)
        return EmptyBitmap();
    try {
        if (CachedSize * cached = FindSize(size, xDpi, yDpi)) {
            if (cached->slotOf[c] >= 0) {
                g3d_Bitmap & bitmap = cached->bitmaps[static_cast<std::size_t>(cached->slotOf[c])];
                if (bitmap.HasPixels())
                    return bitmap;
                // Made without image, or stripped: render at the size it was cached at.
                if (RequestPixels(cached->xPixels26, cached->yPixels26) && RenderCode(c, true, bitmap))
                    return bitmap;
                return EmptyBitmap();
            }
        }
        long xPixels26 = 0, yPixels26 = 0;
        if (ToPixels26(PixelsOf(size, xDpi), xPixels26) && ToPixels26(PixelsOf(size, yDpi), yPixels26) &&
            RequestPixels(xPixels26, yPixels26) && RenderCode(c, true, defaultBitmap))
            return defaultBitmap;
    } catch (std::bad_alloc const &) {
    }
    return EmptyBitmap();
}
