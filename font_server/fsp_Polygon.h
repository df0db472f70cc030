// Cuts a polygon, given as closed contours of 2-D points, into triangles that
// cover the region where the contours' winding number is not zero, once.
// Contours that cross, overlap or touch are first replaced by the boundary of
// that region; the contours are nested into filled regions, holes and
// islands; holes are joined to their enclosing contour by bridge edges, and
// ears are cut best first (the ear whose smallest angle is largest). The
// outline fonts fill glyphs with it.
//
// Protocol: BeginPolygon, then per contour BeginContour, Vertex..., EndContour,
// and EndPolygon, which appends the triangles to the output list as point
// triples. The first error is kept and every later call answers grupFailure
// until EndPolygon, which drops the contours; BeginPolygon clears the error.
#ifndef FSP_POLYGON_H
#define FSP_POLYGON_H

#include <memory>

#include "cow_1DArrayList.h"
#include "g3d_Point.h"

class fsp_Polygon {
public:
    // Result codes, numbered like the GLU tessellator's constants.
    enum grupEnums {
        grupSuccess = 0,
        grupFailure = 100103,             // any error, and every call while one is pending
        grupClockwise = 100120,
        grupCounterClockwise = 100121,
        grupUnknownOrientation = 100124,
        grupContourStillOpen = 100151,    // EndPolygon inside BeginContour ... EndContour
        grupNoOpenContour = 100152,       // Vertex or EndContour without BeginContour
        grupContourAlreadyOpen = 100154,  // BeginContour inside BeginContour ... EndContour
        grupOutOfMemory = 100902,
    };

    fsp_Polygon();
    ~fsp_Polygon();
    fsp_Polygon(fsp_Polygon const &) = delete;
    fsp_Polygon & operator=(fsp_Polygon const &) = delete;

    // Starts a polygon whose triangles go to `output` (cleared here, not owned;
    // it must outlive EndPolygon). False, with the error pending, when it is null.
    bool BeginPolygon(cow_1DArrayList<g3d_Point> * output, void * userData);

    // `count` is a hint only.
    grupEnums BeginContour(unsigned count);

    // Points closer than 1e-6 in x and in y to the contour's previous point are
    // dropped. Non-finite coordinates are an error.
    grupEnums Vertex(float x, float y);

    // Contours of fewer than three points are dropped.
    grupEnums EndContour();

    // Appends three points (x, y, 0, 1) per triangle, in the order ear vertex,
    // successor, predecessor; every triangle runs in the sense of the polygon
    // in the mirrored plane (-x, y), which is made counter-clockwise for the
    // usual input, so the triangles run clockwise in (x, y).
    grupEnums EndPolygon();

private:
    struct Workspace;  // the contours and the working data of the polygon

    grupEnums Fail(grupEnums code);

    cow_1DArrayList<g3d_Point> * output = nullptr;
    void * userData = nullptr;  // the caller's, kept and not used
    grupEnums error = grupSuccess;
    std::unique_ptr<Workspace> work;  // made by the first BeginPolygon
};

#endif
