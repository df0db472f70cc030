// The crossing step of the tessellator. A sweep tells whether the rings are
// plain: no two edges meet but ring neighbours at their common point, and
// no point repeats. Rings that are not plain are replaced by the boundary of
// the region where their winding number is not zero: edges are split where
// they meet, each piece keeps its place when the winding numbers on its two
// sides are one zero and one not, and the pieces are joined into rings that
// cross nowhere and touch only at vertices. Internal to fsp_Polygon.
#ifndef FSP_POLYGONCROSSINGS_H
#define FSP_POLYGONCROSSINGS_H

#include <vector>

#include "fsp_PolygonGeometry.h"

namespace fsp_polygon FSP_POLYGON_INTERNAL {

// Every point of the tessellator came in as a float or was rounded to one.
struct RingPoint {
    float u;
    float v;
};
using Ring = std::vector<RingPoint>;

class CrossingSweep {
public:
    // `order` holds every ring vertex, sorted by u and then v (all points
    // distinct); `heads` one vertex of each ring.
    bool Plain(std::vector<Node> const & nodes, std::vector<int> const & order);

    // The boundary of the nonzero region of the rings through `heads`:
    // filled rings run counter-clockwise in (u, v), or clockwise when
    // `clockwise`, holes the other way. New points are rounded to floats.
    std::vector<Ring> NonzeroBoundary(std::vector<Node> const & nodes, std::vector<int> const & heads, bool clockwise);

private:
    struct ActiveEdge {
        int left;  // endpoints in sweep order
        int right;
        int id;  // the vertex the edge leaves in ring order
    };
    bool Meet(ActiveEdge const & a, ActiveEdge const & b) const;

    std::vector<Node> const * sweepNodes = nullptr;
    std::vector<int> rank;           // of each vertex in the sweep
    std::vector<ActiveEdge> active;  // the edges across the sweep line, bottom up
    static constexpr int kScannedUpTo = 48;
};

}  // namespace fsp_polygon

#endif
