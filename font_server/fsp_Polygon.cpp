#include "fsp_Polygon.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <vector>

namespace {

// The one absolute tolerance of every geometric decision.
constexpr double kTolerance = 1e-6;
constexpr double kDegreesPerRadian = 57.29577951308232;

// All geometry runs on the input mirrored, u = -x and v = y; orientations are
// those of this plane.
struct Node {
    double u = 0.0;
    double v = 0.0;
    int index = -1;  // rank in the vertex sort; points equal within the tolerance share it
    int next = -1;
    int previous = -1;
    int contour = -1;  // the contour the point was given in
    // Twice the signed area of (previous, this, next), signed so that a vertex
    // turning with the polygon is positive.
    double convexity = 0.0;

    // Cutting state.
    int heapPosition = -1;  // >= 0 exactly while the vertex is an ear on the heap
    int nextEar = -1;       // the ears, chained in ring order
    int previousEar = -1;
    int cell = -1;          // of the reflex set's grid
    int slot = -1;          // >= 0 exactly while the vertex is in the reflex set
    // Why the vertex last failed the ear test, while its neighbours stay: the
    // vertex itself when reflex, else the reflex vertex in its triangle; -1
    // when unknown.
    int blocker = -1;
};

struct Contour {
    int head = -1;  // after the vertex sort: the vertex with the smallest index
    int vertexCount = 0;
    double twiceArea = 0.0;  // signed until the polygon is oriented, then absolute
    bool clockwise = false;
    int winding = 0;
    int parent = -1;      // the contour that contains its head
    int mergedInto = -1;  // a hole's enclosing contour, once bridged into it
    bool dropped = false;
    double minU = 0.0, minV = 0.0, maxU = 0.0, maxV = 0.0;
};

double Orient(Node const & a, Node const & b, Node const & c)
{
    return (b.u - a.u) * (c.v - a.v) - (b.v - a.v) * (c.u - a.u);
}

bool SamePoint(Node const & a, Node const & b)
{
    return std::abs(a.u - b.u) < kTolerance && std::abs(a.v - b.v) < kTolerance;
}

// The cosine of the triangle's smallest angle, i.e. its largest cosine, each
// taken as the normalised dot product of the two edges at a corner. A cosine
// of 1 or more, and a corner without length, mean the angle 0.
double LargestCosine(Node const & a, Node const & b, Node const & c)
{
    double const abU = b.u - a.u, abV = b.v - a.v;
    double const bcU = c.u - b.u, bcV = c.v - b.v;
    double const caU = a.u - c.u, caV = a.v - c.v;
    double const ab = std::sqrt(abU * abU + abV * abV);
    double const bc = std::sqrt(bcU * bcU + bcV * bcV);
    double const ca = std::sqrt(caU * caU + caV * caV);
    if (ab == 0.0 || bc == 0.0 || ca == 0.0)
        return 1.0;
    double const atA = -(abU * caU + abV * caV) / (ab * ca);
    double const atB = -(bcU * abU + bcV * abV) / (bc * ab);
    double const atC = -(caU * bcU + caV * bcV) / (ca * bc);
    return std::min(1.0, std::max(atA, std::max(atB, atC)));
}

double DegreesOf(double cosine)
{
    if (cosine >= 1.0)
        return 0.0;
    if (cosine <= -1.0)
        return 180.0;
    return std::acos(cosine) * kDegreesPerRadian;
}

// Ears rank by their smallest angle in degrees, larger first, and among equal
// angles by the order the points were given, so that the order is total and
// does not depend on the heap's layout. They are kept by the cosine of that
// angle: the arc cosine is decreasing and steeper than 1, so cosines further
// apart than kCosineResolution give distinct degrees in the opposite order,
// and only nearer ones need the degrees.
constexpr double kCosineResolution = 1e-14;

struct RankedEar {
    double smallestAngleCosine;  // the lower, the better
    int vertex;
};

bool Better(RankedEar const & a, RankedEar const & b)
{
    if (a.smallestAngleCosine != b.smallestAngleCosine) {
        if (std::abs(a.smallestAngleCosine - b.smallestAngleCosine) > kCosineResolution)
            return a.smallestAngleCosine < b.smallestAngleCosine;
        double const degreesA = DegreesOf(a.smallestAngleCosine), degreesB = DegreesOf(b.smallestAngleCosine);
        if (degreesA != degreesB)
            return degreesA > degreesB;
    }
    return a.vertex < b.vertex;
}

// Array-based binary max-heap of ears; each vertex knows its position so that
// an ear can leave from the middle or move after a new rating.
class EarHeap {
public:
    void Reset(std::vector<Node> & ringNodes)
    {
        nodes = &ringNodes;
        slots.clear();
    }
    bool Empty() const { return slots.empty(); }

    void Push(int ear, double smallestAngleCosine)
    {
        slots.push_back(RankedEar{smallestAngleCosine, ear});
        SiftUp(static_cast<int>(slots.size()) - 1);
    }

    int PopBest()
    {
        int const best = slots.front().vertex;
        Remove(best);
        return best;
    }

    void Remove(int ear)
    {
        int const position = (*nodes)[ear].heapPosition;
        (*nodes)[ear].heapPosition = -1;
        RankedEar const last = slots.back();
        slots.pop_back();
        if (last.vertex != ear) {
            Place(last, position);
            Restore(position);
        }
    }

    void Rerate(int ear, double smallestAngleCosine)
    {
        int const position = (*nodes)[ear].heapPosition;
        slots[position].smallestAngleCosine = smallestAngleCosine;
        Restore(position);
    }

private:
    void Place(RankedEar const & ear, int position)
    {
        slots[position] = ear;
        (*nodes)[ear.vertex].heapPosition = position;
    }

    void Restore(int position)
    {
        if (position > 0 && Better(slots[position], slots[(position - 1) / 2]))
            SiftUp(position);
        else
            SiftDown(position);
    }

    void SiftUp(int position)
    {
        RankedEar const ear = slots[position];
        while (position > 0) {
            int const parent = (position - 1) / 2;
            if (!Better(ear, slots[parent]))
                break;
            Place(slots[parent], position);
            position = parent;
        }
        Place(ear, position);
    }

    void SiftDown(int position)
    {
        RankedEar const ear = slots[position];
        int const size = static_cast<int>(slots.size());
        for (;;) {
            int child = 2 * position + 1;
            if (child >= size)
                break;
            if (child + 1 < size && Better(slots[child + 1], slots[child]))
                ++child;
            if (!Better(slots[child], ear))
                break;
            Place(slots[child], position);
            position = child;
        }
        Place(ear, position);
    }

    std::vector<Node> * nodes = nullptr;
    std::vector<RankedEar> slots;
};

// A member of the reflex set, copied out of its node for the scans. The
// coordinates came in as floats, so floats hold them exactly.
struct ReflexVertex {
    float u;
    float v;
    int index;
    int vertex;
};

// The corners of a candidate ear (vertex, next, previous), which run with the
// polygon, and what the reflex-vertex test needs of them.
class EarTriangle {
public:
    EarTriangle(Node const & vertex, Node const & next, Node const & previous, double orientationSign)
        : sign(orientationSign),
          edges{Edge(vertex, next), Edge(next, previous), Edge(previous, vertex)},
          corners{vertex.index, next.index, previous.index},
          minU(std::min(vertex.u, std::min(next.u, previous.u)) - kTolerance),
          maxU(std::max(vertex.u, std::max(next.u, previous.u)) + kTolerance),
          minV(std::min(vertex.v, std::min(next.v, previous.v)) - kTolerance),
          maxV(std::max(vertex.v, std::max(next.v, previous.v)) + kTolerance)
    {
    }

    // A reflex vertex blocks the ear when it lies inside the triangle, or on
    // its boundary (within the tolerance) without being one of its corners: a
    // cut past a vertex on the diagonal would fold the ring over itself.
    bool BlockedBy(ReflexVertex const & r) const
    {
        // One branch instead of four: most candidates lie outside the box.
        if (!((r.u >= minU) & (r.u <= maxU) & (r.v >= minV) & (r.v <= maxV)))
            return false;
        double const sides[3] = {Side(0, r), Side(1, r), Side(2, r)};
        if (sides[0] >= kTolerance && sides[1] >= kTolerance && sides[2] >= kTolerance)
            return true;
        for (int k = 0; k < 3; ++k)
            if (sides[k] < 0.0 && sides[k] * sides[k] >= edges[k].farSide)
                return false;
        if (r.index == corners[0] || r.index == corners[1] || r.index == corners[2])
            return false;
        if (sides[0] >= 0.0 && sides[1] >= 0.0 && sides[2] >= 0.0)
            return true;
        for (int k = 0; k < 3; ++k)
            if (sides[k] < 0.0 && edges[k].Near(r))
                return true;
        return false;
    }

    // The corner k: 0 the ear's vertex, 1 its next, 2 its previous.
    double U(int k) const { return edges[k].u; }
    double V(int k) const { return edges[k].v; }
    double MinV() const { return minV; }
    double MaxV() const { return maxV; }

private:
    struct Edge {
        Edge(Node const & from, Node const & to)
            : u(from.u), v(from.v), du(to.u - from.u), dv(to.v - from.v),
              farSide(kTolerance * kTolerance * (du * du + dv * dv))
        {
        }

        // Closer than the tolerance to the segment.
        bool Near(ReflexVertex const & r) const
        {
            double const length2 = du * du + dv * dv;
            double t = length2 > 0.0 ? ((r.u - u) * du + (r.v - v) * dv) / length2 : 0.0;
            t = std::min(1.0, std::max(0.0, t));
            double const eu = u + t * du - r.u, ev = v + t * dv - r.v;
            return eu * eu + ev * ev < kTolerance * kTolerance;
        }

        double u, v;    // start
        double du, dv;  // to the end
        // The squared orientation from which a point lies the tolerance or
        // more off the edge's line.
        double farSide;
    };

    // Orient(start, end, r) of edge k, positive towards the inside.
    double Side(int k, ReflexVertex const & r) const
    {
        Edge const & e = edges[k];
        return sign * (e.du * (r.v - e.v) - e.dv * (r.u - e.u));
    }

    double sign;
    Edge edges[3];
    int corners[3];
    double minU, maxU, minV, maxV;  // widened by the tolerance
};

// The reflex set of the contour being cut, bucketed in a uniform grid over the
// contour's box so that an ear test scans only the cells its triangle covers.
// Each cell owns a slice of one array sized for all of the ring's vertices in
// the cell, with its members packed at the front: joining and leaving are
// O(1), and scans run over contiguous memory.
class ReflexSet {
public:
    void Build(std::vector<Node> & ringNodes, int head, int vertexCount, int reflexCount)
    {
        nodes = &ringNodes;
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
        // box; a small set is scanned whole.
        double const width = maxU - minU, height = maxV - minV;
        double const cells = reflexCount < kSmallSet ? 1.0 : reflexCount / kReflexPerCell;
        columns = rows = 1;
        if (width > 0.0 && height > 0.0) {
            columns = Clamp(std::sqrt(cells * width / height), kMaxSide);
            rows = Clamp(cells / columns, kMaxSide);
        } else if (width > 0.0) {
            columns = Clamp(cells, kMaxSide * kMaxSide);
        } else if (height > 0.0) {
            rows = Clamp(cells, kMaxSide * kMaxSide);
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
        firsts.assign(cellCount + 1, 0);
        counts.assign(cellCount, 0);
        ForEachVertex(head, [&](Node & n) {
            n.cell = CellIndex(Column(n.u), Row(n.v));
            ++firsts[n.cell + 1];
        });
        for (std::size_t c = 0; c < cellCount; ++c)
            firsts[c + 1] += firsts[c];
        members.resize(static_cast<std::size_t>(vertexCount));
    }

    bool Empty() const { return size == 0; }

    void Insert(int vertex)
    {
        Node & n = (*nodes)[vertex];
        n.slot = firsts[n.cell] + counts[n.cell]++;
        members[n.slot] = ReflexVertex{static_cast<float>(n.u), static_cast<float>(n.v), n.index, vertex};
        ++size;
    }

    void Remove(int vertex)
    {
        Node & n = (*nodes)[vertex];
        int const last = firsts[n.cell] + --counts[n.cell];
        if (n.slot != last) {
            members[n.slot] = members[last];
            (*nodes)[members[n.slot].vertex].slot = n.slot;
        }
        n.slot = -1;
        --size;
    }

    // A reflex vertex that blocks the ear, or -1. Visits, row by row, the
    // cells that the triangle, widened by the margin, overlaps.
    int Blocker(EarTriangle const & t) const
    {
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
    static constexpr double kReflexPerCell = 2.0;
    static constexpr int kMaxSide = 1024;

    template <class Visit>
    void ForEachVertex(int head, Visit visit)
    {
        int vertex = head;
        do {
            visit((*nodes)[vertex]);
            vertex = (*nodes)[vertex].next;
        } while (vertex != head);
    }

    static int Clamp(double count, int most)
    {
        return static_cast<int>(std::min(static_cast<double>(most), std::max(1.0, std::round(count))));
    }

    // Monotonic in the coordinate, so a coordinate range maps onto a cell range.
    static int CellOf(double offset, double perUnit, int count)
    {
        double const position = offset * perUnit;
        if (!(position > 0.0))
            return 0;
        if (position >= count - 1)
            return count - 1;
        return static_cast<int>(position);
    }
    int Column(double u) const { return CellOf(u - originU, columnsPerUnit, columns); }
    int Row(double v) const { return CellOf(v - originV, rowsPerUnit, rows); }
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

    int BlockerInCell(int cell, EarTriangle const & t) const
    {
        int const end = firsts[cell] + counts[cell];
        for (int k = firsts[cell]; k < end; ++k)
            if (t.BlockedBy(members[k]))
                return members[k].vertex;
        return -1;
    }

    std::vector<Node> * nodes = nullptr;
    std::vector<ReflexVertex> members;
    std::vector<int> firsts;  // cell c's slice is [firsts[c], firsts[c + 1])
    std::vector<int> counts;  // members at the front of each slice
    int size = 0;
    int columns = 1, rows = 1;
    double originU = 0.0, originV = 0.0;
    double cellHeight = 0.0;
    double columnsPerUnit = 0.0, rowsPerUnit = 0.0;
    double margin = kTolerance;
};

// Cuts one ring, whose convexities are set, into triangles.
class EarCutter {
public:
    void Cut(std::vector<Node> & ringNodes, int ringHead, int count, double orientationSign,
             cow_1DArrayList<g3d_Point> & out)
    {
        nodes = &ringNodes;
        head = ringHead;
        vertexCount = count;
        sign = orientationSign;
        output = &out;

        int reflexCount = 0;
        ForEachVertex([&](int vertex) { reflexCount += IsReflex(vertex); });
        reflexSet.Build(ringNodes, head, vertexCount, reflexCount);
        ForEachVertex([&](int vertex) {
            if (IsReflex(vertex))
                reflexSet.Insert(vertex);
        });
        earHeap.Reset(ringNodes);

        // A search that finds no ear on an unchanged ring is followed by the
        // recovery step, which always removes a vertex.
        bool searchedAgain = false;
        while (vertexCount > 3) {
            if (earHeap.Empty()) {
                if (searchedAgain)
                    Recover();
                else
                    FindEars();
                searchedAgain = !searchedAgain;
                continue;
            }
            searchedAgain = false;
            CutEar(earHeap.PopBest());
        }
        if (vertexCount == 3)
            Emit(head);
    }

private:
    Node & At(int vertex) { return (*nodes)[vertex]; }

    template <class Visit>
    void ForEachVertex(Visit visit)
    {
        int vertex = head;
        do {
            int const next = At(vertex).next;
            visit(vertex);
            vertex = next;
        } while (vertex != head);
    }

    bool IsReflex(int vertex) { return At(vertex).convexity < -kTolerance; }

    bool IsEar(int vertex)
    {
        Node & n = At(vertex);
        if (n.convexity < -kTolerance) {
            n.blocker = vertex;
            return false;
        }
        if (reflexSet.Empty())
            return true;
        n.blocker = reflexSet.Blocker(EarTriangle(n, At(n.next), At(n.previous), sign));
        return n.blocker < 0;
    }

    // The test is a function of the triangle and the reflex set, so a failed
    // one stands while the neighbours and the blocker stay.
    bool StillBlocked(int vertex)
    {
        int const blocker = At(vertex).blocker;
        if (blocker == vertex)
            return IsReflex(vertex);
        return blocker >= 0 && At(blocker).slot >= 0;
    }

    double Rate(int ear)
    {
        Node const & n = At(ear);
        return LargestCosine(At(n.previous), n, At(n.next));
    }

    void FindEars()
    {
        int first = -1, last = -1;
        ForEachVertex([&](int vertex) {
            if (StillBlocked(vertex) || !IsEar(vertex))
                return;
            earHeap.Push(vertex, Rate(vertex));
            if (first < 0) {
                first = vertex;
            } else {
                At(last).nextEar = vertex;
                At(vertex).previousEar = last;
            }
            last = vertex;
        });
        if (first >= 0) {
            At(last).nextEar = first;
            At(first).previousEar = last;
        }
    }

    void Unchain(int ear)
    {
        Node & n = At(ear);
        At(n.previousEar).nextEar = n.nextEar;
        At(n.nextEar).previousEar = n.previousEar;
    }

    // An ear in the chain next to a cut: it keeps its place with its new
    // quality while it is still an ear, else it leaves the heap and the chain.
    // An ear whose triangle stayed, while the reflex set only shrank, is
    // still an ear of the same quality.
    void Reconsider(int ear, bool changed)
    {
        if (!changed)
            return;
        if (IsEar(ear)) {
            earHeap.Rerate(ear, Rate(ear));
        } else {
            earHeap.Remove(ear);
            Unchain(ear);
        }
    }

    // Returns whether the vertex joined the reflex set.
    bool Reclassify(int vertex)
    {
        Node & n = At(vertex);
        bool const wasReflex = n.slot >= 0;
        if (wasReflex)
            reflexSet.Remove(vertex);
        n.convexity = sign * Orient(At(n.previous), n, At(n.next));
        if (!IsReflex(vertex))
            return false;
        reflexSet.Insert(vertex);
        return !wasReflex;
    }

    void Unlink(int vertex)
    {
        Node & n = At(vertex);
        At(n.previous).next = n.next;
        At(n.previous).blocker = -1;
        At(n.next).previous = n.previous;
        At(n.next).blocker = -1;
        if (head == vertex)
            head = n.next;
        --vertexCount;
    }

    // Takes a vertex out of the ring and out of all cutting state.
    void Discard(int vertex)
    {
        Node & n = At(vertex);
        if (n.heapPosition >= 0) {
            earHeap.Remove(vertex);
            Unchain(vertex);
        }
        if (n.slot >= 0)
            reflexSet.Remove(vertex);
        Unlink(vertex);
    }

    void CutEar(int ear)
    {
        Emit(ear);
        Node const & n = At(ear);
        int const previous = n.previous, next = n.next;
        int const previousEar = n.previousEar, nextEar = n.nextEar;
        Unchain(ear);
        Unlink(ear);

        int const beforePrevious = At(previous).previous, afterNext = At(next).next;
        bool const foldsAtPrevious = At(next).index == At(beforePrevious).index;
        bool const foldsAtNext = At(previous).index == At(afterNext).index;
        if (!foldsAtPrevious && !foldsAtNext) {
            if (vertexCount <= 3)
                return;
            bool const reflexGrew = Reclassify(previous) | Reclassify(next);
            auto changed = [&](int neighbour) { return reflexGrew || neighbour == previous || neighbour == next; };
            if (previousEar != ear)
                Reconsider(previousEar, changed(previousEar));
            if (nextEar != ear && nextEar != previousEar)
                Reconsider(nextEar, changed(nextEar));
            return;
        }

        // The ring now runs out to a tip and straight back: a zero-width
        // spike, which goes with the ear.
        Discard(previous);
        Discard(next);
        if (vertexCount <= 3)
            return;
        if (foldsAtPrevious)
            Rejoin(beforePrevious);
        if (foldsAtNext)
            Rejoin(afterNext);
    }

    // A vertex whose neighbour across a removed spike changed.
    void Rejoin(int vertex)
    {
        Reclassify(vertex);
        if (At(vertex).heapPosition >= 0)
            Reconsider(vertex, true);
    }

    // No ear at all: cut a spike (a vertex between two copies of one point)
    // when there is one, else the triangle at the head.
    void Recover()
    {
        int vertex = head;
        do {
            Node const & n = At(vertex);
            if (At(n.previous).index == At(n.next).index) {
                int const previous = n.previous, next = n.next;
                Emit(vertex);
                Discard(vertex);
                Discard(next);
                Reclassify(previous);
                Reclassify(At(previous).next);
                return;
            }
            vertex = n.next;
        } while (vertex != head);

        int const previous = At(head).previous, next = At(head).next;
        Emit(head);
        Discard(head);
        Reclassify(previous);
        Reclassify(next);
    }

    void Emit(int ear)
    {
        Node const & n = At(ear);
        for (int corner : {ear, n.next, n.previous})
            output->Append(g3d_Point(static_cast<float>(-At(corner).u), static_cast<float>(At(corner).v), 0.0f, 1.0f));
    }

    std::vector<Node> * nodes = nullptr;
    int head = -1;
    int vertexCount = 0;
    double sign = 1.0;
    cow_1DArrayList<g3d_Point> * output = nullptr;
    EarHeap earHeap;
    ReflexSet reflexSet;
};

void ReverseRing(std::vector<Node> & nodes, int head)
{
    int vertex = head;
    do {
        Node & n = nodes[vertex];
        std::swap(n.next, n.previous);
        vertex = n.previous;
    } while (vertex != head);
}

}  // namespace

struct fsp_Polygon::Workspace {
    std::vector<Node> nodes;          // every vertex; each contour links its ring through it
    std::vector<Contour> contours;    // the saved contours, in the order given
    int openContour = -1;             // first node of the open contour, -1 when none
    std::vector<int> sorted;          // nodes in the vertex sort
    struct SortKey {
        double u, v;
        int vertex;
    };
    std::vector<SortKey> keys;
    std::vector<int> order;           // the ring of contours, largest first
    std::vector<int> scratch;
    EarCutter cutter;
    bool clockwise = false;           // the polygon's orientation

    void Clear()
    {
        nodes.clear();
        contours.clear();
        openContour = -1;
    }

    bool ContourOpen() const { return openContour >= 0; }

    void Add(float x, float y)
    {
        Node point;
        point.u = -static_cast<double>(x);
        point.v = static_cast<double>(y);
        if (static_cast<int>(nodes.size()) > openContour && SamePoint(nodes.back(), point))
            return;
        point.contour = static_cast<int>(contours.size());
        nodes.push_back(point);
    }

    void CloseContour()
    {
        int const first = openContour;
        int const count = static_cast<int>(nodes.size()) - first;
        openContour = -1;
        if (count < 3) {
            nodes.resize(static_cast<std::size_t>(first));
            return;
        }
        Contour contour;
        contour.head = first;
        contour.vertexCount = count;
        contour.minU = contour.minV = std::numeric_limits<double>::max();
        contour.maxU = contour.maxV = -std::numeric_limits<double>::max();
        for (int i = first; i < first + count; ++i) {
            Node & n = nodes[i];
            n.next = i + 1 < first + count ? i + 1 : first;
            n.previous = i > first ? i - 1 : first + count - 1;
            Node const & next = nodes[n.next];
            contour.twiceArea += n.u * next.v - next.u * n.v;
            contour.minU = std::min(contour.minU, n.u);
            contour.maxU = std::max(contour.maxU, n.u);
            contour.minV = std::min(contour.minV, n.v);
            contour.maxV = std::max(contour.maxV, n.v);
        }
        contour.clockwise = contour.twiceArea < 0.0;
        contours.push_back(contour);
    }

    void Tessellate(cow_1DArrayList<g3d_Point> & output)
    {
        OrientPolygon();
        MergeCoincidentNeighbours();
        SortVertices();
        SortContoursByArea();
        Nest();
        Classify();
        if (contours.size() > 1)
            BridgeHoles();
        double const sign = clockwise ? -1.0 : 1.0;
        for (int c : order) {
            Contour const & contour = contours[c];
            if (contour.mergedInto >= 0 || contour.dropped)
                continue;
            int vertex = contour.head;
            do {
                Node & n = nodes[vertex];
                n.convexity = sign * Orient(nodes[n.previous], n, nodes[n.next]);
                vertex = n.next;
            } while (vertex != contour.head);
            cutter.Cut(nodes, contour.head, contour.vertexCount, sign, output);
        }
    }

private:
    // Makes the polygon counter-clockwise overall, unless its contours cancel out.
    void OrientPolygon()
    {
        double total = 0.0;
        for (Contour const & c : contours)
            total += c.twiceArea;
        if (total < -kTolerance) {
            for (Node & n : nodes)
                std::swap(n.next, n.previous);
            for (Contour & c : contours)
                c.clockwise = !c.clockwise;
        }
        for (Contour & c : contours)
            c.twiceArea = std::abs(c.twiceArea);
    }

    // A vertex at the same point as its predecessor goes.
    void MergeCoincidentNeighbours()
    {
        for (Contour & c : contours) {
            scratch.clear();
            int vertex = c.head;
            do {
                if (scratch.empty() || !SamePoint(nodes[scratch.back()], nodes[vertex]))
                    scratch.push_back(vertex);
                vertex = nodes[vertex].next;
            } while (vertex != c.head);
            // The last vertex's successor is the first.
            std::size_t first = 0;
            while (scratch.size() - first > 1 && SamePoint(nodes[scratch.back()], nodes[scratch[first]]))
                ++first;
            std::size_t const count = scratch.size() - first;
            for (std::size_t i = 0; i < count; ++i) {
                Node & n = nodes[scratch[first + i]];
                n.next = scratch[first + (i + 1) % count];
                n.previous = scratch[first + (i + count - 1) % count];
            }
            c.head = scratch[first];
            c.vertexCount = static_cast<int>(count);
        }
    }

    // Sorts by u, and by v where the u differ by less than the tolerance, and
    // gives each vertex its rank; equal points share the first one's rank.
    // The tolerance makes that order intransitive where u values step on in
    // tiny increments; it is read as: by u, with each run of u values closer
    // than the tolerance to their predecessor ordered by v.
    void SortVertices()
    {
        keys.clear();
        for (Contour const & c : contours) {
            int vertex = c.head;
            do {
                keys.push_back(SortKey{nodes[vertex].u, nodes[vertex].v, vertex});
                vertex = nodes[vertex].next;
            } while (vertex != c.head);
        }
        std::sort(keys.begin(), keys.end(), [](SortKey const & a, SortKey const & b) {
            return a.u != b.u ? a.u < b.u : a.v != b.v ? a.v < b.v : a.vertex < b.vertex;
        });
        for (std::size_t first = 0; first < keys.size();) {
            std::size_t end = first + 1;
            while (end < keys.size() && keys[end].u - keys[end - 1].u < kTolerance)
                ++end;
            if (keys[end - 1].u != keys[first].u)
                std::stable_sort(keys.begin() + first, keys.begin() + end,
                                 [](SortKey const & a, SortKey const & b) { return a.v < b.v; });
            first = end;
        }
        sorted.clear();
        for (SortKey const & key : keys) {
            Node & n = nodes[key.vertex];
            n.index = sorted.empty() || !SamePoint(nodes[sorted.back()], n) ? static_cast<int>(sorted.size())
                                                                          : nodes[sorted.back()].index;
            sorted.push_back(key.vertex);
        }
        for (Contour & c : contours) {
            int vertex = nodes[c.head].next;
            while (vertex != c.head) {
                if (nodes[vertex].index < nodes[c.head].index)
                    c.head = vertex;
                vertex = nodes[vertex].next;
            }
        }
    }

    void SortContoursByArea()
    {
        order.resize(contours.size());
        for (std::size_t c = 0; c < contours.size(); ++c)
            order[c] = static_cast<int>(c);
        std::stable_sort(order.begin(), order.end(),
                         [this](int a, int b) { return contours[a].twiceArea > contours[b].twiceArea; });
        clockwise = contours[order.front()].clockwise;
    }

    // Each contour's parent is the first contour, searched from the next larger
    // one down to the largest and then from the smallest up, that contains its
    // head; winding numbers add up along the parents.
    void Nest()
    {
        for (Contour & c : contours) {
            c.winding = c.clockwise ? -1 : 1;
            c.parent = -1;
        }
        int const count = static_cast<int>(order.size());
        for (int i = 1; i < count; ++i) {
            Contour & contour = contours[order[i]];
            for (int step = 1; step < count; ++step) {
                int const candidate = order[(i - step + count) % count];
                if (Contains(candidate, contour)) {
                    contour.parent = candidate;
                    contour.winding += contours[candidate].winding;
                    break;
                }
            }
        }
    }

    enum class Place { Inside, Outside, OnBoundary };

    // Whether `inner` lies in contour `outer`, judged by its head. A head on
    // the boundary of `outer` tells nothing (a hole touching its parent there,
    // or the dot of an "i" sitting on its stem), so the first vertex after it
    // that is off the boundary decides; a ring lying wholly on it is inside.
    bool Contains(int outer, Contour const & inner) const
    {
        int vertex = inner.head;
        do {
            if (!SharesPoint(vertex, outer)) {
                Place const place = Locate(contours[outer], nodes[vertex]);
                if (place != Place::OnBoundary)
                    return place == Place::Inside;
            }
            vertex = nodes[vertex].next;
        } while (vertex != inner.head);
        return true;
    }

    // Points that share an index are adjacent in the vertex sort, starting at
    // the position the index names.
    bool SharesPoint(int vertex, int contour) const
    {
        int const index = nodes[vertex].index;
        for (std::size_t k = static_cast<std::size_t>(index); k < sorted.size() && nodes[sorted[k]].index == index; ++k)
            if (nodes[sorted[k]].contour == contour)
                return true;
        return false;
    }

    // Crossings of the horizontal line through the point, counted on both
    // sides: inside when both counts are odd. Within the tolerance of an
    // edge is on the boundary.
    Place Locate(Contour const & c, Node const & p) const
    {
        if (p.u < c.minU - kTolerance || p.u > c.maxU + kTolerance || p.v < c.minV - kTolerance ||
            p.v > c.maxV + kTolerance)
            return Place::Outside;
        int right = 0, left = 0;
        int vertex = c.head;
        do {
            Node const & a = nodes[vertex];
            Node const & b = nodes[a.next];
            if (OnSegment(a, b, p))
                return Place::OnBoundary;
            if ((a.v > p.v) != (b.v > p.v) && a.u + (p.v - a.v) * (b.u - a.u) / (b.v - a.v) > p.u)
                ++right;
            if ((a.v < p.v) != (b.v < p.v) && a.u + (p.v - a.v) * (b.u - a.u) / (b.v - a.v) < p.u)
                ++left;
            vertex = a.next;
        } while (vertex != c.head);
        return right % 2 == 1 && left % 2 == 1 ? Place::Inside : Place::Outside;
    }

    static bool OnSegment(Node const & a, Node const & b, Node const & p)
    {
        if (p.u < std::min(a.u, b.u) - kTolerance || p.u > std::max(a.u, b.u) + kTolerance ||
            p.v < std::min(a.v, b.v) - kTolerance || p.v > std::max(a.v, b.v) + kTolerance)
            return false;
        double const orientation = Orient(a, b, p);
        double const du = b.u - a.u, dv = b.v - a.v;
        return orientation * orientation <= kTolerance * kTolerance * (du * du + dv * dv);
    }

    // Filled contours (odd winding) run with the polygon, holes against it.
    void Classify()
    {
        for (Contour & c : contours) {
            bool const filled = c.winding % 2 != 0;
            bool const wanted = filled ? clockwise : !clockwise;
            if (c.clockwise != wanted) {
                ReverseRing(nodes, c.head);
                c.clockwise = wanted;
            }
        }
    }

    void BridgeHoles()
    {
        scratch.clear();
        for (int c : order)
            if (contours[c].clockwise != clockwise)
                scratch.push_back(c);
        std::stable_sort(scratch.begin(), scratch.end(), [this](int a, int b) {
            return nodes[contours[a].head].index < nodes[contours[b].head].index;
        });
        for (int hole : scratch) {
            int parent = contours[hole].parent;
            while (parent >= 0 && contours[parent].mergedInto >= 0)
                parent = contours[parent].mergedInto;
            // Only overlapping contours make a hole its own ancestor.
            if (parent < 0 || parent == hole) {
                contours[hole].dropped = true;
                continue;
            }
            Bridge(hole, parent);
        }
    }

    // Joins the hole to the nearest vertex of its parent that does not sort
    // after the hole's head (a nearer one counts only when nearer by the
    // tolerance).
    void Bridge(int hole, int parent)
    {
        int const head = contours[hole].head;
        int const end = BridgeEnd(head, contours[parent].head);
        int const endNext = nodes[end].next;
        if (nodes[end].index == nodes[head].index) {
            // The same point: splice the rings there.
            int const headNext = nodes[head].next;
            nodes[end].next = headNext;
            nodes[headNext].previous = end;
            nodes[head].next = endNext;
            nodes[endNext].previous = head;
            contours[parent].vertexCount += contours[hole].vertexCount;
        } else {
            // Two bridge edges, end -> head and back from copies of both.
            int const headPrevious = nodes[head].previous;
            int const headCopy = static_cast<int>(nodes.size());
            int const endCopy = headCopy + 1;
            nodes.push_back(nodes[head]);
            nodes.push_back(nodes[end]);
            nodes[end].next = head;
            nodes[head].previous = end;
            nodes[headPrevious].next = headCopy;
            nodes[headCopy].previous = headPrevious;
            nodes[headCopy].next = endCopy;
            nodes[endCopy].previous = headCopy;
            nodes[endCopy].next = endNext;
            nodes[endNext].previous = endCopy;
            contours[parent].vertexCount += contours[hole].vertexCount + 2;
        }
        contours[hole].mergedInto = parent;
    }

    int BridgeEnd(int head, int ring) const
    {
        auto notAfterHead = [&](int vertex) { return nodes[vertex].index <= nodes[head].index; };
        auto inside = [&](int vertex) {
            return nodes[vertex].index == nodes[head].index ||
                   (Faces(vertex, head) && BridgeInside(head, vertex, ring));
        };
        int const nearest = NearestVertex(ring, head, notAfterHead);
        if (nearest >= 0 && inside(nearest))
            return nearest;
        // The nearest vertex lies beyond an edge (under the crossbar of an
        // "e", for one) or is the copy of a bridged point that faces another
        // hole (the waist of a "B"): take the nearest that the head sees,
        // preferring those that do not sort after it.
        int seen = NearestVertex(ring, head, [&](int vertex) { return notAfterHead(vertex) && inside(vertex); });
        if (seen < 0)
            seen = NearestVertex(ring, head, inside);
        if (seen >= 0)
            return seen;
        return nearest >= 0 ? nearest : NearestVertex(ring, head, [](int) { return true; });
    }

    // `accept` is asked only about a vertex that would be the nearest so far.
    template <class Accept>
    int NearestVertex(int ring, int target, Accept accept) const
    {
        Node const & t = nodes[target];
        double best = std::numeric_limits<double>::max();
        int nearest = -1;
        int vertex = ring;
        double reach = std::numeric_limits<double>::max();  // squared, a little over best - tolerance
        do {
            Node const & n = nodes[vertex];
            double const du = n.u - t.u, dv = n.v - t.v;
            double const squared = du * du + dv * dv;
            if (squared < reach) {
                double const distance = std::sqrt(squared);
                if (distance < best - kTolerance && accept(vertex)) {
                    best = distance;
                    nearest = vertex;
                    double const limit = std::max(0.0, best - kTolerance);
                    reach = limit * limit * (1.0 + 1e-12) + std::numeric_limits<double>::min();
                }
            }
            vertex = n.next;
        } while (vertex != ring);
        return nearest;
    }

    // Whether the ring's interior angle at `vertex` opens towards `target`.
    bool Faces(int vertex, int target) const
    {
        double const sign = clockwise ? -1.0 : 1.0;
        Node const & n = nodes[vertex];
        Node const & t = nodes[target];
        bool const leftOfIncoming = sign * Orient(nodes[n.previous], n, t) > 0.0;
        bool const leftOfOutgoing = sign * Orient(n, nodes[n.next], t) > 0.0;
        if (sign * Orient(nodes[n.previous], n, nodes[n.next]) >= 0.0)
            return leftOfIncoming && leftOfOutgoing;
        return leftOfIncoming || leftOfOutgoing;
    }

    // Whether the segment from the hole's head to the ring's vertex `end`
    // meets no edge of the ring other than those at the two points.
    bool BridgeInside(int head, int end, int ring) const
    {
        Node const & p = nodes[head];
        Node const & q = nodes[end];
        auto atEnds = [&](Node const & n) { return n.index == p.index || n.index == q.index; };
        int vertex = ring;
        do {
            Node const & a = nodes[vertex];
            Node const & b = nodes[a.next];
            if (!atEnds(a) && !atEnds(b) && SegmentsMeet(p, q, a, b))
                return false;
            vertex = a.next;
        } while (vertex != ring);
        return true;
    }

    static bool SegmentsMeet(Node const & p, Node const & q, Node const & a, Node const & b)
    {
        if (std::max(a.u, b.u) < std::min(p.u, q.u) || std::min(a.u, b.u) > std::max(p.u, q.u) ||
            std::max(a.v, b.v) < std::min(p.v, q.v) || std::min(a.v, b.v) > std::max(p.v, q.v))
            return false;
        double const pqA = Orient(p, q, a), pqB = Orient(p, q, b);
        double const abP = Orient(a, b, p), abQ = Orient(a, b, q);
        auto sameSide = [](double s, double t) { return (s > 0.0 && t > 0.0) || (s < 0.0 && t < 0.0); };
        if (sameSide(pqA, pqB) || sameSide(abP, abQ))
            return false;
        if (pqA == 0.0 && pqB == 0.0)  // collinear: do they overlap?
            return std::max(std::min(p.u, q.u), std::min(a.u, b.u)) <= std::min(std::max(p.u, q.u), std::max(a.u, b.u)) &&
                   std::max(std::min(p.v, q.v), std::min(a.v, b.v)) <= std::min(std::max(p.v, q.v), std::max(a.v, b.v));
        return true;
    }
};

fsp_Polygon::fsp_Polygon() = default;

fsp_Polygon::~fsp_Polygon() = default;

fsp_Polygon::grupEnums fsp_Polygon::Fail(grupEnums code)
{
    if (error == grupSuccess)
        error = code;
    return code;
}

bool fsp_Polygon::BeginPolygon(cow_1DArrayList<g3d_Point> * out, void * data)
{
    error = grupSuccess;
    output = out;
    userData = data;
    try {
        if (!work)
            work = std::make_unique<Workspace>();
        work->Clear();
    } catch (std::bad_alloc const &) {
        Fail(grupOutOfMemory);
        return false;
    }
    if (!output) {
        Fail(grupFailure);
        return false;
    }
    output->ClearAll();
    return true;
}

fsp_Polygon::grupEnums fsp_Polygon::BeginContour(unsigned /*count*/)
{
    if (error != grupSuccess)
        return grupFailure;
    if (!output)  // no BeginPolygon since the last EndPolygon
        return Fail(grupFailure);
    if (work->ContourOpen())
        return Fail(grupContourAlreadyOpen);
    work->openContour = static_cast<int>(work->nodes.size());
    return grupSuccess;
}

fsp_Polygon::grupEnums fsp_Polygon::Vertex(float x, float y)
{
    if (error != grupSuccess)
        return grupFailure;
    if (!work || !work->ContourOpen())
        return Fail(grupNoOpenContour);
    if (!std::isfinite(x) || !std::isfinite(y))
        return Fail(grupFailure);
    try {
        work->Add(x, y);
    } catch (std::bad_alloc const &) {
        return Fail(grupOutOfMemory);
    }
    return grupSuccess;
}

fsp_Polygon::grupEnums fsp_Polygon::EndContour()
{
    if (error != grupSuccess)
        return grupFailure;
    if (!work || !work->ContourOpen())
        return Fail(grupNoOpenContour);
    try {
        work->CloseContour();
    } catch (std::bad_alloc const &) {
        return Fail(grupOutOfMemory);
    }
    return grupSuccess;
}

fsp_Polygon::grupEnums fsp_Polygon::EndPolygon()
{
    if (work && work->ContourOpen())
        Fail(grupContourStillOpen);
    grupEnums result = error == grupSuccess ? grupSuccess : grupFailure;
    if (result == grupSuccess && work && !work->contours.empty()) {
        try {
            work->Tessellate(*output);
        } catch (std::bad_alloc const &) {
            result = Fail(grupOutOfMemory);
        }
    }
    if (work)
        work->Clear();
    output = nullptr;
    return result;
}
