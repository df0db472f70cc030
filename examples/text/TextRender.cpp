#include "TextRender.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>

#include "fsp_FSTextFont.h"
#include "fsp_FontServer.h"
#include "fsp_Module.h"

namespace {

fsp_FontServer & Server()
{
    return omi_Singleton<fsp_FontServer>::Instance();
}

// Keeps the font server module running while text is rendered.
class FontServerSession {
public:
    FontServerSession()
    {
        fsp_initialize(modules);
        Server().Init(nullptr);
    }
    ~FontServerSession() { fsp_finalize(modules); }
    FontServerSession(FontServerSession const &) = delete;
    FontServerSession & operator=(FontServerSession const &) = delete;

private:
    int modules = 0;
};

unsigned Load(TextLine const & line, TextStyle const & style, std::string & error)
{
    float const perMM = style.dpi / 25.4f;
    std::string const name = FontRequest(line.font, line.points);
    // Outlines too: the SVG needs them, and the bitmaps render on demand.
    unsigned const handle = Server().LoadFont(cow_String(name.c_str()), perMM, perMM, false, false, true);
    if (handle == fsp_FontServer::noFont)
        error = "no font could be loaded for \"" + name + "\"";
    return handle;
}

struct Gray {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // 255 paper, 0 ink, top row first

    void Ink(int x, int y)
    {
        if (x >= 0 && x < width && y >= 0 && y < height)
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = 0;
    }
};

struct LineBox {
    unsigned handle;
    float width = 0;
    int above = 0;  // rows of ink above the baseline
    int below = 0;  // rows below it
};

LineBox Measure(unsigned handle, std::string const & text)
{
    LineBox box{handle};
    for (unsigned char c : text) {
        g3d_Bitmap const & glyph = Server().GetBitmap(handle, c);
        box.width += glyph.xAdvance;
        box.above = std::max(box.above, glyph.Height() - static_cast<int>(glyph.yOffset));
        box.below = std::max(box.below, static_cast<int>(glyph.yOffset));
    }
    return box;
}

void Draw(Gray & image, LineBox const & box, std::string const & text, float penX, int baseline)
{
    for (unsigned char c : text) {
        g3d_Bitmap const & glyph = Server().GetBitmap(box.handle, c);
        if (glyph.HasPixels()) {
            int const left = static_cast<int>(std::lround(penX + glyph.xOffset));
            // Row 0 is the bottom row, yOffset rows below the baseline.
            int const bottom = baseline - 1 + static_cast<int>(glyph.yOffset);
            for (int row = 0; row < glyph.Height(); ++row)
                for (int x = 0; x < glyph.Width(); ++x)
                    if (glyph.Pixel(x, row))
                        image.Ink(left + x, bottom - row);
        }
        penX += glyph.xAdvance;
    }
}

bool WritePng(Gray const & image, std::string const & path, std::string & error)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        error = "cannot encode " + path;
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Outlines come in pixels of a 10-point font at the slot's resolution.
float OutlineScale(unsigned handle)
{
    cow_String file;
    float size = 10.0f;
    Server().GetFontInfo(handle, file, size);
    return size / 10.0f;
}

std::string Number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    return text;
}

// One glyph's outline as a path and its fill as triangles, the pen at (penX,
// baseline), y growing downwards.
void DrawGlyph(std::ostream & svg, unsigned handle, unsigned char c, float scale, float penX, float baseline,
               float & advance)
{
    constexpr unsigned maxContours = 256;
    constexpr unsigned maxPoints = 16384;
    std::vector<unsigned> sizes(maxContours);
    std::vector<float> points(2 * maxPoints);
    unsigned contours = 0;
    advance = Server().GetOutline(handle, c, maxContours, maxPoints, contours, sizes.data(), points.data()) * scale;
    auto at = [&](float x, float y) { return Number(penX + x * scale) + "," + Number(baseline - y * scale); };

    unsigned count = 0;
    float * triangles = nullptr;
    Server().GetFill(handle, c, count, &triangles);
    for (unsigned t = 0; t < count; ++t) {
        float const * v = triangles + 6 * t;
        svg << "  <polygon class=\"fill\" points=\"" << at(v[0], v[1]) << ' ' << at(v[2], v[3]) << ' '
            << at(v[4], v[5]) << "\"/>\n";
    }
    if (contours == 0)
        return;
    svg << "  <path class=\"outline\" d=\"";
    std::size_t point = 0;
    for (unsigned k = 0; k < contours; ++k) {
        for (unsigned i = 0; i < sizes[k]; ++i, ++point)
            svg << (i ? " L" : "M") << at(points[2 * point], points[2 * point + 1]);
        svg << " Z ";
    }
    svg << "\"/>\n";
}

}  // namespace

std::string FontRequest(std::string const & font, float points)
{
    if (points <= 0)
        return font;
    std::string name = font == "Default" ? "-*-courier-bold-o-*-*-*-120-*-*-*-*-*-*" : font;
    // Field 8 of an X logical font description is the point size in tenths.
    std::vector<std::string> fields;
    std::stringstream split(name);
    for (std::string field; std::getline(split, field, '-');)
        fields.push_back(field);
    if (name.empty() || name[0] != '-' || fields.size() < 9)
        return font;
    fields[8] = std::to_string(static_cast<int>(std::lround(points * 10.0f)));
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i)
        joined += (i ? "-" : "") + fields[i];
    if (name.back() == '-')
        joined += '-';
    return joined;
}

bool WriteTextPng(std::vector<TextLine> const & lines, TextStyle const & style, std::string const & path,
                  std::string & error)
{
    FontServerSession session;
    std::vector<LineBox> boxes;
    for (TextLine const & line : lines) {
        unsigned const handle = Load(line, style, error);
        if (handle == fsp_FontServer::noFont)
            return false;
        boxes.push_back(Measure(handle, line.text));
    }
    Gray image;
    float widest = 0;
    int height = style.margin;
    for (LineBox const & box : boxes) {
        widest = std::max(widest, box.width);
        height += box.above + box.below + style.margin;
    }
    image.width = static_cast<int>(std::ceil(widest)) + 2 * style.margin;
    image.height = std::max(height, 2 * style.margin);
    image.pixels.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 255);
    int top = style.margin;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Draw(image, boxes[i], lines[i].text, static_cast<float>(style.margin), top + boxes[i].above);
        top += boxes[i].above + boxes[i].below + style.margin;
    }
    return WritePng(image, path, error);
}

bool WriteGlyphSvg(std::vector<TextLine> const & lines, TextStyle const & style, std::string const & path,
                   std::string & error)
{
    FontServerSession session;
    std::ostringstream body;
    float top = static_cast<float>(style.margin);
    float widest = 0;
    for (TextLine const & line : lines) {
        unsigned const handle = Load(line, style, error);
        if (handle == fsp_FontServer::noFont)
            return false;
        float const scale = OutlineScale(handle);
        float ascent = 0, descent = 0;
        Server().GetOutlineHeight(handle, cow_String(line.text.c_str()), ascent, descent);
        float const baseline = top + ascent * scale;
        float pen = static_cast<float>(style.margin);
        for (unsigned char c : line.text) {
            float advance = 0;
            DrawGlyph(body, handle, c, scale, pen, baseline, advance);
            pen += advance;
        }
        widest = std::max(widest, pen);
        top = baseline - descent * scale + static_cast<float>(style.margin);
    }
    std::ofstream svg(path);
    if (!svg) {
        error = "cannot write " + path;
        return false;
    }
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Number(widest + style.margin) << "\" height=\""
        << Number(top) << "\">\n"
        << "  <style>.fill { fill: #9ecae1; stroke: #6baed6; stroke-width: 0.2 } "
           ".outline { fill: none; stroke: #08306b; stroke-width: 0.6 }</style>\n"
        << "  <rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << body.str() << "</svg>\n";
    if (!svg) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool WriteSampleText(std::string const & directory, std::string & error)
{
    std::error_code failed;
    std::filesystem::create_directories(directory, failed);
    if (failed) {
        error = "cannot create " + directory + ": " + failed.message();
        return false;
    }
    std::vector<TextLine> const lines = {
        {"Default: the quick brown fox jumps over the lazy dog 0123456789", "Default", 0.0f},
        {"Bold serif: Sphinx of black quartz, judge my vow!", "-*-times-bold-r-*-*-*-240-*-*-*-*-*-*", 0.0f},
    };
    TextStyle const style;
    return WriteTextPng(lines, style, directory + "/text.png", error) &&
           WriteGlyphSvg(lines, style, directory + "/glyphs.svg", error);
}

namespace {

// The code point of the UTF-8 sequence at `at`, moving `at` past it; -1 for
// bytes that are no UTF-8 (the byte is skipped).
long NextCodePoint(std::string const & text, std::size_t & at)
{
    unsigned char const lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    int const more = lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2 : lead >= 0xF0 && lead <= 0xF4 ? 3 : -1;
    if (more < 0)
        return -1;
    long code = lead & (0x3F >> more);
    for (int i = 0; i < more; ++i, ++at) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
            return -1;
        code = code << 6 | (static_cast<unsigned char>(text[at]) & 0x3F);
    }
    long const least[] = {0, 0x80, 0x800, 0x10000};
    if (code < least[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return -1;
    return code;
}

std::string Formatted(char const * format, unsigned long value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

bool ToFontServerText(std::string const & utf8, std::string & latin1, std::string & error)
{
    latin1.clear();
    std::vector<std::string> unshown;
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t const start = at;
        long const code = NextCodePoint(utf8, at);
        if (code > 0 && code <= 0xFF) {
            latin1 += static_cast<char>(static_cast<unsigned char>(code));
            continue;
        }
        std::string const shown =
            code < 0 ? Formatted("the byte 0x%02lX", static_cast<unsigned char>(utf8[start]))
                     : "\"" + utf8.substr(start, at - start) + "\" (" + Formatted("U+%04lX", static_cast<unsigned long>(code)) + ")";
        if (std::find(unshown.begin(), unshown.end(), shown) == unshown.end())
            unshown.push_back(shown);
    }
    if (unshown.empty())
        return true;
    error = "cannot show ";
    for (std::size_t i = 0; i < unshown.size(); ++i)
        error += (i ? ", " : "") + unshown[i];
    error += ": the font server draws the characters of ISO 8859-1 (Latin-1), and the text must be UTF-8";
    return false;
}

int RunTextCommand(std::vector<std::string> const & arguments, std::ostream & out, std::ostream & err)
{
    TextLine line;
    TextStyle style;
    std::string png;
    std::string svg;
    std::string text;
    bool sized = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string const & a = arguments[i];
        bool const hasValue = i + 1 < arguments.size();
        try {
            if (a == "--font" && hasValue)
                line.font = arguments[++i];
            else if (a == "--size" && hasValue) {
                line.points = std::stof(arguments[++i]);
                sized = true;
            } else if (a == "--dpi" && hasValue)
                style.dpi = std::stof(arguments[++i]);
            else if (a == "--png" && hasValue)
                png = arguments[++i];
            else if (a == "--svg" && hasValue)
                svg = arguments[++i];
            else if (a.rfind("--", 0) == 0) {
                err << "text: unknown option or missing value: " << a << "\n";
                return 2;
            } else
                text += (text.empty() ? "" : " ") + a;
        } catch (std::exception const &) {
            err << "text: " << a << " needs a number, not \"" << arguments[i] << "\"\n";
            return 2;
        }
    }
    if (!(style.dpi > 0 && style.dpi <= 2400)) {
        err << "text: --dpi must be a number above 0 and at most 2400\n";
        return 2;
    }
    float const maxPoints = static_cast<float>(fsp_FSTextFont::maxEmPixels) * 72.0f / style.dpi;
    if (sized && !(line.points > 0 && line.points <= maxPoints)) {
        err << "text: --size must be a number of points above 0 and, at " << style.dpi << " dpi, at most "
            << maxPoints << " (the font server draws glyphs of at most " << fsp_FSTextFont::maxEmPixels
            << " pixels to the em)\n";
        return 2;
    }
    if (!ToFontServerText(text.empty() ? "The quick brown fox jumps over the lazy dog" : text, line.text, text)) {
        err << "text: " << text << "\n";
        return 2;
    }
    // Without a file named, both go to out/; naming one writes that one alone.
    if (png.empty() && svg.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories("out", ignored);
        png = "out/text.png";
        svg = "out/glyphs.svg";
    }
    std::string error;
    if ((!png.empty() && !WriteTextPng({line}, style, png, error)) ||
        (!svg.empty() && !WriteGlyphSvg({line}, style, svg, error))) {
        err << "text: " << error << "\n";
        return 1;
    }
    out << "wrote " << (png.empty() ? svg : svg.empty() ? png : png + " and " + svg) << "\n";
    return 0;
}
