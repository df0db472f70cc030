// The tessellator's shared working data: points in the mirrored plane
// (u, v) = (-x, y), their rings, and the orientation predicate whose sign is
// exact at every scale. Internal to fsp_Polygon.
#ifndef FSP_POLYGONGEOMETRY_H
#define FSP_POLYGONGEOMETRY_H

#include <cmath>

// The tessellator's parts are not exported, so that the calls between them
// are direct, not through the library's symbol table.
#define FSP_POLYGON_INTERNAL __attribute__((visibility("hidden")))

namespace fsp_polygon FSP_POLYGON_INTERNAL {

// The one absolute tolerance of the input: points closer than this in u and
// in v are the same point.
constexpr double kTolerance = 1e-6;

struct Node {
    double u = 0.0;
    double v = 0.0;
    int index = -1;  // rank in the vertex sort; points equal within the tolerance share it
    int next = -1;
    int previous = -1;
    int contour = -1;  // the contour the point was given in
    // Twice the signed area of (previous, this, next), signed so that a vertex
    // turning with the polygon is positive; `reflex` is its exact sign.
    double convexity = 0.0;
    bool reflex = false;

    // Cutting state.
    int nextEar = -1;  // the ears, chained in ring order
    int previousEar = -1;
    int cell = -1;  // of the reflex set's grid
    int slot = -1;  // >= 0 exactly while the vertex is in the reflex set
    // Why the vertex last failed the ear test, while its neighbours stay: the
    // vertex itself when reflex, else the reflex vertex in its triangle; -1
    // when unknown.
    int blocker = -1;
};

// A ring of nodes as it was given, and what the nesting made of it.
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

inline bool SamePoint(Node const & a, Node const & b)
{
    return std::abs(a.u - b.u) < kTolerance && std::abs(a.v - b.v) < kTolerance;
}

// Twice the signed area of the triangle a, b, c, rounded.
inline double Orient(Node const & a, Node const & b, Node const & c)
{
    return (b.u - a.u) * (c.v - a.v) - (b.v - a.v) * (c.u - a.u);
}

// The sign of the exact value of Orient, for any doubles.
int ExactOrientSign(double au, double av, double bu, double bv, double cu, double cv);

// An upper bound of Orient's rounding error, from the magnitudes of its two
// products (each difference, product and the subtraction round once).
inline double OrientError(double product1, double product2)
{
    return 8.9e-16 * (std::abs(product1) + std::abs(product2));
}

// The sign of the exact orientation: the rounded one where it is certain.
inline int OrientSign(Node const & a, Node const & b, Node const & c)
{
    double const left = (b.u - a.u) * (c.v - a.v), right = (b.v - a.v) * (c.u - a.u);
    double const orientation = left - right;
    if (orientation > OrientError(left, right))
        return 1;
    if (orientation < -OrientError(left, right))
        return -1;
    return ExactOrientSign(a.u, a.v, b.u, b.v, c.u, c.v);
}

// Sets the vertex's convexity from its neighbours, for a polygon that runs
// counter-clockwise (`sign` +1) or clockwise (-1) in (u, v).
inline void SetConvexity(Node & n, Node const & previous, Node const & next, double sign)
{
    double const left = (n.u - previous.u) * (next.v - previous.v), right = (n.v - previous.v) * (next.u - previous.u);
    n.convexity = sign * (left - right);
    double const error = OrientError(left, right);
    n.reflex = n.convexity < -error ||
               (n.convexity <= error && sign * ExactOrientSign(previous.u, previous.v, n.u, n.v, next.u, next.v) < 0);
}

}  // namespace fsp_polygon

#endif
