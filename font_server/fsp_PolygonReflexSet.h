// The reflex vertices of the ring being cut, and the candidate ear whose
// triangle they may block. Internal to fsp_Polygon.
#ifndef FSP_POLYGONREFLEXSET_H
#define FSP_POLYGONREFLEXSET_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "fsp_PolygonGeometry.h"

namespace fsp_polygon FSP_POLYGON_INTERNAL {

// A member of the reflex set, copied out of its node for the scans. The
// coordinates came in as floats, so floats hold them exactly.
struct ReflexVertex {
    float u;
    float v;
    int vertex;
};

// The corners of a candidate ear (vertex, next, previous), which run with the
// polygon, and the test whether a reflex vertex blocks it. Scans pick out the
// reflex vertices that may block without branches, since which ones do is
// unpredictable, and test those.
class EarTriangle {
public:
    // An exact triangle is blocked only by a vertex exactly inside or on it,
    // not by one within the tolerance of it.
    EarTriangle(Node const * ringNodes, int ear, double orientationSign, bool exactOnly)
        : nodes(ringNodes),
          sign(orientationSign),
          exact(exactOnly),
          next(nodes[ear].next),
          previous(nodes[ear].previous),
          corners{&nodes[ear], &nodes[next], &nodes[previous]},
          minU(Least(corners[0]->u, corners[1]->u, corners[2]->u) - kTolerance),
          maxU(Greatest(corners[0]->u, corners[1]->u, corners[2]->u) + kTolerance),
          minV(Least(corners[0]->v, corners[1]->v, corners[2]->v) - kTolerance),
          maxV(Greatest(corners[0]->v, corners[1]->v, corners[2]->v) + kTolerance)
    {
    }

    // May block: in the box widened by the tolerance, and not a neighbour
    // (those are corners, which never block).
    bool InBox(ReflexVertex const & r) const { return InWidenedBox(r) & (r.vertex != next) & (r.vertex != previous); }

    // The lines of the three edges, for Blocks and SetUpBand: worked out only
    // for triangles that have a candidate in their box.
    void SetUpEdges()
    {
        for (int k = 0; k < 3; ++k)
            edges[k] = MakeEdge(k);
        edgesSet = true;
    }

    // May block: not clearly the tolerance or more outside the lines of the
    // two longest edges. Sharper than the box where long thin triangles have
    // many vertices in their box; needs SetUpBand. Passes the neighbours.
    bool InBand(ReflexVertex const & r) const
    {
        double const side0 = band[0].Side(r), side1 = band[1].Side(r);
        return (side0 >= bandLimit[0]) & (side1 >= bandLimit[1]);
    }

    void SetUpBand()
    {
        SetUpEdges();
        int shortest = 0;
        for (int k = 1; k < 3; ++k)
            if (SquaredLength(k) < SquaredLength(shortest))
                shortest = k;
        band[0] = edges[shortest == 2 ? 0 : shortest + 1];
        band[1] = edges[shortest == 0 ? 2 : shortest - 1];
        // A side below the limit is far outside: its square, even rounded,
        // is at least farSide, and its rounding error, for a point in the
        // box, is less than the rest.
        for (int k = 0; k < 2; ++k)
            bandLimit[k] = -std::sqrt(band[k].farSide) * (1.0 + 1e-12) -
                           OrientError(band[k].du * (maxV - minV), band[k].dv * (maxU - minU));
    }

    bool IsNeighbour(ReflexVertex const & r) const { return r.vertex == next || r.vertex == previous; }

    // Whether a reflex vertex other than the neighbours blocks the ear: it
    // lies inside the triangle, or on its boundary (exactly, or within the
    // tolerance) without being one of its corners; a cut past a vertex on the
    // diagonal would fold the ring over itself.
    bool Blocks(ReflexVertex const & r)
    {
        if (!InWidenedBox(r))
            return false;
        if (!edgesSet)
            SetUpEdges();
        double sides[3], errors[3];
        for (int k = 0; k < 3; ++k) {
            sides[k] = edges[k].Side(r, errors[k]);
            if (edges[k].FarOutside(sides[k], errors[k]))
                return false;
        }
        if (sides[0] >= kTolerance && sides[1] >= kTolerance && sides[2] >= kTolerance)
            return true;
        return BlocksNearBoundary(r, sides, errors);
    }

    // Blocks for a vertex within the tolerance of the triangle's boundary:
    // out of line, as it is rare.
    __attribute__((noinline)) bool BlocksNearBoundary(ReflexVertex const & r, double const (&sides)[3],
                                                      double const (&errors)[3]) const
    {
        int const index = nodes[r.vertex].index;
        bool const sharesCorner =
            index == corners[0]->index || index == corners[1]->index || index == corners[2]->index;
        if (!sharesCorner && !exact) {
            if (sides[0] >= 0.0 && sides[1] >= 0.0 && sides[2] >= 0.0)
                return true;
            for (int k = 0; k < 3; ++k)
                if (sides[k] < 0.0 && NearEdge(*corners[k], End(k), r))
                    return true;
        }
        // The exact signs where the rounded ones are in doubt.
        for (int k = 0; k < 3; ++k) {
            if (sides[k] < -errors[k])
                return false;
            if (sides[k] <= errors[k] &&
                sign * ExactOrientSign(corners[k]->u, corners[k]->v, End(k).u, End(k).v, r.u, r.v) < 0)
                return false;
        }
        for (Node const * corner : corners)
            if (corner->u == r.u && corner->v == r.v)
                return false;
        return true;
    }

    // Exactly inside or on the boundary, and not a corner.
    bool Covers(Node const & p) const
    {
        for (int k = 0; k < 3; ++k)
            if (sign * OrientSign(*corners[k], End(k), p) < 0)
                return false;
        for (Node const * corner : corners)
            if (corner->u == p.u && corner->v == p.v)
                return false;
        return true;
    }

    int Next() const { return next; }
    int Previous() const { return previous; }

    // The corner k: 0 the ear's vertex, 1 its next, 2 its previous.
    double U(int k) const { return corners[k]->u; }
    double V(int k) const { return corners[k]->v; }
    double MinU() const { return minU; }
    double MaxU() const { return maxU; }
    double MinV() const { return minV; }
    double MaxV() const { return maxV; }

private:
    struct Edge {
        // Orient(start, end, r), positive towards the inside.
        double Side(ReflexVertex const & r) const { return du * (r.v - v) - dv * (r.u - u); }
        double Side(ReflexVertex const & r, double & error) const
        {
            double const left = du * (r.v - v), right = dv * (r.u - u);
            error = OrientError(left, right);
            return left - right;
        }

        // Certainly the tolerance or more outside the edge's line.
        bool FarOutside(double side, double error) const { return (side < -error) & (side * side >= farSide); }

        double u, v;    // start
        double du, dv;  // to the end, times the orientation sign
        // The squared orientation from which a point lies the tolerance or
        // more off the edge's line.
        double farSide;
    };

    // Of values, not references, so that they compile to minimum and
    // maximum instructions.
    static double Least(double a, double b, double c) { return std::min(a, std::min(b, c)); }
    static double Greatest(double a, double b, double c) { return std::max(a, std::max(b, c)); }

    bool InWidenedBox(ReflexVertex const & r) const
    {
        return (r.u >= minU) & (r.u <= maxU) & (r.v >= minV) & (r.v <= maxV);
    }

    // Edge k runs from corner k to End(k).
    Node const & End(int k) const { return *corners[k == 2 ? 0 : k + 1]; }

    double SquaredLength(int k) const
    {
        double const du = End(k).u - corners[k]->u, dv = End(k).v - corners[k]->v;
        return du * du + dv * dv;
    }

    Edge MakeEdge(int k) const
    {
        Node const & from = *corners[k];
        double const du = End(k).u - from.u, dv = End(k).v - from.v;
        return Edge{from.u, from.v, sign * du, sign * dv, kTolerance * kTolerance * (du * du + dv * dv)};
    }

    // Closer than the tolerance to the segment.
    static bool NearEdge(Node const & from, Node const & to, ReflexVertex const & r)
    {
        double const du = to.u - from.u, dv = to.v - from.v;
        double const length2 = du * du + dv * dv;
        double t = length2 > 0.0 ? ((r.u - from.u) * du + (r.v - from.v) * dv) / length2 : 0.0;
        t = std::min(1.0, std::max(0.0, t));
        double const eu = from.u + t * du - r.u, ev = from.v + t * dv - r.v;
        return eu * eu + ev * ev < kTolerance * kTolerance;
    }

    Node const * nodes;
    double sign;
    bool exact;
    int next, previous;  // the neighbours' vertices
    Node const * corners[3];
    double minU, maxU, minV, maxV;  // widened by the tolerance
    bool edgesSet = false;
    Edge edges[3];  // edge k from corner k to End(k)
    Edge band[2];
    double bandLimit[2];
};

// The reflex set of the contour being cut, its members in one array so that
// scans run over contiguous memory. A small set is sorted by u. While it has
// at most 64 members, each is a bit of a word, and per axis a mask for each
// bucket of coordinates tells the members below it, so that an ear test
// visits, in the array's order, little more than the members in its
// triangle's box. Past that (it grows only by vertices that turn reflex
// during the cut) a test scans the run of members in its triangle's u range.
// A member leaves it as a tombstone whose v, not a number, fails every box
// test, and only a vertex that turns reflex during the cut moves others, which
// drops the tombstones. A large one is bucketed in a uniform grid over the
// contour's box so that an ear test scans only the cells its triangle covers;
// each cell owns a slice of the array sized for all of the ring's vertices in
// the cell, with its members packed at the front, so that joining and leaving
// are O(1).
class ReflexSet {
public:
    void Build(Node * ringNodes, int head, int vertexCount, std::vector<int> const & reflex)
    {
        nodes = ringNodes;
        int const reflexCount = static_cast<int>(reflex.size());
        small = reflexCount < kSmallSet;
        if (small) {
            members.clear();
            members.reserve(reflex.size());
            for (int vertex : reflex)
                members.push_back(Member(vertex));
            std::sort(members.begin(), members.end(),
                      [](ReflexVertex const & a, ReflexVertex const & b) { return a.u < b.u; });
            IndexSmallSet();
            size = reflexCount;
            return;
        }
        size = 0;
        double minU = std::numeric_limits<double>::max(), maxU = -minU;
        double minV = minU, maxV = maxU;
        ForEachVertex(head, [&](Node const & n) {
            minU = std::min(minU, n.u);
            maxU = std::max(maxU, n.u);
            minV = std::min(minV, n.v);
            maxV = std::max(maxV, n.v);
        });

        // About kReflexPerCell reflex vertices a cell, in cells shaped like the
        // box.
        double const width = maxU - minU, height = maxV - minV;
        double const cellCountWanted = reflexCount / kReflexPerCell;
        columns = rows = 1;
        if (width > 0.0 && height > 0.0) {
            columns = Clamp(std::sqrt(cellCountWanted * width / height), kMaxSide);
            rows = Clamp(cellCountWanted / columns, kMaxSide);
        } else if (width > 0.0) {
            columns = Clamp(cellCountWanted, kMaxSide * kMaxSide);
        } else if (height > 0.0) {
            rows = Clamp(cellCountWanted, kMaxSide * kMaxSide);
        }
        originU = minU;
        originV = minV;
        cellHeight = height / rows;
        columnsPerUnit = width > 0.0 ? columns / width : 0.0;
        rowsPerUnit = height > 0.0 ? rows / height : 0.0;
        // Rounding in cell arithmetic is relative to the coordinates' size.
        double const extent = std::max(std::max(std::abs(minU), std::abs(maxU)), std::max(std::abs(minV), std::abs(maxV)));
        margin = kTolerance + extent * 1e-12;

        std::size_t const cellCount = static_cast<std::size_t>(columns) * rows;
        cells.assign(cellCount + 1, Cell{0, 0});
        ForEachVertex(head, [&](Node & n) {
            n.cell = CellIndex(Column(n.u), Row(n.v));
            ++cells[n.cell + 1].first;
        });
        for (std::size_t c = 0; c < cellCount; ++c)
            cells[c + 1].first += cells[c].first;
        members.resize(static_cast<std::size_t>(vertexCount));
        for (int vertex : reflex)
            Insert(vertex);
    }

    bool Empty() const { return size == 0; }

    void Insert(int vertex)
    {
        Node & n = nodes[vertex];
        ++size;
        if (small) {
            members.erase(std::remove_if(members.begin(), members.end(),
                                         [](ReflexVertex const & r) { return std::isnan(r.v); }),
                          members.end());
            members.insert(std::upper_bound(members.begin(), members.end(), n.u,
                                            [](double u, ReflexVertex const & r) { return u < r.u; }),
                           Member(vertex));
            IndexSmallSet();
            return;
        }
        n.slot = cells[n.cell].first + cells[n.cell].count++;
        members[n.slot] = Member(vertex);
    }

    void Remove(int vertex)
    {
        Node & n = nodes[vertex];
        --size;
        if (small) {
            members[n.slot].v = std::numeric_limits<float>::quiet_NaN();
            if (masked)
                alive &= ~Bit(n.slot);
            n.slot = -1;
            return;
        }
        int const last = cells[n.cell].first + --cells[n.cell].count;
        if (n.slot != last) {
            members[n.slot] = members[last];
            nodes[members[n.slot].vertex].slot = n.slot;
        }
        n.slot = -1;
    }

    // A reflex vertex that blocks the ear, or -1: the first in the array
    // among those that do. A large set visits, row by row, the cells that the
    // triangle, widened by the margin, overlaps.
    int Blocker(EarTriangle & t) const
    {
        if (small) {
            if (!masked) {
                ReflexVertex const * const first =
                    std::lower_bound(members.data(), members.data() + members.size(), t.MinU(),
                                     [](ReflexVertex const & r, double u) { return r.u < u; });
                ReflexVertex const * const end =
                    std::upper_bound(first, members.data() + members.size(), t.MaxU(),
                                     [](double u, ReflexVertex const & r) { return u < r.u; });
                return BlockerAmong(
                    first, end, [&](ReflexVertex const & r) { return t.InBox(r); },
                    [&](ReflexVertex const & r) { return t.Blocks(r); });
            }
            std::uint64_t candidates = alive & byU.Within(t.MinU(), t.MaxU()) & byV.Within(t.MinV(), t.MaxV()) &
                                       ~SlotBit(t.Next()) & ~SlotBit(t.Previous());
            for (; candidates != 0; candidates &= candidates - 1) {
                ReflexVertex const & r = members[static_cast<std::size_t>(__builtin_ctzll(candidates))];
                if (t.Blocks(r))
                    return r.vertex;
            }
            return -1;
        }
        t.SetUpBand();
        if (columns == 1 && rows == 1)
            return BlockerInCell(0, t);
        RowSpans const spans(t);
        int const firstRow = Row(t.MinV() - margin), lastRow = Row(t.MaxV() + margin);
        for (int row = firstRow; row <= lastRow; ++row) {
            double low, high;
            spans.Within(originV + row * cellHeight - margin, originV + (row + 1) * cellHeight + margin, low, high);
            int const lastColumn = Column(high + margin);
            for (int column = Column(low - margin); column <= lastColumn; ++column) {
                int const blocker = BlockerInCell(CellIndex(column, row), t);
                if (blocker >= 0)
                    return blocker;
            }
        }
        return -1;
    }

private:
    static constexpr int kSmallSet = 64;
    static constexpr int kWordBits = 64;
    static constexpr double kReflexPerCell = 2.0;
    static constexpr int kMaxSide = 1024;

    ReflexVertex Member(int vertex) const
    {
        Node const & n = nodes[vertex];
        return ReflexVertex{static_cast<float>(n.u), static_cast<float>(n.v), vertex};
    }

    static std::uint64_t Bit(int k) { return std::uint64_t{1} << k; }

    // The member's bit of a vertex, none for one not in the set.
    std::uint64_t SlotBit(int vertex) const
    {
        int const slot = nodes[vertex].slot;
        return std::uint64_t{slot >= 0} << (slot & (kWordBits - 1));
    }

    // The members of a small set of at most kWordBits, bit k standing for
    // members[k], by their place along one axis: buckets of equal width, two
    // a member, and for each bucket the members in the buckets before it. A
    // range of coordinates maps onto a range of buckets, whose members are
    // those in the range and maybe some beside it.
    class Buckets {
    public:
        template <class Coordinate>
        void Build(std::vector<ReflexVertex> const & members, Coordinate coordinate)
        {
            int const count = static_cast<int>(members.size());
            double low = std::numeric_limits<double>::max(), high = -low;
            for (ReflexVertex const & r : members) {
                low = std::min(low, static_cast<double>(coordinate(r)));
                high = std::max(high, static_cast<double>(coordinate(r)));
            }
            buckets = std::max(1, 2 * count);
            last = buckets - 1.0;
            origin = low;
            perUnit = high > low ? buckets / (high - low) : 0.0;
            below.assign(static_cast<std::size_t>(buckets) + 1, 0);
            for (int k = 0; k < count; ++k)
                below[Bucket(coordinate(members[k])) + 1] |= Bit(k);
            for (int b = 0; b < buckets; ++b)
                below[b + 1] |= below[b];
        }

        // The members in [low, high], and maybe some beside.
        std::uint64_t Within(double low, double high) const { return below[Bucket(high) + 1] & ~below[Bucket(low)]; }

    private:
        std::size_t Bucket(double x) const { return static_cast<std::size_t>(CellOf(x, origin, perUnit, last)); }

        int buckets = 1;
        double last = 0.0;  // the last bucket, buckets - 1
        double origin = 0.0, perUnit = 0.0;
        std::vector<std::uint64_t> below;
    };

    // A small set without tombstones: every member's slot, and the buckets.
    void IndexSmallSet()
    {
        int const count = static_cast<int>(members.size());
        for (int k = 0; k < count; ++k)
            nodes[members[k].vertex].slot = k;
        masked = count <= kWordBits;
        if (!masked)
            return;
        alive = count == kWordBits ? ~std::uint64_t{0} : Bit(count) - 1;
        byU.Build(members, [](ReflexVertex const & r) { return r.u; });
        byV.Build(members, [](ReflexVertex const & r) { return r.v; });
    }

    template <class Visit>
    void ForEachVertex(int head, Visit visit)
    {
        int vertex = head;
        do {
            visit(nodes[vertex]);
            vertex = nodes[vertex].next;
        } while (vertex != head);
    }

    static int Clamp(double count, int most)
    {
        return static_cast<int>(std::min(static_cast<double>(most), std::max(1.0, std::round(count))));
    }

    // The cell of 0 to `last` that holds the coordinate x, for cells of
    // 1 / perUnit from `origin` on, the outer ones reaching out for ever:
    // monotonic in x, so a coordinate range maps onto a cell range. Clamped
    // by minimum and maximum instructions, not by branches, whose outcome
    // would be hard to predict.
    static int CellOf(double x, double origin, double perUnit, double last)
    {
        return static_cast<int>(std::min((std::max(x, origin) - origin) * perUnit, last));
    }
    int Column(double u) const { return CellOf(u, originU, columnsPerUnit, columns - 1.0); }
    int Row(double v) const { return CellOf(v, originV, rowsPerUnit, rows - 1.0); }
    int CellIndex(int column, int row) const { return row * columns + column; }

    // The u range of the triangle within a band of v: with the corners
    // ordered by v, the long edge bounds one side and the two others the
    // other side. The margin absorbs the rounding.
    class RowSpans {
    public:
        explicit RowSpans(EarTriangle const & t)
        {
            int order[3] = {0, 1, 2};
            std::sort(order, order + 3, [&](int a, int b) { return t.V(a) < t.V(b); });
            for (int k = 0; k < 3; ++k) {
                u[k] = t.U(order[k]);
                v[k] = t.V(order[k]);
            }
            longSlope = Slope(0, 2);
            lowSlope = Slope(0, 1);
            highSlope = Slope(1, 2);
        }

        void Within(double bandLow, double bandHigh, double & low, double & high) const
        {
            double const a = std::min(std::max(bandLow, v[0]), v[2]);
            double const b = std::min(std::max(bandHigh, v[0]), v[2]);
            double const longA = u[0] + (a - v[0]) * longSlope, longB = u[0] + (b - v[0]) * longSlope;
            double const shortA = Short(a), shortB = Short(b);
            low = std::min(std::min(longA, longB), std::min(shortA, shortB));
            high = std::max(std::max(longA, longB), std::max(shortA, shortB));
            for (int k = 0; k < 3; ++k) {
                if (v[k] >= a && v[k] <= b) {
                    low = std::min(low, u[k]);
                    high = std::max(high, u[k]);
                }
            }
        }

    private:
        double Slope(int from, int to) const { return v[to] > v[from] ? (u[to] - u[from]) / (v[to] - v[from]) : 0.0; }
        double Short(double at) const
        {
            return at <= v[1] ? u[0] + (at - v[0]) * lowSlope : u[1] + (at - v[1]) * highSlope;
        }

        double u[3], v[3];
        double longSlope, lowSlope, highSlope;
    };

    int BlockerInCell(int cell, EarTriangle & t) const
    {
        ReflexVertex const * const first = members.data() + cells[cell].first;
        return BlockerAmong(
            first, first + cells[cell].count, [&](ReflexVertex const & r) { return t.InBand(r); },
            [&](ReflexVertex const & r) { return !t.IsNeighbour(r) && t.Blocks(r); });
    }

    // The candidates are picked out without branches, a batch at a time,
    // before the exact test.
    template <class Pick, class Test>
    static int BlockerAmong(ReflexVertex const * first, ReflexVertex const * end, Pick pick, Test blocks)
    {
        constexpr int kBatch = 16;
        ReflexVertex const * candidates[kBatch];
        while (first != end) {
            ReflexVertex const * const batchEnd = end - first > kBatch ? first + kBatch : end;
            int count = 0;
            for (; first != batchEnd; ++first) {
                candidates[count] = first;
                count += pick(*first);
            }
            for (int k = 0; k < count; ++k)
                if (blocks(*candidates[k]))
                    return candidates[k]->vertex;
        }
        return -1;
    }

    Node * nodes = nullptr;
    std::vector<ReflexVertex> members;
    // A small set of at most kWordBits members is masked: bit k of `alive`
    // tells whether members[k] is in the set.
    bool masked = false;
    std::uint64_t alive = 0;
    Buckets byU, byV;
    struct Cell {
        int first;  // cell c's slice is [cells[c].first, cells[c + 1].first)
        int count;  // members at the front of the slice
    };
    std::vector<Cell> cells;
    int size = 0;
    bool small = true;
    int columns = 1, rows = 1;
    double originU = 0.0, originV = 0.0;
    double cellHeight = 0.0;
    double columnsPerUnit = 0.0, rowsPerUnit = 0.0;
    double margin = kTolerance;
};

}  // namespace fsp_polygon

#endif
