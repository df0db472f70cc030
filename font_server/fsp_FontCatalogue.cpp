#include "fsp_FontCatalogue.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fsp_FSTextFont.h"
#include "fsp_FontPaths.h"
#include "fsp_RegisteredFonts.h"
#include "fsp_TextHelpers.h"
#include "fsp_Type1Header.h"
#include "utl_DirObject.h"

using namespace fsp_server;
using namespace fsp_text;

std::uint32_t fsp_server::WeightBit(std::string const & weight)
{
    static struct {
        char const * prefix;
        std::uint32_t bit;
    } const weights[] = {{"bold", fsp_FontList::bold},         {"black", fsp_FontList::black},
                         {"book", fsp_FontList::book},         {"demibold", fsp_FontList::demi},
                         {"demi", fsp_FontList::demi},         {"light", fsp_FontList::light},
                         {"regular", fsp_FontList::regular},   {"semibold", fsp_FontList::semibold}};
    for (auto const & candidate : weights) {
        if (StartsWith(weight, candidate.prefix))
            return candidate.bit;
    }
    return fsp_FontList::medium;
}

namespace {

// The record of a Type 1 font file: the family and weight of its header, and
// its name, slant and width from the header's full name.
void DescribeType1(std::string const & path, Type1Header const & header, fsp_FontList & record)
{
    std::string const family = Blanked(header.family);
    record.file = path.c_str();
    record.name = family.c_str();
    record.family = Lower(family).c_str();
    record.flags = fsp_FontList::medium;
    if (header.hasWeight)
        record.flags = WeightBit(Lower(header.weight));
    if (header.proportional)
        record.flags |= fsp_FontList::proportional;
    record.flags |= fsp_FontList::roman | fsp_FontList::normalWidth;
    if (header.hasFullName) {
        std::string full = Blanked(Lower(header.fullName));
        record.flags &= ~(fsp_FontList::roman | fsp_FontList::normalWidth);
        RemoveFirst(full, " regular");
        RemoveFirst(full, " normal");
        if (TakeWord(full, "italic"))
            record.flags |= fsp_FontList::italic;
        else if (TakeWord(full, "oblique"))
            record.flags |= fsp_FontList::oblique;
        else
            record.flags |= fsp_FontList::roman;
        if (Contains(full, "semicondensed"))
            record.flags |= fsp_FontList::semicondensed;
        else if (Contains(full, "condensed"))
            record.flags |= fsp_FontList::condensed;
        else if (Contains(full, "narrow"))
            record.flags |= fsp_FontList::narrow;
        else
            record.flags |= fsp_FontList::normalWidth;
        if (record.flags & fsp_FontList::bold)
            RemoveFirst(full, " bold");
        if ((record.flags & fsp_FontList::roman) && (record.flags & fsp_FontList::medium)) {
            std::size_t const at = full.find(" roman", family.size());
            if (at != std::string::npos)
                full.erase(at, 6);
        }
        record.name = TitleCase(full).c_str();
    }
    record.pattern = cow_String();
}

}  // namespace

int fsp_FontServer::GetFontList(fsp_FontList * list, int & count)
{
    Catalogue catalogue(list, count);
    for (std::string const & directory : FontPathDirectories())
        GetFonts(directory, catalogue);
    if (trueTypeReady || type1Ready)
        ListRegisteredFonts(trueTypeReady, type1Ready, [&] { return catalogue.Add(); });
    if (type1Ready) {
        if (std::optional<std::string> const folder = AcrobatFontsFolder())
            GetFonts(*folder, catalogue);
    }
    for (std::string const & directory : VntDirectories())
        GetFonts(directory, catalogue);

    for (int i = 0; i < catalogue.stored; ++i) {
        list[i].id = i;
        if (list[i].pattern.IsEmpty())
            list[i].MakePattern();
    }
    if (catalogue.stored > 0) {
        std::sort(list, list + catalogue.stored, [](fsp_FontList const & a, fsp_FontList const & b) {
            int const order = std::strcmp(a.name.AsCharPtr(), b.name.AsCharPtr());
            return order != 0 ? order < 0 : a.id < b.id;
        });
    }
    count = catalogue.stored;
    return catalogue.found;
}

void fsp_FontServer::GetFonts(std::string const & directory, Catalogue & catalogue)
{
    utl_DirObject const folder(directory);
    if (!folder.IsDirectory())
        return;
    fsp_FSTextFont scratch;
    std::vector<std::string> const files = folder.Files();
    for (auto path = files.rbegin(); path != files.rend(); ++path) {
        std::string const extension = Extension(*path);
        if ((extension == ".PFA" || extension == ".PFB") && type1Ready) {
            Type1Header header;
            if (!ReadType1Header(*path, header))
                continue;
            if (fsp_FontList * record = catalogue.Add())
                DescribeType1(*path, header, *record);
        } else if (extension == ".TTF" && trueTypeReady) {
            cow_String name;
            bool bold = false, italic = false, proportional = false;
            if (!scratch.GetFontInfo(path->c_str(), name, bold, italic, proportional))
                continue;
            if (fsp_FontList * record = catalogue.Add()) {
                record->file = path->c_str();
                record->name = name;
                record->family = name;
                record->flags = (bold ? fsp_FontList::bold : fsp_FontList::medium) |
                                (italic ? fsp_FontList::italic : fsp_FontList::roman) |
                                (proportional ? fsp_FontList::proportional : 0u);
                record->pattern = cow_String();
            }
        }
    }
}
