#include "fsp_FSTextFont.h"

#include <ft2build.h>
#include <freetype/freetype.h>
#include <freetype/ftfntfmt.h>
#include <freetype/t1tables.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "fsp_GlyphBitmaps.h"
#include "fsp_GlyphOutlines.h"
#include "fsp_Latin1Encoding.h"
#include "fsp_TextHelpers.h"
#include "utl_RegularFile.h"

using fsp_text::Lower;

namespace {

constexpr long long kMaxType1Bytes = 64LL << 20;  // Type 1 fonts are read whole; real ones are far smaller

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
    fsp_glyphs::ChooseSizeTolerance();
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

// Sets the face to a pixel size, 26.6, unless it is set to it already.
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
