// One font file from the bytes (TrueType, TrueType collection, Type 1 in
// clear text or binary), used as the font server uses it: information, the
// glyph bitmaps of a size, text extents, outlines and fills. The first bytes
// choose the file kind, the size, the resolution and the characters asked for.
#include <cstdint>
#include <string>
#include <vector>

#include "fsp_FSTextFont.h"
#include "fuzz_Check.h"

namespace {

constexpr std::size_t kHeader = 8;  // kind and flags, size, resolution, five codes

void CheckBitmap(g3d_Bitmap const & bitmap)
{
    FUZZ_CHECK(bitmap.Width() >= 0 && bitmap.Height() >= 0);
    if (!bitmap.HasPixels())
        return;
    FUZZ_CHECK(bitmap.Width() % 8 == 0 && bitmap.Height() > 0);
    FUZZ_CHECK(bitmap.Pixels().size() == static_cast<std::size_t>(bitmap.BytesPerRow()) * bitmap.Height());
    FUZZ_CHECK(bitmap.Width() <= 2 * static_cast<int>(fsp_FSTextFont::maxEmPixels));
}

// The polylines of `c` into buffers of exactly the limits given, so that any
// write past them is caught.
void CheckOutline(fsp_FSTextFont & font, float dpi, unsigned char c, unsigned maxContours, unsigned maxPoints)
{
    std::vector<unsigned> sizes(maxContours);
    std::vector<float> points(2 * maxPoints);
    unsigned contours = 99;
    font.GetOutline(dpi, dpi, c, maxContours, maxPoints, contours, sizes.data(), points.data());
    FUZZ_CHECK(contours <= maxContours);
    unsigned long written = 0;
    for (unsigned i = 0; i < contours; ++i)
        written += sizes[i];
    FUZZ_CHECK(written <= maxPoints);
}

void CheckFill(fsp_FSTextFont & font, float dpi, unsigned char c)
{
    unsigned count = 0;
    float * triangles = nullptr;
    font.GetFill(dpi, dpi, c, count, &triangles);
    FUZZ_CHECK((count == 0) == (triangles == nullptr));
    double sum = 0;
    for (unsigned i = 0; i < 6 * count; ++i)
        sum += triangles[i];  // each float is readable
    static_cast<void>(sum);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    if (size < kHeader)
        return 0;
    static char const * const extensions[] = {".ttf", ".ttc", ".pfa", ".pfb"};
    static float const resolutions[] = {72.0f, 96.0f, 100.0f, 144.0f, 150.0f, 300.0f};
    std::string const path = fuzz_Folder() + "/font" + extensions[data[0] & 3];
    bool const noBitmaps = data[0] & 4;
    float const points = 1.0f + static_cast<float>(data[1] % 48);
    float const dpi = resolutions[data[2] % 6];
    unsigned char const codes[] = {data[3], data[4], data[5], data[6], data[7]};
    fuzz_WriteFile(path, reinterpret_cast<char const *>(data + kHeader), size - kHeader);

    fsp_FSTextFont font;
    cow_String name;
    bool bold = false, italic = false, proportional = false;
    font.GetFontInfo(path.c_str(), name, bold, italic, proportional);
    font.IsProportional(path.c_str());
    if (!font.LoadFont(path.c_str()))
        return 0;
    FUZZ_CHECK(font.CheckFont(path.c_str()));

    std::string text;
    for (int c = 1; c < 256; ++c)
        text += static_cast<char>(c);
    float const uncachedWidth = font.GetWidth(points, dpi, dpi, cow_String(text));
    float const uncachedHeight = font.GetHeight(points, dpi, dpi, cow_String(text));
    if (font.CacheSize(points, dpi, dpi, noBitmaps, false)) {
        // A text measures the same from the cache as from the glyph loads.
        FUZZ_CHECK(font.GetWidth(points, dpi, dpi, cow_String(text)) == uncachedWidth);
        FUZZ_CHECK(font.GetHeight(points, dpi, dpi, cow_String(text)) == uncachedHeight);
        for (unsigned char c : codes)
            CheckBitmap(font.GetGlyph(points, dpi, dpi, c));
        font.StripCache(points, dpi, dpi);
        for (unsigned char c : codes)
            CheckBitmap(font.GetGlyph(points, dpi, dpi, c));
        FUZZ_CHECK(font.ReleaseSize(points, dpi, dpi) == 0);
    }
    CheckBitmap(font.GetGlyph(points * 1.5f, dpi, dpi, codes[0]));

    if (!font.CacheSize(points, dpi, dpi, false, true))
        return 0;
    float ascent = 0, descent = 0;
    FUZZ_CHECK(font.GetOutlineHeight(dpi, dpi, cow_String(text), ascent, descent));
    FUZZ_CHECK(descent <= 0.0f && ascent >= 0.0f);
    font.GetOutlineWidth(dpi, dpi, cow_String(text));
    for (unsigned char c : codes) {
        CheckOutline(font, dpi, c, 1 + c % 16, 8 + 16u * (c % 64));
        CheckOutline(font, dpi, c, 256, 16384);
        CheckFill(font, dpi, c);        // kept with the glyph
        CheckFill(font, 4 * dpi, c);    // the scratch buffer
        CheckFill(font, dpi, c);        // the kept triangles again
    }
    return 0;
}
