#include "fsp_Polygon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "fsp_PolygonBridges.h"
#include "fsp_PolygonCrossings.h"
#include "fsp_PolygonEars.h"
#include "fsp_PolygonGeometry.h"

using namespace fsp_polygon;

namespace {

// An unsigned integer in the order of the coordinate, which came in as a float
// and so converts back exactly. Integers compare faster in the vertex sort.
std::uint32_t OrderKey(double coordinate)
{
    float f = static_cast<float>(coordinate);
    if (f == 0.0f)
        f = 0.0f;  // -0 orders as 0
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits & 0x80000000u ? ~bits : bits | 0x80000000u;
}

// A vertex in the vertex sort: by u, then v, then the order given.
struct SortKey {
    std::uint64_t uv;  // the order keys of u and v
    int vertex;
};

// Bitwise, so that it compiles to flags, not branches.
bool SortsBefore(SortKey const & a, SortKey const & b)
{
    return (a.uv < b.uv) | ((a.uv == b.uv) & (a.vertex < b.vertex));
}

// Sorts keys given in ring order. A ring runs to and fro in u in long
// stretches, so the keys come in ascending and descending runs, which are
// merged, pairwise and without a branch on which key comes first: a
// comparison sort of them would mispredict about every other branch.
void SortAlongRuns(std::vector<SortKey> & keys, std::vector<SortKey> & buffer, std::vector<std::size_t> & runEnds)
{
    std::size_t const count = keys.size();
    runEnds.clear();
    for (std::size_t first = 0; first < count;) {
        std::size_t end = first + 1;
        if (end < count && SortsBefore(keys[end], keys[first])) {
            while (end < count && SortsBefore(keys[end], keys[end - 1]))
                ++end;
            std::reverse(keys.begin() + static_cast<std::ptrdiff_t>(first), keys.begin() + static_cast<std::ptrdiff_t>(end));
        } else {
            while (end < count && !SortsBefore(keys[end], keys[end - 1]))
                ++end;
        }
        runEnds.push_back(end);
        first = end;
    }
    buffer.resize(count);
    while (runEnds.size() > 1) {
        std::size_t kept = 0, first = 0;
        for (std::size_t r = 0; r < runEnds.size(); r += 2) {
            std::size_t const middle = runEnds[r];
            std::size_t const end = r + 1 < runEnds.size() ? runEnds[r + 1] : middle;
            SortKey const * a = keys.data() + first;
            SortKey const * b = keys.data() + middle;
            SortKey const * const aEnd = b;
            SortKey const * const bEnd = keys.data() + end;
            SortKey * out = buffer.data() + first;
            while (a != aEnd && b != bEnd) {
                bool const takeB = SortsBefore(*b, *a);
                *out++ = *(takeB ? b : a);
                a += !takeB;
                b += takeB;
            }
            out = std::copy(a, aEnd, out);
            std::copy(b, bEnd, out);
            runEnds[kept++] = end;
            first = end;
        }
        runEnds.resize(kept);
        keys.swap(buffer);
    }
}

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

struct FSP_POLYGON_INTERNAL fsp_Polygon::Workspace {
    std::vector<Node> nodes;          // every vertex; each contour links its ring through it
    std::vector<Contour> contours;    // the saved contours, in the order given
    int openContour = -1;             // first node of the open contour, -1 when none
    std::vector<int> sorted;          // nodes in the vertex sort
    std::vector<SortKey> keys, keyBuffer;
    std::vector<std::size_t> runEnds;
    std::vector<int> sweepOrder;      // nodes by u, then v
    std::vector<int> order;           // the ring of contours, largest first
    std::vector<int> scratch;
    CrossingSweep crossings;
    HoleBridges bridges;
    EarCutter cutter;
    bool clockwise = false;           // the polygon's orientation

    void Clear()
    {
        nodes.clear();
        contours.clear();
        openContour = -1;
    }

    bool ContourOpen() const { return openContour >= 0; }

    // Room for the points a contour is said to bring, so that a new polygon
    // (the font server makes one a glyph) grows its storage once or twice,
    // not at every doubling. A hint beyond any glyph is not trusted.
    void MakeRoom(unsigned count)
    {
        constexpr unsigned kTrustedUpTo = 1u << 16;
        std::size_t const wanted = nodes.size() + std::min(count, kTrustedUpTo);
        if (wanted > nodes.capacity())
            nodes.reserve(std::max(wanted, 2 * nodes.capacity()));
    }

    void Add(double u, double v)
    {
        Node point;
        point.u = u;
        point.v = v;
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
        bool const pointsDistinct = SortVertices();
        SortContoursByArea();
        bool const plain = pointsDistinct && crossings.Plain(nodes, sweepOrder);
        if (!plain) {
            KeepNonzeroBoundary();
            if (contours.empty())
                return;
            SortVertices();
            SortContoursByArea();
        }
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
                SetConvexity(n, nodes[n.previous], nodes[n.next], sign);
                vertex = n.next;
            } while (vertex != contour.head);
            cutter.Cut(nodes, contour.head, contour.vertexCount, sign, !plain, output);
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
            // Input points at the same point as the one before were dropped, so
            // only the contour's last and first points can be the same.
            if (!SamePoint(nodes[c.head], nodes[c.head + c.vertexCount - 1]))
                continue;
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
    // Returns whether all points are distinct.
    bool SortVertices()
    {
        std::size_t vertexCount = 0;
        for (Contour const & c : contours)
            vertexCount += static_cast<std::size_t>(c.vertexCount);
        keys.clear();
        keys.reserve(vertexCount);
        for (Contour const & c : contours) {
            int vertex = c.head;
            do {
                Node const & n = nodes[vertex];
                keys.push_back(SortKey{std::uint64_t{OrderKey(n.u)} << 32 | OrderKey(n.v), vertex});
                vertex = n.next;
            } while (vertex != c.head);
        }
        SortAlongRuns(keys, keyBuffer, runEnds);
        sweepOrder.clear();
        sweepOrder.reserve(vertexCount);
        for (SortKey const & key : keys)
            sweepOrder.push_back(key.vertex);
        auto u = [&](std::size_t k) { return nodes[keys[k].vertex].u; };
        for (std::size_t first = 0; first < keys.size();) {
            std::size_t end = first + 1;
            while (end < keys.size() && u(end) - u(end - 1) < kTolerance)
                ++end;
            if (u(end - 1) != u(first))
                std::stable_sort(keys.begin() + first, keys.begin() + end, [](SortKey const & a, SortKey const & b) {
                    return static_cast<std::uint32_t>(a.uv) < static_cast<std::uint32_t>(b.uv);
                });
            first = end;
        }
        sorted.clear();
        sorted.reserve(vertexCount);
        bool distinct = true;
        for (SortKey const & key : keys) {
            Node & n = nodes[key.vertex];
            if (sorted.empty() || !SamePoint(nodes[sorted.back()], n)) {
                n.index = static_cast<int>(sorted.size());
            } else {
                n.index = nodes[sorted.back()].index;
                distinct = false;
            }
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
        return distinct;
    }

    // Replaces the contours by the boundary of their nonzero region. Points
    // the same within the tolerance become the first of them.
    void KeepNonzeroBoundary()
    {
        scratch.clear();
        for (Contour const & c : contours) {
            scratch.push_back(c.head);
            int vertex = c.head;
            do {
                Node & n = nodes[vertex];
                Node const & first = nodes[sorted[n.index]];
                n.u = first.u;
                n.v = first.v;
                vertex = n.next;
            } while (vertex != c.head);
        }
        std::vector<Ring> const rings = crossings.NonzeroBoundary(nodes, scratch, clockwise);
        nodes.clear();
        contours.clear();
        for (Ring const & ring : rings) {
            openContour = static_cast<int>(nodes.size());
            for (RingPoint p : ring)
                Add(p.u, p.v);
            CloseContour();
        }
        for (Contour & c : contours)
            c.twiceArea = std::abs(c.twiceArea);
        MergeCoincidentNeighbours();
    }

    void SortContoursByArea()
    {
        order.resize(contours.size());
        for (std::size_t c = 0; c < contours.size(); ++c)
            order[c] = static_cast<int>(c);
        // Largest first, equal areas in the order given: std::sort with that
        // order is stable and needs no buffer.
        std::sort(order.begin(), order.end(), [this](int a, int b) {
            double const areaA = contours[a].twiceArea, areaB = contours[b].twiceArea;
            return areaA != areaB ? areaA > areaB : a < b;
        });
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
    // that is off the boundary decides, and when all are on it (rings that
    // touch at every corner of one), the first edge's middle that is off it;
    // a ring lying wholly on it is inside.
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
        do {
            Node middle;
            middle.u = (nodes[vertex].u + nodes[nodes[vertex].next].u) / 2.0;
            middle.v = (nodes[vertex].v + nodes[nodes[vertex].next].v) / 2.0;
            Place const place = Locate(contours[outer], middle);
            if (place != Place::OnBoundary)
                return place == Place::Inside;
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

    // A contour bounds the filled region (nonzero winding) where the winding
    // inside it and the winding around it, its parent's, are one zero and one
    // not; any other contour lies within the region or outside it and goes.
    // Filled contours run with the polygon, holes against it.
    void Classify()
    {
        for (Contour & c : contours) {
            bool const filled = c.winding != 0;
            bool const filledAround = c.parent >= 0 && contours[c.parent].winding != 0;
            if (filled == filledAround) {
                c.dropped = true;
                continue;
            }
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
            if (!contours[c].dropped && contours[c].clockwise != clockwise)
                scratch.push_back(c);
        std::stable_sort(scratch.begin(), scratch.end(), [this](int a, int b) {
            return nodes[contours[a].head].index < nodes[contours[b].head].index;
        });
        nodes.reserve(nodes.size() + 2 * scratch.size());  // the copies bridges make
        bridges.Join(nodes, contours, sorted, scratch, clockwise);
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

fsp_Polygon::grupEnums fsp_Polygon::BeginContour(unsigned count)
{
    if (error != grupSuccess)
        return grupFailure;
    if (!output)  // no BeginPolygon since the last EndPolygon
        return Fail(grupFailure);
    if (work->ContourOpen())
        return Fail(grupContourAlreadyOpen);
    try {
        work->MakeRoom(count);
    } catch (std::bad_alloc const &) {
        return Fail(grupOutOfMemory);
    }
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
        work->Add(-static_cast<double>(x), static_cast<double>(y));
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

