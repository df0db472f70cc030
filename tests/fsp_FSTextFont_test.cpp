// Outline text fonts checked against FreeType's own rendering of real fonts
// (DejaVu, Liberation, URW), and against small fonts made here for the cases
// real fonts do not show.
#include <gtest/gtest.h>

#include <ft2build.h>
#include <freetype/freetype.h>
#include <freetype/ftbbox.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
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
    ~TempDir()
    {
        for (std::string const & file : files)
            std::remove(file.c_str());
        rmdir(path.c_str());
    }
    std::string Write(std::string const & name, std::string const & bytes)
    {
        files.push_back(path + "/" + name);
        std::ofstream(files.back(), std::ios::binary) << bytes;
        return files.back();
    }
    // URW ships Type 1 fonts as ".t1"; the font object reads ".pfa".
    std::string Type1(std::string const & urwName) { return Write(urwName + ".pfa", ReadFile(urw + urwName + ".t1")); }

private:
    std::string path;
    std::vector<std::string> files;
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
    EXPECT_EQ(0.0f, ours.yAdvance) << what;
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

// ---- Fonts made for the test ----

void Put16(std::string & s, int v)
{
    s += static_cast<char>((v >> 8) & 0xff);
    s += static_cast<char>(v & 0xff);
}

void Put32(std::string & s, std::uint32_t v)
{
    Put16(s, static_cast<int>(v >> 16));
    Put16(s, static_cast<int>(v & 0xffff));
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

// A TrueType font: units per em 1000, a format 4 (3, 1) character map, the
// given Macintosh names (id -> text) and fixed-pitch flag.
std::string TrueTypeFont(std::vector<TestGlyph> const & glyphs, std::map<unsigned, int> const & codes,
                         std::map<int, std::string> const & names = {}, bool fixedPitch = false)
{
    std::string glyf, loca, hmtx;
    int maxPoints = 0, maxContours = 0;
    for (TestGlyph const & g : glyphs) {
        Put16(loca, static_cast<int>(glyf.size() / 2));
        Put16(hmtx, g.advance);
        Put16(hmtx, 0);
        if (g.contours.empty())
            continue;
        std::string flags, xs, ys;
        int px = 0, py = 0, points = 0;
        Put16(glyf, static_cast<int>(g.contours.size()));
        for (int i = 0; i < 4; ++i)
            Put16(glyf, 0);  // the box is computed by FreeType
        for (TestContour const & contour : g.contours) {
            points += static_cast<int>(contour.size());
            Put16(glyf, points - 1);
            for (TestPoint const & p : contour) {
                flags += static_cast<char>(p.on ? 1 : 0);
                Put16(xs, p.x - px);
                Put16(ys, p.y - py);
                px = p.x;
                py = p.y;
            }
        }
        Put16(glyf, 0);
        glyf += flags + xs + ys;
        if (glyf.size() % 2)
            glyf += '\0';
        maxPoints = std::max(maxPoints, points);
        maxContours = std::max(maxContours, static_cast<int>(g.contours.size()));
    }
    Put16(loca, static_cast<int>(glyf.size() / 2));
    int const count = static_cast<int>(glyphs.size());

    std::string head;
    Put32(head, 0x10000);
    Put32(head, 0x10000);
    Put32(head, 0);
    Put32(head, 0x5F0F3CF5);
    Put16(head, 0x000B);
    Put16(head, 1000);
    head += std::string(16, '\0');
    for (int v : {0, -200, 1000, 800, 0, 8, 2, 0, 0})
        Put16(head, v);

    std::string hhea;
    Put32(hhea, 0x10000);
    for (int v : {800, -200, 0, 1000, 0, 0, 1000, 1, 0, 0, 0, 0, 0, 0, 0, count})
        Put16(hhea, v);

    std::string maxp;
    Put32(maxp, 0x10000);
    for (int v : {count, maxPoints, maxContours, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0})
        Put16(maxp, v);

    std::string cmap;
    int const segments = static_cast<int>(codes.size()) + 1;
    Put16(cmap, 0);
    Put16(cmap, 1);
    Put16(cmap, 3);
    Put16(cmap, 1);
    Put32(cmap, 12);
    Put16(cmap, 4);
    Put16(cmap, 16 + 8 * segments);
    for (int v : {0, 2 * segments, 2, 0, 2 * segments - 2})
        Put16(cmap, v);
    for (auto const & [code, glyph] : codes)
        Put16(cmap, static_cast<int>(code));
    Put16(cmap, 0xFFFF);
    Put16(cmap, 0);
    for (auto const & [code, glyph] : codes)
        Put16(cmap, static_cast<int>(code));
    Put16(cmap, 0xFFFF);
    for (auto const & [code, glyph] : codes)
        Put16(cmap, (glyph - static_cast<int>(code)) & 0xFFFF);
    Put16(cmap, 1);
    for (int i = 0; i < segments; ++i)
        Put16(cmap, 0);

    std::string name, strings;
    Put16(name, 0);
    Put16(name, static_cast<int>(names.size()));
    Put16(name, 6 + 12 * static_cast<int>(names.size()));
    for (auto const & [id, text] : names) {
        for (int v : {1, 0, 0, id, static_cast<int>(text.size()), static_cast<int>(strings.size())})
            Put16(name, v);
        strings += text;
    }
    name += strings;

    std::string post;
    Put32(post, 0x30000);
    Put32(post, 0);
    Put32(post, 0);
    Put32(post, fixedPitch ? 1 : 0);
    post += std::string(16, '\0');

    std::vector<std::pair<std::string, std::string>> const tables = {
        {"cmap", cmap}, {"glyf", glyf}, {"head", head}, {"hhea", hhea}, {"hmtx", hmtx},
        {"loca", loca}, {"maxp", maxp}, {"name", name}, {"post", post}};
    std::string font;
    Put32(font, 0x10000);
    for (int v : {static_cast<int>(tables.size()), 128, 3, 16})
        Put16(font, v);
    std::string data;
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

// Type 1 charstring: numbers and operators, encrypted as charstrings are.
class CharString {
public:
    CharString & N(int v)
    {
        if (v >= -107 && v <= 107) {
            s += static_cast<char>(v + 139);
        } else if (v >= 108 && v <= 1131) {
            s += static_cast<char>(((v - 108) >> 8) + 247);
            s += static_cast<char>((v - 108) & 0xff);
        } else if (v <= -108 && v >= -1131) {
            s += static_cast<char>(((-v - 108) >> 8) + 251);
            s += static_cast<char>((-v - 108) & 0xff);
        } else {
            s += static_cast<char>(255);
            Put32(s, static_cast<std::uint32_t>(v));
        }
        return *this;
    }
    CharString & Op(int op)
    {
        s += static_cast<char>(op);
        return *this;
    }
    std::string s;
};
enum { rlineto = 5, rrcurveto = 8, closepath = 9, hsbw = 13, endchar = 14, rmoveto = 21 };

std::string Encrypt(std::string const & plain, unsigned short r)
{
    std::string out;
    for (char ch : std::string(4, 'x') + plain) {
        unsigned char const cipher = static_cast<unsigned char>(static_cast<unsigned char>(ch) ^ (r >> 8));
        r = static_cast<unsigned short>((cipher + r) * 52845u + 22719u);
        out += static_cast<char>(cipher);
    }
    return out;
}

// A Type 1 font with the given glyphs (name -> charstring) and encoding
// ("StandardEncoding" or code -> name).
std::string Type1Font(std::map<std::string, CharString> const & glyphs, std::map<int, std::string> const & encoding,
                      std::string const & weight = "Medium", int italicAngle = 0)
{
    std::ostringstream clear;
    clear << "%!PS-AdobeFont-1.0: TestOne 001.000\n11 dict begin\n/FontInfo 8 dict dup begin\n"
          << "/FamilyName (Test-One) readonly def\n/Weight (" << weight << ") readonly def\n/ItalicAngle "
          << italicAngle << " def\n/isFixedPitch true def\nend readonly def\n/FontName /TestOne def\n"
          << "/PaintType 0 def\n/FontType 1 def\n/FontMatrix [0.001 0 0 0.001 0 0] readonly def\n"
          << "/FontBBox {0 -200 1000 800} readonly def\n";
    if (encoding.empty()) {
        clear << "/Encoding StandardEncoding def\n";
    } else {
        clear << "/Encoding 256 array\n0 1 255 {1 index exch /.notdef put} for\n";
        for (auto const & [code, name] : encoding)
            clear << "dup " << code << " /" << name << " put\n";
        clear << "readonly def\n";
    }
    clear << "currentdict end\ncurrentfile eexec\n";
    std::ostringstream secret;
    secret << "dup /Private 8 dict dup begin\n/RD{string currentfile exch readstring pop}executeonly def\n"
           << "/ND{noaccess def}executeonly def\n/NP{noaccess put}executeonly def\n/BlueValues [] def\n"
           << "/MinFeature{16 16}def\n/password 5839 def\n2 index /CharStrings " << glyphs.size()
           << " dict dup begin\n";
    for (auto const & [name, charString] : glyphs) {
        std::string const bytes = Encrypt(charString.s, 4330);
        secret << "/" << name << " " << bytes.size() << " RD " << bytes << " ND\n";
    }
    secret << "end\nend\nreadonly put\nnoaccess put\ndup/FontName get exch definefont pop\n"
           << "mark currentfile closefile\n";
    std::string hex;
    char const * digits = "0123456789abcdef";
    for (char ch : Encrypt(secret.str(), 55665)) {
        hex += digits[static_cast<unsigned char>(ch) >> 4];
        hex += digits[static_cast<unsigned char>(ch) & 15];
        if (hex.size() % 65 == 64)
            hex += '\n';
    }
    std::string zeros;
    for (int i = 0; i < 8; ++i)
        zeros += std::string(64, '0') + "\n";
    return clear.str() + hex + "\n" + zeros + "cleartomark\n";
}

CharString Box(int left, int bottom, int right, int top, int advance)
{
    return CharString()
        .N(0).N(advance).Op(hsbw)
        .N(left).N(bottom).Op(rmoveto)
        .N(right - left).N(0).Op(rlineto)
        .N(0).N(top - bottom).Op(rlineto)
        .N(left - right).N(0).Op(rlineto)
        .Op(closepath).Op(endchar);
}

// The dome from (100, 100) over the cubic with controls (100, 700) and
// (700, 700) to (700, 100), closed by a line.
CharString Dome()
{
    return CharString()
        .N(0).N(800).Op(hsbw)
        .N(100).N(100).Op(rmoveto)
        .N(0).N(600).N(600).N(0).N(0).N(-600).Op(rrcurveto)
        .Op(closepath).Op(endchar);
}

// TrueType glyphs: 0 missing box, 1 square with a square hole, 2 a circle of
// four off-curve points, 3 a contour starting off the curve, 4 empty.
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

struct Polyline {
    std::vector<std::vector<std::pair<float, float>>> contours;
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

// Filled area under the nonzero rule for contours that do not overlap.
double Area(Polyline const & outline)
{
    double sum = 0.0;
    for (auto const & contour : outline.contours) {
        for (std::size_t i = 0; i + 1 < contour.size(); ++i)
            sum += double(contour[i].first) * contour[i + 1].second - double(contour[i + 1].first) * contour[i].second;
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

// Largest distance from the sampled curve `at(t)` to the polyline.
template <class Curve>
double Deviation(std::vector<std::pair<float, float>> const & line, Curve at)
{
    double worst = 0.0;
    for (int k = 0; k <= 400; ++k) {
        auto const [px, py] = at(k / 400.0);
        double best = 1e30;
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

// ---- Names, styles and pitch ----

TEST(FSTextFontInfo, NamesAndStylesOfRealFonts)
{
    TempDir dir;
    struct Case {
        std::string file, name;
        bool bold, italic, proportional;
    };
    for (Case const & c : std::vector<Case>{
             {dejaVu + "DejaVuSans.ttf", "DejaVu Sans", false, false, true},
             {dejaVu + "DejaVuSans-BoldOblique.ttf", "DejaVu Sans", true, true, true},
             {dejaVu + "DejaVuSansMono-Bold.ttf", "DejaVu Sans Mono", true, false, false},
             {liberation + "LiberationMono-Regular.ttf", "Liberation Mono", false, false, false},
             {liberation + "LiberationSerif-Italic.ttf", "Liberation Serif", false, true, true},
             {dir.Type1("NimbusSans-BoldItalic"), "Nimbus Sans", true, true, true},
             {dir.Type1("NimbusMonoPS-Regular"), "Nimbus Mono PS", false, false, false},
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
}

TEST(FSTextFontInfo, LoadedFontAnswersForItself)
{
    fsp_FSTextFont font;
    std::string const mono = liberation + "LiberationMono-Regular.ttf";
    ASSERT_TRUE(font.LoadFont(mono.c_str()));
    cow_String name, file;
    bool bold, italic, proportional;
    std::string const other = dejaVu + "DejaVuSans.ttf";
    ASSERT_TRUE(font.GetFontInfo(other.c_str(), name, bold, italic, proportional));
    EXPECT_EQ("Liberation Mono", name.Std());
    EXPECT_FALSE(font.IsProportional(other.c_str()));
    EXPECT_TRUE(font.CheckFont(mono.c_str()));
    EXPECT_FALSE(font.CheckFont(other.c_str()));
    EXPECT_TRUE(font.GetFontFile(file));
    EXPECT_EQ(mono, file.Std());
    // Still loaded after the queries.
    EXPECT_FALSE(IsEmptyDefault(font.GetGlyph(12, 96, 96, 'A')));
}

TEST(FSTextFontInfo, NameTableRules)
{
    TempDir dir;
    struct Case {
        std::map<int, std::string> names;
        std::string name;
        bool bold, italic;
    };
    int n = 0;
    for (Case const & c : std::vector<Case>{
             {{{4, "Test-Sans Bold Oblique"}}, "Test Sans", true, true},         // full name only
             {{{1, "Test Sans"}, {4, "test sans Italic"}}, "Test Sans", false, true},  // style from full name
             {{{1, "Test Sans"}, {4, "Other Bold"}}, "Test Sans", true, false},        // unrelated full name
             {{{1, "Test-Sans"}, {2, "Bold"}, {4, "Test Sans Italic"}}, "Test Sans", true, false},
             {{{2, "Italic"}, {4, "Foo Italic"}}, "Foo", false, true},  // style cut from the full name
         }) {
        std::string const path = dir.Write("names" + std::to_string(n++) + ".ttf",
                                           TrueTypeFont(TestGlyphs(), testCodes, c.names, true));
        fsp_FSTextFont font;
        cow_String name;
        bool bold, italic, proportional = true;
        ASSERT_TRUE(font.GetFontInfo(path.c_str(), name, bold, italic, proportional)) << c.name;
        EXPECT_EQ(c.name, name.Std());
        EXPECT_EQ(c.bold, bold) << c.name;
        EXPECT_EQ(c.italic, italic) << c.name;
        EXPECT_FALSE(proportional);
    }
    // Type 1: the family name, the weight and the italic angle of the font information.
    CharString const a = Box(100, 0, 400, 700, 500);
    for (auto const & [weight, angle] : {std::pair{std::string("Bold"), -12}, {std::string("Medium"), 0}}) {
        std::string const path = dir.Write(weight + ".pfa", Type1Font({{".notdef", a}, {"A", a}}, {}, weight, angle));
        fsp_FSTextFont font;
        cow_String name;
        bool bold, italic, proportional = true;
        ASSERT_TRUE(font.GetFontInfo(path.c_str(), name, bold, italic, proportional)) << weight;
        EXPECT_EQ("Test One", name.Std());
        EXPECT_EQ(weight == "Bold", bold);
        EXPECT_EQ(angle != 0, italic);
        EXPECT_FALSE(proportional);
    }
    std::string const nameless = dir.Write("nameless.ttf", TrueTypeFont(TestGlyphs(), testCodes));
    fsp_FSTextFont font;
    cow_String name;
    bool bold, italic, proportional;
    EXPECT_FALSE(font.GetFontInfo(nameless.c_str(), name, bold, italic, proportional));
    EXPECT_TRUE(font.IsProportional(nameless.c_str()));
}

// ---- Opening ----

TEST(FSTextFontLoad, BadFilesFailCleanly)
{
    TempDir dir;
    std::string const sans = ReadFile(dejaVu + "DejaVuSans.ttf");
    std::string const nimbus = ReadFile(urw + "NimbusSans-Regular.t1");
    std::string const chinese = TrueTypeFont(TestGlyphs(), {{0x4E00, 1}});
    std::string const minusOnly = Type1Font({{".notdef", Box(0, 0, 0, 0, 500)}, {"minus", Box(50, 200, 550, 300, 600)}}, {});
    std::vector<std::string> const paths = {
        dir.Write("empty.ttf", ""),
        dir.Write("empty.pfa", ""),
        dir.Write("garbage.ttf", std::string(5000, '\x5a')),
        dir.Write("garbage.pfb", std::string(5000, '\x80')),
        dir.Write("head.ttf", sans.substr(0, 12)),
        dir.Write("head.pfa", nimbus.substr(0, 300)),
        dir.Write("type1.ttf", nimbus),
        dir.Write("truetype.pfa", sans),
        dir.Write("sans.otf", sans),
        dir.Write("nodot", sans),
        dir.Write("chinese.ttf", chinese),  // no glyph for codes 0 to 255
        dir.Write("minus.pfa", minusOnly),  // no glyph for the Latin-1 names
        "/nonexistent/font.ttf",
    };
    // Sparse files far larger than any font.
    std::string const huge1 = dir.Write("huge.pfa", "%!PS-AdobeFont-1.0");
    std::string const huge2 = dir.Write("huge.ttf", sans.substr(0, 1024));
    ASSERT_EQ(0, truncate(huge1.c_str(), 3L << 30));
    ASSERT_EQ(0, truncate(huge2.c_str(), 3L << 30));
    std::vector<std::string> all = paths;
    all.push_back(huge1);
    all.push_back(huge2);
    for (std::string const & path : all) {
        fsp_FSTextFont font;
        EXPECT_FALSE(font.LoadFont(path.c_str())) << path;
        EXPECT_FALSE(font.CacheSize(12, 96, 96, false, false)) << path;
        EXPECT_FALSE(font.CacheSize(12, 96, 96, false, true)) << path;
        EXPECT_TRUE(IsEmptyDefault(font.GetGlyph(12, 96, 96, 'A'))) << path;
        EXPECT_EQ(0.0f, font.GetWidth(12, 96, 96, "AB")) << path;
        float ascent = 1, descent = 1;
        EXPECT_FALSE(font.GetOutlineHeight(96, 96, "A", ascent, descent)) << path;
        EXPECT_EQ(0.0f, ascent);
        unsigned count = 1;
        EXPECT_EQ(0.0f, font.GetFill(96, 96, 'A', count, nullptr)) << path;
        EXPECT_EQ(0u, count);
    }
    fsp_FSTextFont font;
    EXPECT_FALSE(font.LoadFont(nullptr));
    EXPECT_FALSE(font.CheckFont(nullptr));
}

TEST(FSTextFontLoad, DamagedFontsNeverCrash)
{
    TempDir dir;
    std::string const sans = ReadFile(dejaVu + "DejaVuSans.ttf");
    std::string const nimbus = ReadFile(urw + "NimbusSans-Regular.t1");
    int loaded = 0;
    for (double cut : {0.02, 0.1, 0.3, 0.5, 0.8, 0.95, 0.999}) {
        for (auto const & [name, bytes] : {std::pair{std::string("cut.ttf"), sans}, {std::string("cut.pfa"), nimbus}}) {
            std::string const path = dir.Write(std::to_string(cut) + name, bytes.substr(0, std::size_t(bytes.size() * cut)));
            fsp_FSTextFont font;
            if (!font.LoadFont(path.c_str()))
                continue;
            ++loaded;
            font.CacheSize(12, 96, 96, false, false);
            font.CacheSize(12, 300, 300, false, false);
            font.CacheSize(12, 96, 96, false, true);
            for (int c = 0; c < 256; ++c) {
                font.GetGlyph(12, 96, 96, static_cast<unsigned char>(c));
                font.GetGlyph(12, 300, 300, static_cast<unsigned char>(c));
                unsigned count;
                float * triangles;
                font.GetFill(96, 96, static_cast<unsigned char>(c), count, &triangles);
            }
            font.GetWidth(10, 72, 72, "Hello");
        }
    }
    // FreeType opens a TrueType file cut late; its glyphs then fail one by one.
    EXPECT_GT(loaded, 0);
}

TEST(FSTextFontLoad, ExtensionIgnoresCase)
{
    TempDir dir;
    std::string const upper = dir.Write("SANS.TTF", ReadFile(dejaVu + "DejaVuSans.ttf"));
    std::string const pfb = dir.Write("Nimbus.PfA", ReadFile(urw + "NimbusSans-Regular.t1"));
    fsp_FSTextFont a, b;
    EXPECT_TRUE(a.LoadFont(upper.c_str()));
    EXPECT_TRUE(b.LoadFont(pfb.c_str()));
    // Loading again replaces the font.
    EXPECT_TRUE(a.LoadFont(pfb.c_str()));
    EXPECT_TRUE(a.CheckFont(pfb.c_str()));
    EXPECT_FALSE(a.CheckFont(upper.c_str()));
}

// ---- Glyph bitmaps ----

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
        }
    }
}

TEST(FSTextFontGlyphs, Type1BitmapsEqualFreeTypeRendering)
{
    TempDir dir;
    std::string const path = dir.Type1("NimbusRoman-Italic");
    fsp_FSTextFont font;
    ASSERT_TRUE(font.LoadFont(path.c_str()));
    ASSERT_TRUE(font.CacheSize(12, 96, 96, false, false));
    Reference ref(path);
    // FreeType's own maps: the font's standard encoding, and Latin-1 by Unicode.
    for (int c = 1; c < 256; ++c) {
        FT_Select_Charmap(ref.face, c < 128 ? FT_ENCODING_ADOBE_STANDARD : FT_ENCODING_UNICODE);
        FT_UInt const glyph = c >= 32 && (c <= 126 || c >= 161) ? FT_Get_Char_Index(ref.face, c) : 0;
        g3d_Bitmap const & ours = font.GetGlyph(12, 96, 96, static_cast<unsigned char>(c));
        if (glyph == 0)
            EXPECT_TRUE(IsEmptyDefault(ours)) << c;
        else
            ExpectSameGlyph(ours, ref.Render(glyph), "code " + std::to_string(c));
    }
    // The names the PostScript encodings put where ASCII and Latin-1 differ.
    for (auto const & [code, name] : std::map<int, char const *>{
             {39, "quoteright"}, {45, "hyphen"}, {96, "quoteleft"}, {173, "hyphen"}}) {
        ExpectSameGlyph(font.GetGlyph(12, 96, 96, static_cast<unsigned char>(code)),
                        ref.Render(FT_Get_Name_Index(ref.face, name)), name);
    }
}

TEST(FSTextFontGlyphs, Type1OwnEncodingAndMinusForHyphen)
{
    TempDir dir;
    std::string const dingbats = dir.Type1("D050000L");
    fsp_FSTextFont font;
    ASSERT_TRUE(font.LoadFont(dingbats.c_str()));
    Reference ref(dingbats, 10, 72);
    FT_Select_Charmap(ref.face, FT_ENCODING_ADOBE_CUSTOM);
    for (int c = 33; c < 256; ++c) {
        FT_UInt const glyph = FT_Get_Char_Index(ref.face, c);
        g3d_Bitmap const & ours = font.GetGlyph(10, 72, 72, static_cast<unsigned char>(c));
        if (glyph == 0)
            EXPECT_TRUE(IsEmptyDefault(ours)) << c;
        else
            ExpectSameGlyph(ours, ref.Render(glyph), "dingbat " + std::to_string(c));
    }

    std::string const made = dir.Write(
        "minus.pfa", Type1Font({{".notdef", Box(0, 0, 0, 0, 500)}, {"A", Dome()}, {"minus", Box(50, 200, 550, 300, 600)}}, {}));
    fsp_FSTextFont minus;
    ASSERT_TRUE(minus.LoadFont(made.c_str()));
    Reference minusRef(made);
    ExpectSameGlyph(minus.GetGlyph(12, 96, 96, '-'), minusRef.Render(FT_Get_Name_Index(minusRef.face, "minus")), "-");
    ExpectSameGlyph(minus.GetGlyph(12, 96, 96, 'A'), minusRef.Render(FT_Get_Name_Index(minusRef.face, "A")), "A");
    EXPECT_TRUE(IsEmptyDefault(minus.GetGlyph(12, 96, 96, 'B')));
    ASSERT_TRUE(minus.CacheSize(12, 96, 96, false, true));
    unsigned count;
    EXPECT_GT(minus.GetFill(96, 96, '-', count, nullptr), 0.0f);
    EXPECT_EQ(2u, count);

    // An encoding array of its own; codes after the last named one are past the font.
    std::string const own = dir.Write("own.pfa", Type1Font({{".notdef", Box(0, 0, 0, 0, 500)}, {"A", Dome()}}, {{66, "A"}}));
    fsp_FSTextFont ownFont;
    ASSERT_TRUE(ownFont.LoadFont(own.c_str()));
    EXPECT_TRUE(IsEmptyDefault(ownFont.GetGlyph(12, 96, 96, 'A')));
    ExpectSameGlyph(ownFont.GetGlyph(12, 96, 96, 'B'), minusRef.Render(FT_Get_Name_Index(minusRef.face, "A")), "B");
    EXPECT_EQ(ownFont.GetWidth(12, 96, 96, "B"), ownFont.GetWidth(12, 96, 96, "BCB"));
}

TEST(FSTextFontGlyphs, SizesTolerancesAndStripping)
{
    std::string const path = dejaVu + "DejaVuSans.ttf";
    fsp_FSTextFont font;
    ASSERT_TRUE(font.LoadFont(path.c_str()));
    EXPECT_EQ(0, font.ReleaseSize(12, 96, 96));
    ASSERT_TRUE(font.CacheSize(12, 96, 96, false, false));
    // 12.3 pt differs by 0.4 pixels at 96 dpi: the same cached size.
    ASSERT_TRUE(font.CacheSize(12.3f, 96, 96, false, false));
    ASSERT_TRUE(font.CacheSize(10, 96, 96, false, false));
    EXPECT_EQ(2, font.ReleaseSize(14, 96, 96));  // not cached: unchanged
    EXPECT_EQ(1, font.ReleaseSize(12.3f, 96, 96));

    Reference ref(path);
    std::vector<g3d_Bitmap> before;
    for (int c = 0; c < 256; ++c)
        before.push_back(font.GetGlyph(10, 96, 96, static_cast<unsigned char>(c)));
    font.StripCache(10, 96, 96);
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(before[c], font.GetGlyph(10, 96, 96, static_cast<unsigned char>(c))) << c;
    EXPECT_EQ(0, font.ReleaseSize(10, 96, 96));
    // Without a cached size every glyph is rendered on the fly, to the same result.
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(before[c], font.GetGlyph(10, 96, 96, static_cast<unsigned char>(c))) << c;

    // From 150 dpi on, and with noBitmaps, images are made when asked for.
    Reference fine(path, 12, 300);
    ASSERT_TRUE(font.CacheSize(12, 300, 300, false, false));
    ASSERT_TRUE(font.CacheSize(12, 96, 96, true, false));
    for (int c : {int('A'), int('g'), 0xE9, int(' ')}) {
        FT_UInt const glyph = FT_Get_Char_Index(ref.face, c);
        ExpectSameGlyph(font.GetGlyph(12, 300, 300, static_cast<unsigned char>(c)), fine.Render(glyph), "300 dpi");
        ExpectSameGlyph(font.GetGlyph(12, 96, 96, static_cast<unsigned char>(c)), ref.Render(glyph), "noBitmaps");
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

TEST(FSTextFontGlyphs, PrintResolutionTightensTheSizeTolerance)
{
    EXPECT_EXIT(
        {
            setenv("QEL_PRINT_XRES", "11.8", 1);
            fsp_FSTextFont font;
            font.LoadFont((dejaVu + "DejaVuSans.ttf").c_str());
            font.CacheSize(12, 96, 96, true, false);
            font.CacheSize(12.03f, 96, 96, true, false);  // 0.04 pixels apart: same
            font.CacheSize(12.3f, 96, 96, true, false);   // 0.4 pixels apart: another size
            std::exit(font.ReleaseSize(1, 96, 96));
        },
        ::testing::ExitedWithCode(2), "");
}

// ---- Text extents ----

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
        EXPECT_EQ(0.0f, font.GetWidth(12, 96, 96, ""));
        EXPECT_EQ(0.0f, font.GetHeight(12, 96, 96, ""));
        // The text ends at its first 0 byte.
        EXPECT_EQ(font.GetWidth(12, 96, 96, "Qu"), font.GetWidth(12, 96, 96, cow_String(std::string("Qu\0ick", 6))));
    }

    TempDir dir;
    std::string const made = dir.Write("abc.ttf", TrueTypeFont(TestGlyphs(), testCodes));
    fsp_FSTextFont small;
    ASSERT_TRUE(small.LoadFont(made.c_str()));
    // 'C' is the last code; 'D' and everything after it are not measured.
    float const abc = small.GetWidth(12, 96, 96, "ABC");
    EXPECT_GT(abc, 0.0f);
    EXPECT_EQ(abc, small.GetWidth(12, 96, 96, "ABCDA"));
    EXPECT_EQ(abc, small.GetWidth(12, 96, 96, "ABC\xE9"));
    EXPECT_TRUE(IsEmptyDefault(small.GetGlyph(12, 96, 96, 'D')));
}

// ---- Outlines and fills ----

TEST(FSTextFontOutlines, ClosedAndInsideTheGlyphBox)
{
    TempDir dir;
    for (std::string const & path : {dejaVu + "DejaVuSans.ttf", dir.Type1("NimbusSans-Regular")}) {
        fsp_FSTextFont font;
        ASSERT_TRUE(font.LoadFont(path.c_str()));
        EXPECT_EQ(0.0f, OutlineOf(font, 96, 'A').advance);  // outlines not loaded yet
        ASSERT_TRUE(font.CacheSize(12, 96, 96, false, true));
        Reference ref(path);
        // The Type 1 font's standard encoding puts quotes at 39 and 96.
        if (FT_Select_Charmap(ref.face, FT_ENCODING_ADOBE_STANDARD) != 0)
            FT_Select_Charmap(ref.face, FT_ENCODING_UNICODE);
        float ascent = 0, descent = 0;
        ASSERT_TRUE(font.GetOutlineHeight(96, 96, "", ascent, descent));
        EXPECT_GT(ascent, 0.0f);
        EXPECT_LT(descent, 0.0f);
        std::string text;
        float total = 0.0f;
        for (int c = 33; c < 127; ++c) {
            Polyline const outline = OutlineOf(font, 96, static_cast<unsigned char>(c));
            FT_UInt const glyph = FT_Get_Char_Index(ref.face, c);
            ASSERT_EQ(0, FT_Load_Glyph(ref.face, glyph, FT_LOAD_NO_SCALE));
            FT_BBox box;
            FT_Outline_Get_BBox(&ref.face->glyph->outline, &box);
            // Units per font unit, from the advance; the outline must have the glyph's proportions.
            double const scale = outline.advance / ref.face->glyph->advance.x;
            double const slack = 0.01 * scale * ref.face->units_per_EM;
            ASSERT_FALSE(outline.contours.empty()) << c;
            for (auto const & contour : outline.contours) {
                ASSERT_GE(contour.size(), 2u) << c;  // DejaVu's 'u' has a one-point contour
                EXPECT_EQ(contour.front(), contour.back()) << c;
                for (auto const & [x, y] : contour) {
                    EXPECT_TRUE(x >= box.xMin * scale - slack && x <= box.xMax * scale + slack) << c << " x " << x;
                    EXPECT_TRUE(y >= box.yMin * scale - slack && y <= box.yMax * scale + slack) << c << " y " << y;
                    EXPECT_TRUE(y <= ascent + slack && y >= descent - slack) << c;
                }
            }
            text += static_cast<char>(c);
            total += outline.advance;
        }
        EXPECT_NEAR(total, font.GetOutlineWidth(96, 96, cow_String(text.c_str())), total * 1e-5f);
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
    for (unsigned limit : {0u, 1u, 5u, static_cast<unsigned>(full.contours[0].size()) + 2, static_cast<unsigned>(points)}) {
        std::vector<float> buffer(2 * limit + 8, -7.0f);
        unsigned sizes[4] = {99, 99, 99, 99};
        unsigned count = 99;
        EXPECT_EQ(full.advance, font.GetOutline(96, 96, 'B', 3, limit, count, sizes, buffer.data()));
        unsigned written = 0;
        for (unsigned i = 0; i < count; ++i)
            written += sizes[i];
        EXPECT_EQ(std::min<std::size_t>(limit, points), written);
        EXPECT_EQ(99u, sizes[3]);
        for (std::size_t i = 2 * limit; i < buffer.size(); ++i)
            EXPECT_EQ(-7.0f, buffer[i]);
    }
    unsigned sizes[2] = {99, 99};
    unsigned count = 99;
    EXPECT_EQ(full.advance, font.GetOutline(96, 96, 'B', 2, 1000, count, sizes, nullptr));
    EXPECT_EQ(0u, count);
    EXPECT_EQ(99u, sizes[0]);
}

TEST(FSTextFontOutlines, CurveWalkAndFlatness)
{
    TempDir dir;
    std::string const made = dir.Write("curves.ttf", TrueTypeFont(TestGlyphs(), testCodes));
    fsp_FSTextFont font;
    ASSERT_TRUE(font.LoadFont(made.c_str()));
    ASSERT_TRUE(font.CacheSize(12, 96, 96, false, true));
    float const dpi = 2000;
    // Four off-curve points: the walk starts midway between the first two.
    Polyline const circle = OutlineOf(font, dpi, 'B');
    double const s = circle.advance / 1000.0;
    ASSERT_EQ(1u, circle.contours.size());
    auto const & ring = circle.contours[0];
    EXPECT_NEAR(700 * s, ring.front().first, 1e-3);
    EXPECT_NEAR(700 * s, ring.front().second, 1e-3);
    EXPECT_EQ(ring.front(), ring.back());
    auto const quad = [s](double p0x, double p0y, double cx, double cy, double p1x, double p1y) {
        return [=](double t) {
            double const u = 1 - t;
            return std::pair{s * (u * u * p0x + 2 * u * t * cx + t * t * p1x), s * (u * u * p0y + 2 * u * t * cy + t * t * p1y)};
        };
    };
    EXPECT_LE(Deviation(ring, quad(700, 700, 900, 500, 700, 300)), 0.25 + 1e-3);
    EXPECT_LE(Deviation(ring, quad(300, 300, 100, 500, 300, 700)), 0.25 + 1e-3);
    EXPECT_GT(ring.size(), 20u);
    // Off, then on: the walk starts at the second point.
    Polyline const arch = OutlineOf(font, dpi, 'C');
    ASSERT_EQ(1u, arch.contours.size());
    EXPECT_NEAR(400 * s, arch.contours[0].front().first, 1e-3);
    EXPECT_NEAR(700 * s, arch.contours[0].front().second, 1e-3);
    EXPECT_LE(Deviation(arch.contours[0], quad(100, 100, 100, 700, 400, 700)), 0.25 + 1e-3);
    EXPECT_EQ(0.0f, OutlineOf(font, dpi, 'D').advance);
    unsigned count = 9;
    EXPECT_GT(font.GetOutline(dpi, dpi, ' ', 0, 0, count, nullptr, nullptr), 0.0f);
    EXPECT_EQ(0u, count);

    std::string const dome = dir.Write("dome.pfa", Type1Font({{".notdef", Box(0, 0, 0, 0, 500)}, {"A", Dome()}}, {}));
    fsp_FSTextFont one;
    ASSERT_TRUE(one.LoadFont(dome.c_str()));
    ASSERT_TRUE(one.CacheSize(12, 96, 96, false, true));
    Polyline const d = OutlineOf(one, dpi, 'A');
    double const t1 = d.advance / 800.0;
    ASSERT_EQ(1u, d.contours.size());
    EXPECT_EQ(d.contours[0].front(), d.contours[0].back());
    EXPECT_LE(Deviation(d.contours[0],
                        [t1](double t) {
                            double const u = 1 - t;
                            return std::pair{t1 * (100 * u * u * u + 3 * u * u * t * 100 + 3 * u * t * t * 700 + 700 * t * t * t),
                                             t1 * (100 * u * u * u + 3 * u * u * t * 700 + 3 * u * t * t * 700 + 100 * t * t * t)};
                        }),
              0.25 + 1e-3);
    EXPECT_GT(d.contours[0].size(), 20u);
}

TEST(FSTextFontFill, TrianglesCoverTheOutline)
{
    TempDir dir;
    for (std::string const & path : {dejaVu + "DejaVuSans.ttf", dir.Type1("NimbusSans-Regular"),
                                     dir.Write("made.ttf", TrueTypeFont(TestGlyphs(), testCodes))}) {
        fsp_FSTextFont font;
        ASSERT_TRUE(font.LoadFont(path.c_str()));
        ASSERT_TRUE(font.CacheSize(12, 96, 96, false, true));
        for (int c = 33; c < 127; ++c) {
            Polyline const outline = OutlineOf(font, 96, static_cast<unsigned char>(c));
            if (outline.contours.empty())
                continue;
            unsigned count = 0;
            float * triangles = nullptr;
            EXPECT_EQ(outline.advance, font.GetFill(96, 96, static_cast<unsigned char>(c), count, &triangles));
            ASSERT_GT(count, 0u) << path << " " << c;
            EXPECT_NEAR(Area(outline), TriangleArea(count, triangles), Area(outline) * 1e-4) << path << " " << c;
        }
    }
    fsp_FSTextFont font;
    ASSERT_TRUE(font.LoadFont(dir.Write("square.ttf", TrueTypeFont(TestGlyphs(), testCodes)).c_str()));
    ASSERT_TRUE(font.CacheSize(12, 96, 96, false, true));
    unsigned count = 9;
    float * triangles = nullptr;
    EXPECT_GT(font.GetFill(96, 96, ' ', count, &triangles), 0.0f);
    EXPECT_EQ(0u, count);
    EXPECT_EQ(nullptr, triangles);
    EXPECT_EQ(0.0f, font.GetFill(96, 96, 'Z', count, &triangles));
}

TEST(FSTextFontFill, CachedAndScratchFills)
{
    fsp_FSTextFont font;
    ASSERT_TRUE(font.LoadFont((dejaVu + "DejaVuSans.ttf").c_str()));
    ASSERT_TRUE(font.CacheSize(12, 96, 96, false, true));
    auto fill = [&](float dpi, unsigned char c) {
        unsigned count = 0;
        float * triangles = nullptr;
        font.GetFill(dpi, dpi, c, count, &triangles);
        return std::pair{triangles, count};
    };
    // 96 dpi x 0.1388889 = 13.3: kept with the glyph.
    auto const a = fill(96, 'a');
    std::vector<float> const aCopy(a.first, a.first + 6 * a.second);
    auto const b = fill(96, 'b');
    EXPECT_EQ(a, fill(96, 'a'));
    EXPECT_NE(a.first, b.first);
    EXPECT_EQ(aCopy, std::vector<float>(a.first, a.first + 6 * a.second));
    // 300 dpi = 41.7: each fill lands in the one scratch buffer.
    auto const a300 = fill(300, 'a');
    double const area300 = TriangleArea(a300.second, a300.first);
    auto const b300 = fill(300, 'b');
    EXPECT_EQ(a300.first, b300.first);
    EXPECT_NE(area300, TriangleArea(b300.second, b300.first));
    auto const again = fill(300, 'a');
    EXPECT_NEAR(area300, TriangleArea(again.second, again.first), area300 * 1e-6);
    // Another small resolution is not served the triangles kept for 96 dpi.
    auto const a72 = fill(72, 'a');
    EXPECT_NE(a.first, a72.first);
    double const outline72 = Area(OutlineOf(font, 72, 'a'));
    EXPECT_NEAR(outline72, TriangleArea(a72.second, a72.first), outline72 * 1e-4);
    EXPECT_GT(std::fabs(outline72 - TriangleArea(a.second, a.first)), outline72 * 0.1);
    EXPECT_EQ(aCopy, std::vector<float>(a.first, a.first + 6 * a.second));
}

}  // namespace
