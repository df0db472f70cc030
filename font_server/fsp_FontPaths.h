// Where the font server looks for font files: the folders named by the
// environment and the Acrobat Reader's font folder, in the order the
// catalogue and the search go through them. Internal to the font server.
#ifndef FSP_FONTPATHS_H
#define FSP_FONTPATHS_H

#include <optional>
#include <string>
#include <vector>

namespace fsp_server {

// The extension of a file name from its last ".", in upper case; empty without one.
std::string Extension(std::string const & path);
// The folders of QEL_FONT_PATH.
std::vector<std::string> FontPathDirectories();
// The font folder of the Acrobat Reader; none when neither the registry nor
// the system drive tells where it is.
std::optional<std::string> AcrobatFontsFolder();
// The font folder under the configuration of each folder of VNT_PATH.
std::vector<std::string> VntDirectories();

}  // namespace fsp_server

#endif
