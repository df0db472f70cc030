// The glyph bitmaps of an outline font: rendered by FreeType at a pixel size
// and cached per size. Internal to fsp_FSTextFont.
#ifndef FSP_GLYPHBITMAPS_H
#define FSP_GLYPHBITMAPS_H

#include <vector>

#include "fsp_FSTextFont.h"
#include "g3d_Bitmap.h"

namespace fsp_glyphs {

// Two pixel sizes are the same cached size when they differ by less than
// this: 0.5, or 0.05 from the construction of a font while QEL_PRINT_XRES is
// set (printing). Process-wide, as the catalogue and the server share one
// notion of "same size".
extern float sizeTolerance;

// The em in pixels at a point size and resolution.
float PixelsOf(float size, float dpi);
// The FreeType pixel size (26.6) for a pixel size; false when it is zero, not
// finite or beyond fsp_FSTextFont::maxEmPixels.
bool ToPixels26(float pixels, long & pixels26);

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
