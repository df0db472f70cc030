#include "fsp_FSTextFont.h"

#include <ft2build.h>
#include <freetype/freetype.h>
#include <freetype/ftfntfmt.h>
#include <freetype/ftoutln.h>
#include <freetype/t1tables.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "fsp_Latin1Encoding.h"
#include "fsp_ContourFlattening.h"
#include "fsp_GlyphOutlines.h"
#include "fsp_TextHelpers.h"
#include "utl_RegularFile.h"

using fsp_text::Lower;
using namespace fsp_glyphs;

namespace {

constexpr float kRenderDpiLimit = 150.0f;     // from here on glyph images are made on demand
constexpr long long kMaxType1Bytes = 64LL << 20;  // Type 1 fonts are read whole; real ones are far smaller

// Process-wide, as the catalogue and the server share one notion of "same size".
float sizeTolerance = 0.5f;

float PixelsOf(float size, float dpi)
{
    return size / 72.0f * dpi;
}

// The FreeType pixel size (26.6) for a pixel size; false when it is zero, not
// finite or beyond fsp_FSTextFont::maxEmPixels.
bool ToPixels26(float pixels, long & pixels26)
{
    double const value = std::fabs(static_cast<double>(pixels)) * 64.0;
    if (!(value >= 1.0 && value <= fsp_FSTextFont::maxEmPixels * 64.0))
        return false;
    pixels26 = std::lround(value);
    return true;
}

// A glyph image FreeType is about to render (its dimensions are preset when
// the glyph is loaded) stays within twice the largest em each way, whatever
// outline a damaged font gives it: at most 8 MB of 1-bit pixels.
bool DrawableSize(FT_GlyphSlot slot)
{
    unsigned const limit = 2 * fsp_FSTextFont::maxEmPixels;
    return slot->bitmap.width <= limit && slot->bitmap.rows <= limit;
}

// The glyph in `slot`, loaded for 1-bit output, as a bitmap: rows bottom-up,
// width padded to whole bytes; an empty image becomes 8 x 1. Without
// `withPixels` only the dimensions (those rendering would give) and metrics.
bool ToBitmap(FT_GlyphSlot slot, bool withPixels, g3d_Bitmap & bitmap)
{
    FT_Bitmap const & image = slot->bitmap;
    bool const blank = image.width == 0 || image.rows == 0;
    int const rows = blank ? 1 : static_cast<int>(image.rows);
    int const width = blank ? 8 : static_cast<int>((image.width + 7) / 8 * 8);
    int const bytes = width / 8;
    bool const copy = withPixels && !blank;
    if (copy && (image.pixel_mode != FT_PIXEL_MODE_MONO || !image.buffer || std::abs(image.pitch) < bytes))
        return false;
    bitmap.SetSize(width, rows, withPixels);
    if (copy) {
        unsigned const stride = static_cast<unsigned>(std::abs(image.pitch));
        for (int top = 0; top < rows; ++top) {
            // A negative pitch stores the bottom row first.
            int const stored = image.pitch >= 0 ? top : rows - 1 - top;
            std::memcpy(bitmap.Row(rows - 1 - top), image.buffer + static_cast<std::size_t>(stored) * stride,
                        static_cast<std::size_t>(bytes));
        }
    }
    bitmap.xOffset = blank ? 0.0f : static_cast<float>(slot->bitmap_left);
    bitmap.yOffset = blank ? 0.0f : static_cast<float>(static_cast<int>(image.rows) - slot->bitmap_top);
    bitmap.xAdvance = static_cast<float>(slot->advance.x) / 64.0f;
    bitmap.yAdvance = static_cast<float>(slot->advance.y) / 64.0f;
    return true;
}

// Reads exactly `count` bytes at `offset`; false on an error or a short file.
bool ReadAt(int fd, unsigned long offset, unsigned char * buffer, unsigned long count)
{
    while (count > 0) {
        ssize_t const got = ::pread(fd, buffer, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        buffer += got;
        offset += static_cast<unsigned long>(got);
        count -= static_cast<unsigned long>(got);
    }
    return true;
}

bool ReadWholeFile(char const * path, std::vector<unsigned char> & bytes)
{
    utl_RegularFile const file(path);
    if (!file.IsOpen() || file.Size() <= 0 || file.Size() > kMaxType1Bytes)
        return false;
    bytes.resize(static_cast<std::size_t>(file.Size()));
    return ReadAt(file.Descriptor(), 0, bytes.data(), bytes.size());
}

// FreeType reads a TrueType file through this stream, so that the file is
// opened only when it is a regular one.
unsigned long ReadStream(FT_Stream stream, unsigned long offset, unsigned char * buffer, unsigned long count)
{
    auto const & file = *static_cast<utl_RegularFile const *>(stream->descriptor.pointer);
    if (count == 0)  // a seek: 0 when the offset is inside the file
        return offset <= stream->size ? 0 : 1;
    if (offset >= stream->size)
        return 0;
    count = std::min(count, stream->size - offset);
    return ReadAt(file.Descriptor(), offset, buffer, count) ? count : 0;
}

bool IsType1Face(FT_Face face)
{
    char const * format = FT_Get_Font_Format(face);
    return format && std::strcmp(format, "Type 1") == 0;
}

// Glyph index of a Type 1 glyph name; "hyphen" and "minus" stand in for each
// other. 0 when the font has neither.
FT_UInt GlyphByName(FT_Face face, char const * name)
{
    FT_UInt glyph = FT_Get_Name_Index(face, name);
    if (glyph == 0 && std::strcmp(name, "hyphen") == 0)
        glyph = FT_Get_Name_Index(face, "minus");
    else if (glyph == 0 && std::strcmp(name, "minus") == 0)
        glyph = FT_Get_Name_Index(face, "hyphen");
    return glyph;
}

bool IsGlyphName(char const * name)
{
    return name[0] != '\0' && name[0] != '.';
}

}  // namespace

// Glyph bitmaps of one pixel size.
struct fsp_FSTextFont::CachedSize {
    float xPixels = 0.0f;  // the em in pixels
    float yPixels = 0.0f;
    long xPixels26 = 0;  // the FreeType size the bitmaps were made at
    long yPixels26 = 0;
    std::vector<short> slotOf;  // code -> index into `bitmaps`, -1 without bitmap
    std::vector<g3d_Bitmap> bitmaps;
};

void fsp_FSTextFont::LibraryCloser::operator()(FT_LibraryRec_ * library) const
{
    FT_Done_FreeType(library);
}

void fsp_FSTextFont::FaceCloser::operator()(FT_FaceRec_ * face) const
{
    FT_Done_Face(face);
}

// The open file and the FreeType stream that reads it; outlives the face.
struct fsp_FSTextFont::FileStream {
    std::unique_ptr<utl_RegularFile> file;
    std::unique_ptr<FT_StreamRec> record;
};

void fsp_FSTextFont::StreamCloser::operator()(FileStream * stream) const
{
    delete stream;
}

fsp_FSTextFont::fsp_FSTextFont()
{
    if (std::getenv("QEL_PRINT_XRES"))
        sizeTolerance = 0.05f;
    defaultBitmap.SetSize(8, 1, true);
}

fsp_FSTextFont::~fsp_FSTextFont() = default;

bool fsp_FSTextFont::LoadFont(char const * file)
{
    return LoadFont(file, true);
}

bool fsp_FSTextFont::LoadFont(char const * file, bool full)
{
    Close();
    char const * dot = file ? std::strrchr(file, '.') : nullptr;
    if (!dot)
        return false;
    std::string const extension = Lower(dot);
    if (extension == ".pfa" || extension == ".pfb")
        type1 = true;
    else if (extension != ".ttf" && extension != ".ttc")
        return false;
    try {
        if (!library) {
            FT_Library opened = nullptr;
            if (FT_Init_FreeType(&opened) != 0)
                return false;
            library.reset(opened);
        }
        FT_Face opened = nullptr;
        FT_Error error;
        if (type1) {
            if (!ReadWholeFile(file, type1Data)) {
                Close();
                return false;
            }
            error = FT_New_Memory_Face(library.get(), type1Data.data(), static_cast<FT_Long>(type1Data.size()), 0,
                                       &opened);
        } else {
            error = OpenStreamFace(file, &opened);
        }
        if (error == 0)
            face.reset(opened);
        if (!face || (type1 ? !IsType1Face(opened) : !FT_IS_SFNT(opened))) {
            Close();
            return false;
        }
        if (!full)
            return true;
        if (!(type1 ? MapType1Codes() : MapTrueTypeCodes())) {
            Close();
            return false;
        }
        fileName = file;
        return true;
    } catch (std::bad_alloc const &) {
        Close();
        return false;
    }
}

int fsp_FSTextFont::OpenStreamFace(char const * file, FT_FaceRec_ ** opened)
{
    auto regular = std::make_unique<utl_RegularFile>(file);
    if (!regular->IsOpen() || regular->Size() <= 0 ||
        static_cast<unsigned long long>(regular->Size()) > std::numeric_limits<unsigned long>::max())
        return FT_Err_Cannot_Open_Resource;
    auto record = std::make_unique<FT_StreamRec>();
    record->size = static_cast<unsigned long>(regular->Size());
    record->descriptor.pointer = regular.get();
    record->read = ReadStream;
    stream.reset(new FileStream{std::move(regular), std::move(record)});
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = stream->record.get();
    return FT_Open_Face(library.get(), &args, 0, opened);
}

bool fsp_FSTextFont::MapTrueTypeCodes()
{
    FT_Face const f = face.get();
    if (f->num_charmaps <= 0)
        return false;
    FT_CharMap chosen = f->charmaps[0];
    for (FT_Int i = 0; i < f->num_charmaps; ++i) {
        if (f->charmaps[i]->platform_id == 3 && f->charmaps[i]->encoding_id == 1) {
            chosen = f->charmaps[i];
            break;
        }
    }
    if (FT_Set_Charmap(f, chosen) != 0)
        return false;
    std::vector<unsigned> map(256);
    int last = -1;
    for (unsigned c = 0; c < 256; ++c) {
        map[c] = FT_Get_Char_Index(f, c);
        if (map[c] > 0)
            last = static_cast<int>(c);
    }
    return AdoptCodes(std::move(map), last);
}

// Keeps the map up to the last code that has a glyph; false when none has.
bool fsp_FSTextFont::AdoptCodes(std::vector<unsigned> map, int last)
{
    if (last < 0)
        return false;
    lastCode = static_cast<unsigned>(last);
    map.resize(lastCode + 1);
    glyphOf = std::move(map);
    return true;
}

// A Type 1 font in the standard encoding serves Latin-1 through the built-in
// names; otherwise its own encoding vector names the glyph of each code.
bool fsp_FSTextFont::MapType1Codes()
{
    FT_Face const f = face.get();
    PS_FontInfoRec info;
    T1_EncodingType encoding = T1_ENCODING_TYPE_NONE;
    // Only an encoding array can be read back; any other encoding counts as standard.
    bool const ownVector =
        FT_Get_PS_Font_Info(f, &info) == 0 &&
        FT_Get_PS_Font_Value(f, PS_DICT_ENCODING_TYPE, 0, &encoding, sizeof encoding) == sizeof encoding &&
        encoding == T1_ENCODING_TYPE_ARRAY;
    builtInEncoding = !ownVector;
    std::vector<unsigned> map(256, 0);
    int last = -1;
    for (unsigned c = 0; c < 256; ++c) {
        char entry[256];
        char const * name = "";
        if (ownVector) {
            FT_Long const length = FT_Get_PS_Font_Value(f, PS_DICT_ENCODING_ENTRY, c, entry, sizeof entry);
            if (length > 0 && static_cast<std::size_t>(length) <= sizeof entry)
                name = entry;
        } else {
            name = fsp_Latin1GlyphName(static_cast<unsigned char>(c));
        }
        if (!IsGlyphName(name))
            continue;
        // The font's own vector decides what is a glyph; with the built-in names
        // the font's glyph set does, the hyphen/minus stand-in aside.
        if (ownVector || FT_Get_Name_Index(f, name) > 0)
            last = static_cast<int>(c);
        map[c] = GlyphByName(f, name);
    }
    return AdoptCodes(std::move(map), last);
}

void fsp_FSTextFont::Close()
{
    scratchTriangles.clear();
    outlines.clear();
    outlineOf.clear();
    outlinesLoaded = false;
    ascent = descent = 0.0f;
    sizes.clear();
    glyphOf.clear();
    lastCode = 0;
    fileName = cow_String();
    face.reset();
    stream.reset();
    type1Data.clear();
    type1Data.shrink_to_fit();
    type1 = false;
    builtInEncoding = false;
    activeX26 = activeY26 = 0;
}

bool fsp_FSTextFont::CheckFont(char const * file) const
{
    return file && fileName == file;
}

bool fsp_FSTextFont::IsFontFile(char const * file)
{
    fsp_FSTextFont probe;
    return probe.LoadFont(file, false);
}

bool fsp_FSTextFont::GetFontFile(cow_String & file) const
{
    file = fileName;
    return true;
}

bool fsp_FSTextFont::RequestPixels(long xPixels26, long yPixels26) const
{
    if (xPixels26 == activeX26 && yPixels26 == activeY26)
        return true;
    FT_Size_RequestRec request{FT_SIZE_REQUEST_TYPE_NOMINAL, xPixels26, yPixels26, 0, 0};
    if (FT_Request_Size(face.get(), &request) != 0) {
        activeX26 = activeY26 = 0;
        return false;
    }
    activeX26 = xPixels26;
    activeY26 = yPixels26;
    return true;
}

// Loads the glyph of `c` hinted for 1-bit output at the face's current size.
bool fsp_FSTextFont::RenderCode(unsigned char c, bool withPixels, g3d_Bitmap & bitmap) const
{
    FT_UInt const glyph = glyphOf[c];
    if (type1 && glyph == 0)
        return false;
    // Embedded strikes may be grey or colour; outlines always give 1 bit.
    FT_Int32 const flags = FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(face.get(), glyph, flags) != 0 || !DrawableSize(face->glyph))
        return false;
    if (!withPixels)
        return ToBitmap(face->glyph, false, bitmap);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0)
        return ToBitmap(face->glyph, true, bitmap);
    // A glyph the rasteriser cannot draw (its outline far off the pen, say)
    // keeps its dimensions and metrics, so that text measures the same.
    return FT_Load_Glyph(face.get(), glyph, flags) == 0 && ToBitmap(face->glyph, false, bitmap);
}

fsp_FSTextFont::CachedSize * fsp_FSTextFont::FindSize(float size, float xDpi, float yDpi)
{
    return const_cast<CachedSize *>(static_cast<fsp_FSTextFont const *>(this)->FindSize(size, xDpi, yDpi));
}

fsp_FSTextFont::CachedSize const * fsp_FSTextFont::FindSize(float size, float xDpi, float yDpi) const
{
    float const xPixels = PixelsOf(size, xDpi), yPixels = PixelsOf(size, yDpi);
    for (CachedSize const & cached : sizes) {
        if (std::fabs(cached.xPixels - xPixels) < sizeTolerance && std::fabs(cached.yPixels - yPixels) < sizeTolerance)
            return &cached;
    }
    return nullptr;
}

g3d_Bitmap const & fsp_FSTextFont::EmptyBitmap()
{
    defaultBitmap.SetSize(8, 1, true);
    defaultBitmap.xOffset = defaultBitmap.yOffset = 0.0f;
    defaultBitmap.xAdvance = defaultBitmap.yAdvance = 0.0f;
    return defaultBitmap;
}

bool fsp_FSTextFont::CacheSize(float size, float xDpi, float yDpi, bool noBitmaps, bool outlines)
{
    if (!face)
        return false;
    if (outlines)
        return LoadOutlines();
    if (FindSize(size, xDpi, yDpi))
        return true;
    try {
        CachedSize entry;
        entry.xPixels = PixelsOf(size, xDpi);
        entry.yPixels = PixelsOf(size, yDpi);
        if (!ToPixels26(entry.xPixels, entry.xPixels26) || !ToPixels26(entry.yPixels, entry.yPixels26) ||
            !RequestPixels(entry.xPixels26, entry.yPixels26))
            return false;
        bool const withPixels = !noBitmaps && xDpi < kRenderDpiLimit;
        entry.slotOf.assign(lastCode + 1, -1);
        entry.bitmaps.reserve(lastCode + 1);
        // TrueType codes without a glyph share one image of the missing glyph.
        short missingSlot = -1;
        bool missingTried = false;
        for (unsigned c = 0; c <= lastCode; ++c) {
            bool const missing = !type1 && glyphOf[c] == 0;
            if (missing && missingTried) {
                entry.slotOf[c] = missingSlot;
                continue;
            }
            missingTried = missingTried || missing;
            entry.bitmaps.emplace_back();
            if (!RenderCode(static_cast<unsigned char>(c), withPixels, entry.bitmaps.back())) {
                entry.bitmaps.pop_back();
                continue;
            }
            entry.slotOf[c] = static_cast<short>(entry.bitmaps.size() - 1);
            if (missing)
                missingSlot = entry.slotOf[c];
        }
        sizes.push_back(std::move(entry));
        return true;
    } catch (std::bad_alloc const &) {
        return false;
    }
}

int fsp_FSTextFont::ReleaseSize(float size, float xDpi, float yDpi)
{
    if (CachedSize * cached = FindSize(size, xDpi, yDpi))
        sizes.erase(sizes.begin() + (cached - sizes.data()));
    return static_cast<int>(sizes.size());
}

void fsp_FSTextFont::StripCache(float size, float xDpi, float yDpi)
{
    if (CachedSize * cached = FindSize(size, xDpi, yDpi)) {
        for (g3d_Bitmap & bitmap : cached->bitmaps)
            bitmap.SetSize(bitmap.Width(), bitmap.Height(), false);
    }
}

g3d_Bitmap const & fsp_FSTextFont::GetGlyph(float size, float xDpi, float yDpi, unsigned char c)
{
    if (c == 0 || c > lastCode || !face)
        return EmptyBitmap();
    try {
        if (CachedSize * cached = FindSize(size, xDpi, yDpi)) {
            if (cached->slotOf[c] >= 0) {
                g3d_Bitmap & bitmap = cached->bitmaps[static_cast<std::size_t>(cached->slotOf[c])];
                if (bitmap.HasPixels())
                    return bitmap;
                // Made without image, or stripped: render at the size it was cached at.
                if (RequestPixels(cached->xPixels26, cached->yPixels26) && RenderCode(c, true, bitmap))
                    return bitmap;
                return EmptyBitmap();
            }
        }
        long xPixels26 = 0, yPixels26 = 0;
        if (ToPixels26(PixelsOf(size, xDpi), xPixels26) && ToPixels26(PixelsOf(size, yDpi), yPixels26) &&
            RequestPixels(xPixels26, yPixels26) && RenderCode(c, true, defaultBitmap))
            return defaultBitmap;
    } catch (std::bad_alloc const &) {
    }
    return EmptyBitmap();
}

namespace {

// Calls `visit` with each code of `text` up to its first 0 byte or code above `lastCode`.
template <class Visit>
void ForEachCode(cow_String const & text, unsigned lastCode, Visit visit)
{
    for (int i = 0; i < text.Length(); ++i) {
        unsigned char const c = static_cast<unsigned char>(text[i]);
        if (c == 0 || c > lastCode)
            return;
        visit(c);
    }
}

// Extent of a glyph bitmap above and below the baseline.
void Widen(g3d_Bitmap const & bitmap, float & above, float & below)
{
    above = std::max(above, static_cast<float>(bitmap.Height()) - std::trunc(bitmap.yOffset));
    below = std::max(below, bitmap.yOffset);
}

}  // namespace

// Calls `visit` with the metrics of each glyph of `text`: from the cached
// bitmaps when the size is cached, else from the same glyph loads, so a text
// measures the same either way. Nothing when the size cannot be set.
template <class Visit>
void fsp_FSTextFont::ForEachGlyphMetrics(float size, float xDpi, float yDpi, cow_String const & text,
                                         Visit visit) const
{
    if (!face)
        return;
    if (CachedSize const * cached = FindSize(size, xDpi, yDpi)) {
        ForEachCode(text, lastCode, [&](unsigned char c) {
            if (cached->slotOf[c] >= 0)
                visit(cached->bitmaps[static_cast<std::size_t>(cached->slotOf[c])]);
        });
        return;
    }
    long xPixels26 = 0, yPixels26 = 0;
    if (!ToPixels26(PixelsOf(size, xDpi), xPixels26) || !ToPixels26(PixelsOf(size, yDpi), yPixels26) ||
        !RequestPixels(xPixels26, yPixels26))
        return;
    g3d_Bitmap metrics;
    ForEachCode(text, lastCode, [&](unsigned char c) {
        if (RenderCode(c, false, metrics))
            visit(metrics);
    });
}

float fsp_FSTextFont::GetWidth(float size, float xDpi, float yDpi, cow_String const & text) const
{
    float width = 0.0f;
    ForEachGlyphMetrics(size, xDpi, yDpi, text, [&](g3d_Bitmap const & glyph) { width += glyph.xAdvance; });
    return width;
}

float fsp_FSTextFont::GetHeight(float size, float xDpi, float yDpi, cow_String const & text) const
{
    float above = 0.0f, below = 0.0f;
    ForEachGlyphMetrics(size, xDpi, yDpi, text, [&](g3d_Bitmap const & glyph) { Widen(glyph, above, below); });
    return above + below;
}
