// The fonts that a font directory file ("fonts.dir", of the X font path)
// lists.
#include "fsp_FontServer.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fsp_FSTextFont.h"
#include "fsp_FontCatalogue.h"
#include "fsp_TextHelpers.h"
#include "utl_RegularFile.h"

using namespace fsp_text;

namespace {

constexpr std::size_t kFontsDirLineLimit = 1024;

// One line of a font directory file, read as "%[^ ] -%*[^-]-%[^-]-%[^-]-%[^-]-%[^-]".
struct FontsDirLine {
    std::string file, family, weight, slant, width;
};

bool ReadFontsDirLine(std::string const & line, FontsDirLine & out)
{
    std::size_t pos = line.find(' ');
    if (pos == 0 || line.empty())
        return false;
    out.file = line.substr(0, pos);
    if (pos == std::string::npos)
        return false;
    while (pos < line.size() && std::isspace(static_cast<unsigned char>(line[pos])))
        ++pos;
    std::string * const fields[] = {nullptr, &out.family, &out.weight, &out.slant, &out.width};
    for (std::string * field : fields) {
        if (pos >= line.size() || line[pos] != '-')
            return false;
        ++pos;
        std::size_t end = line.find('-', pos);
        if (end == std::string::npos)
            end = line.size();
        if (end == pos)
            return false;
        if (field)
            *field = line.substr(pos, end - pos);
        pos = end;
    }
    return true;
}

// A font directory file names files of its own folder: no path, no way out.
bool InsideFolder(std::string const & file)
{
    return file != "." && file != ".." && file.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

void FillFontsDirRecord(FontsDirLine const & entry, std::string const & path, bool proportional,
                        fsp_FontList & record)
{
    record.file = path.c_str();
    record.family = entry.family.c_str();
    std::uint32_t flags = proportional ? fsp_FontList::proportional : 0u;
    record.pattern = ("-*-" + entry.family + "-" + entry.weight + "-" + entry.slant + "-" + entry.width +
                      "-*-*-%d-*-*-" + (proportional ? "p" : "m") + "-*-*-*")
                         .c_str();
    std::string name = TitleCase(entry.family);
    if (entry.slant == "i")
        flags |= fsp_FontList::italic;
    else if (entry.slant == "o")
        flags |= fsp_FontList::oblique;
    else
        flags |= fsp_FontList::roman;
    if (entry.width == "semicondensed")
        flags |= fsp_FontList::semicondensed;
    else if (entry.width == "condensed")
        flags |= fsp_FontList::condensed;
    else if (entry.width == "narrow")
        flags |= fsp_FontList::narrow;
    else
        flags |= fsp_FontList::normalWidth;
    if (entry.width != "normal")
        name += " " + TitleCase(entry.width);
    flags |= fsp_server::WeightBit(entry.weight);
    if (entry.weight != "bold" && entry.weight != "medium")
        name += " " + TitleCase(entry.weight);
    record.name = name.c_str();
    record.flags = flags;
}

}  // namespace

int fsp_FontServer::GetX11Fonts(char const * fontsDir, fsp_FontList * list, int & count)
{
    Catalogue catalogue(list, count);
    std::string const path = fontsDir ? fontsDir : "";
    std::size_t const slash = path.rfind('/');
    utl_Stream const file = utl_OpenRegularStream(path.c_str());
    if (!file) {
        if (slash != std::string::npos)
            GetFonts(path.substr(0, slash), catalogue);
        count = catalogue.stored;
        return catalogue.found;
    }
    std::string const directory = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string line;
    bool first = true;
    for (int c = 0; c != EOF;) {
        line.clear();
        while ((c = std::getc(file.get())) != EOF && c != '\n') {
            if (line.size() < kFontsDirLineLimit)
                line.push_back(static_cast<char>(c));
        }
        if (first) {
            first = false;
            continue;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        FontsDirLine entry;
        if (!ReadFontsDirLine(line, entry) || !InsideFolder(entry.file))
            continue;
        std::string const fontPath = directory + "/" + entry.file;
        if (!fsp_FSTextFont::IsFontFile(fontPath.c_str()))
            continue;
        if (fsp_FontList * record = catalogue.Add())
            FillFontsDirRecord(entry, fontPath, Contains(line, "-p-"), *record);
    }
    count = catalogue.stored;
    return catalogue.found;
}
