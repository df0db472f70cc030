// fsp_Polygon: the call protocol and its codes, exact triangles on small
// polygons worked out by hand, real glyphs taken straight from FreeType
// (checked against an independent nonzero-area sweep and winding numbers),
// and hostile input.
#include "fsp_Polygon.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using Code = fsp_Polygon::grupEnums;

struct Point {
    double x;
    double y;
};
using Contour = std::vector<Point>;
using Polygon = std::vector<Contour>;
using Triangle = std::array<Point, 3>;

struct Result {
    Code code;
    std::vector<Triangle> triangles;
};

Result Tessellate(fsp_Polygon & tessellator, Polygon const & polygon)
{
    cow_1DArrayList<g3d_Point> output;
    EXPECT_TRUE(tessellator.BeginPolygon(&output, nullptr));
    for (Contour const & contour : polygon) {
        EXPECT_EQ(tessellator.BeginContour(static_cast<unsigned>(contour.size())), fsp_Polygon::grupSuccess);
        for (Point p : contour)
            tessellator.Vertex(static_cast<float>(p.x), static_cast<float>(p.y));
        tessellator.EndContour();
    }
    Result result{tessellator.EndPolygon(), {}};
    EXPECT_EQ(output.Size() % 3, 0);
    for (int i = 0; i + 2 < output.Size(); i += 3) {
        Triangle t;
        for (int k = 0; k < 3; ++k)
            t[k] = {output.ConstGet(i + k).x, output.ConstGet(i + k).y};
        result.triangles.push_back(t);
    }
    return result;
}

Result Tessellate(Polygon const & polygon)
{
    fsp_Polygon tessellator;
    return Tessellate(tessellator, polygon);
}

double SignedArea(Triangle const & t)
{
    return ((t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[1].y - t[0].y) * (t[2].x - t[0].x)) / 2.0;
}

// Nonzero winding number of the contours around p.
int Winding(Polygon const & polygon, Point p)
{
    int winding = 0;
    for (Contour const & c : polygon) {
        for (std::size_t i = 0; i < c.size(); ++i) {
            Point const a = c[i], b = c[(i + 1) % c.size()];
            double const side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
            if (a.y <= p.y && b.y > p.y && side > 0.0)
                ++winding;
            else if (a.y > p.y && b.y <= p.y && side < 0.0)
                --winding;
        }
    }
    return winding;
}

// The area where the winding number is not zero: horizontal slabs between
// all vertex and crossing heights, in which the edges keep their order.
double FilledArea(Polygon const & polygon)
{
    struct Edge {
        Point a, b;
        double At(double y) const { return a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y); }
    };
    std::vector<Edge> edges;
    std::vector<double> heights;
    for (Contour const & c : polygon) {
        for (std::size_t i = 0; i < c.size(); ++i) {
            Point const a = c[i], b = c[(i + 1) % c.size()];
            heights.push_back(a.y);
            if (a.y != b.y)
                edges.push_back({a, b});
        }
    }
    for (std::size_t i = 0; i < edges.size(); ++i) {
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            Point const p = edges[i].a, r = {edges[i].b.x - p.x, edges[i].b.y - p.y};
            Point const q = edges[j].a, s = {edges[j].b.x - q.x, edges[j].b.y - q.y};
            double const d = r.x * s.y - r.y * s.x;
            if (d == 0.0)
                continue;
            double const t = ((q.x - p.x) * s.y - (q.y - p.y) * s.x) / d;
            double const u = ((q.x - p.x) * r.y - (q.y - p.y) * r.x) / d;
            if (t > 0.0 && t < 1.0 && u > 0.0 && u < 1.0)
                heights.push_back(p.y + t * r.y);
        }
    }
    std::sort(heights.begin(), heights.end());
    heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
    double area = 0.0;
    for (std::size_t k = 0; k + 1 < heights.size(); ++k) {
        double const low = heights[k], high = heights[k + 1], middle = (low + high) / 2.0;
        std::vector<std::pair<double, Edge const *>> crossing;
        for (Edge const & e : edges)
            if (std::min(e.a.y, e.b.y) <= low && std::max(e.a.y, e.b.y) >= high)
                crossing.emplace_back(e.At(middle), &e);
        std::sort(crossing.begin(), crossing.end(), [](auto const & l, auto const & r) { return l.first < r.first; });
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossing.size(); ++i) {
            winding += crossing[i].second->b.y > crossing[i].second->a.y ? 1 : -1;
            if (winding != 0) {
                Edge const & left = *crossing[i].second;
                Edge const & right = *crossing[i + 1].second;
                area += (right.At(low) - left.At(low) + right.At(high) - left.At(high)) / 2.0 * (high - low);
            }
        }
    }
    return area;
}

// The triangles fill exactly the nonzero region: their areas add up to it,
// each runs clockwise in (x, y) and, when asked (it costs triangles times
// edges), none lies outside.
void ExpectFills(Polygon const & polygon, Result const & result, double filledArea, std::string const & what,
                 bool checkCentroids = true)
{
    ASSERT_EQ(result.code, fsp_Polygon::grupSuccess) << what;
    double total = 0.0;
    int reversed = 0, outside = 0;
    for (Triangle const & t : result.triangles) {
        double const area = SignedArea(t);
        total += std::abs(area);
        if (area > 1e-9 * std::max(1.0, filledArea))
            ++reversed;
        Point const centroid = {(t[0].x + t[1].x + t[2].x) / 3.0, (t[0].y + t[1].y + t[2].y) / 3.0};
        if (checkCentroids && std::abs(area) > 1e-9 * std::max(1.0, filledArea) && Winding(polygon, centroid) == 0)
            ++outside;
    }
    EXPECT_NEAR(total, filledArea, 1e-6 * filledArea) << what;
    EXPECT_EQ(reversed, 0) << what << ": triangles against the polygon's sense";
    EXPECT_EQ(outside, 0) << what << ": triangles outside the filled region";
}

void ExpectFills(Polygon const & polygon, Result const & result, std::string const & what)
{
    ExpectFills(polygon, result, FilledArea(polygon), what);
}

void ExpectTriangles(Result const & result, std::vector<Triangle> const & expected)
{
    ASSERT_EQ(result.code, fsp_Polygon::grupSuccess);
    ASSERT_EQ(result.triangles.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(result.triangles[i][k].x, expected[i][k].x) << "triangle " << i << " corner " << k;
            EXPECT_EQ(result.triangles[i][k].y, expected[i][k].y) << "triangle " << i << " corner " << k;
        }
    }
}

Contour Square(double x0, double y0, double size, bool counterClockwise = true)
{
    Contour c = {{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
    if (!counterClockwise)
        std::reverse(c.begin(), c.end());
    return c;
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

    // A new polygon clears the error.
    Result const square = Tessellate(tessellator, {Square(0, 0, 1)});
    EXPECT_EQ(square.code, fsp_Polygon::grupSuccess);
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
    ASSERT_EQ(repeated.code, fsp_Polygon::grupSuccess);
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
    std::mt19937 random(7);
    std::uniform_real_distribution<double> radius(0.5, 1.0);
    fsp_Polygon reused;
    for (int round = 0; round < 20; ++round) {
        Contour star;
        for (int i = 0; i < 40; ++i)
            star.push_back({radius(random) * std::cos(i * M_PI / 20), radius(random) * std::sin(i * M_PI / 20)});
        Polygon const polygon = {star, Square(-0.1, -0.1, 0.2, round % 2 == 0)};
        Result const again = Tessellate(reused, polygon);
        ExpectTriangles(again, Tessellate(polygon).triangles);
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
    // Corners (0,0) (1,0) (1,1) (0,1): all four are 45-degree ears, so the
    // first given, (0,0), goes first; the rest closes at the head (1,0),
    // the lowest of the points with the largest x.
    std::vector<Triangle> const expected = {{{{0, 0}, {0, 1}, {1, 0}}}, {{{1, 0}, {0, 1}, {1, 1}}}};
    ExpectTriangles(Tessellate({Square(0, 0, 1, true)}), expected);
    ExpectTriangles(Tessellate({{{0, 0}, {0, 1}, {1, 1}, {1, 0}}}), expected);
}

TEST(fsp_PolygonTriangles, TriangleIsEmittedFromItsHead)
{
    ExpectTriangles(Tessellate({{{0, 0}, {2, 0}, {0, 1}}}), {{{{2, 0}, {0, 0}, {0, 1}}}});
}

TEST(fsp_PolygonTriangles, BestEarGoesFirst)
{
    // Smallest angles: (3,2) 45, (0,2) 33.7, (0,0) 26.6, (1,0) 11.3 degrees.
    ExpectTriangles(Tessellate({{{0, 0}, {0, 2}, {3, 2}, {1, 0}}}),
                    {{{{3, 2}, {1, 0}, {0, 2}}}, {{{1, 0}, {0, 0}, {0, 2}}}});
}

TEST(fsp_PolygonTriangles, ReflexVertexOnTheDiagonalBlocksTheEar)
{
    // The notch (2,2) lies on the diagonals of the ears at (0,0) and (4,0);
    // cutting either would fold the ring over the notch. The ears at (4,4)
    // and (0,4) have the notch as a corner; (4,4) was given first.
    Polygon const notch = {{{0, 0}, {4, 0}, {4, 4}, {2, 2}, {0, 4}}};
    Result const result = Tessellate(notch);
    ExpectTriangles(result, {{{{4, 4}, {4, 0}, {2, 2}}}, {{{0, 4}, {2, 2}, {0, 0}}}, {{{4, 0}, {0, 0}, {2, 2}}}});
    ExpectFills(notch, result, 12.0, "notch");
}

// ------------------------------------------------ holes, islands, touching

TEST(fsp_PolygonNesting, SquareWithHoleInEitherDirection)
{
    for (bool holeCounterClockwise : {false, true}) {
        Polygon const ring = {Square(0, 0, 10), Square(3, 3, 4, holeCounterClockwise)};
        Result const result = Tessellate(ring);
        EXPECT_EQ(result.triangles.size(), 8u);
        ExpectFills(ring, result, 100.0 - 16.0, holeCounterClockwise ? "hole counter-clockwise" : "hole clockwise");
    }
}

TEST(fsp_PolygonNesting, IslandInsideAHoleIsFilled)
{
    for (bool alternate : {false, true}) {
        Polygon const nested = {Square(0, 0, 10), Square(2, 2, 6, !alternate), Square(4, 4, 2, alternate)};
        Result const result = Tessellate(nested);
        EXPECT_EQ(result.triangles.size(), 10u);
        ExpectFills(nested, result, 100.0 - 36.0 + 4.0, "three nested squares");
    }
}

TEST(fsp_PolygonNesting, ContoursThatTouchAtTheHeadStaySeparate)
{
    // The dot of a small "i" sits on its stem: the dot's head is a point of
    // the stem, yet the dot is not inside it.
    Polygon const i = {{{0.53125, 0}, {1.64062, 0}, {1.64062, 5}, {0.53125, 5}},
                       {{0.53125, 5}, {1.64062, 5}, {1.64062, 6}, {0.53125, 6}}};
    ExpectFills(i, Tessellate(i), "stem and dot");

    // A hole that touches its parent at its head is still a hole.
    Polygon const touching = {Square(0, 0, 10), {{10, 5}, {8, 4}, {8, 6}}};
    ExpectFills(touching, Tessellate(touching), 100.0 - 2.0, "hole touching the border");
}

TEST(fsp_PolygonNesting, BridgeDoesNotCrossTheBoundary)
{
    // A slot enters from the right below the hole; a bump on the slot's
    // floor is the nearest point to the right of the hole, but a bridge to
    // it would cross the slot's ceiling (as under the crossbar of an "e").
    Polygon const slotted = {{{0, 0}, {10, 0}, {10, 3}, {7.5, 3}, {7, 3.5}, {6.5, 3}, {3, 3}, {3, 4}, {10, 4}, {10, 10}, {0, 10}},
                             Square(4, 5, 2, false)};
    ExpectFills(slotted, Tessellate(slotted), 100.0 - 6.75 - 4.0, "slot under a hole");
}

TEST(fsp_PolygonNesting, TwoHolesBridgedToOnePoint)
{
    // DejaVu Sans Bold Oblique "B" at 50 pixels: both counters bridge to the
    // waist (28.34375, 19.5), and the second bridge must leave from the copy
    // of the waist that faces its counter, not from the one facing the first.
    Polygon const b = {
        {{20, 22.34375}, {22.2382812, 22.6601562}, {23.921875, 23.609375}, {24.9882812, 25.1132812},
         {25.34375, 27.09375}, {25.09375, 28.3710938}, {24.34375, 29.296875}, {23.1445312, 29.859375},
         {21.515625, 30.046875}, {16.265625, 30.046875}, {14.75, 22.34375}},
        {{17.21875, 6.390625}, {20.0664062, 6.7734375}, {21.2119141, 7.25195312}, {22.171875, 7.921875},
         {22.9306641, 8.77929688}, {23.4726562, 9.8046875}, {23.90625, 12.359375}, {23.6054688, 13.9492188},
         {22.703125, 15.0625}, {21.1953125, 15.71875}, {19.046875, 15.9375}, {13.5, 15.9375}, {11.640625, 6.390625}},
        {{28.34375, 19.5}, {30.4609375, 18.5390625}, {32.03125, 17}, {33.015625, 14.96875}, {33.34375, 12.5},
         {33.0693359, 9.71582031}, {32.2460938, 7.25390625}, {30.8740234, 5.11425781}, {28.953125, 3.296875},
         {26.5439453, 1.85449219}, {23.6914062, 0.82421875}, {20.3955078, 0.206054688}, {16.65625, 0},
         {1.046875, 0}, {8.15625, 36.453125}, {22.234375, 36.453125}, {25.2724609, 36.3339844},
         {27.8867188, 35.9765625}, {30.0771484, 35.3808594}, {31.84375, 34.546875}, {33.2109375, 33.4638672},
         {34.1875, 32.1210938}, {34.7734375, 30.5185547}, {34.96875, 28.65625}, {34.5078125, 25.515625},
         {33.9316406, 24.0976562}, {33.125, 22.78125}, {32.140625, 21.6328125}, {31.015625, 20.703125},
         {29.75, 19.9921875}}};
    ExpectFills(b, Tessellate(b), "bold oblique B");
}

// -------------------------------------------------------------- real glyphs

// FreeType outlines at 50 pixels per em, unhinted, flattened until control
// points lie within 0.25 pixels of their chord.
class GlyphFlattener {
public:
    static std::vector<std::pair<unsigned, Polygon>> Printable(char const * path)
    {
        std::vector<std::pair<unsigned, Polygon>> glyphs;
        FT_Library library;
        if (FT_Init_FreeType(&library))
            return glyphs;
        FT_Face face;
        if (FT_New_Face(library, path, 0, &face) == 0) {
            FT_Set_Pixel_Sizes(face, 0, 50);
            for (unsigned code = 33; code <= 126; ++code)
                if (FT_Load_Char(face, code, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0)
                    glyphs.emplace_back(code, Flatten(face->glyph->outline));
            FT_Done_Face(face);
        }
        FT_Done_FreeType(library);
        return glyphs;
    }

private:
    static Polygon Flatten(FT_Outline & outline)
    {
        GlyphFlattener f;
        FT_Outline_Funcs funcs = {};
        funcs.move_to = [](FT_Vector const * to, void * self) {
            static_cast<GlyphFlattener *>(self)->polygon.emplace_back();
            static_cast<GlyphFlattener *>(self)->Emit(At(to));
            return 0;
        };
        funcs.line_to = [](FT_Vector const * to, void * self) {
            auto g = static_cast<GlyphFlattener *>(self);
            if (At(to).x != g->last.x || At(to).y != g->last.y)
                g->Emit(At(to));
            return 0;
        };
        funcs.conic_to = [](FT_Vector const * c, FT_Vector const * to, void * self) {
            auto g = static_cast<GlyphFlattener *>(self);
            g->Curve({g->last, At(c), At(to)});
            return 0;
        };
        funcs.cubic_to = [](FT_Vector const * c1, FT_Vector const * c2, FT_Vector const * to, void * self) {
            auto g = static_cast<GlyphFlattener *>(self);
            g->Curve({g->last, At(c1), At(c2), At(to)});
            return 0;
        };
        FT_Outline_Decompose(&outline, &funcs, &f);
        for (Contour & c : f.polygon)
            if (c.size() > 1 && c.front().x == c.back().x && c.front().y == c.back().y)
                c.pop_back();
        return f.polygon;
    }

    static Point At(FT_Vector const * v) { return {v->x / 64.0, v->y / 64.0}; }

    void Emit(Point p)
    {
        polygon.back().push_back(p);
        last = p;
    }

    // A quadratic or cubic Bezier segment, given by all its points.
    void Curve(std::vector<Point> const & points, int depth = 0)
    {
        Point const p0 = points.front(), p3 = points.back();
        if (p0.x == p3.x && p0.y == p3.y)
            return;
        double const dx = p3.x - p0.x, dy = p3.y - p0.y, length = std::hypot(dx, dy);
        bool flat = true;
        for (std::size_t k = 1; k + 1 < points.size(); ++k)
            flat = flat && std::abs((points[k].x - p0.x) * dy - (points[k].y - p0.y) * dx) / length <= 0.25;
        if (flat || depth >= 16) {
            Emit(p3);
            return;
        }
        // de Casteljau at the parameter midpoint.
        std::vector<Point> left = {p0}, right = {p3}, level = points;
        while (level.size() > 1) {
            std::vector<Point> next;
            for (std::size_t k = 0; k + 1 < level.size(); ++k)
                next.push_back({(level[k].x + level[k + 1].x) / 2, (level[k].y + level[k + 1].y) / 2});
            left.push_back(next.front());
            right.insert(right.begin(), next.back());
            level = next;
        }
        Curve(left, depth + 1);
        Curve(right, depth + 1);
    }

    Polygon polygon;
    Point last = {0.0, 0.0};
};

void ExpectFontFills(char const * path)
{
    auto const glyphs = GlyphFlattener::Printable(path);
    ASSERT_EQ(glyphs.size(), 94u) << path;
    fsp_Polygon tessellator;
    for (auto const & [code, polygon] : glyphs)
        ExpectFills(polygon, Tessellate(tessellator, polygon), std::string(path) + " '" + static_cast<char>(code) + "'");
}

TEST(fsp_PolygonGlyphs, DejaVuSansPrintable)
{
    ExpectFontFills("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
}

TEST(fsp_PolygonGlyphs, UrwC059RomanPrintable)
{
    ExpectFontFills("/usr/share/fonts/type1/urw-base35/C059-Roman.t1");
}

TEST(fsp_PolygonGlyphs, DejaVuSerifBoldPrintable)
{
    // Its "e" puts a vertex of the lower stroke nearest to the counter.
    ExpectFontFills("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf");
}

// ---------------------------------------------------------- hostile input

TEST(fsp_PolygonHostile, CollinearContourGivesOnlyFlatTriangles)
{
    Result const line = Tessellate({{{0, 0}, {1, 0}, {2, 0}, {5, 0}, {3, 0}}});
    EXPECT_EQ(line.code, fsp_Polygon::grupSuccess);
    for (Triangle const & t : line.triangles)
        EXPECT_EQ(SignedArea(t), 0.0);

    Result const diagonal = Tessellate({{{0, 0}, {1, 1}, {2, 2}, {3, 3}}, Square(0, 5, 1)});
    EXPECT_EQ(diagonal.code, fsp_Polygon::grupSuccess);
    double area = 0.0;
    for (Triangle const & t : diagonal.triangles)
        area += std::abs(SignedArea(t));
    EXPECT_NEAR(area, 1.0, 1e-12);
}

TEST(fsp_PolygonHostile, SpikesAndSelfTouchingRings)
{
    // A zero-width spike out of a square and back is cut away.
    Polygon const spikeOut = {{{0, 0}, {4, 0}, {4, 2}, {9, 2}, {4, 2}, {4, 4}, {0, 4}}};
    ExpectFills(spikeOut, Tessellate(spikeOut), 16.0, "spike out");
    // The tip of one into the square turns by zero area, so it is not
    // reflex and does not stop ears across it: an answer, not an exact one.
    Polygon const spikeIn = {{{0, 0}, {4, 0}, {4, 2}, {1, 2}, {4, 2}, {4, 4}, {0, 4}}};
    EXPECT_EQ(Tessellate(spikeIn).code, fsp_Polygon::grupSuccess);

    // A figure eight: one ring through the shared corner twice.
    Polygon const eight = {{{0, 0}, {2, 0}, {2, 2}, {4, 2}, {4, 4}, {2, 4}, {2, 2}, {0, 2}}};
    ExpectFills(eight, Tessellate(eight), 8.0, "figure eight");
}

TEST(fsp_PolygonHostile, HugeAndTinyCoordinates)
{
    float const huge = std::numeric_limits<float>::max() / 4;
    Result const big = Tessellate({Square(-huge, -huge, 2.0 * huge)});
    EXPECT_EQ(big.code, fsp_Polygon::grupSuccess);
    EXPECT_EQ(big.triangles.size(), 2u);

    Result const mixed = Tessellate({{{0, 0}, {1e30, 0}, {1e-30, 1e-30}, {0, 1e30}}, Square(1, 1, 1e-20)});
    EXPECT_EQ(mixed.code, fsp_Polygon::grupSuccess);

    Result const tiny = Tessellate({Square(0, 0, 1e-30), Square(0.5, 0.5, 1e-7)});
    EXPECT_EQ(tiny.code, fsp_Polygon::grupSuccess);
}

TEST(fsp_PolygonHostile, TenThousandTinyContours)
{
    Polygon apart, holes = {Square(0, 0, 1000)};
    for (int i = 0; i < 10000; ++i) {
        double const x = 10.0 * (i % 100), y = 10.0 * (i / 100);
        apart.push_back(Square(x, y, 0.5));
        holes.push_back(Square(x + 2, y + 2, 0.5, i % 3 == 0));
    }
    ExpectFills(apart, Tessellate(apart), 10000 * 0.25, "ten thousand separate squares", false);
    ExpectFills(holes, Tessellate(holes), 1000.0 * 1000.0 - 10000 * 0.25, "ten thousand holes", false);
}

TEST(fsp_PolygonHostile, RandomPointCloudsTerminate)
{
    // Self-intersecting rings have no valid answer, only a bounded one.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coordinate(0, 6);
    for (int round = 0; round < 300; ++round) {
        Polygon polygon(1 + round % 3);
        for (Contour & c : polygon)
            for (int i = 0; i < 3 + round % 17; ++i)
                c.push_back({static_cast<double>(coordinate(random)), static_cast<double>(coordinate(random))});
        Result const result = Tessellate(polygon);
        EXPECT_EQ(result.code, fsp_Polygon::grupSuccess);
        std::size_t points = 0;
        for (Contour const & c : polygon)
            points += c.size();
        EXPECT_LE(result.triangles.size(), 3 * points);
    }
}

// ------------------------------------------------------------- star shapes

TEST(fsp_PolygonStars, RandomStarsAreFilledExactly)
{
    // At glyph scale: at unit scale the absolute tolerance lets vertices
    // that turn by less than 1e-6 count as convex.
    std::mt19937 random(3);
    std::uniform_real_distribution<double> radius(50.0, 100.0);
    for (int n : {5, 17, 100, 1000, 10000}) {
        Contour star;
        for (int i = 0; i < n; ++i) {
            double const angle = 2.0 * M_PI * i / n, r = radius(random);
            star.push_back({static_cast<float>(r * std::cos(angle)), static_cast<float>(r * std::sin(angle))});
        }
        Polygon const polygon = {star};
        Result const result = Tessellate(polygon);
        EXPECT_EQ(result.triangles.size(), static_cast<std::size_t>(n - 2));
        double twiceArea = 0.0;
        for (int i = 0; i < n; ++i)
            twiceArea += star[i].x * star[(i + 1) % n].y - star[(i + 1) % n].x * star[i].y;
        ExpectFills(polygon, result, twiceArea / 2.0, "star of " + std::to_string(n));
    }
}

}  // namespace
