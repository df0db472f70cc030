// Outline text fonts checked against FreeType's own rendering and outlines of
// real fonts (DejaVu, Liberation, URW), and against a small TrueType font
// made here for the cases real fonts do not show.
#include <gtest/gtest.h>

#include <unistd.h>

#include <ft2build.h>
#include <freetype/freetype.h>
#include <freetype/ftoutln.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "fsp_FSTextFont.h"

namespace {

std::string const dejaVu = "/usr/share/fonts/truetype/dejavu/";
std::string const liberation = "/usr/share/fonts/truetype/liberation/";
std::string const urw = "/usr/share/fonts/type1/urw-base35/";

std::string ReadFile(std::string const & path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A scratch directory for font files, removed with its contents.
class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/fsp_FSTextFont_XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string Write(std::string const & name, std::string const & bytes)
    {
        std::ofstream(path + "/" + name, std::ios::binary) << bytes;
        return path + "/" + name;
    }
    // URW ships Type 1 fonts as ".t1"; the font object reads ".pfa".
    std::string Type1(std::string const & urwName, std::string const & as = ".pfa")
    {
        return Write(urwName + as, ReadFile(urw + urwName + ".t1"));
    }
    std::string path;
};

// FreeType used directly, as the reference.
class Reference {
public:
    explicit Reference(std::string const & path, float size = 12.0f, unsigned dpi = 96)
    {
        FT_Init_FreeType(&library);
        if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
            face = nullptr;
        else
            FT_Set_Char_Size(face, std::lround(size * 64.0f), 0, dpi, dpi);
    }
    ~Reference()
    {
        if (face)
            FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    FT_GlyphSlot Render(FT_UInt glyph)
    {
        if (FT_Load_Glyph(face, glyph, FT_LOAD_TARGET_MONO) != 0 ||
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
            return nullptr;
        return face->glyph;
    }
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

bool IsEmptyDefault(g3d_Bitmap const & b)
{
    return b.Width() == 8 && b.Height() == 1 && b.HasPixels() && b.Row(0)[0] == 0 && b.xAdvance == 0.0f;
}

// The bitmap shows FreeType's 1-bit image pixel for pixel, at the same place
// relative to the pen, with the hinted advance.
void ExpectSameGlyph(g3d_Bitmap const & ours, FT_GlyphSlot slot, std::string const & what)
{
    ASSERT_NE(nullptr, slot) << what;
    FT_Bitmap const & image = slot->bitmap;
    EXPECT_EQ(static_cast<float>(slot->advance.x) / 64.0f, ours.xAdvance) << what;
    ASSERT_TRUE(ours.HasPixels()) << what;
    if (image.width == 0 || image.rows == 0) {
        EXPECT_TRUE(ours.Width() == 8 && ours.Height() == 1 && ours.Row(0)[0] == 0) << what;
        return;
    }
    ASSERT_EQ(static_cast<int>((image.width + 7) / 8 * 8), ours.Width()) << what;
    ASSERT_EQ(static_cast<int>(image.rows), ours.Height()) << what;
    EXPECT_EQ(static_cast<float>(slot->bitmap_left), ours.xOffset) << what;
    EXPECT_EQ(static_cast<float>(static_cast<int>(image.rows) - slot->bitmap_top), ours.yOffset) << what;
    int mismatches = 0;
    for (int top = 0; top < static_cast<int>(image.rows); ++top) {
        for (int x = 0; x < ours.Width(); ++x) {
            bool const expected =
                x < static_cast<int>(image.width) && (image.buffer[top * image.pitch + x / 8] & (0x80 >> (x % 8)));
            mismatches += ours.Pixel(x, ours.Height() - 1 - top) != expected;
        }
    }
    EXPECT_EQ(0, mismatches) << what;
}

void Put16(std::string & s, std::initializer_list<int> values)
{
    for (int v : values) {
        s += static_cast<char>((v >> 8) & 0xff);
        s += static_cast<char>(v & 0xff);
    }
}

void Put32(std::string & s, std::uint32_t v)
{
    Put16(s, {static_cast<int>(v >> 16), static_cast<int>(v & 0xffff)});
}

struct TestPoint {
    int x, y;
    bool on;
};
using TestContour = std::vector<TestPoint>;
struct TestGlyph {
    int advance;
    std::vector<TestContour> contours;
};

// Units per em 1000, a format 4 (3, 1) character map, the given Macintosh
// names (id -> text) and fixed-pitch flag.
std::string TrueTypeFont(std::vector<TestGlyph> const & glyphs, std::map<unsigned, int> const & codes,
                         std::map<int, std::string> const & names = {}, bool fixedPitch = false)
{
    std::string glyf, loca, hmtx;
    int maxPoints = 0, maxContours = 0;
    for (TestGlyph const & g : glyphs) {
        Put16(loca, {static_cast<int>(glyf.size() / 2)});
        Put16(hmtx, {g.advance, 0});
        if (g.contours.empty())
            continue;
        std::string flags, xs, ys;
        int px = 0, py = 0, points = 0;
        Put16(glyf, {static_cast<int>(g.contours.size()), 0, 0, 0, 0});  // the box is computed by FreeType
        for (TestContour const & contour : g.contours) {
            points += static_cast<int>(contour.size());
            Put16(glyf, {points - 1});
            for (TestPoint const & p : contour) {
                flags += static_cast<char>(p.on ? 1 : 0);
                Put16(xs, {p.x - px});
                Put16(ys, {p.y - py});
                px = p.x;
                py = p.y;
            }
        }
        Put16(glyf, {0});
        glyf += flags + xs + ys;
        if (glyf.size() % 2)
            glyf += '\0';
        maxPoints = std::max(maxPoints, points);
        maxContours = std::max(maxContours, static_cast<int>(g.contours.size()));
    }
    Put16(loca, {static_cast<int>(glyf.size() / 2)});
    int const count = static_cast<int>(glyphs.size());

    std::string head;
    for (std::uint32_t v : {0x10000u, 0x10000u, 0u, 0x5F0F3CF5u})
        Put32(head, v);
    Put16(head, {0x000B, 1000});
    head += std::string(16, '\0');
    Put16(head, {0, -200, 1000, 800, 0, 8, 2, 0, 0});
    std::string hhea;
    Put32(hhea, 0x10000);
    Put16(hhea, {800, -200, 0, 1000, 0, 0, 1000, 1, 0, 0, 0, 0, 0, 0, 0, count});
    std::string maxp;
    Put32(maxp, 0x10000);
    Put16(maxp, {count, maxPoints, maxContours, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0});

    std::string cmap, ends, starts, deltas;
    int const segments = static_cast<int>(codes.size()) + 1;
    for (auto const & [code, glyph] : codes) {
        Put16(ends, {static_cast<int>(code)});
        Put16(deltas, {(glyph - static_cast<int>(code)) & 0xFFFF});
    }
    Put16(cmap, {0, 1, 3, 1});
    Put32(cmap, 12);
    Put16(cmap, {4, 16 + 8 * segments, 0, 2 * segments, 2, 0, 2 * segments - 2});
    cmap += ends;
    Put16(cmap, {0xFFFF, 0});
    cmap += ends;
    Put16(cmap, {0xFFFF});
    cmap += deltas;
    Put16(cmap, {1});
    cmap += std::string(2 * segments, '\0');

    std::string name, strings;
    Put16(name, {0, static_cast<int>(names.size()), 6 + 12 * static_cast<int>(names.size())});
    for (auto const & [id, text] : names) {
        Put16(name, {1, 0, 0, id, static_cast<int>(text.size()), static_cast<int>(strings.size())});
        strings += text;
    }
    name += strings;

    std::string post;
    for (std::uint32_t v : {0x30000u, 0u, 0u, fixedPitch ? 1u : 0u})
        Put32(post, v);
    post += std::string(16, '\0');

    std::vector<std::pair<std::string, std::string>> const tables = {
        {"cmap", cmap}, {"glyf", glyf}, {"head", head}, {"hhea", hhea}, {"hmtx", hmtx},
        {"loca", loca}, {"maxp", maxp}, {"name", name}, {"post", post}};
    std::string font, data;
    Put32(font, 0x10000);
    Put16(font, {static_cast<int>(tables.size()), 128, 3, 16});
    std::size_t const start = 12 + 16 * tables.size();
    for (auto const & [tag, bytes] : tables) {
        font += tag;
        Put32(font, 0);
        Put32(font, static_cast<std::uint32_t>(start + data.size()));
        Put32(font, static_cast<std::uint32_t>(bytes.size()));
        data += bytes + std::string((4 - bytes.size() % 4) % 4, '\0');
    }
    return font + data;
}

// Glyphs: 0 missing box, 1 square with a square hole, 2 a circle of four
// off-curve points, 3 a contour starting off the curve, 4 empty.
std::vector<TestGlyph> TestGlyphs()
{
    return {
        {500, {{{50, 0, true}, {50, 700, true}, {450, 700, true}, {450, 0, true}}}},
        {700,
         {{{100, 0, true}, {100, 600, true}, {600, 600, true}, {600, 0, true}},
          {{200, 100, true}, {500, 100, true}, {500, 500, true}, {200, 500, true}}}},
        {1000, {{{500, 900, false}, {900, 500, false}, {500, 100, false}, {100, 500, false}}}},
        {800, {{{100, 700, false}, {400, 700, true}, {400, 100, true}, {100, 100, true}}}},
        {300, {}},
    };
}

std::map<unsigned, int> const testCodes = {{' ', 4}, {'A', 1}, {'B', 2}, {'C', 3}};

using Contour = std::vector<std::pair<double, double>>;
struct Polyline {
    std::vector<Contour> contours;
    float advance = 0.0f;
};

Polyline OutlineOf(fsp_FSTextFont & font, float dpi, unsigned char c)
{
    std::vector<unsigned> sizes(512);
    std::vector<float> points(2 * 65536);
    unsigned count = 0;
    Polyline result;
    result.advance = font.GetOutline(dpi, dpi, c, 512, 65536, count, sizes.data(), points.data());
    std::size_t at = 0;
    for (unsigned i = 0; i < count; ++i) {
        result.contours.emplace_back();
        for (unsigned j = 0; j < sizes[i]; ++j, ++at)
            result.contours.back().emplace_back(points[2 * at], points[2 * at + 1]);
    }
    return result;
}

// Points along the lines and curves of FreeType's outline of the glyph
// loaded in `face` (font units), scaled by `scale`, per contour.
std::vector<Contour> CurvePoints(FT_Face face, double scale)
{
    struct Walk {
        std::vector<Contour> contours;
        double scale;
        FT_Vector at;
        // 32 points of the Bezier segment from `at` over `points`, by de Casteljau.
        int To(std::vector<FT_Vector> const & points)
        {
            for (int k = 1; k <= 32; ++k) {
                std::vector<std::pair<double, double>> p = {{double(at.x), double(at.y)}};
                for (FT_Vector const & v : points)
                    p.emplace_back(v.x, v.y);
                for (double const t = k / 32.0; p.size() > 1; p.pop_back()) {
                    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
                        p[i].first += t * (p[i + 1].first - p[i].first);
                        p[i].second += t * (p[i + 1].second - p[i].second);
                    }
                }
                contours.back().emplace_back(p[0].first * scale, p[0].second * scale);
            }
            at = points.back();
            return 0;
        }
    } walk{{}, scale, {}};
    FT_Outline_Funcs funcs{};
    funcs.move_to = [](FT_Vector const * to, void * w) {
        static_cast<Walk *>(w)->contours.emplace_back();
        static_cast<Walk *>(w)->at = *to;
        return static_cast<Walk *>(w)->To({*to});
    };
    funcs.line_to = [](FT_Vector const * to, void * w) { return static_cast<Walk *>(w)->To({*to}); };
    funcs.conic_to = [](FT_Vector const * c, FT_Vector const * to, void * w) { return static_cast<Walk *>(w)->To({*c, *to}); };
    funcs.cubic_to = [](FT_Vector const * c1, FT_Vector const * c2, FT_Vector const * to, void * w) {
        return static_cast<Walk *>(w)->To({*c1, *c2, *to});
    };
    FT_Outline_Decompose(&face->glyph->outline, &funcs, &walk);
    return walk.contours;
}

// Largest distance from the points of `points` to the polyline `line`.
double Deviation(Contour const & line, Contour const & points)
{
    double worst = 0.0;
    for (auto const & [px, py] : points) {
        double best = std::hypot(line[0].first - px, line[0].second - py);
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            double const ax = line[i].first, ay = line[i].second;
            double const dx = line[i + 1].first - ax, dy = line[i + 1].second - ay;
            double const len = dx * dx + dy * dy;
            double const t = len > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len, 0.0, 1.0) : 0.0;
            best = std::min(best, std::hypot(ax + t * dx - px, ay + t * dy - py));
        }
        worst = std::max(worst, best);
    }
    return worst;
}

// Filled area under the nonzero rule for contours that do not overlap.
double Area(Polyline const & outline)
{
    double sum = 0.0;
    for (auto const & contour : outline.contours) {
        for (std::size_t i = 0; i + 1 < contour.size(); ++i)
            sum += contour[i].first * contour[i + 1].second - contour[i + 1].first * contour[i].second;
    }
    return std::fabs(sum) / 2.0;
}

double TriangleArea(unsigned count, float const * t)
{
    double sum = 0.0;
    for (unsigned i = 0; i < count; ++i, t += 6)
        sum += std::fabs(double(t[2] - t[0]) * (t[5] - t[1]) - double(t[4] - t[0]) * (t[3] - t[1])) / 2.0;
    return sum;
}

TEST(FSTextFontInfo, NamesStylesAndPitchFromTheFontsOwnTables)
{
    TempDir dir;
    int n = 0;
    auto made = [&](std::map<int, std::string> const & names) {
        return dir.Write("names" + std::to_string(n++) + ".ttf", TrueTypeFont(TestGlyphs(), testCodes, names, true));
    };
    struct Case {
        std::string file, name;
        bool bold, italic, proportional;
    };
    for (Case const & c : std::vector<Case>{
             {dejaVu + "DejaVuSans.ttf", "DejaVu Sans", false, false, true},
             {dejaVu + "DejaVuSans-BoldOblique.ttf", "DejaVu Sans", true, true, true},
             {dejaVu + "DejaVuSansMono-Bold.ttf", "DejaVu Sans Mono", true, false, false},
             {dir.Write("SANS.TTF", ReadFile(liberation + "LiberationSerif-Italic.ttf")), "Liberation Serif", false,
              true, true},  // the extension in any case
             {dir.Type1("NimbusSans-BoldItalic", ".PfA"), "Nimbus Sans", true, true, true},  // weight and angle
             {dir.Type1("NimbusMonoPS-Regular"), "Nimbus Mono PS", false, false, false},
             {made({{4, "Test-Sans Bold Oblique"}}), "Test Sans", true, true, false},  // full name only
             {made({{1, "Test Sans"}, {4, "test sans Italic"}}), "Test Sans", false, true, false},  // style from full name
             {made({{1, "Test Sans"}, {4, "Other Bold"}}), "Test Sans", true, false, false},        // unrelated full name
             {made({{1, "Test-Sans"}, {2, "Bold"}, {4, "Test Sans Italic"}}), "Test Sans", true, false, false},
             {made({{2, "Italic"}, {4, "Foo Italic"}}), "Foo", false, true, false},  // style cut from the full name
         }) {
        fsp_FSTextFont font;
        cow_String name;
        bool bold = !c.bold, italic = !c.italic, proportional = !c.proportional;
        ASSERT_TRUE(font.GetFontInfo(c.file.c_str(), name, bold, italic, proportional)) << c.file;
        EXPECT_EQ(c.name, name.Std()) << c.file;
        EXPECT_EQ(c.bold, bold) << c.file;
        EXPECT_EQ(c.italic, italic) << c.file;
        EXPECT_EQ(c.proportional, proportional) << c.file;
        EXPECT_EQ(c.proportional, font.IsProportional(c.file.c_str())) << c.file;
        // The query leaves nothing open.
        EXPECT_FALSE(font.CheckFont(c.file.c_str()));
        EXPECT_TRUE(IsEmptyDefault(font.GetGlyph(12, 96, 96, 'A')));
    }
    std::string const nameless = dir.Write("nameless.ttf", TrueTypeFont(TestGlyphs(), testCodes));
    fsp_FSTextFont font;
    cow_String name;
    bool bold, italic, proportional;
    EXPECT_FALSE(font.GetFontInfo(nameless.c_str(), name, bold, italic, proportional));
    EXPECT_TRUE(font.IsProportional(nameless.c_str()));
}

TEST(FSTextFontLoad, BadTruncatedAndHugeFilesFailCleanly)
{
    TempDir dir;
    std::string const sans = ReadFile(dejaVu + "DejaVuSans.ttf");
    std::string const nimbus = ReadFile(urw + "NimbusSans-Regular.t1");
    std::vector<std::string> paths = {
        dir.Write("empty.ttf", ""), dir.Write("empty.pfa", ""),
        dir.Write("garbage.ttf", std::string(5000, '\x5a')), dir.Write("garbage.pfb", std::string(5000, '\x80')),
        dir.Write("head.ttf", sans.substr(0, 12)), dir.Write("head.pfa", nimbus.substr(0, 300)),
        dir.Write("type1.ttf", nimbus), dir.Write("truetype.pfa", sans), dir.Write("sans.otf", sans),
        dir.Write("nodot", sans),
        dir.Write("chinese.ttf", TrueTypeFont(TestGlyphs(), {{0x4E00, 1}})),  // no glyph for codes 0 to 255
        "/nonexistent/font.ttf",
    };
    // Sparse files far larger than any font: refused without being read.
    for (auto const & [name, head] : {std::pair{"huge.pfa", std::string("%!PS-AdobeFont-1.0")}, {"huge.ttf", sans.substr(0, 1024)}}) {
        paths.push_back(dir.Write(name, head));
        ASSERT_EQ(0, truncate(paths.back().c_str(), 3L << 30));
    }
    for (std::string const & path : paths) {
        fsp_FSTextFont font;
        EXPECT_FALSE(font.LoadFont(path.c_str())) << path;
        EXPECT_FALSE(font.CacheSize(12, 96, 96, false, true)) << path;
        EXPECT_TRUE(IsEmptyDefault(font.GetGlyph(12, 96, 96, 'A'))) << path;
        EXPECT_EQ(0.0f, font.GetWidth(12, 96, 96, "AB")) << path;
        unsigned count = 1;
        EXPECT_EQ(0.0f, font.GetFill(96, 96, 'A', count, nullptr)) << path;
        EXPECT_EQ(0u, count);
    }
    // A font cut short may open; its glyphs then fail one by one.
    int loaded = 0;
    for (double cut : {0.1, 0.5, 0.95, 0.999}) {
        for (auto const & [name, bytes] : {std::pair{std::string("cut.ttf"), sans}, {std::string("cut.pfa"), nimbus}}) {
            fsp_FSTextFont font;
            if (!font.LoadFont(dir.Write(std::to_string(cut) + name, bytes.substr(0, std::size_t(bytes.size() * cut))).c_str()))
                continue;
            ++loaded;
            font.CacheSize(12, 96, 96, false, false);
            for (int c = 0; c < 256; ++c) {
                unsigned count;
                float * triangles;
                font.GetGlyph(12, 96, 96, static_cast<unsigned char>(c));
                font.GetFill(96, 96, static_cast<unsigned char>(c), count, &triangles);
            }
        }
    }
    EXPECT_GT(loaded, 0);
    fsp_FSTextFont font;
    EXPECT_FALSE(font.LoadFont(nullptr));
}

TEST(FSTextFontGlyphs, TrueTypeBitmapsEqualFreeTypeRendering)
{
    for (std::string const & file : {dejaVu + "DejaVuSans.ttf", dejaVu + "DejaVuSerif-Italic.ttf",
                                     liberation + "LiberationMono-Regular.ttf"}) {
        for (auto const & [size, dpi] : {std::pair{12.0f, 96u}, {9.0f, 72u}, {20.0f, 100u}}) {
            fsp_FSTextFont font;
            ASSERT_TRUE(font.LoadFont(file.c_str()));
            ASSERT_TRUE(font.CacheSize(size, float(dpi), float(dpi), false, false));
            Reference ref(file, size, dpi);
            for (int c = 1; c < 256; ++c) {
                ExpectSameGlyph(font.GetGlyph(size, float(dpi), float(dpi), static_cast<unsigned char>(c)),
                                ref.Render(FT_Get_Char_Index(ref.face, c)), file + " code " + std::to_string(c));
            }
            EXPECT_TRUE(IsEmptyDefault(font.GetGlyph(size, float(dpi), float(dpi), 0)));
            EXPECT_NEAR(2 * font.GetGlyph(size, float(dpi), float(dpi), 'H').Height(),  // a change in y alone
                        font.GetGlyph(size, float(dpi), 2.0f * float(dpi), 'H').Height(), 2) << file;
        }
    }
}

TEST(FSTextFontGlyphs, EmsBeyondTheLimitFailAndOversizedGlyphsAreNotDrawn)
{
    fsp_FSTextFont font;
    ASSERT_TRUE(font.LoadFont((dejaVu + "DejaVuSans.ttf").c_str()));
    float const limit = fsp_FSTextFont::maxEmPixels * 72.0f / 100.0f;  // points at 100 dpi
    struct {
        float points, xDpi, yDpi;
        bool made;
    } const cases[] = {{limit * 0.9999f, 100, 100, true}, {limit * 1.001f, 100, 100, false},
                       {limit * 1.001f, 300, 300, false}, {12, 100, 1e6f, false}};
    for (auto const & c : cases) {
        EXPECT_EQ(c.made, font.CacheSize(c.points, c.xDpi, c.yDpi, false, false)) << c.points << " " << c.yDpi;
        EXPECT_EQ(c.made, font.GetWidth(c.points, c.xDpi, c.yDpi, "A") > 0) << c.points;
        EXPECT_EQ(c.made, !IsEmptyDefault(font.GetGlyph(c.points, c.xDpi, c.yDpi, 'A'))) << c.points;
        font.ReleaseSize(c.points, c.xDpi, c.yDpi);
    }
    // A damaged font's glyph 32 ems wide is drawn up to twice the largest em.
    TempDir dir;
    std::vector<TestGlyph> glyphs = TestGlyphs();
    glyphs[1] = {500, {{{-16000, -16000, true}, {-16000, 16000, true}, {16000, 16000, true}, {16000, -16000, true}}}};
    fsp_FSTextFont wide;
    ASSERT_TRUE(wide.LoadFont(dir.Write("wide.ttf", TrueTypeFont(glyphs, testCodes)).c_str()));
    EXPECT_EQ(8000, wide.GetGlyph(72, 250, 250, 'A').Width());       // 250 pixels to the em
    EXPECT_TRUE(IsEmptyDefault(wide.GetGlyph(72, 260, 260, 'A')));  // 8320
    EXPECT_TRUE(wide.CacheSize(72, 260, 260, false, false));
    EXPECT_TRUE(wide.GetGlyph(72, 260, 260, 'B').HasPixels());
}

TEST(FSTextFontExtents, WidthsAndHeightsOfText)
{
    std::string const path = dejaVu + "DejaVuSans.ttf";
    cow_String const text("Quick fox, jumpy \xE9t\xE9 [42]\x01");
    Reference ref(path);
    float advances = 0.0f, above = 0.0f, below = 0.0f;
    for (int i = 0; i < text.Length(); ++i) {
        FT_GlyphSlot slot = ref.Render(FT_Get_Char_Index(ref.face, static_cast<unsigned char>(text[i])));
        advances += static_cast<float>(slot->advance.x) / 64.0f;
        above = std::max(above, static_cast<float>(slot->bitmap_top));
        below = std::max(below, static_cast<float>(static_cast<int>(slot->bitmap.rows) - slot->bitmap_top));
    }
    fsp_FSTextFont font;
    ASSERT_TRUE(font.LoadFont(path.c_str()));
    for (bool cached : {false, true}) {
        if (cached) {
            ASSERT_TRUE(font.CacheSize(12, 96, 96, false, false));
        }
        EXPECT_EQ(advances, font.GetWidth(12, 96, 96, text)) << cached;
        EXPECT_EQ(above + below, font.GetHeight(12, 96, 96, text)) << cached;
        EXPECT_EQ(0.0f, font.GetWidth(12, 96, 96, "") + font.GetHeight(12, 96, 96, ""));
        // The text ends at its first 0 byte.
        EXPECT_EQ(font.GetWidth(12, 96, 96, "Qu"), font.GetWidth(12, 96, 96, cow_String(std::string("Qu\0ick", 6))));
    }

    TempDir dir;
    fsp_FSTextFont small;
    ASSERT_TRUE(small.LoadFont(dir.Write("abc.ttf", TrueTypeFont(TestGlyphs(), testCodes)).c_str()));
    // 'C' is the last code; 'D' and everything after it are not measured.
    float const abc = small.GetWidth(12, 96, 96, "ABC");
    EXPECT_GT(abc, 0.0f);
    EXPECT_EQ(abc, small.GetWidth(12, 96, 96, "ABCDA"));
    EXPECT_EQ(abc, small.GetWidth(12, 96, 96, "ABC\xE9"));
    EXPECT_TRUE(IsEmptyDefault(small.GetGlyph(12, 96, 96, 'D')));
}

// Each glyph's outline is closed, within the font's height, and at a large
// scale as near FreeType's curves as the flatness allows each way; its fill
// covers its area once.
TEST(FSTextFontOutlines, OutlinesFollowTheCurvesAndTheirFillsCoverThem)
{
    TempDir dir;
    std::string const made = dir.Write("made.ttf", TrueTypeFont(TestGlyphs(), testCodes));
    for (std::string const & path : {dejaVu + "DejaVuSans.ttf", dir.Type1("NimbusSans-Regular"), made}) {
        fsp_FSTextFont font;
        ASSERT_TRUE(font.LoadFont(path.c_str()));
        EXPECT_EQ(0.0f, OutlineOf(font, 96, 'A').advance);  // outlines not loaded yet
        ASSERT_TRUE(font.CacheSize(12, 96, 96, false, true));
        Reference ref(path);
        // A Type 1 font's standard encoding below 128 (quotes at 39 and 96), Latin-1 above.
        bool const type1 = FT_Select_Charmap(ref.face, FT_ENCODING_ADOBE_STANDARD) == 0;
        float ascent = 0, descent = 0;
        ASSERT_TRUE(font.GetOutlineHeight(96, 96, "", ascent, descent));
        EXPECT_GT(ascent, 0.0f);
        EXPECT_LE(descent, 0.0f);
        std::string text;
        float total = 0.0f;
        for (int c = 33; c < 256; ++c) {
            if (type1)
                FT_Select_Charmap(ref.face, c < 128 ? FT_ENCODING_ADOBE_STANDARD : FT_ENCODING_UNICODE);
            Polyline const outline = OutlineOf(font, 96, static_cast<unsigned char>(c));
            if (outline.contours.empty() && (path == made || c > 126))
                continue;  // past its last code, or a Latin-1 code without glyph
            ASSERT_FALSE(outline.contours.empty()) << c;
            for (auto const & contour : outline.contours) {
                ASSERT_GE(contour.size(), 2u) << c;  // DejaVu's 'u' has a one-point contour
                EXPECT_EQ(contour.front(), contour.back()) << c;
                for (auto const & point : contour)
                    EXPECT_TRUE(c > 126 || (point.second <= ascent + 0.1 && point.second >= descent - 0.1)) << c;
            }
            // Units per font unit from the advance, at 2000 dpi.
            ASSERT_EQ(0, FT_Load_Glyph(ref.face, FT_Get_Char_Index(ref.face, c), FT_LOAD_NO_SCALE));
            Polyline const fine = OutlineOf(font, 2000, static_cast<unsigned char>(c));
            std::vector<Contour> const curves = CurvePoints(ref.face, fine.advance / ref.face->glyph->advance.x);
            ASSERT_EQ(curves.size(), fine.contours.size()) << c;
            for (std::size_t k = 0; k < curves.size(); ++k) {
                EXPECT_LE(Deviation(fine.contours[k], curves[k]), 0.25 + 0.01) << path << " " << c;
                EXPECT_LE(Deviation(curves[k], fine.contours[k]), 0.25 + 0.01) << path << " " << c;
            }
            unsigned count = 0;
            float * triangles = nullptr;
            EXPECT_EQ(outline.advance, font.GetFill(96, 96, static_cast<unsigned char>(c), count, &triangles));
            ASSERT_GT(count, 0u) << path << " " << c;
            // Accents may overlap their letters: then the fill covers less than the contours' areas added up.
            double const area = Area(outline), filled = TriangleArea(count, triangles);
            EXPECT_TRUE(std::fabs(area - filled) < area * 1e-4 || (c > 126 && filled < area)) << path << " " << c;
            text += static_cast<char>(c);
            total += outline.advance;
        }
        EXPECT_NEAR(total, font.GetOutlineWidth(96, 96, cow_String(text.c_str())), total * 1e-5f);
        if (path == made) {
            EXPECT_EQ(0.0f, OutlineOf(font, 96, 'D').advance);
            unsigned count = 9;
            float * triangles = nullptr;
            EXPECT_GT(font.GetOutline(96, 96, ' ', 0, 0, count, nullptr, nullptr), 0.0f);  // no contours
            EXPECT_EQ(0u, count);
            EXPECT_GT(font.GetFill(96, 96, ' ', count, &triangles), 0.0f);
            EXPECT_EQ(0u, count);
            EXPECT_EQ(nullptr, triangles);
            EXPECT_EQ(0.0f, font.GetFill(96, 96, 'Z', count, &triangles));
        }
    }
}

TEST(FSTextFontOutlines, BuffersAreNeverOverrun)
{
    fsp_FSTextFont font;
    ASSERT_TRUE(font.LoadFont((dejaVu + "DejaVuSans.ttf").c_str()));
    ASSERT_TRUE(font.CacheSize(12, 96, 96, false, true));
    Polyline const full = OutlineOf(font, 96, 'B');
    ASSERT_EQ(3u, full.contours.size());
    std::size_t const points = full.contours[0].size() + full.contours[1].size() + full.contours[2].size();
    // Too few contours for the glyph: none; too few points: as many as fit.
    for (auto const & [contours, limit] : {std::pair{2u, 1000u}, {3u, 0u}, {3u, 5u}, {3u, unsigned(points)}}) {
        std::vector<float> buffer(2 * limit + 8, -7.0f);
        std::vector<unsigned> sizes(contours + 1, 99);
        unsigned count = 99, written = 0;
        EXPECT_EQ(full.advance, font.GetOutline(96, 96, 'B', contours, limit, count, sizes.data(), buffer.data()));
        for (unsigned i = 0; i < count; ++i)
            written += sizes[i];
        EXPECT_EQ(contours == 3 ? std::min<std::size_t>(limit, points) : 0u, written);
        EXPECT_EQ(99u, sizes[contours]);
        EXPECT_EQ(std::vector<float>(8, -7.0f), std::vector<float>(buffer.begin() + 2 * limit, buffer.end()));
    }
}

TEST(FSTextFontFill, CachedAndScratchFills)
{
    fsp_FSTextFont font;
    ASSERT_TRUE(font.LoadFont((dejaVu + "DejaVuSans.ttf").c_str()));
    ASSERT_TRUE(font.CacheSize(12, 96, 96, false, true));
    struct Fill {
        float * triangles = nullptr;
        unsigned count = 0;
        double Area() const { return TriangleArea(count, triangles); }
    };
    auto fill = [&](float dpi, unsigned char c) {
        Fill f;
        font.GetFill(dpi, dpi, c, f.count, &f.triangles);
        return f;
    };
    // 96 dpi x 0.1388889 = 13.3: kept with the glyph.
    Fill const a = fill(96, 'a'), b = fill(96, 'b');
    std::vector<float> const aCopy(a.triangles, a.triangles + 6 * a.count);
    EXPECT_EQ(a.triangles, fill(96, 'a').triangles);
    EXPECT_NE(a.triangles, b.triangles);
    // 300 dpi = 41.7: each fill lands in the one scratch buffer.
    Fill const a300 = fill(300, 'a');
    double const area300 = a300.Area();
    EXPECT_EQ(a300.triangles, fill(300, 'b').triangles);
    EXPECT_NE(area300, a300.Area());
    EXPECT_NEAR(area300, fill(300, 'a').Area(), area300 * 1e-6);
    // Another small resolution is not served the triangles kept for 96 dpi.
    Fill const a72 = fill(72, 'a');
    EXPECT_NE(a.triangles, a72.triangles);
    double const outline72 = Area(OutlineOf(font, 72, 'a'));
    EXPECT_NEAR(outline72, a72.Area(), outline72 * 1e-4);
    EXPECT_GT(std::fabs(outline72 - a.Area()), outline72 * 0.1);
    EXPECT_EQ(aCopy, std::vector<float>(a.triangles, a.triangles + 6 * a.count));
}

}  // namespace
