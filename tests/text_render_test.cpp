// The demo's text rendering: the PNG is decoded again and its ink compared with
// the font server's own widths; the SVG holds a path and triangles per glyph.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TextRender.h"
#include "fsp_FontServer.h"
#include "fsp_Module.h"

namespace {

// ctest runs each case as its own process, several at once: files of their own.
std::string const png = ::testing::TempDir() + "text_render_test." + std::to_string(getpid()) + ".png";
std::string const svg = ::testing::TempDir() + "text_render_test." + std::to_string(getpid()) + ".svg";

// The image's rows, top first, as gray values; empty when unreadable.
std::vector<std::vector<unsigned char>> ReadPng()
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<unsigned char> gray;
    if (png_image_begin_read_from_file(&image, png.c_str())) {
        image.format = PNG_FORMAT_GRAY;
        gray.resize(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, gray.data(), 0, nullptr))
            gray.clear();
    }
    std::vector<std::vector<unsigned char>> rows;
    for (auto row = gray.begin(); row != gray.end(); row += image.width)
        rows.emplace_back(row, row + image.width);
    return rows;
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

TEST(TextRender, InkSpansTheServersWidthAndWordGapsStayBlank)
{
    for (char const * font : {"Default", "-*-times-bold-r-*-*-*-240-*-*-*-*-*-*"}) {
        SCOPED_TRACE(font);
        TextLine line{"MIMI  WMW", font, 0.0f};
        TextStyle style;
        std::string error;
        ASSERT_TRUE(WriteTextPng({line}, style, png, error)) << error;
        auto const rows = ReadPng();
        ASSERT_FALSE(rows.empty());
        float const width = ServerWidth(line, style);
        ASSERT_GT(width, 20.0f);
        std::vector<bool> ink(rows[0].size(), false);
        for (auto const & row : rows)
            for (std::size_t x = 0; x < row.size(); ++x)
                ink[x] = ink[x] || row[x] < 128;
        long const first = std::find(ink.begin(), ink.end(), true) - ink.begin();
        long const last = ink.rend() - std::find(ink.rbegin(), ink.rend(), true) - 1;
        // The pen starts at the margin and ends `width` further; side bearings
        // keep the ink inside that span by at most a few pixels.
        EXPECT_GE(first, style.margin - 2);
        EXPECT_LE(first, style.margin + 4);
        EXPECT_LE(last, style.margin + static_cast<long>(width) + 2);
        EXPECT_GE(last, style.margin + static_cast<long>(width * 0.9f));
        // The two blanks leave a run of empty columns between the words.
        int longestGap = 0;
        for (long x = first, gap = 0; x <= last; ++x)
            longestGap = std::max(longestGap, static_cast<int>(gap = ink[static_cast<std::size_t>(x)] ? 0 : gap + 1));
        EXPECT_GE(longestGap, static_cast<int>(ServerWidth({"  ", font, 0.0f}, style)) - 1);
    }
    std::remove(png.c_str());
}

TEST(TextRender, TwoLinesStackWithTheirOwnHeights)
{
    std::string error;
    ASSERT_TRUE(WriteTextPng({{"small", "Default", 8.0f}}, TextStyle(), png, error)) << error;
    std::size_t const small = ReadPng().size();
    ASSERT_TRUE(WriteTextPng({{"small", "Default", 8.0f}, {"Large", "Default", 30.0f}}, TextStyle(), png, error));
    EXPECT_GT(ReadPng().size(), small + 25);
    std::remove(png.c_str());
}

TEST(TextRender, SvgHasAnOutlineAndFillPerGlyph)
{
    std::string error;
    ASSERT_TRUE(WriteGlyphSvg({{"O-o", "Default", 20.0f}}, TextStyle(), svg, error)) << error;
    std::stringstream text;
    text << std::ifstream(svg).rdbuf();
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
    std::remove(svg.c_str());
}

TEST(TextCommand, ChecksItsArgumentsAndWritesOnlyTheNamedFiles)
{
    struct {
        std::vector<std::string> arguments;
        int status;
        char const * says;
        bool pngWritten = false, svgWritten = false;
    } const cases[] = {
        {{"--size", "big"}, 2, "needs a number"},
        {{"--size", "nan"}, 2, "--size must be"},
        {{"--size", "-3"}, 2, "--size must be"},
        {{"--size", "0"}, 2, "--size must be"},
        {{"--size", "3000", "--dpi", "100"}, 2, "at most 4096 pixels to the em"},
        {{"--dpi", "-3"}, 2, "--dpi must be"},
        {{"--dpi", "nan"}, 2, "--dpi must be"},
        {{"--bogus"}, 2, "unknown option"},
        {{"--font"}, 2, "missing value"},
        {{"W\xc3\xb6rld \xe2\x82\xac \xe6\x97\xa5 \xe2\x82\xac"}, 2,
         "cannot show \"\xe2\x82\xac\" (U+20AC), \"\xe6\x97\xa5\" (U+65E5):"},
        {{"caf\xe9"}, 2, "cannot show the byte 0xE9:"},
        {{"--png", "/nonexistent-dir/x.png", "hi"}, 1, "cannot write"},
        {{"--png", png, "W\xc3\xb6rld"}, 0, "", true, false},
        {{"--svg", svg, "W\xc3\xb6rld"}, 0, "", false, true},
    };
    for (auto const & c : cases) {
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments.back());
        std::remove(png.c_str());
        std::remove(svg.c_str());
        std::ostringstream out, err;
        EXPECT_EQ(c.status, RunTextCommand(c.arguments, out, err));
        EXPECT_NE(std::string::npos, err.str().find(c.says)) << err.str();
        EXPECT_EQ(c.status == 0, err.str().empty()) << err.str();
        EXPECT_TRUE(c.status != 2 || out.str().empty()) << out.str();
        EXPECT_EQ(c.pngWritten, std::ifstream(png).good());
        EXPECT_EQ(c.svgWritten, std::ifstream(svg).good());
    }
    std::string latin1, error;
    EXPECT_TRUE(ToFontServerText("W\xc3\xb6rld \xc3\xbf\xc2\xa0!", latin1, error));
    EXPECT_EQ("W\xf6rld \xff\xa0!", latin1);
}

TEST(TextCommand, FontRequestSetsThePointSizeField)
{
    EXPECT_EQ("Default", FontRequest("Default", 0));
    EXPECT_EQ("-*-courier-bold-o-*-*-*-180-*-*-*-*-*-*", FontRequest("Default", 18));
    EXPECT_EQ("-*-times-bold-r-*-*-*-95-*-*-*-*-*-*", FontRequest("-*-times-bold-r-*-*-*-240-*-*-*-*-*-*", 9.5f));
    EXPECT_EQ("helvetica", FontRequest("helvetica", 12));  // not a description: left alone
}

}  // namespace
