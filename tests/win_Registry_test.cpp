// The registry sources: the in-memory registry a host or test fills, and the
// fontconfig source that stands for the installed fonts on this platform.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "win_Registry.h"

namespace {

namespace fs = std::filesystem;

// The values of `key` in order, and how many could not be read.
std::vector<win_RegistryValue> AllValues(win_RegistryKey const & key, int & unreadable)
{
    std::vector<win_RegistryValue> values;
    unreadable = 0;
    win_RegistryValue value;
    for (unsigned index = 0;; ++index) {
        win_RegistryKey::Result const result = key.EnumValue(index, value);
        if (result == win_RegistryKey::Result::end)
            break;
        if (result == win_RegistryKey::Result::unreadable)
            ++unreadable;
        else
            values.push_back(value);
    }
    return values;
}

// A value beyond the buffers the platform's callers pass (1024 bytes each, the
// name with its terminating 0) is unreadable, and the enumeration goes on.
TEST(MemoryRegistry, AValueBeyondTheBufferLimitsIsUnreadableAndTheEnumerationGoesOn)
{
    win_MemoryRegistry registry;
    auto add = [&](std::string name, std::size_t dataBytes) {
        win_RegistryValue value;
        value.name = std::move(name);
        value.type = win_REG_BINARY;
        value.data.assign(dataBytes, 'x');
        registry.SetValue(win_Hive::localMachine, "K", value);
    };
    add(std::string(1023, 'n'), 1024);  // both just fit, the data without a terminating 0
    add(std::string(1024, 'n'), 1);
    add("long data", 1025);
    add("last", 1);
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::localMachine, nullptr));
    std::unique_ptr<win_RegistryKey> key = registry.OpenKey(win_Hive::localMachine, "k");
    ASSERT_NE(nullptr, key);
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::localMachine, "J"));
    int unreadable = 0;
    std::vector<win_RegistryValue> const values = AllValues(*key, unreadable);
    EXPECT_EQ(2, unreadable);
    ASSERT_EQ(2u, values.size());
    EXPECT_EQ(1023u, values[0].name.size());
    EXPECT_EQ(std::string(1024, 'x'), values[0].Text());
    EXPECT_EQ("last", values[1].name);
    win_RegistryValue value;
    EXPECT_EQ(win_RegistryKey::Result::end, key->EnumValue(~0u, value));
    value.data = {'a', 'b', 0, 'c', 0};
    EXPECT_EQ("ab", value.Text());  // text ends at the first 0 byte
}

// Every installed TrueType and Type 1 face under its family and style, marked
// by its kind, and the classic names not installed served by their metric
// compatible faces.
TEST(Fontconfig, OffersTheInstalledFacesAndTheClassicNamesUnderTheFontsKeyOnly)
{
    // Under a German locale fontconfig lists a face's German family first; the
    // English one names the value. Set before the first fontconfig use.
    char pattern[] = "/tmp/win_Registry_test.XXXXXX";
    fs::path const dir = mkdtemp(pattern);
    fs::create_symlink("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", dir / "Bold.ttf");
    std::ofstream(dir / "fonts.conf") << "<fontconfig><cachedir>" << dir.string() << "</cachedir><dir>" << dir.string()
                                      << "</dir><include>/etc/fonts/fonts.conf</include><match target=\"scan\">"
                                      << "<edit name=\"family\" mode=\"prepend_first\"><string>Fett</string></edit>"
                                      << "<edit name=\"familylang\" mode=\"prepend_first\"><string>de</string>"
                                      << "</edit></match></fontconfig>";
    setenv("FONTCONFIG_FILE", (dir / "fonts.conf").c_str(), 1);
    setenv("FC_LANG", "de", 1);
    // The registry of the process unless one is installed.
    EXPECT_EQ(nullptr, win_SetRegistry(std::make_unique<win_MemoryRegistry>()));
    EXPECT_NE(nullptr, win_SetRegistry(nullptr));
    win_FontconfigRegistry const & registry = dynamic_cast<win_FontconfigRegistry const &>(win_GetRegistry());
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::classesRoot, "Software\\Adobe\\Acrobat\\Exe"));
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::classesRoot, win_fontsKey));
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::localMachine, "SOFTWARE"));
    std::unique_ptr<win_RegistryKey> key =
        registry.OpenKey(win_Hive::localMachine, "software\\microsoft\\windows nt\\currentversion\\fonts");
    ASSERT_NE(nullptr, key);
    int unreadable = 0;
    std::multimap<std::string, std::string> values;
    for (win_RegistryValue const & value : AllValues(*key, unreadable)) {
        EXPECT_EQ(value.Text().size() + 1, value.data.size()) << value.name;  // text with its terminating 0
        values.emplace(value.name, value.Text());
    }
    unsetenv("FONTCONFIG_FILE");
    unsetenv("FC_LANG");
    EXPECT_EQ(2u, values.count("DejaVu Sans Bold (TrueType)"));  // the copy in `dir` too
    EXPECT_EQ(0, unreadable);
    ASSERT_FALSE(values.empty());
    for (auto const & [name, file] : values) {
        ASSERT_FALSE(file.empty());
        EXPECT_EQ('/', file[0]) << file;
        std::string const extension = fs::path(file).extension().string();
        // No CFF faces (".otf") and no ".t1" copies of the Type 1 fonts.
        if (extension == ".pfa" || extension == ".pfb")
            EXPECT_EQ(" (Type 1)", name.substr(name.size() - 9)) << name;
        else if (extension == ".ttf" || extension == ".ttc")
            EXPECT_EQ(" (TrueType)", name.substr(name.size() - 11)) << name;
        else
            ADD_FAILURE() << file;
        EXPECT_TRUE(fs::is_regular_file(file)) << file;
        // A generic face is no metric substitute.
        if (name.rfind("Arial", 0) == 0 || name.rfind("Helvetica", 0) == 0) {
            EXPECT_NE(std::string::npos, file.find("LiberationSans-")) << name;
        }
    }
    auto file = [&](char const * name) {
        auto const found = values.find(name);
        return found == values.end() ? std::string() : fs::path(found->second).filename().string();
    };
    for (auto const & [name, expected] : std::map<char const *, char const *>{
             {"DejaVu Sans (TrueType)", "DejaVuSans.ttf"},  // the regular face has no style word
             {"DejaVu Sans Bold Oblique (TrueType)", "DejaVuSans-BoldOblique.ttf"},
             {"Liberation Sans Narrow (TrueType)", "LiberationSansNarrow-Regular.ttf"},
             {"Nimbus Sans Bold Italic (Type 1)", "NimbusSans-BoldItalic.pfb"},
             {"C059 (Type 1)", "C059-Roman.pfb"},
             {"Arial Bold Italic (TrueType)", "LiberationSans-BoldItalic.ttf"},
             {"Helvetica Bold (TrueType)", "LiberationSans-Bold.ttf"},  // its own twins are Type 1 and CFF only
             {"Times New Roman Italic (TrueType)", "LiberationSerif-Italic.ttf"},
             {"Times (TrueType)", "LiberationSerif-Regular.ttf"},
             {"Courier Bold Italic (TrueType)", "LiberationMono-BoldItalic.ttf"},
         })
        EXPECT_EQ(expected, file(name)) << name;
    fs::remove_all(dir);
}

}  // namespace
