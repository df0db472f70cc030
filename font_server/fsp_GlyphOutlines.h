// The glyph outlines of an outline font, loaded once at the reference size
// and scaled only on output. Internal to fsp_FSTextFont.
#ifndef FSP_GLYPHOUTLINES_H
#define FSP_GLYPHOUTLINES_H

#include <vector>

#include "fsp_ContourFlattening.h"
#include "fsp_FSTextFont.h"

namespace fsp_glyphs {

constexpr float kReferenceSize = 3600.0f;  // outline units per em of a Type 1 font
constexpr float kUnitScale = 0.1388889f;   // 10/72: the reference size stands for 10 points

}  // namespace fsp_glyphs

// The outline of one glyph at the reference size, relative to the pen.
struct fsp_FSTextFont::GlyphOutline {
    float advanceX = 0.0f;                // reference units
    std::vector<fsp_glyphs::Vec> points;  // reference units
    std::vector<unsigned char> kinds;
    std::vector<unsigned> contourEnds;  // index of the last point of each contour
    // The cached fill and the resolution it was made for.
    bool filled = false;
    float fillXDpi = 0.0f;
    float fillYDpi = 0.0f;
    std::vector<float> triangles;
};

#endif
