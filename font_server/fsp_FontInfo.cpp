// What a font file says of itself: its family name, whether it is bold,
// italic and proportional.
#include "fsp_FSTextFont.h"

#include <ft2build.h>
#include <freetype/freetype.h>
#include <freetype/ftsnames.h>
#include <freetype/t1tables.h>

#include <algorithm>
#include <new>
#include <string>
#include <utility>

#include "fsp_TextHelpers.h"

using fsp_text::Lower;
using fsp_text::StartsWithNoCase;

namespace {

// Cuts `name` before `position` and the blank in front of it.
void CutBefore(std::string & name, std::size_t position)
{
    if (position > 0 && name[position - 1] == ' ')
        --position;
    name.erase(position);
}

// The Macintosh Roman records of the name table give the family, and the style
// from the subfamily or from the full name.
bool TrueTypeName(FT_Face face, std::string & name, bool & bold, bool & italic)
{
    std::string family, style;
    bool haveFamily = false, haveStyle = false, nameIsFullName = false;
    FT_UInt const count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UInt i = 0; i < count && !(haveFamily && haveStyle); ++i) {
        FT_SfntName record;
        if (FT_Get_Sfnt_Name(face, i, &record) != 0 || record.platform_id != 1 || record.encoding_id != 0 ||
            record.language_id != 0)
            continue;
        std::string const text(reinterpret_cast<char const *>(record.string), record.string_len);
        if (record.name_id == 1) {
            family = name = text;
            haveFamily = true;
            nameIsFullName = false;
        } else if (record.name_id == 2) {
            style = text;
            haveStyle = true;
        } else if (record.name_id == 4) {
            if (!haveFamily) {
                name = text;
                nameIsFullName = true;
            } else {
                bool const prefixed = StartsWithNoCase(text, family);
                style = !prefixed ? text : text.size() > family.size() ? text.substr(family.size() + 1) : std::string();
                haveStyle = true;
            }
        }
    }
    if (haveStyle) {
        style = Lower(style);
        bold = style.find("bold") != std::string::npos;
        italic = style.find("italic") != std::string::npos || style.find("oblique") != std::string::npos;
    }
    if (nameIsFullName) {
        std::string const lower = Lower(name);
        if (!haveStyle) {
            std::size_t const atBold = lower.find("bold");
            std::size_t const atItalic = std::min(lower.find("italic"), lower.find("oblique"));
            bold = atBold != std::string::npos;
            italic = atItalic != std::string::npos;
            if (bold || italic)
                CutBefore(name, std::min(atBold, atItalic));
        } else if (!style.empty()) {
            std::size_t const at = lower.find(style);
            if (at != std::string::npos)
                CutBefore(name, at);
        }
    }
    return !name.empty();
}

bool Type1Name(FT_Face face, std::string & name, bool & bold, bool & italic)
{
    PS_FontInfoRec info;
    if (FT_Get_PS_Font_Info(face, &info) != 0 || !info.family_name)
        return false;
    name = info.family_name;
    bold = info.weight && Lower(info.weight).find("bold") != std::string::npos;
    italic = info.italic_angle != 0;
    return !name.empty();
}

}  // namespace

bool fsp_FSTextFont::IsProportional(char const * file)
{
    bool const opened = !face;
    if (opened && !LoadFont(file, false))
        return false;
    bool const proportional = !FT_IS_FIXED_WIDTH(face.get());
    if (opened)
        Close();
    return proportional;
}

bool fsp_FSTextFont::GetFontInfo(char const * file, cow_String & name, bool & bold, bool & italic,
                                 bool & proportional)
{
    bold = italic = proportional = false;
    bool const opened = !face;
    if (opened && !LoadFont(file, false))
        return false;
    bool found = false;
    try {
        std::string text;
        found = type1 ? Type1Name(face.get(), text, bold, italic) : TrueTypeName(face.get(), text, bold, italic);
        if (found) {
            std::replace(text.begin(), text.end(), '-', ' ');
            name = cow_String(std::move(text));
            proportional = !FT_IS_FIXED_WIDTH(face.get());
        }
    } catch (std::bad_alloc const &) {
        found = false;
    }
    if (opened)
        Close();
    return found;
}
