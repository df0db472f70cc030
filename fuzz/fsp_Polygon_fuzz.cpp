// The tessellator driven by bytes: calls in any order, with coordinates from
// a grid (at a scale the first byte picks) or raw floats (NaN, infinities,
// huge, tiny). Every result code is checked against the protocol, and the
// triangles of every polygon on the grid with the coverage check; a
// violation aborts. Where the grid is so fine that the tolerance of 1e-6,
// within which points are the same, moves edges by a visible part of the
// polygon, only the sense of the triangles higher than that is checked.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fsp_CoverageCheck.h"
#include "fsp_Polygon.h"

namespace {

using Code = fsp_Polygon::grupEnums;

class Session {
public:
    explicit Session(int scaleExponent) : scale(std::ldexp(1.0f, scaleExponent)), coarse(scaleExponent >= -4) {}

    void BeginPolygon(bool withOutput)
    {
        bool const begun = tessellator.BeginPolygon(withOutput ? &output : nullptr, nullptr);
        Expect(begun == withOutput, "BeginPolygon");
        error = !withOutput;
        collecting = withOutput;
        open = false;
        rings.clear();
        grid = true;
    }

    void BeginContour()
    {
        Code const expected = error ? fsp_Polygon::grupFailure
                              : !collecting ? fsp_Polygon::grupFailure
                              : open ? fsp_Polygon::grupContourAlreadyOpen
                                     : fsp_Polygon::grupSuccess;
        Expect(tessellator.BeginContour(3) == expected, "BeginContour");
        if (expected == fsp_Polygon::grupSuccess) {
            open = true;
            ring.clear();
        } else {
            error = true;
        }
    }

    void Vertex(float x, float y, bool onGrid)
    {
        Code const expected = error ? fsp_Polygon::grupFailure
                              : !open ? fsp_Polygon::grupNoOpenContour
                              : !std::isfinite(x) || !std::isfinite(y) ? fsp_Polygon::grupFailure
                                                                       : fsp_Polygon::grupSuccess;
        Expect(tessellator.Vertex(x, y) == expected, "Vertex");
        if (expected != fsp_Polygon::grupSuccess) {
            error = true;
            return;
        }
        grid = grid && onGrid;
        if (ring.empty() || std::abs(x - ring.back().x) >= 1e-6 || std::abs(y - ring.back().y) >= 1e-6)
            ring.push_back({x, y});
    }

    void EndContour()
    {
        Code const expected = error ? fsp_Polygon::grupFailure
                              : !open ? fsp_Polygon::grupNoOpenContour
                                      : fsp_Polygon::grupSuccess;
        Expect(tessellator.EndContour() == expected, "EndContour");
        if (expected != fsp_Polygon::grupSuccess) {
            error = true;
            return;
        }
        open = false;
        if (ring.size() >= 3)
            rings.push_back(ring);
    }

    void EndPolygon()
    {
        error = error || open;
        Code const result = tessellator.EndPolygon();
        Expect(result == (error ? fsp_Polygon::grupFailure : fsp_Polygon::grupSuccess), "EndPolygon");
        if (result == fsp_Polygon::grupSuccess && collecting) {
            Expect(output.Size() % 3 == 0, "whole triangles");
            std::vector<fsp_check::Triangle> triangles;
            for (int i = 0; i + 2 < output.Size(); i += 3)
                triangles.push_back({{{output.ConstGet(i).x, output.ConstGet(i).y},
                                      {output.ConstGet(i + 1).x, output.ConstGet(i + 1).y},
                                      {output.ConstGet(i + 2).x, output.ConstGet(i + 2).y}}});
            if (grid) {
                fsp_check::Options options;
                options.gridSize = 64;
                options.flatHeight = coarse ? 0.0 : 2e-6;
                fsp_check::Coverage const coverage = fsp_check::Check(rings, triangles, options);
                if (coarse ? !coverage.Holds() : coverage.wrongOrientation > 0) {
                    std::fprintf(stderr, "coverage: %s\n", coverage.Describe().c_str());
                    std::abort();
                }
            }
        }
        collecting = false;
        open = false;
        rings.clear();
    }

    bool Open() const { return open; }
    bool Collecting() const { return collecting; }
    float Scale() const { return scale; }

private:
    static void Expect(bool holds, char const * what)
    {
        if (!holds) {
            std::fprintf(stderr, "unexpected result of %s\n", what);
            std::abort();
        }
    }

    fsp_Polygon tessellator;
    cow_1DArrayList<g3d_Point> output;
    float scale;
    bool coarse;
    bool error = false;       // pending since the last BeginPolygon
    bool collecting = false;  // BeginPolygon with an output since the last EndPolygon
    bool open = false;
    bool grid = true;  // every point of the polygon on the grid
    fsp_check::Ring ring;
    fsp_check::Polygon rings;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    if (size == 0)
        return 0;
    // Grid steps from 2^-10 to 2^20; finer grids have features near the size
    // of the tolerance, and their points come in as raw floats.
    Session session(data[0] % 31 - 10);
    std::size_t at = 1;
    auto take = [&](std::size_t count) {
        bool const enough = at + count <= size;
        at += count;
        return enough;
    };
    while (at < size) {
        switch (data[at++] % 8) {
        case 0:
        case 7:
            session.BeginPolygon(data[at - 1] % 8 == 0);
            break;
        case 1:
            session.BeginContour();
            break;
        case 2:
            session.EndContour();
            break;
        case 3:
            session.EndPolygon();
            break;
        case 4:
        case 5:
            if (take(2))
                session.Vertex(data[at - 2] * session.Scale(), data[at - 1] * session.Scale(), true);
            break;
        case 6:
            if (take(8)) {
                float xy[2];
                std::memcpy(xy, data + at - 8, sizeof xy);
                session.Vertex(xy[0], xy[1], false);
            }
            break;
        }
    }
    if (session.Collecting()) {
        if (session.Open())
            session.EndContour();
        session.EndPolygon();
    }
    return 0;
}
