// Finding the font file for a requested name: the folders of QEL_FONT_PATH,
// the registered fonts, the Acrobat Reader's fonts and the folders of
// VNT_PATH are searched in turn. A full match ends the search; otherwise the
// first file of the highest level of fit is taken.
#include "fsp_FontServer.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fsp_FSTextFont.h"
#include "fsp_FontNames.h"
#include "fsp_FontPaths.h"
#include "fsp_RegisteredFonts.h"
#include "fsp_TextHelpers.h"
#include "fsp_Type1Header.h"
#include "utl_DirObject.h"
#include "win_Registry.h"

using namespace fsp_server;
using namespace fsp_text;

// The fields of a requested name that the search compares, in lower case (X
// names ignore case); empty when not given.
struct fsp_FontServer::Request {
    std::string family;
    std::string weight;
    std::string slant;
    std::string width;
};

namespace {

std::optional<bool> fontPathSet;

bool SlantFits(std::string const & slantAsked, std::string const & text)
{
    if (slantAsked == "i")
        return Contains(text, "italic");
    if (slantAsked == "o")
        return Contains(text, "oblique");
    return !Contains(text, "italic") && !Contains(text, "oblique");
}

bool OtherSlant(std::string const & slantAsked, std::string const & text)
{
    return (slantAsked == "i" && Contains(text, "oblique")) || (slantAsked == "o" && Contains(text, "italic"));
}

}  // namespace

bool fsp_FontServer::LocateFontFile(std::string const & name, cow_String & file, float & size)
{
    std::vector<std::string> const fields = NameFields(name, fieldsRead);
    if (fields.size() <= family)
        return false;
    auto const given = [&](Field field) {
        std::string const value = Lower(FieldOr(fields, field, "*"));
        return value == "*" ? std::string() : value;
    };
    Request request;
    request.family = Lower(fields[family]);
    request.weight = given(weight);
    request.slant = given(slant);
    request.width = given(setWidth);
    if (std::optional<float> const points = Number(FieldOr(fields, pointSize, "*")))
        size = *points * 0.1f;
    else if (std::optional<float> const pixels = Number(FieldOr(fields, pixelSize, "*")))
        size = *pixels * inchesPerPixelX * 72.0f;
    else
        size = 10.0f;

    int level = 0;
    cow_String best;
    if (type1Ready) {
        if (!fontPathSet)
            fontPathSet = std::getenv("QEL_FONT_PATH") != nullptr;
        if (*fontPathSet) {
            for (std::string const & directory : FontPathDirectories()) {
                if (SeekFont(directory, request, level, best)) {
                    file = best;
                    return true;
                }
            }
        }
    }
    if ((trueTypeReady || type1Ready) && SeekRegistry(request, level, best)) {
        file = best;
        return true;
    }
    if (type1Ready) {
        std::optional<std::string> const folder = AcrobatFontsFolder();
        if (folder && SeekFont(*folder, request, level, best)) {
            file = best;
            return true;
        }
    }
    if (type1Ready || trueTypeReady) {
        for (std::string const & directory : VntDirectories()) {
            if (SeekFont(directory, request, level, best)) {
                file = best;
                return true;
            }
        }
    }
    if (level == 0)
        return false;
    file = best;
    return true;
}

bool fsp_FontServer::SeekRegistry(Request const & request, int & level, cow_String & best) const
{
    std::unique_ptr<win_RegistryKey> const key = win_GetRegistry().OpenKey(win_Hive::localMachine, win_fontsKey);
    if (!key)
        return false;
    // A weight or width that is part of the family name asks for nothing more.
    std::string const familyText = "-" + request.family + "-";
    auto const word = [&](std::string const & asked, char const * plain) {
        return asked.empty() || asked == plain || Contains(familyText, asked) ? std::string() : asked;
    };
    std::string const weightWord = word(request.weight, "medium");
    std::string const widthWord = word(request.width, "normal");

    int candidateLevel = 0;
    std::string candidate;
    win_RegistryValue value;
    for (unsigned index = 0;; ++index) {
        win_RegistryKey::Result const result = key->EnumValue(index, value);
        if (result == win_RegistryKey::Result::end)
            break;
        if (result != win_RegistryKey::Result::value || !StartsWithNoCase(value.name, request.family))
            continue;
        std::string rest = value.name.substr(request.family.size());
        char const * const mark = RegistryMark(rest, value.Text(), trueTypeReady, type1Ready);
        if (!mark)
            continue;
        rest = Lower(rest);
        std::optional<std::string> const path = RegistryFontFile(value.Text());
        if (!path)
            continue;
        int valueLevel = 1;
        bool full = false;
        if (weightWord.empty() && request.slant.empty() && widthWord.empty()) {
            std::size_t const style = rest.find_first_not_of(' ', 1);
            full = style != std::string::npos && rest.compare(style, std::string::npos, Lower(mark)) == 0;
        } else {
            bool const weightFits =
                request.weight.empty() || Contains(rest, request.weight) ||
                (weightWord.empty() && !ContainsAny(rest, {"bold", "black", "book", "demi", "light"}));
            if (weightFits) {
                valueLevel = 2;
                bool const slantFits = request.slant.empty() || SlantFits(request.slant, rest);
                if (slantFits)
                    valueLevel = 4;
                else if (OtherSlant(request.slant, rest))
                    valueLevel = 3;
                full = slantFits && (widthWord.empty() || Contains(rest, widthWord));
            }
        }
        if (full) {
            best = path->c_str();
            return true;
        }
        if (valueLevel > candidateLevel) {
            candidateLevel = valueLevel;
            candidate = *path;
        }
    }
    if (candidateLevel > level) {
        level = candidateLevel;
        best = candidate.c_str();
    }
    return false;
}

bool fsp_FontServer::SeekFont(std::string const & directory, Request const & request, int & level,
                              cow_String & best)
{
    utl_DirObject const folder(directory);
    if (!folder.IsDirectory())
        return false;
    fsp_FSTextFont scratch;
    std::vector<std::string> const files = folder.Files();
    for (auto path = files.rbegin(); path != files.rend(); ++path) {
        std::string const extension = Extension(*path);
        int fileLevel = 0;
        bool full = false;
        if ((extension == ".PFA" || extension == ".PFB") && type1Ready) {
            Type1Header header;
            if (!ReadType1Header(*path, header) || Blanked(Lower(header.family)) != Blanked(request.family))
                continue;
            fileLevel = 1;
            bool weightFits = request.weight.empty();
            if (!weightFits && header.hasWeight) {
                weightFits = StartsWith(Lower(header.weight), request.weight.c_str()) ||
                             (StartsWith(request.family, "times") && StartsWith(request.weight, "medium") &&
                              StartsWith(header.weight, "Roman"));
            }
            if (weightFits) {
                fileLevel = 2;
                bool slantFits = true;
                bool widthFits = true;
                if (header.hasFullName) {
                    std::string const fullName = Lower(header.fullName);
                    if (!request.width.empty()) {
                        widthFits = Contains(fullName, request.width) ||
                                    (ContainsAny(request.width, {"normal", "medium", "regular"}) &&
                                     !ContainsAny(fullName, {"condensed", "narrow", "compressed", "expanded", "wide",
                                                             "ultra"}));
                        if (widthFits)
                            fileLevel = 3;
                    }
                    if (!request.slant.empty()) {
                        slantFits = SlantFits(request.slant, fullName);
                        if (!slantFits && OtherSlant(request.slant, fullName))
                            fileLevel = 3;
                    }
                }
                full = slantFits && widthFits;
            }
        } else if (extension == ".TTF" && trueTypeReady) {
            cow_String name;
            bool bold = false, italic = false, proportional = false;
            if (!scratch.GetFontInfo(path->c_str(), name, bold, italic, proportional) ||
                !StartsWithNoCase(name.Std(), request.family))
                continue;
            fileLevel = 1;
            if (request.weight.empty() || StartsWith(request.weight, "bold") == bold) {
                fileLevel = 2;
                full = request.slant.empty() || italic == (request.slant == "i" || request.slant == "o");
            }
        } else {
            continue;
        }
        if (full) {
            best = path->c_str();
            return true;
        }
        if (fileLevel > level) {
            level = fileLevel;
            best = path->c_str();
        }
    }
    return false;
}
