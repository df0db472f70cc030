#include "fsp_PolygonCrossings.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace fsp_polygon FSP_POLYGON_INTERNAL {

namespace {

Node At(RingPoint p)
{
    Node n;
    n.u = p.u;
    n.v = p.v;
    return n;
}

int Sign(RingPoint a, RingPoint b, RingPoint c) { return OrientSign(At(a), At(b), At(c)); }

bool Before(RingPoint a, RingPoint b) { return a.u < b.u || (a.u == b.u && a.v < b.v); }
bool Same(RingPoint a, RingPoint b) { return a.u == b.u && a.v == b.v; }

// A piece of an input edge between two points where it meets others.
struct Piece {
    int from, to;  // point numbers
    int weight;    // how many input edges run from -> to, less those running back
};

// Splits the input edges where they meet, sums the pieces that lie on one
// another, and answers the winding number beside each piece.
class Arrangement {
public:
    Arrangement(std::vector<Node> const & nodes, std::vector<int> const & heads)
    {
        for (int head : heads) {
            int vertex = head;
            do {
                Node const & n = nodes[vertex];
                Node const & next = nodes[n.next];
                if (n.u != next.u || n.v != next.v)
                    edges.push_back({{static_cast<float>(n.u), static_cast<float>(n.v)}, {static_cast<float>(next.u), static_cast<float>(next.v)}, {}});
                vertex = n.next;
            } while (vertex != head);
        }
        SplitWhereEdgesMeet();
        MakePieces();
        IndexRows();
    }

    std::vector<RingPoint> points;
    std::vector<Piece> pieces;

    // The winding numbers left and right of the piece, seen along from -> to.
    void Windings(Piece const & piece, int & left, int & right) const
    {
        RingPoint const a = points[piece.from], b = points[piece.to];
        Node middle;
        middle.u = (double{a.u} + b.u) / 2.0;
        middle.v = (double{a.v} + b.v) / 2.0;
        int others = 0;
        bool const horizontal = a.v == b.v;
        for (int k : Row(horizontal ? middle.u : middle.v, horizontal)) {
            Piece const & p = pieces[k];
            if (&p == &piece)
                continue;
            RingPoint const s = points[p.from], t = points[p.to];
            others += horizontal ? CrossingAbove(s, t, middle) * p.weight : CrossingRight(s, t, middle) * p.weight;
        }
        // A ray to the right passes an upward piece from its left side; a
        // ray upwards passes a rightward piece from below, its right side.
        if (horizontal) {
            bool const rightward = b.u > a.u;
            left = rightward ? others : others + piece.weight;
            right = rightward ? others - piece.weight : others;
        } else {
            bool const upward = b.v > a.v;
            left = upward ? others + piece.weight : others;
            right = upward ? others : others - piece.weight;
        }
    }

private:
    struct Split {
        double along;  // position along the edge
        RingPoint point;
    };
    struct Edge {
        RingPoint a, b;
        std::vector<Split> splits;
        // In doubles: differences of floats may overflow floats.
        double Along(RingPoint p) const
        {
            double const du = double{b.u} - a.u, dv = double{b.v} - a.v;
            return std::abs(du) >= std::abs(dv) ? (double{p.u} - a.u) / du : (double{p.v} - a.v) / dv;
        }
        void SplitAt(RingPoint p)
        {
            if (!Same(p, a) && !Same(p, b))
                splits.push_back({Along(p), p});
        }
    };

    // Sweeps over the edges by their smallest u; each meets the edges whose
    // boxes overlap its own.
    void SplitWhereEdgesMeet()
    {
        std::vector<int> byLow(edges.size());
        for (std::size_t i = 0; i < edges.size(); ++i)
            byLow[i] = static_cast<int>(i);
        auto low = [&](int e) { return std::min(edges[e].a.u, edges[e].b.u); };
        auto high = [&](int e) { return std::max(edges[e].a.u, edges[e].b.u); };
        std::sort(byLow.begin(), byLow.end(), [&](int l, int r) { return low(l) < low(r); });
        std::vector<int> open;
        for (int e : byLow) {
            open.erase(std::remove_if(open.begin(), open.end(), [&](int o) { return high(o) < low(e); }), open.end());
            for (int o : open)
                Meet(edges[e], edges[o]);
            open.push_back(e);
        }
    }

    static void Meet(Edge & s, Edge & t)
    {
        if (std::max(s.a.v, s.b.v) < std::min(t.a.v, t.b.v) || std::max(t.a.v, t.b.v) < std::min(s.a.v, s.b.v))
            return;
        int const sa = Sign(s.a, s.b, t.a), sb = Sign(s.a, s.b, t.b);
        int const ta = Sign(t.a, t.b, s.a), tb = Sign(t.a, t.b, s.b);
        if (sa * sb > 0 || ta * tb > 0)
            return;
        if (sa == 0 && sb == 0) {
            // On one line: each splits at the other's ends that lie within it.
            auto within = [](Edge const & e, RingPoint p) {
                double const along = e.Along(p);
                return along > 0.0 && along < 1.0;
            };
            for (RingPoint p : {t.a, t.b})
                if (within(s, p))
                    s.SplitAt(p);
            for (RingPoint p : {s.a, s.b})
                if (within(t, p))
                    t.SplitAt(p);
            return;
        }
        if (sa == 0 || sb == 0 || ta == 0 || tb == 0) {
            // An end of one lies on the other.
            if (sa == 0)
                s.SplitAt(t.a);
            if (sb == 0)
                s.SplitAt(t.b);
            if (ta == 0)
                t.SplitAt(s.a);
            if (tb == 0)
                t.SplitAt(s.b);
            return;
        }
        // A proper crossing, rounded to floats like the output and kept
        // within both edges' boxes.
        double const su = double{s.b.u} - s.a.u, sv = double{s.b.v} - s.a.v;
        double const tu = double{t.b.u} - t.a.u, tv = double{t.b.v} - t.a.v;
        double along = ((double{t.a.u} - s.a.u) * tv - (double{t.a.v} - s.a.v) * tu) / (su * tv - sv * tu);
        if (!(along >= 0.0 && along <= 1.0))  // lost to rounding where the edges are all but parallel
            along = along > 1.0 ? 1.0 : along < 0.0 ? 0.0 : 0.5;
        auto clamp = [](double x, double p, double q, double r, double w) {
            return std::min(std::max(x, std::max(std::min(p, q), std::min(r, w))), std::min(std::max(p, q), std::max(r, w)));
        };
        RingPoint crossing = {static_cast<float>(s.a.u + along * su), static_cast<float>(s.a.v + along * sv)};
        crossing.u = static_cast<float>(clamp(crossing.u, s.a.u, s.b.u, t.a.u, t.b.u));
        crossing.v = static_cast<float>(clamp(crossing.v, s.a.v, s.b.v, t.a.v, t.b.v));
        s.SplitAt(crossing);
        t.SplitAt(crossing);
    }

    void MakePieces()
    {
        for (Edge const & e : edges) {
            points.push_back(e.a);
            points.push_back(e.b);
            for (Split const & split : e.splits)
                points.push_back(split.point);
        }
        std::sort(points.begin(), points.end(), Before);
        points.erase(std::unique(points.begin(), points.end(), Same), points.end());
        // Points the same within the tolerance, as where edges cross close
        // by, become the first of them, as everywhere in the tessellator.
        std::vector<int> same(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            same[i] = static_cast<int>(i);
            for (std::size_t j = i; j-- > 0 && double{points[i].u} - points[j].u < kTolerance;)
                if (std::abs(double{points[i].v} - points[j].v) < kTolerance) {
                    same[i] = same[j];
                    break;
                }
        }
        auto number = [&](RingPoint p) {
            return same[std::lower_bound(points.begin(), points.end(), p, Before) - points.begin()];
        };
        std::vector<Piece> directed;
        for (Edge & e : edges) {
            std::sort(e.splits.begin(), e.splits.end(), [](Split const & l, Split const & r) { return l.along < r.along; });
            int from = number(e.a);
            for (std::size_t k = 0; k <= e.splits.size(); ++k) {
                int const to = number(k < e.splits.size() ? e.splits[k].point : e.b);
                if (to != from)
                    directed.push_back(from < to ? Piece{from, to, 1} : Piece{to, from, -1});
                from = to;
            }
        }
        std::sort(directed.begin(), directed.end(),
                  [](Piece const & l, Piece const & r) { return l.from < r.from || (l.from == r.from && l.to < r.to); });
        for (Piece const & p : directed) {
            if (!pieces.empty() && pieces.back().from == p.from && pieces.back().to == p.to)
                pieces.back().weight += p.weight;
            else
                pieces.push_back(p);
        }
        pieces.erase(std::remove_if(pieces.begin(), pieces.end(), [](Piece const & p) { return p.weight == 0; }),
                     pieces.end());
        for (Piece & p : pieces)
            if (p.weight < 0)
                p = Piece{p.to, p.from, -p.weight};
    }

    // Pieces bucketed by the v range they span (for rays to the right) and
    // by the u range (for rays upwards).
    void IndexRows()
    {
        for (int horizontal = 0; horizontal < 2; ++horizontal) {
            Buckets & b = buckets[horizontal];
            double low = std::numeric_limits<double>::max(), high = -low;
            for (RingPoint p : points) {
                double const x = horizontal ? p.u : p.v;
                low = std::min(low, x);
                high = std::max(high, x);
            }
            int const count = std::max(1, static_cast<int>(std::sqrt(static_cast<double>(pieces.size()))));
            b.low = low;
            b.perUnit = high > low ? count / (high - low) : 0.0;
            b.rows.assign(static_cast<std::size_t>(count), {});
            for (std::size_t k = 0; k < pieces.size(); ++k) {
                RingPoint const s = points[pieces[k].from], t = points[pieces[k].to];
                double const a = horizontal ? s.u : s.v, c = horizontal ? t.u : t.v;
                for (int r = b.RowOf(std::min(a, c)); r <= b.RowOf(std::max(a, c)); ++r)
                    b.rows[r].push_back(static_cast<int>(k));
            }
        }
    }

    struct Buckets {
        double low = 0.0, perUnit = 0.0;
        std::vector<std::vector<int>> rows;
        int RowOf(double x) const
        {
            double const row = (x - low) * perUnit;
            int const last = static_cast<int>(rows.size()) - 1;
            return !(row > 0.0) ? 0 : row >= last ? last : static_cast<int>(row);
        }
    };

    std::vector<int> const & Row(double at, bool horizontal) const
    {
        Buckets const & b = buckets[horizontal ? 1 : 0];
        return b.rows[b.RowOf(at)];
    }

    // +1 for a piece running up across the ray from p to the right, -1 down.
    static int CrossingRight(RingPoint s, RingPoint t, Node const & p)
    {
        if ((s.v <= p.v) == (t.v <= p.v))
            return 0;
        int const side = OrientSign(At(s), At(t), p);  // p left of s -> t
        if (t.v > s.v)
            return side > 0 ? 1 : 0;
        return side < 0 ? -1 : 0;
    }

    // +1 for a piece running left across the ray from p upwards, -1 right.
    static int CrossingAbove(RingPoint s, RingPoint t, Node const & p)
    {
        if ((s.u <= p.u) == (t.u <= p.u))
            return 0;
        int const side = OrientSign(At(s), At(t), p);
        if (t.u < s.u)
            return side > 0 ? 1 : 0;
        return side < 0 ? -1 : 0;
    }

    std::vector<Edge> edges;
    Buckets buckets[2];
};

}  // namespace

std::vector<Ring> CrossingSweep::NonzeroBoundary(std::vector<Node> const & nodes, std::vector<int> const & heads,
                                                 bool clockwise)
{
    Arrangement const arrangement(nodes, heads);
    std::vector<RingPoint> const & points = arrangement.points;
    std::vector<Piece> const & pieces = arrangement.pieces;
    auto angle = [&](int from, int to) {
        return std::atan2(double{points[to].v} - points[from].v, double{points[to].u} - points[from].u);
    };

    // The pieces at each point by the angle at which they leave it.
    struct End {
        double angle;
        int piece;
        bool outgoing;
    };
    std::vector<int> firstEnd(points.size() + 1, 0);
    for (Piece const & piece : pieces) {
        ++firstEnd[piece.from + 1];
        ++firstEnd[piece.to + 1];
    }
    for (std::size_t p = 0; p < points.size(); ++p)
        firstEnd[p + 1] += firstEnd[p];
    std::vector<End> ends(2 * pieces.size());
    {
        std::vector<int> next(firstEnd.begin(), firstEnd.end() - 1);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            Piece const & piece = pieces[k];
            ends[next[piece.from]++] = {angle(piece.from, piece.to), static_cast<int>(k), true};
            ends[next[piece.to]++] = {angle(piece.to, piece.from), static_cast<int>(k), false};
        }
    }
    for (std::size_t p = 0; p < points.size(); ++p)
        std::sort(ends.begin() + firstEnd[p], ends.begin() + firstEnd[p + 1],
                  [](End const & a, End const & b) { return a.angle < b.angle; });

    // The winding numbers beside every piece: from a ray for one piece of
    // each connected part, and from there around each point, where the
    // winding steps by a piece's weight from one side of it to the other.
    std::vector<int> left(pieces.size()), right(pieces.size());
    std::vector<char> known(pieces.size(), 0);
    std::vector<int> pending;
    for (std::size_t start = 0; start < pieces.size(); ++start) {
        if (known[start])
            continue;
        arrangement.Windings(pieces[start], left[start], right[start]);
        known[start] = 1;
        pending = {pieces[start].from, pieces[start].to};
        while (!pending.empty()) {
            int const p = pending.back();
            pending.pop_back();
            int const first = firstEnd[p], count = firstEnd[p + 1] - first;
            int from = 0;
            while (from < count && !known[ends[first + from].piece])
                ++from;
            for (int step = 1; step < count; ++step) {
                End const & before = ends[first + (from + step - 1) % count];
                End const & e = ends[first + (from + step) % count];
                if (known[e.piece])
                    continue;
                // The corner between them, counter-clockwise after `before`.
                int const corner = before.outgoing ? left[before.piece] : right[before.piece];
                int const weight = pieces[e.piece].weight;
                left[e.piece] = e.outgoing ? corner + weight : corner;
                right[e.piece] = e.outgoing ? corner : corner - weight;
                known[e.piece] = 1;
                pending.push_back(e.outgoing ? pieces[e.piece].to : pieces[e.piece].from);
            }
        }
    }

    // The boundary pieces, directed so that the filled side lies left of
    // them (right when clockwise), grouped by their start.
    struct Directed {
        int from, to;
        bool used;
    };
    std::vector<Directed> boundary;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        Piece const & piece = pieces[k];
        if ((left[k] != 0) == (right[k] != 0))
            continue;
        bool const keep = (left[k] != 0) != clockwise;
        boundary.push_back(keep ? Directed{piece.from, piece.to, false} : Directed{piece.to, piece.from, false});
    }
    std::sort(boundary.begin(), boundary.end(), [](Directed const & l, Directed const & r) { return l.from < r.from; });
    std::vector<int> firstOut(points.size() + 1, 0);
    for (Directed const & d : boundary)
        ++firstOut[d.from + 1];
    for (std::size_t p = 0; p < points.size(); ++p)
        firstOut[p + 1] += firstOut[p];

    // At a point with several ways on, a ring takes the one that turns
    // furthest towards its filled side, so rings stay within their own
    // corner of the filled region there.
    std::vector<int> successor(boundary.size(), -1);
    for (std::size_t arriving = 0; arriving < boundary.size(); ++arriving) {
        int const at = boundary[arriving].to;
        double const back = angle(at, boundary[arriving].from);
        double bestTurn = 0.0;
        for (int k = firstOut[at]; k < firstOut[at + 1]; ++k) {
            double turn = clockwise ? angle(at, boundary[k].to) - back : back - angle(at, boundary[k].to);
            if (turn <= 0.0)
                turn += 2.0 * M_PI;
            if (successor[arriving] < 0 || turn < bestTurn) {
                successor[arriving] = k;
                bestTurn = turn;
            }
        }
    }
    std::vector<Ring> rings;
    for (std::size_t start = 0; start < boundary.size(); ++start) {
        Ring ring;
        for (int k = static_cast<int>(start); k >= 0 && !boundary[k].used; k = successor[k]) {
            boundary[k].used = true;
            ring.push_back(points[boundary[k].from]);
        }
        if (ring.size() >= 3)
            rings.push_back(std::move(ring));
    }
    return rings;
}

bool CrossingSweep::Plain(std::vector<Node> const & nodes, std::vector<int> const & order)
{
    sweepNodes = &nodes;
    rank.resize(nodes.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        rank[order[k]] = static_cast<int>(k);
    active.clear();
    // The first active edge that p does not lie above.
    auto lowestNotBelow = [&](Node const & p) {
        std::size_t low = 0, high = active.size();
        while (low < high) {
            std::size_t const middle = (low + high) / 2;
            if (OrientSign(nodes[active[middle].left], nodes[active[middle].right], p) > 0)
                low = middle + 1;
            else
                high = middle;
        }
        return static_cast<int>(low);
    };
    // Where an edge ending at p is: few edges are scanned, many searched.
    auto find = [&](int id, Node const & p) {
        int const size = static_cast<int>(active.size());
        if (size <= kScannedUpTo) {
            for (int k = 0; k < size; ++k)
                if (active[k].id == id)
                    return k;
            return -1;
        }
        int const k = lowestNotBelow(p);
        for (int at = k; at < std::min(size, k + 2); ++at)
            if (active[at].id == id)
                return at;
        return -1;
    };
    auto meetsNeighbours = [&](int k, int count) {
        int const size = static_cast<int>(active.size());
        return (k > 0 && Meet(active[k - 1], active[k])) ||
               (k + count < size && Meet(active[k + count - 1], active[k + count]));
    };
    for (int p : order) {
        Node const & n = nodes[p];
        int const a = n.previous, b = n.next;
        bool const fromLeft = rank[a] < rank[p], toLeft = rank[b] < rank[p];
        if (fromLeft != toLeft) {
            // The ring passes on: the new edge takes the old one's place.
            int const k = find(fromLeft ? a : p, n);
            if (k < 0)
                return false;  // the active edges are out of order: something crossed
            active[k] = fromLeft ? ActiveEdge{p, b, p} : ActiveEdge{p, a, a};
            if (meetsNeighbours(k, 1))
                return false;
            continue;
        }
        // Two edges end or start here: on one line, they run over each other.
        if (OrientSign(nodes[a], n, nodes[b]) == 0)
            return false;
        if (fromLeft) {
            int const ka = find(a, n), kp = find(p, n);
            int const k = std::min(ka, kp);
            if (k < 0 || std::max(ka, kp) != k + 1)
                return false;  // an edge passes between them, through p
            active.erase(active.begin() + k, active.begin() + k + 2);
            if (k > 0 && k < static_cast<int>(active.size()) && Meet(active[k - 1], active[k]))
                return false;
            continue;
        }
        int const k = lowestNotBelow(n);
        if (k < static_cast<int>(active.size()) &&
            OrientSign(nodes[active[k].left], nodes[active[k].right], n) == 0)
            return false;  // p lies on an edge
        ActiveEdge const toA = {p, a, a}, toB = {p, b, p};
        bool const aBelow = OrientSign(n, nodes[a], nodes[b]) > 0;
        active.insert(active.begin() + k, {aBelow ? toA : toB, aBelow ? toB : toA});
        if (meetsNeighbours(k, 2))
            return false;
    }
    return true;
}

// Whether two edges active at once touch or cross. Ring neighbours share an
// end and, not being on one line, meet nowhere else.
bool CrossingSweep::Meet(ActiveEdge const & e, ActiveEdge const & f) const
{
    std::vector<Node> const & nodes = *sweepNodes;
    if (e.left == f.left || e.left == f.right || e.right == f.left || e.right == f.right)
        return false;
    Node const & el = nodes[e.left];
    Node const & er = nodes[e.right];
    Node const & fl = nodes[f.left];
    Node const & fr = nodes[f.right];
    if (std::max(el.v, er.v) < std::min(fl.v, fr.v) || std::max(fl.v, fr.v) < std::min(el.v, er.v))
        return false;
    int const s1 = OrientSign(el, er, fl), s2 = OrientSign(el, er, fr);
    if (s1 * s2 > 0)
        return false;
    int const s3 = OrientSign(fl, fr, el), s4 = OrientSign(fl, fr, er);
    if (s3 * s4 > 0)
        return false;
    if (s1 == 0 && s2 == 0)
        return std::max(rank[e.left], rank[f.left]) < std::min(rank[e.right], rank[f.right]);
    return true;
}

}  // namespace fsp_polygon
