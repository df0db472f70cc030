// fsp_Polygon against the GLU tessellator (nonzero winding, triangles only),
// in one process on the same inputs: the printable glyphs of DejaVu Sans and
// URW C059 flattened from FreeType, and random star-shaped polygons. Each
// benchmark also reports the median and the 10th percentile of the triangles'
// smallest angles. GLU on 100,000 star vertices takes seconds and runs only
// with --glu_100k.
#include <GL/glu.h>
#include <benchmark/benchmark.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "fsp_Polygon.h"

namespace {

struct Point {
    double x;
    double y;
};
using Contour = std::vector<Point>;
using Polygon = std::vector<Contour>;

// FreeType outlines flattened into line segments: a curve is halved until its
// control points lie within `kFlatness` pixels of its chord.
class OutlineFlattener {
public:
    static std::vector<Polygon> Glyphs(char const * path, unsigned firstCode, unsigned lastCode)
    {
        std::vector<Polygon> glyphs;
        FT_Library library;
        if (FT_Init_FreeType(&library))
            return glyphs;
        FT_Face face;
        if (FT_New_Face(library, path, 0, &face) == 0) {
            FT_Set_Pixel_Sizes(face, 0, kPixelsPerEm);
            for (unsigned code = firstCode; code <= lastCode; ++code)
                if (FT_Load_Char(face, code, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0)
                    glyphs.push_back(Flatten(face->glyph->outline));
            FT_Done_Face(face);
        }
        FT_Done_FreeType(library);
        return glyphs;
    }

private:
    static constexpr int kPixelsPerEm = 50;
    static constexpr double kFlatness = 0.25;

    static Polygon Flatten(FT_Outline & outline)
    {
        OutlineFlattener flattener;
        FT_Outline_Funcs funcs = {};
        funcs.move_to = [](FT_Vector const * to, void * self) {
            auto f = static_cast<OutlineFlattener *>(self);
            f->polygon.emplace_back();
            f->Emit(At(to));
            return 0;
        };
        funcs.line_to = [](FT_Vector const * to, void * self) {
            static_cast<OutlineFlattener *>(self)->LineTo(At(to));
            return 0;
        };
        funcs.conic_to = [](FT_Vector const * control, FT_Vector const * to, void * self) {
            auto f = static_cast<OutlineFlattener *>(self);
            f->Quadratic(f->last, At(control), At(to));
            return 0;
        };
        funcs.cubic_to = [](FT_Vector const * c1, FT_Vector const * c2, FT_Vector const * to, void * self) {
            auto f = static_cast<OutlineFlattener *>(self);
            f->Cubic(f->last, At(c1), At(c2), At(to));
            return 0;
        };
        FT_Outline_Decompose(&outline, &funcs, &flattener);
        for (Contour & c : flattener.polygon)
            if (c.size() > 1 && c.front().x == c.back().x && c.front().y == c.back().y)
                c.pop_back();
        return flattener.polygon;
    }

    static Point At(FT_Vector const * v) { return {v->x / 64.0, v->y / 64.0}; }
    static Point Lerp(Point a, Point b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

    static double DistanceFromChord(Point p, Point a, Point b)
    {
        double const dx = b.x - a.x, dy = b.y - a.y;
        return std::abs((p.x - a.x) * dy - (p.y - a.y) * dx) / std::hypot(dx, dy);
    }

    void Emit(Point p)
    {
        polygon.back().push_back(p);
        last = p;
    }

    void LineTo(Point p)
    {
        if (p.x != last.x || p.y != last.y)
            Emit(p);
    }

    void Quadratic(Point p0, Point c, Point p2, int depth = 0)
    {
        if (p0.x == p2.x && p0.y == p2.y)
            return;
        if (depth < 16 && DistanceFromChord(c, p0, p2) > kFlatness) {
            Point const a = Lerp(p0, c, 0.5), b = Lerp(c, p2, 0.5), m = Lerp(a, b, 0.5);
            Quadratic(p0, a, m, depth + 1);
            Quadratic(m, b, p2, depth + 1);
            return;
        }
        Emit(p2);
    }

    void Cubic(Point p0, Point c1, Point c2, Point p3, int depth = 0)
    {
        if (p0.x == p3.x && p0.y == p3.y)
            return;
        if (depth < 16 && (DistanceFromChord(c1, p0, p3) > kFlatness || DistanceFromChord(c2, p0, p3) > kFlatness)) {
            Point const a = Lerp(p0, c1, 0.5), b = Lerp(c1, c2, 0.5), c = Lerp(c2, p3, 0.5);
            Point const d = Lerp(a, b, 0.5), e = Lerp(b, c, 0.5), m = Lerp(d, e, 0.5);
            Cubic(p0, a, d, m, depth + 1);
            Cubic(m, e, c, p3, depth + 1);
            return;
        }
        Emit(p3);
    }

    Polygon polygon;
    Point last = {0.0, 0.0};
};

// A star-shaped polygon: n vertices at even angles, radii uniform in [0.5, 1].
Polygon Star(int vertexCount, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> radius(0.5, 1.0);
    Contour star;
    for (int i = 0; i < vertexCount; ++i) {
        double const angle = 2.0 * M_PI * i / vertexCount;
        double const r = radius(random);
        star.push_back({static_cast<float>(r * std::cos(angle)), static_cast<float>(r * std::sin(angle))});
    }
    return {star};
}

using Triangles = std::vector<std::array<Point, 3>>;

std::size_t PointCount(std::vector<Polygon> const & polygons)
{
    std::size_t count = 0;
    for (Polygon const & p : polygons)
        for (Contour const & c : p)
            count += c.size();
    return count;
}

class FspTessellator {
public:
    // Returns the number of triangles, and collects them when asked.
    std::size_t Run(std::vector<Polygon> const & polygons, Triangles * collected = nullptr)
    {
        std::size_t triangles = 0;
        for (Polygon const & polygon : polygons) {
            tessellator.BeginPolygon(&output, nullptr);
            for (Contour const & contour : polygon) {
                tessellator.BeginContour(static_cast<unsigned>(contour.size()));
                for (Point p : contour)
                    tessellator.Vertex(static_cast<float>(p.x), static_cast<float>(p.y));
                tessellator.EndContour();
            }
            if (tessellator.EndPolygon() != fsp_Polygon::grupSuccess)
                std::fprintf(stderr, "fsp_Polygon failed\n");
            triangles += static_cast<std::size_t>(output.Size() / 3);
            for (int i = 0; collected && i + 2 < output.Size(); i += 3) {
                std::array<Point, 3> t;
                for (int k = 0; k < 3; ++k)
                    t[k] = {output.ConstGet(i + k).x, output.ConstGet(i + k).y};
                collected->push_back(t);
            }
        }
        return triangles;
    }

private:
    fsp_Polygon tessellator;
    cow_1DArrayList<g3d_Point> output;
};

class GluTessellator {
public:
    explicit GluTessellator(std::vector<Polygon> const & polygons)
    {
        for (Polygon const & polygon : polygons) {
            std::vector<std::vector<std::array<GLdouble, 3>>> contours;
            for (Contour const & contour : polygon) {
                contours.emplace_back();
                for (Point p : contour)
                    contours.back().push_back({p.x, p.y, 0.0});
            }
            input.push_back(std::move(contours));
        }
        tess = gluNewTess();
        gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
        gluTessNormal(tess, 0.0, 0.0, 1.0);
        gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(&OnVertex));
        gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(&OnEdgeFlag));
        gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(&OnCombine));
        gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(&OnError));
    }
    ~GluTessellator() { gluDeleteTess(tess); }
    GluTessellator(GluTessellator const &) = delete;
    GluTessellator & operator=(GluTessellator const &) = delete;

    std::size_t Run(Triangles * collected = nullptr)
    {
        std::size_t triangles = 0;
        for (auto & polygon : input) {
            corners.clear();
            created.clear();
            gluTessBeginPolygon(tess, this);
            for (auto & contour : polygon) {
                gluTessBeginContour(tess);
                for (auto & p : contour)
                    gluTessVertex(tess, p.data(), p.data());
                gluTessEndContour(tess);
            }
            gluTessEndPolygon(tess);
            triangles += corners.size() / 3;
            for (std::size_t i = 0; collected && i + 2 < corners.size(); i += 3)
                collected->push_back({corners[i], corners[i + 1], corners[i + 2]});
        }
        return triangles;
    }

private:
    static void OnVertex(void * vertex, void * self)
    {
        auto const p = static_cast<GLdouble const *>(vertex);
        static_cast<GluTessellator *>(self)->corners.push_back({p[0], p[1]});
    }
    static void OnEdgeFlag(GLboolean, void *) {}  // its presence makes GLU emit triangles only
    static void OnCombine(GLdouble coords[3], void *[4], GLfloat[4], void ** out, void * self)
    {
        auto & created = static_cast<GluTessellator *>(self)->created;
        created.push_back({coords[0], coords[1], coords[2]});
        *out = created.back().data();
    }
    static void OnError(GLenum error, void *) { std::fprintf(stderr, "GLU: %s\n", gluErrorString(error)); }

    std::vector<std::vector<std::vector<std::array<GLdouble, 3>>>> input;
    GLUtesselator * tess = nullptr;
    std::vector<Point> corners;
    std::deque<std::array<GLdouble, 3>> created;
};

double SmallestAngle(std::array<Point, 3> const & t)
{
    double smallest = 180.0;
    for (int k = 0; k < 3; ++k) {
        Point const a = t[k], b = t[(k + 1) % 3], c = t[(k + 2) % 3];
        double const ux = b.x - a.x, uy = b.y - a.y, vx = c.x - a.x, vy = c.y - a.y;
        double const lengths = std::hypot(ux, uy) * std::hypot(vx, vy);
        double const cosine = lengths > 0.0 ? (ux * vx + uy * vy) / lengths : 1.0;
        smallest = std::min(smallest, std::acos(std::max(-1.0, std::min(1.0, cosine))) * 180.0 / M_PI);
    }
    return smallest;
}

void SetAngleCounters(benchmark::State & state, Triangles const & triangles, std::size_t points)
{
    std::vector<double> angles;
    for (auto const & t : triangles)
        angles.push_back(SmallestAngle(t));
    std::sort(angles.begin(), angles.end());
    auto percentile = [&](double p) {
        return angles.empty() ? 0.0 : angles[static_cast<std::size_t>(p * (angles.size() - 1))];
    };
    state.counters["points"] = static_cast<double>(points);
    state.counters["triangles"] = static_cast<double>(triangles.size());
    state.counters["angle_median"] = percentile(0.5);
    state.counters["angle_p10"] = percentile(0.1);
}

void BenchmarkFsp(benchmark::State & state, std::vector<Polygon> const & polygons)
{
    FspTessellator tessellator;
    Triangles triangles;
    tessellator.Run(polygons, &triangles);
    for (auto _ : state)
        benchmark::DoNotOptimize(tessellator.Run(polygons));
    SetAngleCounters(state, triangles, PointCount(polygons));
}

void BenchmarkGlu(benchmark::State & state, std::vector<Polygon> const & polygons)
{
    GluTessellator tessellator(polygons);
    Triangles triangles;
    tessellator.Run(&triangles);
    for (auto _ : state)
        benchmark::DoNotOptimize(tessellator.Run());
    SetAngleCounters(state, triangles, PointCount(polygons));
}

}  // namespace

int main(int argc, char ** argv)
{
    bool gluOnHundredThousand = false;
    std::vector<char *> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--glu_100k") == 0)
            gluOnHundredThousand = true;
        else
            arguments.push_back(argv[i]);
    }
    int argumentCount = static_cast<int>(arguments.size());

    static std::vector<std::pair<std::string, std::vector<Polygon>>> const inputs = [] {
        std::vector<std::pair<std::string, std::vector<Polygon>>> sets;
        sets.emplace_back("DejaVuSans", OutlineFlattener::Glyphs("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 33, 126));
        sets.emplace_back("C059", OutlineFlattener::Glyphs("/usr/share/fonts/type1/urw-base35/C059-Roman.t1", 33, 126));
        for (int n : {100, 1000, 10000, 100000})
            sets.emplace_back("Star/" + std::to_string(n), std::vector<Polygon>{Star(n, 20240601u + n)});
        return sets;
    }();
    for (auto const & [name, polygons] : inputs) {
        if (polygons.empty()) {
            std::fprintf(stderr, "no input for %s\n", name.c_str());
            continue;
        }
        benchmark::RegisterBenchmark(("fsp_Polygon/" + name).c_str(), BenchmarkFsp, polygons)->Unit(benchmark::kMillisecond);
        if (name != "Star/100000" || gluOnHundredThousand)
            benchmark::RegisterBenchmark(("GLU/" + name).c_str(), BenchmarkGlu, polygons)->Unit(benchmark::kMillisecond);
    }

    benchmark::Initialize(&argumentCount, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
