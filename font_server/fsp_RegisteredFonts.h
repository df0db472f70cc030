// The fonts registered with the system (the values of the registry's font
// key): which engine reads each, where its file is, and their catalogue
// records. Internal to the font server.
#ifndef FSP_REGISTEREDFONTS_H
#define FSP_REGISTEREDFONTS_H

#include <functional>
#include <optional>
#include <string>

#include "fsp_FontList.h"

namespace fsp_server {

// The file of a registered font: the data itself when it is an absolute path,
// else a file of the system's font folder; none without a system folder.
std::optional<std::string> RegistryFontFile(std::string const & data);
// The mark in a registered font's value name: "(TrueType)" for a TrueType
// font, "(Type 1)" for a Type 1 font file; null when it has none that a ready
// engine reads.
char const * RegistryMark(std::string const & name, std::string const & data, bool trueType, bool type1);
// Describes each registered font that a ready engine reads: `add` counts a
// font and gives the record to fill, or null when the list is full.
void ListRegisteredFonts(bool trueType, bool type1, std::function<fsp_FontList *()> const & add);

}  // namespace fsp_server

#endif
