#include "fsp_PolygonEars.h"

#include <algorithm>
#include <vector>

#include "fsp_PolygonEarHeap.h"
#include "fsp_PolygonReflexSet.h"

namespace fsp_polygon FSP_POLYGON_INTERNAL {

// Cuts one ring, whose convexities are set, into triangles.
class EarCutter::Cutter {
public:
    void Cut(std::vector<Node> & allNodes, int ringHead, int count, double orientationSign, bool exactly,
             cow_1DArrayList<g3d_Point> & out)
    {
        nodes = allNodes.data();
        head = ringHead;
        vertexCount = count;
        sign = orientationSign;
        // Each triangle takes a vertex off the ring, the last three.
        triangles.resize(3 * static_cast<std::size_t>(std::max(count - 2, 0)));
        emitted = 0;

        exact = exactly;
        faint.clear();
        reflexVertices.clear();
        reflexVertices.reserve(static_cast<std::size_t>(count));
        ForEachVertex([&](int vertex) {
            if (IsReflex(vertex))
                reflexVertices.push_back(vertex);
            else if (IsFaint(At(vertex)))
                faint.push_back(vertex);
        });
        reflexSet.Build(nodes, head, vertexCount, reflexVertices);
        earHeapSize = allNodes.size();
        earHeap.Reset(earHeapSize, vertexCount);

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
            int const ear = earHeap.PopBest();
            if (!exact && Folds(ear))
                CutExactlyFromHere();
            else
                CutEar(ear);
        }
        if (vertexCount == 3)
            Emit(head);
        out.Append(triangles.data(), 3 * emitted);
    }

private:
    Node & At(int vertex) { return nodes[vertex]; }

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

    // Until a cut would fold, a vertex counts as reflex when its rounded
    // convexity is below the tolerance, which keeps the order of the cuts
    // that have always come out right; a vertex that is reflex by its exact
    // sign but does not count is faint, and each cut is checked against the
    // faint ones. From a cut that would fold on, the exact sign counts.
    bool IsReflex(int vertex)
    {
        Node const & n = At(vertex);
        return exact ? n.reflex : n.convexity < -kTolerance;
    }

    bool IsFaint(Node const & n) const { return !exact && n.reflex && !(n.convexity < -kTolerance); }

    bool Folds(int ear)
    {
        if (At(ear).reflex)
            return true;
        if (faint.empty())
            return false;
        EarTriangle const triangle(nodes, ear, sign, true);
        // A faint vertex is checked while it stays reflex: one that has come
        // to count as reflex since may lie in an ear rated before it did.
        for (std::size_t k = 0; k < faint.size();) {
            Node const & n = At(faint[k]);
            if (!n.reflex) {
                faint[k] = faint.back();
                faint.pop_back();
                continue;
            }
            if (triangle.Covers(n))
                return true;
            ++k;
        }
        return false;
    }

    void CutExactlyFromHere()
    {
        exact = true;
        reflexVertices.clear();
        ForEachVertex([&](int vertex) {
            At(vertex).slot = -1;
            if (IsReflex(vertex))
                reflexVertices.push_back(vertex);
        });
        reflexSet.Build(nodes, head, vertexCount, reflexVertices);
        earHeap.Reset(earHeapSize, vertexCount);
    }

    bool IsEar(int vertex)
    {
        Node & n = At(vertex);
        if (IsReflex(vertex)) {
            n.blocker = vertex;
            return false;
        }
        if (reflexSet.Empty())
            return true;
        EarTriangle triangle(nodes, vertex, sign, exact);
        n.blocker = reflexSet.Blocker(triangle);
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
        SetConvexity(n, At(n.previous), At(n.next), sign);
        bool const reflex = IsReflex(vertex);
        if (IsFaint(n))
            faint.push_back(vertex);
        if (wasReflex && !reflex)
            reflexSet.Remove(vertex);
        else if (reflex && !wasReflex)
            reflexSet.Insert(vertex);
        return reflex && !wasReflex;
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
        n.reflex = false;  // out of the ring, no longer faint
        --vertexCount;
    }

    // Takes a vertex out of the ring and out of all cutting state.
    void Discard(int vertex)
    {
        Node & n = At(vertex);
        if (earHeap.Contains(vertex)) {
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
            bool const previousTurnedReflex = Reclassify(previous);
            bool const reflexGrew = Reclassify(next) || previousTurnedReflex;
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
        if (earHeap.Contains(vertex))
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
        g3d_Point * const corners = triangles.data() + 3 * emitted++;
        corners[0] = Corner(n);
        corners[1] = Corner(At(n.next));
        corners[2] = Corner(At(n.previous));
    }

    static g3d_Point Corner(Node const & n)
    {
        return g3d_Point(static_cast<float>(-n.u), static_cast<float>(n.v), 0.0f, 1.0f);
    }

    Node * nodes = nullptr;  // does not move while a ring is cut
    int head = -1;
    int vertexCount = 0;
    double sign = 1.0;
    std::vector<g3d_Point> triangles;  // of the ring, appended to the output at the end
    int emitted = 0;                   // triangles so far
    EarHeap earHeap;
    ReflexSet reflexSet;
    std::vector<int> reflexVertices;
    bool exact = false;
    std::vector<int> faint;  // may hold vertices no longer faint
    std::size_t earHeapSize = 0;
};

EarCutter::EarCutter() : cutter(std::make_unique<Cutter>()) {}

EarCutter::~EarCutter() = default;

void EarCutter::Cut(std::vector<Node> & nodes, int ringHead, int count, double orientationSign, bool exactly,
                    cow_1DArrayList<g3d_Point> & out)
{
    cutter->Cut(nodes, ringHead, count, orientationSign, exactly, out);
}

}  // namespace fsp_polygon
