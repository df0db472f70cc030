// The ear heap of the tessellator's ear cutter, and the rating by which it
// orders ears: the smallest angle of the ear's triangle, larger first.
// Internal to fsp_Polygon.
#ifndef FSP_POLYGONEARHEAP_H
#define FSP_POLYGONEARHEAP_H

#include <algorithm>
#include <cmath>
#include <vector>

#include "fsp_PolygonGeometry.h"

namespace fsp_polygon FSP_POLYGON_INTERNAL {

constexpr double kDegreesPerRadian = 57.29577951308232;

// The cosine of the triangle's smallest angle, i.e. its largest cosine, each
// taken as the normalised dot product of the two edges at a corner. A cosine
// of 1 or more, and a corner without length, mean the angle 0. The smallest
// angle lies opposite the shortest side; where that side is clearly the
// shortest and the angle not tiny, its cosine alone is the largest of the
// three as rounded, and the other two need not be worked out. Which side is
// the shortest is unpredictable, so it picks that corner by index, not by
// branches.
inline double LargestCosine(Node const & a, Node const & b, Node const & c)
{
    double const abU = b.u - a.u, abV = b.v - a.v;
    double const bcU = c.u - b.u, bcV = c.v - b.v;
    double const caU = a.u - c.u, caV = a.v - c.v;
    double const ab2 = abU * abU + abV * abV, bc2 = bcU * bcU + bcV * bcV, ca2 = caU * caU + caV * caV;
    // Corner k (a, b, c) lies between sides k and k + 2 (ab, bc, ca, ab, bc)
    // and opposite side k + 1.
    double const sides[5] = {ab2, bc2, ca2, ab2, bc2};
    double const dots[3] = {abU * caU + abV * caV, bcU * abU + bcV * abV, caU * bcU + caV * bcV};
    double const shortest = std::min(ab2, std::min(bc2, ca2));
    double const second = std::max(std::min(ab2, bc2), std::min(std::max(ab2, bc2), ca2));  // the median
    if (shortest > 0.0 && second - shortest > 1e-6 * second) {
        int const corner = (bc2 != shortest) * (1 + (ca2 != shortest));
        double const cosine = -dots[corner] / (std::sqrt(sides[corner]) * std::sqrt(sides[corner + 2]));
        if (cosine <= 1.0 - 1e-6)
            return cosine;
    }
    double const ab = std::sqrt(ab2), bc = std::sqrt(bc2), ca = std::sqrt(ca2);
    if (ab == 0.0 || bc == 0.0 || ca == 0.0)
        return 1.0;
    double const atA = -dots[0] / (ab * ca);
    double const atB = -dots[1] / (bc * ab);
    double const atC = -dots[2] / (ca * bc);
    return std::min(1.0, std::max(atA, std::max(atB, atC)));
}

inline double DegreesOf(double cosine)
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

inline bool Better(RankedEar const & a, RankedEar const & b)
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

// The ears of the ring being cut, best first. Each vertex's position is kept
// so that an ear can leave from the middle or move after a new rating; the
// positions are an array of their own, far more compact than the nodes. A
// ring of many vertices keeps its ears in an array-based binary max-heap. A
// small one keeps them unsorted and finds the best by a scan: its ears are
// few, and a scan has no branch whose outcome is hard to predict, where a
// sift through a heap has one a level. The order is total, so both find the
// same ear.
class EarHeap {
public:
    // `ringSize` bounds the number of ears; vertices are below `vertexCount`.
    void Reset(std::size_t vertexCount, int ringSize)
    {
        slots.clear();
        slots.reserve(static_cast<std::size_t>(ringSize));
        positions.assign(vertexCount, -1);
        sorted = ringSize > kScannedUpTo;
    }
    bool Empty() const { return slots.empty(); }
    bool Contains(int vertex) const { return positions[vertex] >= 0; }

    void Push(int ear, double smallestAngleCosine)
    {
        slots.push_back(RankedEar{smallestAngleCosine, ear});
        int const position = static_cast<int>(slots.size()) - 1;
        positions[ear] = position;
        if (sorted)
            SiftUp(position);
    }

    int PopBest()
    {
        int const best = sorted ? slots.front().vertex : slots[BestByScan()].vertex;
        Remove(best);
        return best;
    }

    void Remove(int ear)
    {
        int const position = positions[ear];
        positions[ear] = -1;
        RankedEar const last = slots.back();
        slots.pop_back();
        if (last.vertex != ear) {
            Place(last, position);
            if (sorted)
                Restore(position);
        }
    }

    void Rerate(int ear, double smallestAngleCosine)
    {
        int const position = positions[ear];
        slots[position].smallestAngleCosine = smallestAngleCosine;
        if (sorted)
            Restore(position);
    }

private:
    static constexpr int kScannedUpTo = 128;  // vertices of a ring

    // Better, with its usual case, cosines far apart, made a select.
    int BestByScan() const
    {
        int best = 0;
        int const size = static_cast<int>(slots.size());
        for (int k = 1; k < size; ++k) {
            double const cosine = slots[k].smallestAngleCosine, bestCosine = slots[best].smallestAngleCosine;
            bool const better = std::abs(cosine - bestCosine) > kCosineResolution ? cosine < bestCosine
                                                                                   : Better(slots[k], slots[best]);
            best += (k - best) * better;  // a select that compilers keep free of branches
        }
        return best;
    }

    void Place(RankedEar const & ear, int position)
    {
        slots[position] = ear;
        positions[ear.vertex] = position;
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

    std::vector<RankedEar> slots;
    std::vector<int> positions;  // of each vertex's ear, -1 for none
    bool sorted = true;          // a heap, else unsorted
};

}  // namespace fsp_polygon

#endif
