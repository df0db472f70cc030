// The glyph bitmaps of an outline font: rendered by FreeType at a pixel size
// and cached per size. Internal to fsp_FSTextFont.
#ifndef FSP_GLYPHBITMAPS_H
#define FSP_GLYPHBITMAPS_H

#include <cmath>
#include <vector>

#include "fsp_FSTextFont.h"
#include "g3d_Bitmap.h"

namespace fsp_glyphs {

// Two pixel sizes are the same cached size when they differ by less than a
// tolerance: 0.5, or 0.05 once a font has been constructed while
// QEL_PRINT_XRES is set (printing). Process-wide, as the catalogue and the
// server share one notion of "same size". Each construction calls this.
void ChooseSizeTolerance();

// The em in pixels at a point size and resolution.
inline float PixelsOf(float size, float dpi)
{
    return size / 72.0f * dpi;
}

// The FreeType pixel size (26.6) for a pixel size; false when it is zero, not
// finite or beyond fsp_FSTextFont::maxEmPixels.
inline bool ToPixels26(float pixels, long & pixels26)
{
    double const value = std::fabs(static_cast<double>(pixels)) * 64.0;
    if (!(value >= 1.0 && value <= fsp_FSTextFont::maxEmPixels * 64.0))
        return false;
    pixels26 = std::lround(value);
    return true;
}

}  // namespace fsp_glyphs

// Glyph bitmaps of one pixel size.
struct fsp_FSTextFont::CachedSize {
    float xPixels = 0.0f;  // the em in pixels
    float yPixels = 0.0f;
    long xPixels26 = 0;  // the FreeType size the bitmaps were made at
    long yPixels26 = 0;
    std::vector<short> slotOf;  // code -> index into `bitmaps`, -1 without bitmap
    std::vector<g3d_Bitmap> bitmaps;
};

#endif
