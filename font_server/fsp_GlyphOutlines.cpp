#include "fsp_GlyphOutlines.h"

#include <ft2build.h>
#include <freetype/freetype.h>
#include <freetype/ftoutln.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

using namespace fsp_glyphs;

namespace {

constexpr unsigned char kFirstTallLatin1Code = 185;  // accented capitals from here on

// Receives polylines: caller arrays that are never written past their limits.
class BoundedSink {
public:
    BoundedSink(unsigned maxContours, unsigned maxPoints, unsigned * sizes, float * points)
        : maxContours(maxContours), maxPoints(maxPoints), sizes(sizes), points(points)
    {
    }
    bool BeginContour()
    {
        if (contours == maxContours)
            return false;
        sizes[contours++] = 0;
        return true;
    }
    bool Point(Vec p)
    {
        if (count == maxPoints)
            return false;
        points[2 * count] = p.x;
        points[2 * count + 1] = p.y;
        ++count;
        ++sizes[contours - 1];
        return true;
    }
    unsigned contours = 0;

private:
    unsigned maxContours;
    unsigned maxPoints;
    unsigned count = 0;
    unsigned * sizes;
    float * points;
};

void CopyOutline(FT_Outline const & source, float scale, std::vector<Vec> & points, std::vector<unsigned char> & kinds,
                 std::vector<unsigned> & contourEnds)
{
    points.resize(static_cast<std::size_t>(source.n_points));
    kinds.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i] = {static_cast<float>(source.points[i].x) * scale, static_cast<float>(source.points[i].y) * scale};
        char const tag = FT_CURVE_TAG(source.tags[i]);
        kinds[i] = tag == FT_CURVE_TAG_ON ? onCurve : tag == FT_CURVE_TAG_CUBIC ? cubicControl : conicControl;
    }
    contourEnds.assign(source.contours, source.contours + std::max<short>(source.n_contours, 0));
}

}  // namespace

bool fsp_FSTextFont::LoadOutlines()
{
    if (outlinesLoaded)
        return true;
    if (!face)
        return false;
    FT_Face const f = face.get();
    try {
        std::vector<GlyphOutline> records;
        records.reserve(lastCode + 1);
        std::vector<int> index(lastCode + 1, -1);
        float top = 0.0f, bottom = 0.0f;
        if (type1) {
            long const reference26 = std::lround(kReferenceSize * 64.0f);
            if (!RequestPixels(reference26, reference26))
                return false;
            for (unsigned c = 0; c <= lastCode; ++c) {
                if (glyphOf[c] == 0 || FT_Load_Glyph(f, glyphOf[c], FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
                    f->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
                    continue;
                GlyphOutline record;
                CopyOutline(f->glyph->outline, 1.0f / 64.0f, record.points, record.kinds, record.contourEnds);
                record.advanceX = static_cast<float>(f->glyph->advance.x) / 64.0f;
                // Tall accented capitals would widen the extents of Latin-1 text too much.
                if (!builtInEncoding || c < kFirstTallLatin1Code) {
                    for (Vec const & p : record.points) {
                        top = std::max(top, p.y);
                        bottom = std::min(bottom, p.y);
                    }
                }
                index[c] = static_cast<int>(records.size());
                records.push_back(std::move(record));
            }
        } else {
            if (f->units_per_EM == 0)
                return false;
            // Unscaled outlines, brought to 26.6 reference units (4000 to the em).
            long const scale = static_cast<long>(kReferenceSize * 64.0 * 1.25 / f->units_per_EM);
            FT_Fixed const factor = static_cast<FT_Fixed>(std::lround(scale * 0.8888889 * 65536.0));
            FT_Matrix const matrix{factor, 0, 0, factor};
            int missing = -1;
            bool missingTried = false;
            for (unsigned c = 0; c <= lastCode; ++c) {
                bool const isMissing = glyphOf[c] == 0;
                if (isMissing && missingTried) {
                    index[c] = missing;
                    continue;
                }
                missingTried = missingTried || isMissing;
                if (FT_Load_Glyph(f, glyphOf[c], FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0 ||
                    f->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
                    continue;
                FT_Outline & outline = f->glyph->outline;
                FT_Outline_Transform(&outline, &matrix);
                FT_Vector advance = f->glyph->advance;
                FT_Vector_Transform(&advance, &matrix);
                GlyphOutline record;
                CopyOutline(outline, 1.0f / 64.0f, record.points, record.kinds, record.contourEnds);
                record.advanceX = static_cast<float>(advance.x) / 64.0f;
                if (outline.n_points > 0) {
                    FT_BBox box;
                    FT_Outline_Get_CBox(&outline, &box);
                    top = std::max(top, static_cast<float>((box.yMax + 63) & -64) / 64.0f);
                    bottom = std::min(bottom, static_cast<float>(box.yMin & -64) / 64.0f);
                }
                index[c] = static_cast<int>(records.size());
                if (isMissing)
                    missing = index[c];
                records.push_back(std::move(record));
            }
        }
        outlines = std::move(records);
        outlineOf = std::move(index);
        ascent = top;
        descent = bottom;
        outlinesLoaded = true;
        return true;
    } catch (std::bad_alloc const &) {
        return false;
    }
}

int fsp_FSTextFont::OutlineIndex(unsigned char c) const
{
    return outlinesLoaded && c <= lastCode ? outlineOf[c] : -1;
}

float fsp_FSTextFont::GetOutlineWidth(float xDpi, float /*yDpi*/, cow_String const & text) const
{
    float const sx = xDpi * kUnitScale / kReferenceSize;
    float width = 0.0f;
    for (int i = 0; i < text.Length() && text[i] != '\0'; ++i) {
        int const record = OutlineIndex(static_cast<unsigned char>(text[i]));
        if (record >= 0)
            width += outlines[static_cast<std::size_t>(record)].advanceX * sx;
    }
    return width;
}

bool fsp_FSTextFont::GetOutlineHeight(float /*xDpi*/, float yDpi, cow_String const & /*text*/, float & ascentOut,
                                      float & descentOut)
{
    ascentOut = descentOut = 0.0f;
    if (!face || !LoadOutlines())
        return false;
    float const sy = yDpi * kUnitScale / kReferenceSize;
    ascentOut = ascent * sy;
    descentOut = descent * sy;
    return true;
}

float fsp_FSTextFont::GetOutline(float xDpi, float yDpi, unsigned char c, unsigned maxContours, unsigned maxPoints,
                                 unsigned & contourCount, unsigned * contourSizes, float * points) const
{
    contourCount = 0;
    int const record = OutlineIndex(c);
    if (record < 0)
        return 0.0f;
    GlyphOutline const & glyph = outlines[static_cast<std::size_t>(record)];
    float const sx = xDpi * kUnitScale / kReferenceSize, sy = yDpi * kUnitScale / kReferenceSize;
    float const advance = glyph.advanceX * sx;
    if (glyph.contourEnds.size() > maxContours)
        return advance;
    BoundedSink sink(maxContours, maxPoints, contourSizes, points);
    WalkOutline(glyph, sx, sy, sink);
    contourCount = sink.contours;
    return advance;
}
