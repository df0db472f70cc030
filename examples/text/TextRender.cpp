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

int RunTextCommand(std::vector<std::string> const & arguments, std::ostream & out, std::ostream & err)
{
    TextLine line;
    TextStyle style;
    std::string png = "out/text.png";
    std::string svg = "out/glyphs.svg";
    std::string text;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string const & a = arguments[i];
        bool const hasValue = i + 1 < arguments.size();
        try {
            if (a == "--font" && hasValue)
                line.font = arguments[++i];
            else if (a == "--size" && hasValue)
                line.points = std::stof(arguments[++i]);
            else if (a == "--dpi" && hasValue)
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
    if (!(style.dpi > 0 && style.dpi <= 2400) || line.points < 0 || line.points > 1000) {
        err << "text: --dpi must be in (0, 2400] and --size in [0, 1000]\n";
        return 2;
    }
    line.text = text.empty() ? "The quick brown fox jumps over the lazy dog" : text;
    std::string error;
    if (!WriteTextPng({line}, style, png, error) || !WriteGlyphSvg({line}, style, svg, error)) {
        err << "text: " << error << "\n";
        return 1;
    }
    out << "wrote " << png << " and " << svg << "\n";
    return 0;
}
