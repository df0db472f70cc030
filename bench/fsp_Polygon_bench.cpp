// fsp_Polygon against the GLU tessellator (nonzero winding, triangles only),
// in one process on the same inputs: the printable glyphs of DejaVu Sans and
// URW C059 flattened from FreeType, random star-shaped polygons, a square
// with 1,444 holes and random rings that cross themselves. Each benchmark
// also reports the median and the 10th percentile of the triangles' smallest
// angles; with --benchmark_repetitions=N it reports the min and the median.
// GLU on 100,000 star vertices takes seconds and runs only with --glu_100k.
#include <GL/glu.h>
#include <benchmark/benchmark.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "fsp_CoverageCheck.h"
#include "fsp_Polygon.h"
#include "fsp_TestPolygons.h"

namespace {

using fsp_check::Point;
using Contour = fsp_check::Ring;
using fsp_check::Polygon;

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
        for (Polygon const & polygon : polygons)
            triangles += Run(polygon, collected);
        return triangles;
    }

    std::size_t Run(Polygon const & polygon, Triangles * collected = nullptr)
    {
        tessellator.BeginPolygon(&output, nullptr);
        for (Contour const & contour : polygon) {
            tessellator.BeginContour(static_cast<unsigned>(contour.size()));
            for (Point p : contour)
                tessellator.Vertex(static_cast<float>(p.x), static_cast<float>(p.y));
            tessellator.EndContour();
        }
        if (tessellator.EndPolygon() != fsp_Polygon::grupSuccess)
            std::fprintf(stderr, "fsp_Polygon failed\n");
        for (int i = 0; collected && i + 2 < output.Size(); i += 3) {
            std::array<Point, 3> t;
            for (int k = 0; k < 3; ++k)
                t[k] = {output.ConstGet(i + k).x, output.ConstGet(i + k).y};
            collected->push_back(t);
        }
        return static_cast<std::size_t>(output.Size() / 3);
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

// As the font server fills glyphs: a new tessellator and output list each.
void BenchmarkFspNewPerPolygon(benchmark::State & state, std::vector<Polygon> const & polygons)
{
    for (auto _ : state)
        for (Polygon const & polygon : polygons) {
            FspTessellator tessellator;
            benchmark::DoNotOptimize(tessellator.Run(polygon));
        }
    state.counters["points"] = static_cast<double>(PointCount(polygons));
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

std::vector<Polygon> GlyphSet(char const * font)
{
    std::vector<Polygon> polygons;
    for (fsp_check::Glyph & glyph : fsp_check::Glyphs(font, 33, 126, 50.0))
        polygons.push_back(std::move(glyph.polygon));
    return polygons;
}

// ------------------------------------------------------------ golden record
//
// One line per polygon: its name, the result code, the triangle count, a
// digest of the triangles in their order, whether the coverage check holds,
// and whether the input is plain (simple: no two edges meet but neighbours at
// their common point, and no point given twice). A record made with one
// library is compared with another's by --golden-compare FILE; the record of
// an earlier tessellator is made by building this program with its
// fsp_Polygon sources.

struct GoldenInput {
    std::string name;
    Polygon polygon;
    double knownArea;  // negative: the check computes it
    bool plainByConstruction;
};

// Whether two edges other than ring neighbours meet, or a point repeats
// (within the tessellator's tolerance), by a sweep over x with boxes.
bool Plain(Polygon const & polygon)
{
    struct Segment {
        Point a, b;
        int ring, index, ringSize;
        double Low() const { return std::min(a.x, b.x); }
        double High() const { return std::max(a.x, b.x); }
    };
    std::vector<Segment> segments;
    std::vector<Point> points;
    for (std::size_t r = 0; r < polygon.size(); ++r)
        for (std::size_t i = 0; i < polygon[r].size(); ++i) {
            Contour const & c = polygon[r];
            segments.push_back({c[i], c[(i + 1) % c.size()], static_cast<int>(r), static_cast<int>(i), static_cast<int>(c.size())});
            points.push_back(c[i]);
        }
    std::sort(points.begin(), points.end(), [](Point l, Point r) { return l.x < r.x; });
    for (std::size_t i = 0; i < points.size(); ++i)
        for (std::size_t j = i + 1; j < points.size() && points[j].x - points[i].x < 1e-6; ++j)
            if (std::abs(points[j].y - points[i].y) < 1e-6)
                return false;
    auto orient = [](Point a, Point b, Point c) {
        double const d = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        return d > 0.0 ? 1 : d < 0.0 ? -1 : 0;
    };
    auto meet = [&](Segment const & s, Segment const & t) {
        if (std::max(s.a.y, s.b.y) < std::min(t.a.y, t.b.y) || std::max(t.a.y, t.b.y) < std::min(s.a.y, s.b.y))
            return false;
        int const d1 = orient(s.a, s.b, t.a), d2 = orient(s.a, s.b, t.b);
        int const d3 = orient(t.a, t.b, s.a), d4 = orient(t.a, t.b, s.b);
        if (d1 * d2 > 0 || d3 * d4 > 0)
            return false;
        if (d1 == 0 && d2 == 0)  // collinear: overlapping projections
            return std::max(s.Low(), t.Low()) <= std::min(s.High(), t.High()) &&
                   std::max(std::min(s.a.y, s.b.y), std::min(t.a.y, t.b.y)) <= std::min(std::max(s.a.y, s.b.y), std::max(t.a.y, t.b.y));
        return true;
    };
    auto neighbours = [](Segment const & s, Segment const & t) {
        return s.ring == t.ring && ((s.index + 1) % s.ringSize == t.index || (t.index + 1) % t.ringSize == s.index);
    };
    // Neighbours meet at their common point; they must not run back over each other.
    auto foldsBack = [&](Segment const & s, Segment const & t) {
        Segment const & first = s.b.x == t.a.x && s.b.y == t.a.y ? s : t;
        Segment const & second = &first == &s ? t : s;
        Point const d1 = {first.b.x - first.a.x, first.b.y - first.a.y}, d2 = {second.b.x - second.a.x, second.b.y - second.a.y};
        return orient(first.a, first.b, second.b) == 0 && d1.x * d2.x + d1.y * d2.y < 0.0;
    };
    std::sort(segments.begin(), segments.end(), [](Segment const & l, Segment const & r) { return l.Low() < r.Low(); });
    for (std::size_t i = 0; i < segments.size(); ++i)
        for (std::size_t j = i + 1; j < segments.size() && segments[j].Low() <= segments[i].High(); ++j)
            if (neighbours(segments[i], segments[j]) ? foldsBack(segments[i], segments[j]) : meet(segments[i], segments[j]))
                return false;
    return true;
}

std::vector<GoldenInput> GoldenInputs()
{
    std::vector<GoldenInput> inputs;
    for (std::string const & font : fsp_check::InstalledFonts())
        for (double em : {0.1, 1.0, 50.0, 10000.0})
            for (fsp_check::Glyph & glyph : fsp_check::Glyphs(font, 33, 255, em))
                inputs.push_back({font + " " + std::to_string(em) + " " + std::to_string(glyph.code),
                                  std::move(glyph.polygon), -1.0, false});
    for (int n : {3, 4, 5, 6, 7, 10, 17, 100, 1000, 10000, 100000}) {
        Polygon const star = fsp_check::Star(n, 20240601u + n);
        double twiceArea = 0.0;
        for (int i = 0; i < n; ++i)
            twiceArea += star[0][i].x * star[0][(i + 1) % n].y - star[0][(i + 1) % n].x * star[0][i].y;
        inputs.push_back({"star " + std::to_string(n), star, twiceArea / 2.0, true});
    }
    for (int rows : {1, 2, 3, 5, 10, 20, 38}) {
        double area = 0.0;
        Polygon const holes = fsp_check::HoleGrid(rows, area);
        inputs.push_back({"holes " + std::to_string(rows), holes, area, true});
    }
    for (unsigned seed = 1; seed <= 300; ++seed)
        inputs.push_back({"random ring " + std::to_string(seed), fsp_check::RandomRing(3 + seed % 40, seed), -1.0, false});
    return inputs;
}

std::uint64_t Digest(fsp_Polygon::grupEnums result, Triangles const & triangles)
{
    std::uint64_t hash = 14695981039346656037ull;
    auto mix = [&](std::uint32_t word) {
        for (int k = 0; k < 4; ++k) {
            hash ^= (word >> (8 * k)) & 0xffu;
            hash *= 1099511628211ull;
        }
    };
    mix(static_cast<std::uint32_t>(result));
    for (auto const & t : triangles)
        for (Point p : t) {
            float const xy[2] = {static_cast<float>(p.x), static_cast<float>(p.y)};
            for (float f : xy) {
                std::uint32_t bits;
                std::memcpy(&bits, &f, sizeof bits);
                mix(bits);
            }
        }
    return hash;
}

std::string GoldenLine(GoldenInput const & input)
{
    fsp_Polygon tessellator;
    cow_1DArrayList<g3d_Point> output;
    tessellator.BeginPolygon(&output, nullptr);
    for (Contour const & contour : input.polygon) {
        tessellator.BeginContour(static_cast<unsigned>(contour.size()));
        for (Point p : contour)
            tessellator.Vertex(static_cast<float>(p.x), static_cast<float>(p.y));
        tessellator.EndContour();
    }
    fsp_Polygon::grupEnums const result = tessellator.EndPolygon();
    Triangles triangles;
    std::vector<fsp_check::Triangle> checked;
    for (int i = 0; i + 2 < output.Size(); i += 3) {
        std::array<Point, 3> t;
        for (int k = 0; k < 3; ++k)
            t[k] = {output.ConstGet(i + k).x, output.ConstGet(i + k).y};
        triangles.push_back(t);
        checked.push_back(t);
    }
    fsp_check::Options options;
    options.knownArea = input.knownArea;
    bool const holds = result == fsp_Polygon::grupSuccess && fsp_check::Check(input.polygon, checked, options).Holds();
    bool const plain = input.plainByConstruction || Plain(input.polygon);
    char digest[17];
    std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(Digest(result, triangles)));
    return input.name + "\t" + std::to_string(result) + "\t" + std::to_string(triangles.size()) + "\t" + digest +
           "\t" + (holds ? "right" : "wrong") + "\t" + (plain ? "plain" : "touching-or-crossing");
}

std::vector<std::string> Split(std::string const & line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// Counts the polygons whose triangles changed by what they were before, and
// names those that were plain and right and so had to stay.
int CompareGolden(char const * file)
{
    std::map<std::string, std::vector<std::string>> before;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields = Split(line);
        before[fields[0]] = fields;
    }
    std::map<std::string, int> changes;
    int same = 0, mustStay = 0;
    for (GoldenInput const & input : GoldenInputs()) {
        std::vector<std::string> const now = Split(GoldenLine(input));
        auto const old = before.find(now[0]);
        if (old == before.end()) {
            ++changes["new input"];
            continue;
        }
        if (old->second[3] == now[3]) {
            ++same;
            continue;
        }
        std::string const kind = old->second[4] + " and " + old->second[5] + " before, " + now[4] + " now";
        ++changes[kind];
        if (old->second[4] == "right" && old->second[5] == "plain") {
            ++mustStay;
            std::printf("changed: %s\n", now[0].c_str());
        }
    }
    std::printf("%d the same\n", same);
    for (auto const & [kind, count] : changes)
        std::printf("%d changed, %s\n", count, kind.c_str());
    return mustStay == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char ** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--golden") == 0) {
        for (GoldenInput const & input : GoldenInputs())
            std::printf("%s\n", GoldenLine(input).c_str());
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--golden-compare") == 0)
        return CompareGolden(argv[2]);
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
        sets.emplace_back("DejaVuSans", GlyphSet("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
        sets.emplace_back("C059", GlyphSet("/usr/share/fonts/type1/urw-base35/C059-Roman.t1"));
        for (int n : {100, 1000, 10000, 100000})
            sets.emplace_back("Star/" + std::to_string(n), std::vector<Polygon>{fsp_check::Star(n, 20240601u + n)});
        double area;
        sets.emplace_back("Holes/1444", std::vector<Polygon>{fsp_check::HoleGrid(38, area)});
        std::vector<Polygon> crossing;
        for (unsigned seed = 1; seed <= 20; ++seed)
            crossing.push_back(fsp_check::RandomRing(50, seed));
        sets.emplace_back("RandomRings/50", crossing);
        return sets;
    }();
    for (auto const & [name, polygons] : inputs) {
        if (polygons.empty()) {
            std::fprintf(stderr, "no input for %s\n", name.c_str());
            continue;
        }
        auto smallest = [](std::vector<double> const & times) { return *std::min_element(times.begin(), times.end()); };
        benchmark::RegisterBenchmark(("fsp_Polygon/" + name).c_str(), BenchmarkFsp, polygons)
            ->Unit(benchmark::kMillisecond)
            ->ComputeStatistics("min", smallest);
        if (name == "DejaVuSans" || name == "C059")
            benchmark::RegisterBenchmark(("fsp_Polygon/NewPerGlyph/" + name).c_str(), BenchmarkFspNewPerPolygon, polygons)
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", smallest);
        if (name != "Star/100000" || gluOnHundredThousand)
            benchmark::RegisterBenchmark(("GLU/" + name).c_str(), BenchmarkGlu, polygons)
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", smallest);
    }

    benchmark::Initialize(&argumentCount, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
