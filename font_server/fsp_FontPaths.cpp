#include "fsp_FontPaths.h"

#include <cctype>
#include <memory>

#include "fsp_TextHelpers.h"
#include "win_Registry.h"

using namespace fsp_text;

namespace fsp_server {

constexpr char const * kAcrobatKey = "Software\\Adobe\\Acrobat\\Exe";

std::string Extension(std::string const & path)
{
    std::size_t const slash = path.find_last_of('/');
    std::size_t const dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    std::string extension = path.substr(dot);
    for (char & c : extension)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension;
}

std::optional<std::string> AcrobatFontsFolder()
{
    if (std::unique_ptr<win_RegistryKey> key = win_GetRegistry().OpenKey(win_Hive::classesRoot, kAcrobatKey)) {
        win_RegistryValue value;
        if (key->EnumValue(0, value) == win_RegistryKey::Result::value && value.type == win_REG_SZ) {
            std::string const program = value.Text();
            std::size_t const cut = program.find_last_of("\\/");
            if (cut != std::string::npos)
                return program.substr(0, cut) + "/Fonts";
        }
    }
    if (std::optional<std::string> const drive = Env("SystemDrive"))
        return *drive + "/Program Files/Acrobat3/Reader/Fonts";
    return std::nullopt;
}

std::vector<std::string> FontPathDirectories()
{
    std::optional<std::string> const path = Env("QEL_FONT_PATH");
    return path ? Split(*path, ';') : std::vector<std::string>();
}

std::vector<std::string> VntDirectories()
{
    std::vector<std::string> directories;
    std::optional<std::string> const path = Env("VNT_PATH");
    if (!path)
        return directories;
    for (std::string directory : Split(*path, ';')) {
        if (!directory.empty() && (directory.back() == '/' || directory.back() == '\\'))
            directory.pop_back();
        // An empty entry would name a folder at the root that nobody configured.
        if (!directory.empty())
            directories.push_back(directory + "/Configuration/fonts");
    }
    return directories;
}

}  // namespace fsp_server
