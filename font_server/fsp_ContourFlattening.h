// Glyph contours as closed polylines: on-curve points are kept, quadratic
// and cubic segments are flattened by halving them until their control points
// lie within kFlatness of the chord. A sink takes the polylines
// (BeginContour, Point) and may refuse a point, which ends the walk.
// Internal to fsp_FSTextFont.
#ifndef FSP_CONTOURFLATTENING_H
#define FSP_CONTOURFLATTENING_H

#include <cmath>

namespace fsp_glyphs {

constexpr float kFlatness = 0.25f;  // output units
constexpr int kMaxFlattenDepth = 16;

enum PointKind : unsigned char { onCurve, conicControl, cubicControl };

struct Vec {
    float x;
    float y;
    bool operator==(Vec const & o) const { return x == o.x && y == o.y; }
};

inline Vec Mid(Vec a, Vec b)
{
    return {(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f};
}

// Distance of `c` from the line through `p0` and `p3` (which differ).
inline float LineDistance(Vec c, Vec p0, Vec p3)
{
    float const dx = p3.x - p0.x, dy = p3.y - p0.y;
    return std::fabs(dx * (c.y - p0.y) - dy * (c.x - p0.x)) / std::sqrt(dx * dx + dy * dy);
}

// Turns one contour into a closed polyline, curves flattened to kFlatness.
template <class Sink>
class ContourWalker {
public:
    explicit ContourWalker(Sink & sink) : sink(sink) {}

    // `points` in reference units, output scaled by `sx`, `sy`.
    bool Walk(Vec const * points, unsigned char const * kinds, unsigned n, float sx, float sy)
    {
        auto const on = [&](unsigned i) { return kinds[i % n] == onCurve; };
        auto const at = [&](unsigned i) { return Vec{points[i % n].x * sx, points[i % n].y * sy}; };
        Vec start;
        unsigned next;
        if (on(0)) {
            start = at(0);
            next = 1;
        } else if (on(1)) {
            start = at(1);
            next = 2;
        } else {
            start = Mid(at(0), at(1));
            next = 1;
        }
        if (!sink.BeginContour() || !sink.Point(start))
            return false;
        current = start;
        pending = 0;
        // Unless the start is the first point, the walk wraps round to it.
        unsigned const last = on(0) ? n - 1 : n;
        for (unsigned i = next; i <= last; ++i) {
            if (!Step(at(i), kinds[i % n]))
                return false;
        }
        return Step(start, onCurve);
    }

private:
    bool Step(Vec p, unsigned char kind)
    {
        if (kind == onCurve) {
            bool const ok = pending == 0   ? sink.Point(p)
                            : pending == 1 ? Quadratic(current, control[0], p, 0)
                                           : Cubic(current, control[0], control[1], p, 0);
            current = p;
            pending = 0;
            return ok;
        }
        if (pending == 1 && kind == conicControl && pendingKind == conicControl) {
            // Two conic controls in a row imply an on-curve point between them.
            Vec const between = Mid(control[0], p);
            bool const ok = Quadratic(current, control[0], between, 0);
            current = between;
            control[0] = p;
            return ok;
        }
        if (pending == 2) {
            // A third control cannot come from FreeType; end the segment on it.
            bool const ok = Cubic(current, control[0], control[1], p, 0);
            current = p;
            pending = 0;
            return ok;
        }
        control[pending++] = p;
        pendingKind = kind;
        return true;
    }

    bool Quadratic(Vec p0, Vec c, Vec p3, int depth)
    {
        if (p0 == p3)
            return true;
        if (depth < kMaxFlattenDepth && LineDistance(c, p0, p3) > kFlatness) {
            Vec const c0 = Mid(p0, c), c1 = Mid(c, p3), m = Mid(c0, c1);
            return Quadratic(p0, c0, m, depth + 1) && Quadratic(m, c1, p3, depth + 1);
        }
        return sink.Point(p3);
    }

    bool Cubic(Vec p0, Vec c1, Vec c2, Vec p3, int depth)
    {
        if (p0 == p3)
            return true;
        if (depth < kMaxFlattenDepth &&
            (LineDistance(c1, p0, p3) > kFlatness || LineDistance(c2, p0, p3) > kFlatness)) {
            Vec const a = Mid(p0, c1), b = Mid(c1, c2), c = Mid(c2, p3);
            Vec const ab = Mid(a, b), bc = Mid(b, c), m = Mid(ab, bc);
            return Cubic(p0, a, ab, m, depth + 1) && Cubic(m, bc, c, p3, depth + 1);
        }
        return sink.Point(p3);
    }

    Sink & sink;
    Vec current{0.0f, 0.0f};
    Vec control[2]{};
    int pending = 0;
    unsigned char pendingKind = onCurve;
};

// Walks every contour of `glyph` (a GlyphOutline) into `sink`; false when the
// sink refused a point.
template <class Glyph, class Sink>
bool WalkOutline(Glyph const & glyph, float sx, float sy, Sink & sink)
{
    ContourWalker<Sink> walker(sink);
    unsigned first = 0;
    for (unsigned end : glyph.contourEnds) {
        if (end < first || end >= glyph.points.size() ||
            !walker.Walk(&glyph.points[first], &glyph.kinds[first], end - first + 1, sx, sy))
            return false;
        first = end + 1;
    }
    return true;
}

}  // namespace fsp_glyphs

#endif
