// One scalable font file, TrueType (".ttf", ".ttc") or Type 1 (".pfa", ".pfb"),
// opened through FreeType: its names and style, text extents, glyph bitmaps
// cached per pixel size, and glyph outlines as polylines or filled triangles.
// Characters are single bytes. Every failure, including a damaged font file,
// is reported by the result: false, 0, or an 8 x 1 empty bitmap.
//
// Outline operations answer in output units: the font's em is about 4000
// reference units for TrueType and 3600 for Type 1, and a reference unit is
// dpi x 0.1388889 / 3600 output units, separately in x and y.
#ifndef FSP_FSTEXTFONT_H
#define FSP_FSTEXTFONT_H

#include <memory>
#include <vector>

#include "cow_String.h"
#include "g3d_Bitmap.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

class fsp_FSTextFont {
public:
    fsp_FSTextFont();
    ~fsp_FSTextFont();
    fsp_FSTextFont(fsp_FSTextFont const &) = delete;
    fsp_FSTextFont & operator=(fsp_FSTextFont const &) = delete;

    // Opens and fully loads `file`, dropping whatever was loaded before.
    bool LoadFont(char const * file);
    bool CheckFont(char const * file) const;
    // True when the engines open `file` as a font.
    static bool IsFontFile(char const * file);
    bool GetFontFile(cow_String & file) const;

    // Information about `file`, or about the loaded font when there is one (then
    // `file` is ignored).
    bool IsProportional(char const * file);
    bool GetFontInfo(char const * file, cow_String & name, bool & bold, bool & italic, bool & proportional);

    // With `outlines` only loads the outlines; otherwise caches the glyph
    // bitmaps of the pixel size (images only when `noBitmaps` is false and
    // xDpi < 150, else dimensions and metrics, the images made on demand).
    bool CacheSize(float size, float xDpi, float yDpi, bool noBitmaps, bool outlines);
    // Returns the number of cached sizes left.
    int ReleaseSize(float size, float xDpi, float yDpi);
    // Frees the images of a cached size, keeping dimensions and metrics.
    void StripCache(float size, float xDpi, float yDpi);

    // Valid until the next GetGlyph, CacheSize, ReleaseSize, StripCache or
    // LoadFont on this font; the 8 x 1 empty bitmap for a character without glyph.
    g3d_Bitmap const & GetGlyph(float size, float xDpi, float yDpi, unsigned char c);
    // In pixels; the text ends at its first 0 byte or its first code above the
    // font's last code.
    float GetWidth(float size, float xDpi, float yDpi, cow_String const & text) const;
    float GetHeight(float size, float xDpi, float yDpi, cow_String const & text) const;

    // Need the outlines loaded (CacheSize with `outlines`); in output units.
    float GetOutlineWidth(float xDpi, float yDpi, cow_String const & text) const;
    bool GetOutlineHeight(float xDpi, float yDpi, cow_String const & text, float & ascent, float & descent);
    // Closed polylines, each ending with its first point again; `maxContours`
    // and `maxPoints` (pairs of floats) bound every write. Returns the advance,
    // 0 for a character without outline.
    float GetOutline(float xDpi, float yDpi, unsigned char c, unsigned maxContours, unsigned maxPoints,
                     unsigned & contourCount, unsigned * contourSizes, float * points) const;
    // Triangles as 6 floats each. They live with the glyph when xDpi x 0.1388889
    // is at most 20 (for the resolution of the first such call), else in a
    // buffer that the next uncached fill of this font overwrites.
    float GetFill(float xDpi, float yDpi, unsigned char c, unsigned & triangleCount, float ** triangles);

    // Font-table slots sharing this font; the font server keeps it.
    int useCount = 1;

    // The largest em, in pixels each way, that bitmaps, widths and heights are
    // made for: a 72-point glyph at 4096 dpi, or about 2950 points on a
    // 100-dpi screen, beyond any screen or printer. Larger sizes fail
    // (CacheSize false, the empty bitmap, width and height 0); outlines, which
    // scale by resolution only, are not limited.
    static constexpr unsigned maxEmPixels = 4096;

private:
    struct CachedSize;
    struct GlyphOutline;
    struct LibraryCloser {
        void operator()(FT_LibraryRec_ * library) const;
    };
    struct FaceCloser {
        void operator()(FT_FaceRec_ * face) const;
    };
    struct FileStream;
    struct StreamCloser {
        void operator()(FileStream * stream) const;
    };

    bool LoadFont(char const * file, bool full);
    int OpenStreamFace(char const * file, FT_FaceRec_ ** opened);
    bool MapTrueTypeCodes();
    bool MapType1Codes();
    bool AdoptCodes(std::vector<unsigned> map, int last);
    void Close();
    bool LoadOutlines();
    bool RequestPixels(long xPixels26, long yPixels26) const;
    bool RenderCode(unsigned char c, bool withPixels, g3d_Bitmap & bitmap) const;
    template <class Visit>
    void ForEachGlyphMetrics(float size, float xDpi, float yDpi, cow_String const & text, Visit visit) const;
    CachedSize * FindSize(float size, float xDpi, float yDpi);
    CachedSize const * FindSize(float size, float xDpi, float yDpi) const;
    int OutlineIndex(unsigned char c) const;  // -1 without outline
    g3d_Bitmap const & EmptyBitmap();

    std::unique_ptr<FT_LibraryRec_, LibraryCloser> library;
    std::vector<unsigned char> type1Data;  // the Type 1 file, read by the open face
    std::unique_ptr<FileStream, StreamCloser> stream;  // the TrueType file, read by the open face
    std::unique_ptr<FT_FaceRec_, FaceCloser> face;
    bool type1 = false;
    bool builtInEncoding = false;
    cow_String fileName;
    // Code -> glyph index for codes 0 to lastCode. 0 is the missing glyph: a
    // TrueType code shows it, a Type 1 code has no glyph.
    std::vector<unsigned> glyphOf;
    unsigned lastCode = 0;
    g3d_Bitmap defaultBitmap;
    std::vector<CachedSize> sizes;
    mutable long activeX26 = 0;  // pixel size the face is set to, 26.6; 0 when unknown
    mutable long activeY26 = 0;
    bool outlinesLoaded = false;
    std::vector<int> outlineOf;  // code -> index into `outlines`, -1 without one
    std::vector<GlyphOutline> outlines;
    float ascent = 0.0f;   // reference units
    float descent = 0.0f;  // reference units, 0 or negative
    std::vector<float> scratchTriangles;
};

#endif
