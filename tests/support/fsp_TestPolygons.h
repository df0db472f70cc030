// Polygons for the tests and the benchmark: glyph outlines straight from
// FreeType, flattened the way the outline fonts flatten them (a curve is
// halved until its control points lie within a quarter unit of its chord),
// and shapes made from a seed.
#ifndef FSP_TESTPOLYGONS_H
#define FSP_TESTPOLYGONS_H

#include <string>
#include <vector>

#include "fsp_CoverageCheck.h"

namespace fsp_check {

struct Glyph {
    unsigned code;
    Polygon polygon;  // coordinates rounded to floats
};

// The glyphs of the codes first..last that the font has, at `em` units per
// em; below 50 units the outline is flattened at 50 and scaled down, unless
// `flattenAtEm` (as the outline fonts do).
std::vector<Glyph> Glyphs(std::string const & fontFile, unsigned first, unsigned last, double em,
                          bool flattenAtEm = false);

// Every scalable font file under /usr/share/fonts, sorted.
std::vector<std::string> InstalledFonts();

// n points at even angles, radii uniform in [0.5, 1]: simple by construction.
Polygon Star(int n, unsigned seed);

// A counter-clockwise square with rows x rows clockwise octagonal holes, and
// its area.
Polygon HoleGrid(int rows, double & area);

// One ring of n points drawn uniformly from [0, 1000)^2: it crosses itself.
Polygon RandomRing(int n, unsigned seed);

}  // namespace fsp_check

#endif
