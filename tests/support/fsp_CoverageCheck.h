// Checks a tessellation against its input without trusting the tessellator:
// the triangles must run in the polygon's sense, cover every point of a
// sample grid exactly once where the input's winding number is not zero and
// never where it is zero, and add up to the area of that nonzero region.
// Used by the tests, the benchmark's golden record and the fuzz target.
#ifndef FSP_COVERAGECHECK_H
#define FSP_COVERAGECHECK_H

#include <array>
#include <string>
#include <vector>

namespace fsp_check {

struct Point {
    double x;
    double y;
};
using Ring = std::vector<Point>;
using Polygon = std::vector<Ring>;
using Triangle = std::array<Point, 3>;

struct Coverage {
    int triangles = 0;
    int wrongOrientation = 0;  // not flat and against the polygon's sense
    long samplesFilled = 0;    // unambiguous samples in the nonzero region
    long samplesMissed = 0;    // in it and covered by no triangle
    long samplesOverlapped = 0;
    long samplesOutside = 0;   // outside it and covered
    double triangleArea = 0.0;  // of all triangles, each counted positive
    double nonzeroArea = 0.0;
    double areaSlack = 0.0;  // what the two areas may differ by

    bool Holds() const;
    std::string Describe() const;
};

struct Options {
    int gridSize = 200;  // samples per side of the input's bounding box
    // The nonzero area when the caller knows it (a polygon simple by
    // construction, too large for the exact sweep); negative: computed.
    double knownArea = -1.0;
    // Triangles no higher than this count as flat, whatever their sense: the
    // tolerance within which the tessellator takes two points as one moves
    // them by as much.
    double flatHeight = 0.0;
};

// `input` as the tessellator received it (coordinates already floats).
Coverage Check(Polygon const & input, std::vector<Triangle> const & triangles, Options const & options = {});

// The area where the winding number of the rings is not zero, by horizontal
// slabs between vertex and crossing heights.
double NonzeroArea(Polygon const & input);

// +1 when the triangles must run counter-clockwise in (x, y), -1 clockwise:
// the polygon is made counter-clockwise in the mirrored plane (-x, y) as a
// whole, and then runs like its largest ring.
int ExpectedSense(Polygon const & input);

}  // namespace fsp_check

#endif
