#include "fsp_RegisteredFonts.h"

#include <cstdint>
#include <memory>

#include "fsp_FSTextFont.h"
#include "fsp_FontPaths.h"
#include "fsp_TextHelpers.h"
#include "win_Registry.h"

using namespace fsp_text;

namespace fsp_server {

namespace {

bool IsAbsolute(std::string const & path)
{
    return (path.size() > 1 && path[1] == ':') || (!path.empty() && path[0] == '/');
}

bool IsType1File(std::string const & path)
{
    std::string const extension = Extension(path);
    return extension == ".PFA" || extension == ".PFB";
}

// A registered font value as a catalogue record; false when it is no font of
// an engine that is ready, or its file cannot be placed.
bool DescribeRegistryValue(win_RegistryValue const & value, bool trueType, bool type1, std::string & name,
                           std::string & file)
{
    name = value.name;
    std::string const data = value.Text();
    char const * const mark = RegistryMark(name, data, trueType, type1);
    std::size_t const cut = mark ? name.find(std::string(" ") + mark) : std::string::npos;
    if (cut != std::string::npos)
        name.erase(cut);
    else if (!trueType || data.size() < 3 || Lower(data.substr(data.size() - 3)) != "ttf")
        return false;
    std::optional<std::string> const path = RegistryFontFile(data);
    if (!path)
        return false;
    file = *path;
    return true;
}

void FillRegistryRecord(std::string name, std::string const & file, fsp_FSTextFont & scratch, fsp_FontList & record)
{
    std::uint32_t flags = 0;
    if (Contains(name, "Semibold")) {
        flags |= fsp_FontList::semibold;
    } else if (TakeWord(name, "Bold")) {
        flags |= fsp_FontList::bold;
    } else if (Contains(name, "Black")) {
        flags |= fsp_FontList::black;
    } else if (std::size_t const book = name.find("Book"); book != std::string::npos) {
        // "Bookman" is a family, not a weight.
        if (book + 4 == name.size() || name[book + 4] == ' ')
            flags |= fsp_FontList::book;
    } else if (Contains(name, "Demibold") || Contains(name, "Demi")) {
        flags |= fsp_FontList::demi;
    } else if (Contains(name, "Light")) {
        flags |= fsp_FontList::light;
    } else if (Contains(name, "Regular")) {
        flags |= fsp_FontList::regular;
    } else {
        flags |= fsp_FontList::medium;
    }
    RemoveFirst(name, " Regular");
    RemoveFirst(name, " Normal");
    if (TakeWord(name, "Italic"))
        flags |= fsp_FontList::italic;
    else if (TakeWord(name, "Oblique"))
        flags |= fsp_FontList::oblique;
    else
        flags |= fsp_FontList::roman;
    if (Contains(name, "Semicondensed"))
        flags |= fsp_FontList::semicondensed;
    else if (Contains(name, "Condensed"))
        flags |= fsp_FontList::condensed;
    else if (Contains(name, "Narrow"))
        flags |= fsp_FontList::narrow;
    else
        flags |= fsp_FontList::normalWidth;
    if (scratch.IsProportional(file.c_str()))
        flags |= fsp_FontList::proportional;
    record.name = name.c_str();
    record.family = Blanked(Lower(name)).c_str();
    record.file = file.c_str();
    record.flags = flags;
    record.pattern = cow_String();
}

}  // namespace

std::optional<std::string> RegistryFontFile(std::string const & data)
{
    if (data.empty())
        return std::nullopt;
    if (IsAbsolute(data))
        return data;
    std::optional<std::string> const root = Env("SystemRoot");
    if (!root)
        return std::nullopt;
    return *root + "/Fonts/" + data;
}

char const * RegistryMark(std::string const & name, std::string const & data, bool trueType, bool type1)
{
    if (Contains(name, "(TrueType)"))
        return trueType ? "(TrueType)" : nullptr;
    return type1 && Contains(name, "(Type 1)") && IsType1File(data) ? "(Type 1)" : nullptr;
}

void ListRegisteredFonts(bool trueType, bool type1, std::function<fsp_FontList *()> const & add)
{
    if (std::unique_ptr<win_RegistryKey> const key = win_GetRegistry().OpenKey(win_Hive::localMachine, win_fontsKey)) {
        fsp_FSTextFont scratch;
        win_RegistryValue value;
        for (unsigned index = 0;; ++index) {
            win_RegistryKey::Result const result = key->EnumValue(index, value);
            if (result == win_RegistryKey::Result::end)
                break;
            std::string name, file;
            if (result != win_RegistryKey::Result::value || !DescribeRegistryValue(value, trueType, type1, name, file))
                continue;
            if (fsp_FontList * record = add())
                FillRegistryRecord(name, file, scratch, *record);
        }
    }
}

}  // namespace fsp_server
