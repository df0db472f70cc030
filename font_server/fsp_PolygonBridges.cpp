#include "fsp_PolygonBridges.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fsp_polygon FSP_POLYGON_INTERNAL {

void HoleBridges::Join(std::vector<Node> & allNodes, std::vector<Contour> & allContours,
                       std::vector<int> const & vertexSort, std::vector<int> const & holes, bool polygonClockwise)
{
    nodes = &allNodes;
    contours = &allContours;
    sorted = &vertexSort;
    clockwise = polygonClockwise;
    std::vector<Node> const & n = *nodes;

    std::size_t const count = sorted->size();
    highestBelow.resize(count);
    lowestAbove.resize(count);
    for (std::size_t k = 0; k < count; ++k)
        highestBelow[k] = std::max(k > 0 ? highestBelow[k - 1] : -std::numeric_limits<double>::max(), n[(*sorted)[k]].u);
    for (std::size_t k = count; k-- > 0;)
        lowestAbove[k] = std::min(k + 1 < count ? lowestAbove[k + 1] : std::numeric_limits<double>::max(), n[(*sorted)[k]].u);
    // Small polygons are walked around their rings: building the index would
    // cost more than it saves.
    indexed = count >= kIndexedFrom;
    nextCopy.assign(n.size(), -1);
    listOwner.resize(n.size());
    for (std::size_t k = 0; k < n.size(); ++k)
        listOwner[k] = static_cast<int>(k);
    seen.assign(n.size(), 0);
    search = 0;
    if (indexed)
        IndexEdges();

    for (int hole : holes) {
        std::vector<Contour> & c = *contours;
        int parent = c[hole].parent;
        // Overlapping contours may nest in a circle.
        for (std::size_t up = 0; parent >= 0 && c[parent].dropped && up < c.size(); ++up)
            parent = c[parent].parent;
        if (parent >= 0)
            parent = Root(parent);
        if (parent < 0 || parent == hole || c[parent].dropped) {
            c[hole].dropped = true;
            continue;
        }
        Bridge(hole, parent);
    }
}

int HoleBridges::Root(int contour) const
{
    while ((*contours)[contour].mergedInto >= 0)
        contour = (*contours)[contour].mergedInto;
    return contour;
}

// Joins the hole to the nearest vertex of its parent that does not sort
// after the hole's head (a nearer one counts only when nearer by the
// tolerance).
void HoleBridges::Bridge(int hole, int parent)
{
    std::vector<Node> & n = *nodes;
    std::vector<Contour> & c = *contours;
    int head = c[hole].head;
    int const end = BridgeEnd(head, parent);
    // A hole that touches itself at its head runs through it more than once:
    // the bridge leaves from where the hole's outside faces the bridge's end.
    for (int vertex = n[head].next; vertex != c[hole].head; vertex = n[vertex].next)
        if (n[vertex].index == n[head].index && !Faces(head, end) && Faces(vertex, end))
            head = vertex;
    int const endNext = n[end].next;
    if (n[end].index == n[head].index) {
        // The same point: splice the rings there.
        int const headNext = n[head].next;
        n[end].next = headNext;
        n[headNext].previous = end;
        n[head].next = endNext;
        n[endNext].previous = head;
        c[parent].vertexCount += c[hole].vertexCount;
        if (indexed) {
            Register(end);
            Register(head);
        }
    } else {
        // Two bridge edges, end -> head and back from copies of both.
        int const headPrevious = n[head].previous;
        int const headCopy = static_cast<int>(n.size());
        int const endCopy = headCopy + 1;
        n.push_back(n[head]);
        n.push_back(n[end]);
        n[end].next = head;
        n[head].previous = end;
        n[headPrevious].next = headCopy;
        n[headCopy].previous = headPrevious;
        n[headCopy].next = endCopy;
        n[endCopy].previous = headCopy;
        n[endCopy].next = endNext;
        n[endNext].previous = endCopy;
        c[parent].vertexCount += c[hole].vertexCount + 2;
        // A copy joins the list of copies of its point's node in the sort.
        for (int copy : {headCopy, endCopy}) {
            int const owner = listOwner[copy == headCopy ? head : end];
            listOwner.push_back(owner);
            nextCopy.push_back(nextCopy[owner]);
            nextCopy[owner] = copy;
            seen.push_back(0);
        }
        if (indexed) {
            Register(end);
            Register(headCopy);
            Register(endCopy);
        }
    }
    c[hole].mergedInto = parent;
}

int HoleBridges::BridgeEnd(int head, int parent)
{
    std::vector<Node> const & n = *nodes;
    auto notAfterHead = [&](int vertex) { return n[vertex].index <= n[head].index; };
    auto inside = [&](int vertex) {
        if (n[vertex].index == n[head].index)
            return HoleFits(vertex, head);
        return Faces(vertex, head) && BridgeInside(head, vertex, parent);
    };
    int const nearest = Nearest(parent, head, false, notAfterHead);
    if (nearest >= 0 && inside(nearest))
        return nearest;
    // The nearest vertex lies beyond an edge (under the crossbar of an
    // "e", for one) or is the copy of a bridged point that faces another
    // hole (the waist of a "B"): take the nearest that the head sees,
    // preferring those that do not sort after it.
    int seenEnd = Nearest(parent, head, false, [&](int vertex) { return notAfterHead(vertex) && inside(vertex); });
    if (seenEnd < 0)
        seenEnd = Nearest(parent, head, true, inside);
    if (seenEnd >= 0)
        return seenEnd;
    return nearest >= 0 ? nearest : NearestAlongRing((*contours)[parent].head, head, [](int) { return true; });
}

// What walking the parent's ring from its head would find, taking a vertex
// as the nearest so far only when nearer by the tolerance and accepted: the
// candidates come from the vertex sort, walked away from the head until the
// u distance alone is too far. Only candidates within the tolerance of the
// nearest can be found, and only their order along the ring decides between
// them; in the rare case that such near ones run on in a chain, the ring is
// walked after all.
template <class Accept>
int HoleBridges::Nearest(int parent, int head, bool eitherSide, Accept accept)
{
    if (!indexed)
        return NearestAlongRing((*contours)[parent].head, head, accept);
    std::vector<Node> const & n = *nodes;
    std::vector<int> const & order = *sorted;
    Node const & t = n[head];
    double best = std::numeric_limits<double>::max();
    found.clear();
    auto consider = [&](int vertex) {
        for (int x = vertex; x >= 0; x = nextCopy[x]) {
            if (Root(n[x].contour) != parent)
                continue;
            double const du = n[x].u - t.u, dv = n[x].v - t.v;
            double const distance = std::sqrt(du * du + dv * dv);
            if (distance <= best + 2 * kTolerance && accept(x)) {
                found.push_back({x, distance});
                best = std::min(best, distance);
            }
        }
    };
    int groupEnd = t.index;
    while (groupEnd < static_cast<int>(order.size()) && n[order[groupEnd]].index == t.index)
        ++groupEnd;
    for (int k = groupEnd - 1; k >= 0 && t.u - highestBelow[k] <= best + 2 * kTolerance; --k)
        consider(order[k]);
    for (int k = groupEnd; eitherSide && k < static_cast<int>(order.size()) && lowestAbove[k] - t.u <= best + 2 * kTolerance; ++k)
        consider(order[k]);
    if (found.empty())
        return -1;

    std::sort(found.begin(), found.end(), [](Candidate const & a, Candidate const & b) { return a.distance < b.distance; });
    double reach = found.front().distance;
    std::size_t near = 0;
    while (near < found.size() && found[near].distance <= reach + kTolerance)
        reach = std::max(reach, found[near++].distance);
    if (reach > best + kTolerance)
        return NearestAlongRing((*contours)[parent].head, head, accept);
    if (near == 1)
        return found.front().vertex;
    ++search;
    for (std::size_t k = 0; k < near; ++k)
        seen[found[k].vertex] = search;
    return NearestAlongRing((*contours)[parent].head, head, [&](int vertex) { return seen[vertex] == search; });
}

// `accept` is asked only about a vertex that would be the nearest so far.
template <class Accept>
int HoleBridges::NearestAlongRing(int ring, int target, Accept accept) const
{
    std::vector<Node> const & n = *nodes;
    Node const & t = n[target];
    double best = std::numeric_limits<double>::max();
    int nearest = -1;
    int vertex = ring;
    double reach = std::numeric_limits<double>::max();  // squared, a little over best - tolerance
    do {
        Node const & a = n[vertex];
        double const du = a.u - t.u, dv = a.v - t.v;
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
        vertex = a.next;
    } while (vertex != ring);
    return nearest;
}

// Whether the ring's interior angle at `vertex` opens towards `target`.
bool HoleBridges::Faces(int vertex, int target) const
{
    std::vector<Node> const & n = *nodes;
    int const sign = clockwise ? -1 : 1;
    Node const & a = n[vertex];
    Node const & t = n[target];
    bool const leftOfIncoming = sign * OrientSign(n[a.previous], a, t) > 0;
    bool const leftOfOutgoing = sign * OrientSign(a, n[a.next], t) > 0;
    if (sign * OrientSign(n[a.previous], a, n[a.next]) >= 0)
        return leftOfIncoming && leftOfOutgoing;
    return leftOfIncoming || leftOfOutgoing;
}

// Where the hole's head is a point of the ring, the ring may run through it
// more than once: the rings are spliced where the ring's interior angle holds
// the hole's edges there.
bool HoleBridges::HoleFits(int vertex, int head) const
{
    std::vector<Node> const & n = *nodes;
    return Faces(vertex, n[head].next) && Faces(vertex, n[head].previous);
}

// Whether the segment from the hole's head to the ring's vertex `end`
// meets no edge of the ring other than those at the two points.
bool HoleBridges::BridgeInside(int head, int end, int parent)
{
    std::vector<Node> const & n = *nodes;
    Node const & p = n[head];
    Node const & q = n[end];
    auto atEnds = [&](Node const & a) { return a.index == p.index || a.index == q.index; };
    if (!indexed) {
        int const ring = (*contours)[parent].head;
        int vertex = ring;
        do {
            Node const & a = n[vertex];
            Node const & b = n[a.next];
            if (!atEnds(a) && !atEnds(b) && SegmentsMeet(p, q, a, b))
                return false;
            vertex = a.next;
        } while (vertex != ring);
        return true;
    }
    ++search;
    bool meets = false;
    ForCells(std::min(p.u, q.u), std::min(p.v, q.v), std::max(p.u, q.u), std::max(p.v, q.v), [&](std::vector<int> & cell) {
        for (int vertex : cell) {
            if (meets || seen[vertex] == search)
                continue;
            seen[vertex] = search;
            Node const & a = n[vertex];
            Node const & b = n[a.next];
            if (Root(a.contour) == parent && !atEnds(a) && !atEnds(b) && SegmentsMeet(p, q, a, b))
                meets = true;
        }
    });
    return !meets;
}

bool HoleBridges::SegmentsMeet(Node const & p, Node const & q, Node const & a, Node const & b)
{
    if (std::max(a.u, b.u) < std::min(p.u, q.u) || std::min(a.u, b.u) > std::max(p.u, q.u) ||
        std::max(a.v, b.v) < std::min(p.v, q.v) || std::min(a.v, b.v) > std::max(p.v, q.v))
        return false;
    int const pqA = OrientSign(p, q, a), pqB = OrientSign(p, q, b);
    int const abP = OrientSign(a, b, p), abQ = OrientSign(a, b, q);
    if (pqA * pqB > 0 || abP * abQ > 0)
        return false;
    if (pqA == 0 && pqB == 0)  // collinear: do they overlap?
        return std::max(std::min(p.u, q.u), std::min(a.u, b.u)) <= std::min(std::max(p.u, q.u), std::max(a.u, b.u)) &&
               std::max(std::min(p.v, q.v), std::min(a.v, b.v)) <= std::min(std::max(p.v, q.v), std::max(a.v, b.v));
    return true;
}

void HoleBridges::IndexEdges()
{
    std::vector<Node> const & n = *nodes;
    double minU = std::numeric_limits<double>::max(), minV = minU, maxU = -minU, maxV = -minU;
    for (int vertex : *sorted) {
        minU = std::min(minU, n[vertex].u), maxU = std::max(maxU, n[vertex].u);
        minV = std::min(minV, n[vertex].v), maxV = std::max(maxV, n[vertex].v);
    }
    // About two edges a cell, in cells shaped like the box.
    double const width = maxU - minU, height = maxV - minV;
    double const wanted = std::max(1.0, sorted->size() / 2.0);
    auto clamp = [](double x) { return static_cast<int>(std::min(1024.0, std::max(1.0, std::round(x)))); };
    columns = width > 0.0 && height > 0.0 ? clamp(std::sqrt(wanted * width / height)) : width > 0.0 ? clamp(wanted) : 1;
    rows = width > 0.0 && height > 0.0 ? clamp(wanted / columns) : height > 0.0 ? clamp(wanted) : 1;
    originU = minU;
    originV = minV;
    columnsPerUnit = width > 0.0 ? columns / width : 0.0;
    rowsPerUnit = height > 0.0 ? rows / height : 0.0;
    cells.assign(static_cast<std::size_t>(columns) * rows, {});
    for (int vertex : *sorted)
        Register(vertex);
}

void HoleBridges::Register(int vertex)
{
    std::vector<Node> const & n = *nodes;
    Node const & a = n[vertex];
    Node const & b = n[a.next];
    ForCells(std::min(a.u, b.u), std::min(a.v, b.v), std::max(a.u, b.u), std::max(a.v, b.v),
             [&](std::vector<int> & cell) { cell.push_back(vertex); });
}

int HoleBridges::Column(double u) const
{
    double const at = (u - originU) * columnsPerUnit;
    return !(at > 0.0) ? 0 : at >= columns - 1 ? columns - 1 : static_cast<int>(at);
}

int HoleBridges::Row(double v) const
{
    double const at = (v - originV) * rowsPerUnit;
    return !(at > 0.0) ? 0 : at >= rows - 1 ? rows - 1 : static_cast<int>(at);
}

// The cells a box overlaps, widened by a cell so that rounding in the cell
// arithmetic loses none.
template <class Visit>
void HoleBridges::ForCells(double minU, double minV, double maxU, double maxV, Visit visit)
{
    int const lastRow = std::min(rows - 1, Row(maxV) + 1), lastColumn = std::min(columns - 1, Column(maxU) + 1);
    for (int row = std::max(0, Row(minV) - 1); row <= lastRow; ++row)
        for (int column = std::max(0, Column(minU) - 1); column <= lastColumn; ++column)
            visit(cells[static_cast<std::size_t>(row) * columns + column]);
}

}  // namespace fsp_polygon
