#include "fsp_TestPolygons.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>

namespace fsp_check {

namespace {

constexpr double kFlatness = 0.25;

// The nearest float, through memory: GCC 12 at -O2 folds a pair of
// conversions to float and back into the doubles they came from.
double ToFloat(double x)
{
    volatile float rounded = static_cast<float>(x);
    return rounded;
}
constexpr double kSmallestFlattenedEm = 50.0;

class Flattener {
public:
    explicit Flattener(double scale) : scale(scale) {}

    Polygon Flatten(FT_Outline & outline)
    {
        FT_Outline_Funcs funcs = {};
        funcs.move_to = [](FT_Vector const * to, void * self) {
            auto f = static_cast<Flattener *>(self);
            f->polygon.emplace_back();
            f->Emit(At(to));
            return 0;
        };
        funcs.line_to = [](FT_Vector const * to, void * self) {
            auto f = static_cast<Flattener *>(self);
            if (At(to).x != f->last.x || At(to).y != f->last.y)
                f->Emit(At(to));
            return 0;
        };
        funcs.conic_to = [](FT_Vector const * control, FT_Vector const * to, void * self) {
            auto f = static_cast<Flattener *>(self);
            f->Quadratic(f->last, At(control), At(to), 0);
            return 0;
        };
        funcs.cubic_to = [](FT_Vector const * c1, FT_Vector const * c2, FT_Vector const * to, void * self) {
            auto f = static_cast<Flattener *>(self);
            f->Cubic(f->last, At(c1), At(c2), At(to), 0);
            return 0;
        };
        FT_Outline_Decompose(&outline, &funcs, this);
        Polygon scaled;
        for (Ring & ring : polygon) {
            if (ring.size() > 1 && ring.front().x == ring.back().x && ring.front().y == ring.back().y)
                ring.pop_back();
            scaled.emplace_back();
            for (Point p : ring)
                scaled.back().push_back({ToFloat(p.x * scale), ToFloat(p.y * scale)});
        }
        return scaled;
    }

private:
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

    void Quadratic(Point p0, Point c, Point p2, int depth)
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

    void Cubic(Point p0, Point c1, Point c2, Point p3, int depth)
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

    double scale;
    Polygon polygon;
    Point last = {0.0, 0.0};
};

}  // namespace

std::vector<Glyph> Glyphs(std::string const & fontFile, unsigned first, unsigned last, double em, bool flattenAtEm)
{
    std::vector<Glyph> glyphs;
    FT_Library library;
    if (FT_Init_FreeType(&library))
        return glyphs;
    FT_Face face;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) == 0) {
        double const flattenedEm = flattenAtEm ? em : std::max(em, kSmallestFlattenedEm);
        if (FT_IS_SCALABLE(face) && FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(flattenedEm * 64), 72, 72) == 0) {
            for (unsigned code = first; code <= last; ++code) {
                if (FT_Get_Char_Index(face, code) == 0 ||
                    FT_Load_Char(face, code, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
                    face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
                    continue;
                Flattener flattener(em / flattenedEm);
                glyphs.push_back({code, flattener.Flatten(face->glyph->outline)});
            }
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return glyphs;
}

std::vector<std::string> InstalledFonts()
{
    std::vector<std::string> fonts;
    std::error_code error;
    for (auto const & entry : std::filesystem::recursive_directory_iterator("/usr/share/fonts", error)) {
        std::string const extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".ttf" || extension == ".otf" || extension == ".t1" ||
                                        extension == ".pfb" || extension == ".pfa" || extension == ".ttc"))
            fonts.push_back(entry.path().string());
    }
    std::sort(fonts.begin(), fonts.end());
    return fonts;
}

Polygon Star(int n, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> radius(0.5, 1.0);
    Ring star;
    for (int i = 0; i < n; ++i) {
        double const angle = 2.0 * M_PI * i / n, r = radius(random);
        star.push_back({ToFloat(r * std::cos(angle)), ToFloat(r * std::sin(angle))});
    }
    return {star};
}

Polygon HoleGrid(int rows, double & area)
{
    // Octagons in 3 x 3 boxes, 5 apart: integer corners, so the area is exact.
    static Point const octagon[] = {{1, 0}, {2, 0}, {3, 1}, {3, 2}, {2, 3}, {1, 3}, {0, 2}, {0, 1}};
    double const side = 5.0 * rows + 2.0;
    Polygon polygon = {{{0, 0}, {side, 0}, {side, side}, {0, side}}};
    area = side * side - 7.0 * rows * rows;
    for (int i = 0; i < rows * rows; ++i) {
        double const x = 2.0 + 5.0 * (i % rows), y = 2.0 + 5.0 * (i / rows);
        Ring hole;
        for (Point p : octagon)
            hole.push_back({x + p.x, y + p.y});
        std::reverse(hole.begin(), hole.end());
        polygon.push_back(hole);
    }
    return polygon;
}

Polygon RandomRing(int n, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> coordinate(0, 999);
    Ring ring;
    for (int i = 0; i < n; ++i)
        ring.push_back({static_cast<double>(coordinate(random)), static_cast<double>(coordinate(random))});
    return {ring};
}

}  // namespace fsp_check
