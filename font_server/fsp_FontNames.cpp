#include "fsp_FontNames.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "fsp_FSTextFont.h"
#include "fsp_TextHelpers.h"

using namespace fsp_text;

namespace fsp_server {

namespace {

// The X protocol carries a font name's length in 16 bits.
constexpr int kMaxServerFontName = 65534;

// A size or resolution field as a number: the largest magnitude in a matrix
// such as "[20 0 0 ~20]" ("~" is the minus sign there).
std::optional<float> FieldNumber(std::vector<std::string> const & fields, std::size_t index)
{
    if (index >= fields.size())
        return std::nullopt;
    std::string field = fields[index];
    if (field.empty() || field[0] != '[')
        return Number(field);
    std::replace(field.begin(), field.end(), '~', '-');
    std::optional<float> largest;
    char const * at = field.c_str() + 1;
    for (;;) {
        char * end = nullptr;
        float const value = std::strtof(at, &end);
        if (end == at)
            return largest;
        if (!std::isfinite(value))
            return std::numeric_limits<float>::infinity();
        largest = std::max(largest.value_or(0.0f), std::fabs(value));
        at = end;
    }
}

// The pixels of the em an X server would make for a name at `dpi` (or at the
// name's own resolution fields) are beyond fsp_FSTextFont::maxEmPixels.
bool BeyondAnyScreen(std::string const & name, float dpi)
{
    std::vector<std::string> const fields = NameFields(name, resolutionY + 1);
    float const limit = static_cast<float>(fsp_FSTextFont::maxEmPixels);
    if (FieldNumber(fields, pixelSize).value_or(0.0f) > limit)
        return true;
    float const resolution =
        std::max(FieldNumber(fields, resolutionX).value_or(dpi), FieldNumber(fields, resolutionY).value_or(dpi));
    return FieldNumber(fields, pointSize).value_or(0.0f) * 0.1f / 72.0f * resolution > limit;
}

}  // namespace

std::vector<std::string> NameFields(std::string const & name, std::size_t most)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (fields.size() < most && pos < name.size() && name[pos] == '-') {
        ++pos;
        std::size_t end = name.find('-', pos);
        if (end == std::string::npos)
            end = name.size();
        if (end == pos)
            break;
        fields.push_back(name.substr(pos, end - pos));
        pos = end;
    }
    return fields;
}

std::string FieldOr(std::vector<std::string> const & fields, std::size_t index, char const * missing)
{
    return index < fields.size() ? fields[index] : missing;
}

std::optional<std::string> SubstituteName(std::string const & name, bool withDisplay)
{
    static char const * const twins[][2] = {{"helvetica", "arial"},
                                            {"arial", "helvetica"},
                                            {"new century schoolbook", "bookman old style"},
                                            {"bookman old style", "new century schoolbook"}};
    for (auto const & twin : twins) {
        std::size_t const at = name.find(twin[0]);
        if (at != std::string::npos)
            return name.substr(0, at) + twin[1] + name.substr(at + std::strlen(twin[0]));
    }
    if (withDisplay)
        return std::nullopt;
    std::vector<std::string> const fields = NameFields(name, fieldsRead);
    if (fields.size() <= weight)
        return std::string(kDefaultFontName);
    std::string const & asked = fields[weight];
    std::string const courierWeight = Contains(asked, "bold") || Contains(asked, "black") ? "bold" : "medium";
    return "-*-courier-" + courierWeight + "-" + FieldOr(fields, slant, "*") + "-" + FieldOr(fields, setWidth, "*") +
           "-*-" + FieldOr(fields, pixelSize, "*") + "-" + FieldOr(fields, pointSize, "*") + "-";
}

XFontStruct * LoadServerFont(Display * display, cow_String const & name, float dpi)
{
    if (!display || name.Length() > kMaxServerFontName || BeyondAnyScreen(name.AsCharPtr(), dpi))
        return nullptr;
    return XLoadQueryFont(display, name.AsCharPtr());
}

}  // namespace fsp_server
