// Joins the holes of the tessellator to their enclosing contours by bridge
// edges, each at the nearest vertex of the enclosing ring that does not sort
// after the hole's head and that the head sees. The search walks the vertex
// sort outwards from the head, and the visibility test asks a grid of the
// ring's edges, so that many holes cost little more than few. Internal to
// fsp_Polygon.
#ifndef FSP_POLYGONBRIDGES_H
#define FSP_POLYGONBRIDGES_H

#include <vector>

#include "fsp_PolygonGeometry.h"

namespace fsp_polygon FSP_POLYGON_INTERNAL {

class HoleBridges {
public:
    // Bridges the `holes`, in that order, into their parents; `sorted` is
    // the vertex sort, `clockwise` the polygon's orientation.
    void Join(std::vector<Node> & nodes, std::vector<Contour> & contours, std::vector<int> const & sorted,
              std::vector<int> const & holes, bool clockwise);

private:
    struct Candidate {
        int vertex;
        double distance;
    };

    void Bridge(int hole, int parent);
    int BridgeEnd(int head, int parent);
    template <class Accept>
    int Nearest(int parent, int head, bool eitherSide, Accept accept);
    template <class Accept>
    int NearestAlongRing(int ring, int target, Accept accept) const;
    bool Faces(int vertex, int target) const;
    bool HoleFits(int vertex, int head) const;
    bool BridgeInside(int head, int end, int parent);
    static bool SegmentsMeet(Node const & p, Node const & q, Node const & a, Node const & b);
    int Root(int contour) const;

    void IndexEdges();
    void Register(int vertex);
    template <class Visit>
    void ForCells(double minU, double minV, double maxU, double maxV, Visit visit);
    int Column(double u) const;
    int Row(double v) const;

    static constexpr std::size_t kIndexedFrom = 512;  // vertices

    std::vector<Node> * nodes = nullptr;
    std::vector<Contour> * contours = nullptr;
    std::vector<int> const * sorted = nullptr;
    bool clockwise = false;
    bool indexed = false;

    std::vector<int> nextCopy;    // the copies bridges made of a node of the sort, listed from it
    std::vector<int> listOwner;   // the node of the sort whose list holds a copy
    std::vector<double> lowestAbove;  // least u from each position of the sort on
    std::vector<double> highestBelow; // greatest u up to each position of the sort
    std::vector<Candidate> found;
    std::vector<unsigned> seen;  // the search that last looked at each node
    unsigned search = 0;

    // The ring edges by the cells of a grid over the polygon's box that their
    // boxes overlap, each named by the vertex it leaves.
    std::vector<std::vector<int>> cells;
    int columns = 1, rows = 1;
    double originU = 0.0, originV = 0.0, columnsPerUnit = 0.0, rowsPerUnit = 0.0;
};

}  // namespace fsp_polygon

#endif
