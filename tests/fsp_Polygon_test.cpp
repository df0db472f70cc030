// fsp_Polygon: the call protocol and its codes, exact triangles on small
// polygons worked out by hand, and for everything else an independent check
// of the output (tests/support): every triangle turned the polygon's way, a
// sample grid covered exactly once where the winding number is not zero and
// nowhere else, the area of that region. Inputs: touching, zero-area and
// crossing rings and their mirror images, stars, many holes, real glyphs of
// every installed font, and a glyph through the font server.
#include "fsp_Polygon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "fsp_CoverageCheck.h"
#include "fsp_FontServer.h"
#include "fsp_TestPolygons.h"
#include "win_Registry.h"

namespace {

using fsp_check::Point;
using fsp_check::Polygon;
using fsp_check::Ring;
using fsp_check::Triangle;

struct Result {
    fsp_Polygon::grupEnums code;
    std::vector<Triangle> triangles;
};

Result Tessellate(fsp_Polygon & tessellator, Polygon const & polygon)
{
    cow_1DArrayList<g3d_Point> output;
    EXPECT_TRUE(tessellator.BeginPolygon(&output, nullptr));
    for (Ring const & ring : polygon) {
        EXPECT_EQ(tessellator.BeginContour(static_cast<unsigned>(ring.size())), fsp_Polygon::grupSuccess);
        for (Point p : ring)
            tessellator.Vertex(static_cast<float>(p.x), static_cast<float>(p.y));
        tessellator.EndContour();
    }
    Result result{tessellator.EndPolygon(), {}};
    EXPECT_EQ(output.Size() % 3, 0);
    for (int i = 0; i + 2 < output.Size(); i += 3)
        result.triangles.push_back({{{output.ConstGet(i).x, output.ConstGet(i).y},
                                     {output.ConstGet(i + 1).x, output.ConstGet(i + 1).y},
                                     {output.ConstGet(i + 2).x, output.ConstGet(i + 2).y}}});
    return result;
}

Result Tessellate(Polygon const & polygon)
{
    fsp_Polygon tessellator;
    return Tessellate(tessellator, polygon);
}

void ExpectCovers(Polygon const & polygon, Result const & result, std::string const & what,
                  fsp_check::Options const & options = {})
{
    ASSERT_EQ(result.code, fsp_Polygon::grupSuccess) << what;
    fsp_check::Coverage const coverage = fsp_check::Check(polygon, result.triangles, options);
    EXPECT_TRUE(coverage.Holds()) << what << ": " << coverage.Describe();
}

void ExpectTriangles(Result const & result, std::vector<Triangle> const & expected)
{
    ASSERT_EQ(result.code, fsp_Polygon::grupSuccess);
    ASSERT_EQ(result.triangles.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(result.triangles[i][k].x, expected[i][k].x) << "triangle " << i << " corner " << k;
            EXPECT_EQ(result.triangles[i][k].y, expected[i][k].y) << "triangle " << i << " corner " << k;
        }
}

Ring Square(double x0, double y0, double size, bool counterClockwise = true)
{
    Ring c = {{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
    if (!counterClockwise)
        std::reverse(c.begin(), c.end());
    return c;
}

Polygon Mirrored(Polygon polygon)
{
    for (Ring & ring : polygon)
        for (Point & p : ring)
            p.x = -p.x;
    return polygon;
}

// ---------------------------------------------------------------- protocol

TEST(fsp_PolygonProtocol, VertexWithoutContourFailsAndEveryLaterCallAnswersFailure)
{
    fsp_Polygon tessellator;
    cow_1DArrayList<g3d_Point> output;
    ASSERT_TRUE(tessellator.BeginPolygon(&output, nullptr));
    EXPECT_EQ(tessellator.Vertex(0.0f, 0.0f), fsp_Polygon::grupNoOpenContour);
    EXPECT_EQ(tessellator.BeginContour(3), fsp_Polygon::grupFailure);
    EXPECT_EQ(tessellator.Vertex(1.0f, 0.0f), fsp_Polygon::grupFailure);
    EXPECT_EQ(tessellator.EndContour(), fsp_Polygon::grupFailure);
    EXPECT_EQ(tessellator.EndPolygon(), fsp_Polygon::grupFailure);
    EXPECT_EQ(tessellator.BeginContour(3), fsp_Polygon::grupFailure) << "the error stays until BeginPolygon";

    Result const square = Tessellate(tessellator, {Square(0, 0, 1)});
    EXPECT_EQ(square.code, fsp_Polygon::grupSuccess) << "a new polygon clears the error";
    EXPECT_EQ(square.triangles.size(), 2u);
}

TEST(fsp_PolygonProtocol, MisplacedContourCallsAreErrors)
{
    fsp_Polygon tessellator;
    cow_1DArrayList<g3d_Point> output;

    ASSERT_TRUE(tessellator.BeginPolygon(&output, nullptr));
    EXPECT_EQ(tessellator.EndContour(), fsp_Polygon::grupNoOpenContour);
    EXPECT_EQ(tessellator.EndPolygon(), fsp_Polygon::grupFailure);

    ASSERT_TRUE(tessellator.BeginPolygon(&output, nullptr));
    EXPECT_EQ(tessellator.BeginContour(0), fsp_Polygon::grupSuccess);
    EXPECT_EQ(tessellator.BeginContour(0), fsp_Polygon::grupContourAlreadyOpen);
    EXPECT_EQ(tessellator.EndPolygon(), fsp_Polygon::grupFailure);

    // EndPolygon inside a contour fails and drops everything.
    ASSERT_TRUE(tessellator.BeginPolygon(&output, nullptr));
    EXPECT_EQ(tessellator.BeginContour(0), fsp_Polygon::grupSuccess);
    for (Point p : Square(0, 0, 1))
        EXPECT_EQ(tessellator.Vertex(static_cast<float>(p.x), static_cast<float>(p.y)), fsp_Polygon::grupSuccess);
    EXPECT_EQ(tessellator.EndPolygon(), fsp_Polygon::grupFailure);
    EXPECT_EQ(output.Size(), 0);
}

TEST(fsp_PolygonProtocol, OutputListIsRequiredAndClearedAndOnlyValidUntilEndPolygon)
{
    fsp_Polygon tessellator;
    EXPECT_FALSE(tessellator.BeginPolygon(nullptr, nullptr));
    EXPECT_EQ(tessellator.BeginContour(0), fsp_Polygon::grupFailure);
    EXPECT_EQ(tessellator.EndPolygon(), fsp_Polygon::grupFailure);

    cow_1DArrayList<g3d_Point> output;
    output.Append(g3d_Point(7.0f, 7.0f));
    ASSERT_TRUE(tessellator.BeginPolygon(&output, nullptr));
    EXPECT_EQ(output.Size(), 0) << "BeginPolygon clears the list";
    EXPECT_EQ(tessellator.EndPolygon(), fsp_Polygon::grupSuccess) << "no contour: nothing to do";
    EXPECT_EQ(output.Size(), 0);

    // Contours need a BeginPolygon first; the list of the last polygon is
    // not written again.
    EXPECT_EQ(tessellator.BeginContour(0), fsp_Polygon::grupFailure);
    EXPECT_EQ(output.Size(), 0);
}

TEST(fsp_PolygonProtocol, ShortContoursAreDroppedAndRepeatedPointsIgnored)
{
    EXPECT_TRUE(Tessellate({{}}).triangles.empty());
    EXPECT_TRUE(Tessellate({{{0, 0}, {1, 0}}}).triangles.empty());
    EXPECT_TRUE(Tessellate({{{0, 0}, {1, 0}, {1, 4e-7}}}).triangles.empty()) << "the third point repeats the second";

    Result const clean = Tessellate({{{0, 0}, {3, 0}, {3, 2}, {1, 3}, {0, 2}}});
    Result const repeated =
        Tessellate({{{0, 0}, {0, 5e-7}, {3, 0}, {3, 0}, {3, 2}, {3 + 9e-7, 2 - 9e-7}, {1, 3}, {0, 2}, {0, 0}}});
    ExpectTriangles(repeated, clean.triangles);
}

TEST(fsp_PolygonProtocol, NonFiniteCoordinatesAreAnError)
{
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        fsp_Polygon tessellator;
        cow_1DArrayList<g3d_Point> output;
        ASSERT_TRUE(tessellator.BeginPolygon(&output, nullptr));
        tessellator.BeginContour(3);
        tessellator.Vertex(0.0f, 0.0f);
        EXPECT_EQ(tessellator.Vertex(bad, 1.0f), fsp_Polygon::grupFailure);
        EXPECT_EQ(tessellator.Vertex(1.0f, 1.0f), fsp_Polygon::grupFailure);
        EXPECT_EQ(tessellator.EndContour(), fsp_Polygon::grupFailure);
        EXPECT_EQ(tessellator.EndPolygon(), fsp_Polygon::grupFailure);
        EXPECT_EQ(output.Size(), 0);
    }
}

TEST(fsp_PolygonProtocol, OneObjectServesPolygonAfterPolygon)
{
    fsp_Polygon reused;
    for (unsigned round = 0; round < 20; ++round) {
        Polygon polygon = round % 2 ? fsp_check::RandomRing(12, round) : fsp_check::Star(40, round);
        polygon.push_back(Square(-0.1, -0.1, 0.2, round % 4 == 0));
        ExpectTriangles(Tessellate(reused, polygon), Tessellate(polygon).triangles);
    }
}

// ------------------------------------------ exact triangles, worked by hand
//
// Working coordinates are (u, v) = (-x, y); vertices rank by u, then v. The
// largest contour is made counter-clockwise there, so triangles come out
// clockwise in (x, y). Ears go best first: largest smallest angle, and among
// equal angles the point given first.

TEST(fsp_PolygonTriangles, SquareInEitherDirection)
{
    // All four corners are 45-degree ears, so the first given, (0,0), goes
    // first; the rest closes at the head (1,0), the lowest of the points
    // with the largest x.
    std::vector<Triangle> const expected = {{{{0, 0}, {0, 1}, {1, 0}}}, {{{1, 0}, {0, 1}, {1, 1}}}};
    ExpectTriangles(Tessellate({Square(0, 0, 1, true)}), expected);
    ExpectTriangles(Tessellate({{{0, 0}, {0, 1}, {1, 1}, {1, 0}}}), expected);
}

TEST(fsp_PolygonTriangles, BestEarGoesFirst)
{
    ExpectTriangles(Tessellate({{{0, 0}, {2, 0}, {0, 1}}}), {{{{2, 0}, {0, 0}, {0, 1}}}});
    // Smallest angles: (3,2) 45, (0,2) 33.7, (0,0) 26.6, (1,0) 11.3 degrees.
    ExpectTriangles(Tessellate({{{0, 0}, {0, 2}, {3, 2}, {1, 0}}}),
                    {{{{3, 2}, {1, 0}, {0, 2}}}, {{{1, 0}, {0, 0}, {0, 2}}}});
}

TEST(fsp_PolygonTriangles, ReflexVertexOnTheDiagonalBlocksTheEar)
{
    // The notch (2,2) lies on the diagonals of the ears at (0,0) and (4,0);
    // cutting either would fold the ring over the notch.
    ExpectTriangles(Tessellate({{{0, 0}, {4, 0}, {4, 4}, {2, 2}, {0, 4}}}),
                    {{{{4, 4}, {4, 0}, {2, 2}}}, {{{0, 4}, {2, 2}, {0, 0}}}, {{{4, 0}, {0, 0}, {2, 2}}}});
}

// ------------------------------------------ the nonzero region, and only it

struct Shape {
    char const * name;
    Polygon polygon;
};

// A ring through `turns` times around a circle of n points.
Ring Wound(int n, int turns)
{
    Ring ring;
    for (int i = 0; i < n * turns; ++i)
        ring.push_back({std::cos(2.0 * M_PI * i / n), std::sin(2.0 * M_PI * i / n)});
    return ring;
}

std::vector<Shape> const & Shapes()
{
    static std::vector<Shape> const shapes = {
        // Rings that share a vertex.
        {"holes fanned around one corner",
         {Square(0, 0, 10), Square(5, 5, 2, false), Square(3, 5, 2, false), Square(3, 3, 2, false), Square(5, 3, 2, false)}},
        {"holes touching at a corner", {Square(0, 0, 10), Square(2, 2, 3, false), Square(5, 5, 3, false)}},
        {"hole with a corner on the outer edge", {Square(0, 0, 10), {{10, 5}, {7, 3}, {7, 7}}}},
        {"hole sharing an outer corner", {Square(0, 0, 10), {{10, 10}, {6, 8}, {8, 6}}}},
        {"island touching its hole", {Square(0, 0, 10), Square(2, 2, 6, false), Square(2, 2, 3)}},
        {"figure eight", {{{0, 0}, {2, 0}, {2, 2}, {4, 2}, {4, 4}, {2, 4}, {2, 2}, {0, 2}}}},
        {"ring through two points twice",
         {{{249, 221}, {1, 228}, {53, 53}, {53, 199}, {165, 165}, {53, 53}, {53, 165}, {165, 165}, {2, 3}}}},
        {"stem and dot",
         {{{0.53125, 0}, {1.64062, 0}, {1.64062, 5}, {0.53125, 5}}, {{0.53125, 5}, {1.64062, 5}, {1.64062, 6}, {0.53125, 6}}}},
        // Zero area.
        {"hole identical to its ring", {Square(0, 0, 4), Square(0, 0, 4, false)}},
        {"collinear spike out", {{{0, 0}, {4, 0}, {4, 2}, {9, 2}, {4, 2}, {4, 4}, {0, 4}}}},
        {"collinear spike in", {{{0, 0}, {4, 0}, {4, 2}, {1, 2}, {4, 2}, {4, 4}, {0, 4}}}},
        {"one triangle twice", {{{0, 0}, {3, 0}, {0, 3}}, {{0, 0}, {3, 0}, {0, 3}}}},
        {"one triangle there and back", {{{0, 0}, {3, 0}, {0, 3}}, {{0, 3}, {3, 0}, {0, 0}}}},
        // In decimals a corner on the hole's last edge; in floats 1e-8 inside it.
        {"hole with a sliver", {Square(-1, -1, 2), {{-0.1, 0.2}, {-0.4, 0.3}, {-0.3, 0.4}, {-0.4, 0.5}}}},
        {"points on a line", {{{0, 0}, {1, 0}, {2, 0}, {5, 0}, {3, 0}}, Square(0, 5, 1)}},
        // Crossings.
        {"bowtie", {{{0, 0}, {2, 2}, {2, 0}, {0, 2}}}},
        {"pentagram", {{{0, 10}, {5.9, -8.1}, {-9.5, 3.1}, {9.5, 3.1}, {-5.9, -8.1}}}},
        {"hole across the outer edge", {Square(0, 0, 10), Square(7, 3, 5, false)}},
        {"rings overlapping the same way", {Square(0, 0, 4), Square(2, 2, 4), Square(1, 1, 1)}},
        {"hole given the same way", {Square(0, 0, 10), Square(3, 3, 4)}},
        {"ring wound seven times", {Wound(40, 7)}},
        {"slot under a hole",
         {{{0, 0}, {10, 0}, {10, 3}, {7.5, 3}, {7, 3.5}, {6.5, 3}, {3, 3}, {3, 4}, {10, 4}, {10, 10}, {0, 10}},
          Square(4, 5, 2, false)}},
        // The largest ring against the polygon's sense: the smaller ones outweigh it.
        {"rings of either sense side by side", {Square(0, 0, 2), Square(5, 0, 1, false)}},
        {"L outweighed", {{{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 4}, {0, 4}}, Square(10, 0, 2, false), Square(13, 0, 2, false)}},
        {"slot under a hole, outweighed",
         {{{0, 0}, {10, 0}, {10, 3}, {7.5, 3}, {7, 3.5}, {6.5, 3}, {3, 3}, {3, 4}, {10, 4}, {10, 10}, {0, 10}},
          Square(4, 5, 2, false), Square(20, 0, 8, false), Square(30, 0, 8, false)}},
        // A ring edge that ends on the line of the hole's bridge, inside its box.
        {"notch tip level with the bridge",
         {{{0, 0}, {0, 10}, {7, 10}, {4, 5}, {8, 10}, {10, 10}, {10, 5}, {10, 0}}, {{6, 5}, {5.5, 6}, {5.5, 4}}}},
        // Edges overlapping at the first vertex swept, and a crossing after it.
        {"bowtie with a spike", {{{0, 0}, {2, 2}, {2, 0}, {3, 0}, {2.5, 0}, {0, 2}}}},
    };
    return shapes;
}

TEST(fsp_PolygonNonzero, EveryShapeAndItsMirrorImageIsCoveredOnce)
{
    for (Shape const & shape : Shapes()) {
        ExpectCovers(shape.polygon, Tessellate(shape.polygon), shape.name);
        Polygon const mirrored = Mirrored(shape.polygon);
        ExpectCovers(mirrored, Tessellate(mirrored), std::string(shape.name) + ", mirrored");
    }
}

TEST(fsp_PolygonNonzero, ZeroAreaGivesNoTriangles)
{
    for (char const * name : {"hole identical to its ring", "one triangle there and back"}) {
        auto const shape = std::find_if(Shapes().begin(), Shapes().end(),
                                        [&](Shape const & s) { return s.name == std::string(name); });
        Result const result = Tessellate(shape->polygon);
        EXPECT_EQ(result.code, fsp_Polygon::grupSuccess);
        EXPECT_TRUE(result.triangles.empty()) << name;
    }
}

TEST(fsp_PolygonNonzero, RandomCrossingRings)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        Polygon polygon = fsp_check::RandomRing(4 + seed % 37, seed);
        if (seed % 3 == 0)
            polygon.push_back(fsp_check::RandomRing(5, seed + 1000).front());
        ExpectCovers(polygon, Tessellate(polygon), "random ring " + std::to_string(seed));
    }
}

TEST(fsp_PolygonNonzero, StarsOfTenAndAHundredThousandPoints)
{
    for (int n : {10000, 100000}) {
        Polygon const star = fsp_check::Star(n, 3u + n);
        double twiceArea = 0.0;
        for (int i = 0; i < n; ++i)
            twiceArea += star[0][i].x * star[0][(i + 1) % n].y - star[0][(i + 1) % n].x * star[0][i].y;
        fsp_check::Options options;
        options.knownArea = twiceArea / 2.0;  // simple by construction
        Result const result = Tessellate(star);
        EXPECT_EQ(result.triangles.size(), static_cast<std::size_t>(n - 2));
        ExpectCovers(star, result, "star of " + std::to_string(n), options);
    }
}

// A hole in each long spike of a star: the ring vertices nearest a hole are
// often across a valley, so its bridge must look past them.
TEST(fsp_PolygonNonzero, HolesInTheSpikesOfStars)
{
    for (int n : {40, 600})  // walked around the ring, and indexed
        for (unsigned seed = 1; seed <= 6; ++seed) {
            Polygon polygon = fsp_check::Star(n, seed);
            Ring const star = polygon[0];
            for (Point tip : star) {
                if (std::hypot(tip.x, tip.y) <= 0.8)
                    continue;
                Point const c{0.85 * tip.x, 0.85 * tip.y};
                double clearance = 1.0;
                for (std::size_t i = 0; i < star.size(); ++i) {
                    Point const a = star[i], b = star[(i + 1) % star.size()];
                    double const along = std::clamp(((c.x - a.x) * (b.x - a.x) + (c.y - a.y) * (b.y - a.y)) /
                                                        ((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y)), 0.0, 1.0);
                    clearance = std::min(clearance, std::hypot(a.x + along * (b.x - a.x) - c.x, a.y + along * (b.y - a.y) - c.y));
                }
                polygon.push_back(Square(c.x - clearance / 4, c.y - clearance / 4, clearance / 2, false));
            }
            ExpectCovers(polygon, Tessellate(polygon), "star " + std::to_string(n) + " seed " + std::to_string(seed));
            ExpectCovers(Mirrored(polygon), Tessellate(Mirrored(polygon)), "mirrored star " + std::to_string(n));
        }
}

TEST(fsp_PolygonNonzero, ManyHoles)
{
    double area = 0.0;
    Polygon const holes = fsp_check::HoleGrid(38, area);
    fsp_check::Options options;
    options.knownArea = area;
    ExpectCovers(holes, Tessellate(holes), "1,444 holes", options);
}

TEST(fsp_PolygonHostile, HugeAndTinyCoordinates)
{
    float const huge = std::numeric_limits<float>::max() / 4;
    for (Polygon const & polygon : std::vector<Polygon>{
             {Square(-huge, -huge, 2.0 * huge)},
             {{{0, 0}, {1e30, 0}, {1e-30, 1e-30}, {0, 1e30}}, Square(1, 1, 1e-20)},
             {Square(0, 0, 1e-30), Square(0.5, 0.5, 1e-7)},
             {{{0, 0}, {1e6, 0}, {1e6 + 1e-3, 1e6}, {5e5, 1e6 + 1e-3}, {0, 1e6}}, Square(1e5, 1e5, 1e-3, false)}}) {
        Result const result = Tessellate(polygon);
        EXPECT_EQ(result.code, fsp_Polygon::grupSuccess);
        for (Triangle const & t : result.triangles)
            EXPECT_LE((t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[1].y - t[0].y) * (t[2].x - t[0].x), 0.0)
                << "a triangle turned against the polygon";
    }
    // Found by the fuzz target: edges across the whole float range crossing
    // at points every piece must still find.
    Polygon const crossingHuge = {
        {{0x1.78p+7, 0x1p+5}, {0x1.8ep+7, 0x1.f8p+6}, {0x1.9400fcp+125, 0x1.fcfcfcp+125},
         {0x1.fcfcfcp+125, 0x1.fcfcfcp-3}, {-0x1.fcfcfcp+127, 0x1.fcfc5cp+125}, {0x1.fcfcfcp+125, 0x1.fcfcfcp+125},
         {0x1.fcfcfcp+125, 0x1.fcfcfcp+125}, {0x1.fcfafcp+125, 0x1.fcfcfcp+125}, {-0x1.fefcfcp-123, -0x1.ac097p-69},
         {0x1.0971p+45, 0x1.00093ap+90}, {0x1.f8p+6, 0x1.f8p+6}},
        {{0x1.b8p+7, 0x1.92p+7}, {0x1.7cp+7, 0x1.c6p+7}, {0x1.12p+7, 0x1.6p+4},
         {0x1.cp+3, 0x1.7cp+7}, {0x1.b8p+6, 0x1.46p+7}, {0x1.84p+7, 0x1.bp+7},
         {0x1.4p+6, 0x1.68p+6}, {0x1.ep+6, 0x1.d8p+6}, {0x1.4p+4, 0x1.68p+6},
         {0x1.4cp+7, 0x1.6p+6}, {0x1.14p+6, 0x1.7p+7}, {0x1.74p+6, 0x1.c8p+7},
         {0x1.48p+5, 0x1.74p+7}, {0x1.6ap+7, 0x1.72p+7}, {0x1.04fcfcp+125, 0x1.7cfcfcp+125},
         {0x1.fefcfcp-34, 0x1.fcfcfcp+125}, {0x1.fcfcfcp+125, 0x1.fcfcfcp+125}}};
    EXPECT_EQ(Tessellate(crossingHuge).code, fsp_Polygon::grupSuccess);
    // Edges longer than the largest float cross.
    Polygon const hugeBowtie = {{{-3e38, -3e38}, {3e38, 3e38}, {3e38, -3e38}, {-3e38, 3e38}}};
    ExpectCovers(hugeBowtie, Tessellate(hugeBowtie), "bowtie across the float range");
}

// -------------------------------------------------------------- real glyphs

TEST(fsp_PolygonGlyphs, DejaVuSansAndC059AtFourScales)
{
    fsp_Polygon tessellator;
    for (char const * font : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "/usr/share/fonts/type1/urw-base35/C059-Roman.t1"})
        for (double em : {0.1, 1.0, 50.0, 10000.0}) {
            std::vector<fsp_check::Glyph> const glyphs = fsp_check::Glyphs(font, 33, 126, em);
            ASSERT_EQ(glyphs.size(), 94u) << font;
            for (fsp_check::Glyph const & glyph : glyphs)
                ExpectCovers(glyph.polygon, Tessellate(tessellator, glyph.polygon),
                             std::string(font) + " at " + std::to_string(em) + " '" + static_cast<char>(glyph.code) + "'");
        }
}

TEST(fsp_PolygonGlyphs, EveryInstalledFontAt72And96And300Dpi)
{
    // The font server's em in its output units at a resolution, flattened
    // there; every fourth code at each resolution, a different fourth each.
    std::vector<std::string> const fonts = fsp_check::InstalledFonts();
    ASSERT_GE(fonts.size(), 3u);
    fsp_Polygon tessellator;
    fsp_check::Options coarse;
    coarse.gridSize = 40;
    int checked = 0;
    for (std::string const & font : fonts) {
        int const dpis[] = {72, 96, 300};
        for (int k = 0; k < 3; ++k)
            for (fsp_check::Glyph const & glyph : fsp_check::Glyphs(font, 33 + k, 255, dpis[k] * 0.1388889 * 4000 / 3600, true)) {
                if ((glyph.code - 33 - k) % 4 != 0)
                    continue;
                ++checked;
                ExpectCovers(glyph.polygon, Tessellate(tessellator, glyph.polygon),
                             font + " at " + std::to_string(dpis[k]) + " dpi, code " + std::to_string(glyph.code), coarse);
            }
    }
    EXPECT_GT(checked, 1000);
}

// The registered mark of Liberation Mono Bold at 72 and 96 dpi: its
// flattened R crosses the flattened inner ring twice.
TEST(fsp_PolygonGlyphs, RegisteredMarkThroughTheFontServer)
{
    auto registry = std::make_unique<win_MemoryRegistry>();
    registry->SetString(win_Hive::localMachine, win_fontsKey, "Liberation Mono Bold (TrueType)",
                        "/usr/share/fonts/truetype/liberation/LiberationMono-Bold.ttf");
    win_SetRegistry(std::move(registry));
    fsp_FontServer & server = omi_Singleton<fsp_FontServer>::Instance();
    server.Init(nullptr);
    for (float pixelsPerMM : {72.0f / 25.4f, 96.0f / 25.4f}) {
        unsigned const handle = server.LoadFont("-*-liberation mono-bold-r-*-*-*-100-*", pixelsPerMM, pixelsPerMM, true, false, true);
        ASSERT_NE(handle, fsp_FontServer::noFont);
        unsigned contourCount = 0;
        unsigned sizes[64];
        float points[2 * 2048];
        server.GetOutline(handle, 0xAE, 64, 2048, contourCount, sizes, points);
        Polygon outline;
        for (unsigned c = 0, at = 0; c < contourCount; at += sizes[c++]) {
            outline.emplace_back();
            for (unsigned k = 0; k + 1 < sizes[c]; ++k)  // the last point repeats the first
                outline.back().push_back({points[2 * (at + k)], points[2 * (at + k) + 1]});
        }
        unsigned count = 0;
        float * triangles = nullptr;
        server.GetFill(handle, 0xAE, count, &triangles);
        Result fill{fsp_Polygon::grupSuccess, {}};
        for (unsigned t = 0; t < count; ++t)
            fill.triangles.push_back({{{triangles[6 * t], triangles[6 * t + 1]},
                                       {triangles[6 * t + 2], triangles[6 * t + 3]},
                                       {triangles[6 * t + 4], triangles[6 * t + 5]}}});
        ExpectCovers(outline, fill, "registered mark at " + std::to_string(pixelsPerMM * 25.4f) + " dpi");
        server.UnloadFont(handle);
    }
    omi_Singleton<fsp_FontServer>::Finalize();
    win_SetRegistry(nullptr);
}

}  // namespace
