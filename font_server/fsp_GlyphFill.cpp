// The glyph of a character as triangles: its flattened outline cut by the
// tessellator, kept with the glyph when the output is small.
#include "fsp_GlyphOutlines.h"

#include <cstddef>
#include <new>
#include <vector>

#include "cow_1DArrayList.h"
#include "fsp_Polygon.h"
#include "g3d_Point.h"

using namespace fsp_glyphs;

namespace {

constexpr float kFillCacheLimit = 20.0f;  // largest xDpi x kUnitScale whose triangles are kept
constexpr std::size_t kMaxFillPoints = 1u << 20;

// Receives polylines into growing arrays, up to a sanity limit.
class GrowingSink {
public:
    bool BeginContour()
    {
        sizes.push_back(0);
        return true;
    }
    bool Point(Vec p)
    {
        if (points.size() == kMaxFillPoints)
            return false;
        points.push_back(p);
        ++sizes.back();
        return true;
    }
    std::vector<unsigned> sizes;
    std::vector<Vec> points;
};

}  // namespace

float fsp_FSTextFont::GetFill(float xDpi, float yDpi, unsigned char c, unsigned & triangleCount, float ** triangles)
{
    triangleCount = 0;
    if (triangles)
        *triangles = nullptr;
    int const record = OutlineIndex(c);
    if (record < 0)
        return 0.0f;
    GlyphOutline & glyph = outlines[static_cast<std::size_t>(record)];
    float const sx = xDpi * kUnitScale / kReferenceSize, sy = yDpi * kUnitScale / kReferenceSize;
    float const advance = glyph.advanceX * sx;
    // Kept triangles are for one resolution; a font shared by slots at other
    // resolutions gets theirs in the scratch buffer.
    bool const cacheable = xDpi * kUnitScale <= kFillCacheLimit;
    bool const keep = cacheable && !glyph.filled;
    if (cacheable && glyph.filled && glyph.fillXDpi == xDpi && glyph.fillYDpi == yDpi) {
        triangleCount = static_cast<unsigned>(glyph.triangles.size() / 6);
        if (triangles && triangleCount > 0)
            *triangles = glyph.triangles.data();
        return advance;
    }
    if (glyph.points.empty())
        return advance;
    std::vector<float> & target = keep ? glyph.triangles : scratchTriangles;
    try {
        GrowingSink outline;
        if (!WalkOutline(glyph, sx, sy, outline))
            return advance;
        fsp_Polygon polygon;
        cow_1DArrayList<g3d_Point> output;
        if (!polygon.BeginPolygon(&output, nullptr))
            return advance;
        std::size_t first = 0;
        for (unsigned size : outline.sizes) {
            // Each polyline ends with its first point again, which the polygon must not get twice.
            if (size == 0 || polygon.BeginContour(size - 1) != fsp_Polygon::grupSuccess)
                return advance;
            for (std::size_t i = first; i + 1 < first + size; ++i) {
                if (polygon.Vertex(outline.points[i].x, outline.points[i].y) != fsp_Polygon::grupSuccess)
                    return advance;
            }
            if (polygon.EndContour() != fsp_Polygon::grupSuccess)
                return advance;
            first += size;
        }
        if (polygon.EndPolygon() != fsp_Polygon::grupSuccess || output.Size() % 3 != 0)
            return advance;
        target.clear();
        target.reserve(static_cast<std::size_t>(output.Size()) * 2);
        for (int i = 0; i < output.Size(); ++i) {
            target.push_back(output.ConstGet(i).x);
            target.push_back(output.ConstGet(i).y);
        }
    } catch (std::bad_alloc const &) {
        target.clear();
        return advance;
    }
    if (keep) {
        glyph.filled = true;
        glyph.fillXDpi = xDpi;
        glyph.fillYDpi = yDpi;
    }
    triangleCount = static_cast<unsigned>(target.size() / 6);
    if (triangles && triangleCount > 0)
        *triangles = target.data();
    return advance;
}
