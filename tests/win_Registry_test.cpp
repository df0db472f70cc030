// The registry sources: the in-memory registry a host or test fills, the
// fontconfig source that stands for the installed fonts on this platform, and
// the directory listing the font scans use.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "utl_DirObject.h"
#include "win_Registry.h"

namespace {

namespace fs = std::filesystem;

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

TEST(MemoryRegistry, KeysOpenWithoutRegardToCaseAndOnlyInTheirHive)
{
    win_MemoryRegistry registry;
    registry.SetString(win_Hive::localMachine, win_fontsKey, "Arial (TrueType)", "ARIAL.TTF");
    EXPECT_NE(nullptr, registry.OpenKey(win_Hive::localMachine, "software\\microsoft\\windows nt\\currentversion\\FONTS"));
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::classesRoot, win_fontsKey));
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::localMachine, "SOFTWARE\\Microsoft"));
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::localMachine, nullptr));
}

TEST(MemoryRegistry, ValuesEnumerateInTheOrderTheyWereSetAndEndAfterTheLast)
{
    win_MemoryRegistry registry;
    registry.SetString(win_Hive::localMachine, "K", "first", "one");
    registry.SetString(win_Hive::localMachine, "K", "second", "two");
    std::unique_ptr<win_RegistryKey> key = registry.OpenKey(win_Hive::localMachine, "K");
    ASSERT_NE(nullptr, key);
    win_RegistryValue value;
    ASSERT_EQ(win_RegistryKey::Result::value, key->EnumValue(1, value));
    EXPECT_EQ("second", value.name);
    EXPECT_EQ(unsigned(win_REG_SZ), value.type);
    EXPECT_EQ("two", value.Text());
    EXPECT_EQ(4u, value.data.size());  // stored with its terminating 0
    ASSERT_EQ(win_RegistryKey::Result::value, key->EnumValue(0, value));
    EXPECT_EQ("first", value.name);
    EXPECT_EQ(win_RegistryKey::Result::end, key->EnumValue(2, value));
    EXPECT_EQ(win_RegistryKey::Result::end, key->EnumValue(~0u, value));
}

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
    add(std::string(1024, 'n'), 1);     // no room for the name's terminating 0
    add("long data", 1025);
    add("last", 1);
    std::unique_ptr<win_RegistryKey> key = registry.OpenKey(win_Hive::localMachine, "K");
    int unreadable = 0;
    std::vector<win_RegistryValue> const values = AllValues(*key, unreadable);
    EXPECT_EQ(2, unreadable);
    ASSERT_EQ(2u, values.size());
    EXPECT_EQ(1023u, values[0].name.size());
    EXPECT_EQ(std::string(1024, 'x'), values[0].Text());
    EXPECT_EQ("last", values[1].name);
}

TEST(MemoryRegistry, TextEndsAtTheFirstZeroByte)
{
    win_RegistryValue value;
    value.data = {'a', 'b', 0, 'c', 0};
    EXPECT_EQ("ab", value.Text());
    value.data.clear();
    EXPECT_EQ("", value.Text());
}

TEST(Registry, AnInstalledRegistryReplacesTheDefaultUntilItIsRemoved)
{
    auto memory = std::make_unique<win_MemoryRegistry>();
    memory->SetString(win_Hive::classesRoot, "Only\\Here", "v", "d");
    win_Registry const * installed = memory.get();
    std::unique_ptr<win_Registry> previous = win_SetRegistry(std::move(memory));
    EXPECT_EQ(nullptr, previous);
    EXPECT_EQ(installed, &win_GetRegistry());
    EXPECT_NE(nullptr, win_GetRegistry().OpenKey(win_Hive::classesRoot, "Only\\Here"));
    std::unique_ptr<win_Registry> removed = win_SetRegistry(nullptr);
    EXPECT_EQ(installed, removed.get());
    EXPECT_EQ(nullptr, win_GetRegistry().OpenKey(win_Hive::classesRoot, "Only\\Here"));
    EXPECT_NE(nullptr, dynamic_cast<win_FontconfigRegistry const *>(&win_GetRegistry()));
}

class Fontconfig : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::unique_ptr<win_RegistryKey> key = registry.OpenKey(win_Hive::localMachine, win_fontsKey);
        ASSERT_NE(nullptr, key);
        int unreadable = 0;
        for (win_RegistryValue const & value : AllValues(*key, unreadable))
            values.emplace(value.name, value.Text());
        EXPECT_EQ(0, unreadable);
    }
    std::string File(char const * name) const
    {
        auto const found = values.find(name);
        return found == values.end() ? std::string() : fs::path(found->second).filename().string();
    }
    win_FontconfigRegistry registry;
    std::multimap<std::string, std::string> values;
};

TEST_F(Fontconfig, OffersEveryInstalledTrueTypeAndType1FaceUnderItsFamilyAndStyle)
{
    EXPECT_EQ("DejaVuSans.ttf", File("DejaVu Sans (TrueType)"));  // the regular face has no style word
    EXPECT_EQ("DejaVuSans-BoldOblique.ttf", File("DejaVu Sans Bold Oblique (TrueType)"));
    EXPECT_EQ("DejaVuSansMono-Bold.ttf", File("DejaVu Sans Mono Bold (TrueType)"));
    EXPECT_EQ("LiberationSerif-BoldItalic.ttf", File("Liberation Serif Bold Italic (TrueType)"));
    EXPECT_EQ("LiberationSansNarrow-Regular.ttf", File("Liberation Sans Narrow (TrueType)"));
    EXPECT_EQ("NimbusSans-Regular.pfb", File("Nimbus Sans (Type 1)"));
    EXPECT_EQ("NimbusSans-BoldItalic.pfb", File("Nimbus Sans Bold Italic (Type 1)"));
    EXPECT_EQ("C059-Roman.pfb", File("C059 (Type 1)"));
}

TEST_F(Fontconfig, EveryValueIsAFileTheEnginesReadGivenByAbsolutePathAndMarkedByItsKind)
{
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
    }
}

TEST_F(Fontconfig, ClassicNamesNotInstalledAreServedByTheirMetricCompatibleFaces)
{
    EXPECT_EQ("LiberationSans-Regular.ttf", File("Arial (TrueType)"));
    EXPECT_EQ("LiberationSans-BoldItalic.ttf", File("Arial Bold Italic (TrueType)"));
    // Helvetica's own twins are Type 1 and CFF only; Arial's stand in.
    EXPECT_EQ("LiberationSans-Bold.ttf", File("Helvetica Bold (TrueType)"));
    EXPECT_EQ("LiberationSerif-Italic.ttf", File("Times New Roman Italic (TrueType)"));
    EXPECT_EQ("LiberationSerif-Regular.ttf", File("Times (TrueType)"));
    EXPECT_EQ("LiberationMono-Regular.ttf", File("Courier New (TrueType)"));
    EXPECT_EQ("LiberationMono-BoldItalic.ttf", File("Courier Bold Italic (TrueType)"));
    // A generic face is no metric substitute.
    for (auto const & [name, file] : values) {
        if (name.rfind("Arial", 0) == 0 || name.rfind("Helvetica", 0) == 0) {
            EXPECT_NE(std::string::npos, file.find("LiberationSans-")) << name;
        }
    }
}

TEST_F(Fontconfig, AnswersOnlyTheFontsKey)
{
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::classesRoot, "Software\\Adobe\\Acrobat\\Exe"));
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::classesRoot, win_fontsKey));
    EXPECT_EQ(nullptr, registry.OpenKey(win_Hive::localMachine, "SOFTWARE"));
    EXPECT_NE(nullptr, registry.OpenKey(win_Hive::localMachine, "software\\microsoft\\windows nt\\currentversion\\fonts"));
}

class DirObject : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/dirobject.XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        root = pattern;
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(DirObject, ListsTheFilesOfADirectorySortedByNameWithoutSubdirectories)
{
    std::ofstream(root / "b.pfb") << "x";
    std::ofstream(root / "a.ttf") << "x";
    std::ofstream(root / "noextension") << "x";
    fs::create_directory(root / "sub.ttf");
    std::vector<std::string> const files = utl_DirObject(root.string()).Files();
    EXPECT_EQ((std::vector<std::string>{(root / "a.ttf").string(), (root / "b.pfb").string(),
                                        (root / "noextension").string()}),
              files);
}

TEST_F(DirObject, AFileOrAMissingPathIsNoDirectoryAndListsNothing)
{
    std::ofstream(root / "file") << "x";
    EXPECT_TRUE(utl_DirObject(root.string()).IsDirectory());
    EXPECT_FALSE(utl_DirObject((root / "file").string()).IsDirectory());
    EXPECT_TRUE(utl_DirObject((root / "file").string()).Files().empty());
    EXPECT_FALSE(utl_DirObject((root / "missing").string()).IsDirectory());
    EXPECT_TRUE(utl_DirObject((root / "missing").string()).Files().empty());
    EXPECT_FALSE(utl_DirObject("").IsDirectory());
    EXPECT_FALSE(utl_DirObject(std::string(100000, 'a')).IsDirectory());
}

}  // namespace
