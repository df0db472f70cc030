// The demo's text rendering: the PNG is decoded again and its ink compared with
// the font server's own widths; the SVG holds a path and triangles per glyph.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TextRender.h"
#include "fsp_FontServer.h"
#include "fsp_Module.h"

namespace {

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> gray;  // top row first
    bool Ink(int x, int y) const { return gray[static_cast<std::size_t>(y * width + x)] < 128; }
};

Decoded ReadPng(std::string const & path)
{
    Decoded image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return image;
    png.format = PNG_FORMAT_GRAY;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.gray.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.gray.data(), 0, nullptr))
        image = Decoded();
    return image;
}

// Columns that hold ink in any row.
std::vector<bool> InkColumns(Decoded const & image)
{
    std::vector<bool> columns(static_cast<std::size_t>(image.width), false);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.Ink(x, y))
                columns[static_cast<std::size_t>(x)] = true;
    return columns;
}

// The font server's width of `line` at the style's resolution.
float ServerWidth(TextLine const & line, TextStyle const & style)
{
    int modules = 0;
    fsp_initialize(modules);
    fsp_FontServer & server = omi_Singleton<fsp_FontServer>::Instance();
    server.Init(nullptr);
    float const perMM = style.dpi / 25.4f;
    unsigned const handle = server.LoadFont(cow_String(FontRequest(line.font, line.points).c_str()), perMM, perMM,
                                            false, false, true);
    float const width = handle == fsp_FontServer::noFont
                            ? -1.0f
                            : server.GetWidth(handle, cow_String(line.text.c_str()), 0.0f, 0.0f);
    fsp_finalize(modules);
    return width;
}

class TextRender : public ::testing::Test {
protected:
    std::string png = ::testing::TempDir() + "text_render_test.png";
    std::string svg = ::testing::TempDir() + "text_render_test.svg";
    void TearDown() override
    {
        std::remove(png.c_str());
        std::remove(svg.c_str());
    }
};

TEST_F(TextRender, InkSpansTheServersWidthAndWordGapsStayBlank)
{
    for (char const * font : {"Default", "-*-times-bold-r-*-*-*-240-*-*-*-*-*-*"}) {
        TextLine line{"MIMI  WMW", font, 0.0f};
        TextStyle style;
        std::string error;
        ASSERT_TRUE(WriteTextPng({line}, style, png, error)) << error;
        Decoded image = ReadPng(png);
        ASSERT_GT(image.width, 0);
        float const width = ServerWidth(line, style);
        ASSERT_GT(width, 20.0f) << font;

        std::vector<bool> const ink = InkColumns(image);
        auto const first = std::find(ink.begin(), ink.end(), true) - ink.begin();
        auto const last = ink.rend() - std::find(ink.rbegin(), ink.rend(), true) - 1;
        // The pen starts at the margin and ends `width` further; side bearings
        // keep the ink inside that span by at most a few pixels.
        EXPECT_GE(first, style.margin - 2) << font;
        EXPECT_LE(first, style.margin + 4) << font;
        EXPECT_LE(last, style.margin + static_cast<long>(width) + 2) << font;
        EXPECT_GE(last, style.margin + static_cast<long>(width * 0.9f)) << font;
        // The two blanks leave a run of empty columns between the words.
        int longestGap = 0, gap = 0;
        for (long x = first; x <= last; ++x) {
            gap = ink[static_cast<std::size_t>(x)] ? 0 : gap + 1;
            longestGap = std::max(longestGap, gap);
        }
        TextLine blanks = line;
        blanks.text = "  ";
        EXPECT_GE(longestGap, static_cast<int>(ServerWidth(blanks, style)) - 1) << font;
    }
}

TEST_F(TextRender, TwoLinesStackWithTheirOwnHeights)
{
    TextStyle style;
    std::string error;
    ASSERT_TRUE(WriteTextPng({{"small", "Default", 8.0f}}, style, png, error)) << error;
    int const small = ReadPng(png).height;
    ASSERT_TRUE(WriteTextPng({{"small", "Default", 8.0f}, {"Large", "Default", 30.0f}}, style, png, error));
    Decoded both = ReadPng(png);
    EXPECT_GT(both.height, small + 25);
}

TEST_F(TextRender, SvgHasAnOutlineAndFillPerGlyph)
{
    std::string error;
    ASSERT_TRUE(WriteGlyphSvg({{"O-o", "Default", 20.0f}}, TextStyle(), svg, error)) << error;
    std::ifstream in(svg);
    std::stringstream text;
    text << in.rdbuf();
    std::string const content = text.str();
    auto count = [&](std::string const & what) {
        std::size_t n = 0;
        for (std::size_t at = content.find(what); at != std::string::npos; at = content.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(3u, count("class=\"outline\""));
    EXPECT_GT(count("class=\"fill\""), 10u);
    EXPECT_EQ(0u, content.find("<svg "));
    EXPECT_NE(std::string::npos, content.find("</svg>"));
}

TEST(TextCommand, BadArgumentsAreReportedNotRendered)
{
    struct {
        std::vector<std::string> arguments;
        char const * says;
    } const cases[] = {
        {{"--size", "big"}, "needs a number"},
        {{"--size", "nan"}, "--size must be"},
        {{"--size", "-3"}, "--size must be"},
        {{"--size", "0"}, "--size must be"},
        {{"--size", "3000", "--dpi", "100"}, "at most 4096 pixels to the em"},
        {{"--dpi", "-3"}, "--dpi must be"},
        {{"--dpi", "nan"}, "--dpi must be"},
        {{"--bogus"}, "unknown option"},
        {{"--font"}, "missing value"},
        {{"W\xc3\xb6rld \xe2\x82\xac \xe6\x97\xa5 \xe2\x82\xac"}, "cannot show \"\xe2\x82\xac\" (U+20AC), \"\xe6\x97\xa5\" (U+65E5):"},
        {{"caf\xe9"}, "cannot show the byte 0xE9:"},
    };
    for (auto const & c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(2, RunTextCommand(c.arguments, out, err)) << c.arguments[0];
        EXPECT_NE(std::string::npos, err.str().find(c.says)) << err.str();
        EXPECT_EQ("", out.str());
    }
    std::ostringstream out, err;
    EXPECT_EQ(1, RunTextCommand({"--png", "/nonexistent-dir/x.png", "hi"}, out, err));
    EXPECT_NE(std::string::npos, err.str().find("cannot write"));
}

TEST(TextCommand, Utf8BecomesLatin1AndOnlyTheNamedFilesAreWritten)
{
    std::string latin1, error;
    EXPECT_TRUE(ToFontServerText("W\xc3\xb6rld \xc3\xbf\xc2\xa0!", latin1, error));
    EXPECT_EQ("W\xf6rld \xff\xa0!", latin1);
    for (char const * kept : {"png", "svg"}) {
        std::string const png = ::testing::TempDir() + "named.png", svg = ::testing::TempDir() + "named.svg";
        std::remove(png.c_str());
        std::remove(svg.c_str());
        std::string const option = std::string("--") + kept;
        std::ostringstream out, err;
        ASSERT_EQ(0, RunTextCommand({option, kept == std::string("png") ? png : svg, "W\xc3\xb6rld"}, out, err))
            << err.str();
        EXPECT_EQ(kept == std::string("png"), std::ifstream(png).good());
        EXPECT_EQ(kept == std::string("svg"), std::ifstream(svg).good());
        std::remove(png.c_str());
        std::remove(svg.c_str());
    }
}

TEST(TextCommand, FontRequestSetsThePointSizeField)
{
    EXPECT_EQ("Default", FontRequest("Default", 0));
    EXPECT_EQ("-*-courier-bold-o-*-*-*-180-*-*-*-*-*-*", FontRequest("Default", 18));
    EXPECT_EQ("-*-times-bold-r-*-*-*-95-*-*-*-*-*-*", FontRequest("-*-times-bold-r-*-*-*-240-*-*-*-*-*-*", 9.5f));
    EXPECT_EQ("helvetica", FontRequest("helvetica", 12));  // not a description: left alone
}

}  // namespace
