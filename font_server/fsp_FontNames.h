// Requested font names, X logical font descriptions such as
// "-*-courier-medium-r-*-*-*-100-*-*-*-*-*-*": their fields, the substitute
// tried when a name finds no file, and the X server fonts they name.
// Internal to the font server.
#ifndef FSP_FONTNAMES_H
#define FSP_FONTNAMES_H

#include <X11/Xlib.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cow_String.h"

namespace fsp_server {

constexpr char const * kDefaultFontName = "-*-courier-bold-o-*-*-*-120-*-*-*-*-*-*";

// Field positions of an X logical font description.
enum Field { foundry, family, weight, slant, setWidth, addStyle, pixelSize, pointSize, resolutionX, resolutionY };
// The fields a request is read from.
constexpr std::size_t fieldsRead = resolutionX;

// The "-"-separated fields of an X logical font description as a scan format
// of "%[^-]" conversions reads them: each one or more characters other than
// "-"; the first empty or missing field ends the reading.
std::vector<std::string> NameFields(std::string const & name, std::size_t most);
std::string FieldOr(std::vector<std::string> const & fields, std::size_t index, char const * missing);
// The name with one family swapped for a metric twin, or for a courier of
// the same style when there is no X server to fall back to.
std::optional<std::string> SubstituteName(std::string const & name, bool withDisplay);
// An X server font by name. None for a size beyond any screen or printer,
// which the X server refuses with an error that ends the process.
XFontStruct * LoadServerFont(Display * display, cow_String const & name, float dpi);

}  // namespace fsp_server

#endif
