// Cuts one ring of the tessellator into triangles, best ear first: the ear
// whose smallest angle is largest goes first, and an ear is a convex vertex
// whose triangle holds no reflex vertex of the ring. Internal to fsp_Polygon.
#ifndef FSP_POLYGONEARS_H
#define FSP_POLYGONEARS_H

#include <memory>
#include <vector>

#include "cow_1DArrayList.h"
#include "fsp_PolygonGeometry.h"
#include "g3d_Point.h"

namespace fsp_polygon FSP_POLYGON_INTERNAL {

class EarCutter {
public:
    EarCutter();
    ~EarCutter();
    EarCutter(EarCutter const &) = delete;
    EarCutter & operator=(EarCutter const &) = delete;

    // Cuts the ring through `ringHead` of `count` vertices, whose convexities
    // are set, and appends its triangles to `out`. `orientationSign` is +1
    // when the polygon runs counter-clockwise in (u, v). `exactly`: reflex
    // vertices and the vertices in an ear are told by exact signs alone from
    // the start, not within the tolerance, which keeps the order of cuts that
    // plain rings have always had.
    void Cut(std::vector<Node> & nodes, int ringHead, int count, double orientationSign, bool exactly,
             cow_1DArrayList<g3d_Point> & out);

private:
    class Cutter;
    std::unique_ptr<Cutter> cutter;
};

}  // namespace fsp_polygon

#endif
