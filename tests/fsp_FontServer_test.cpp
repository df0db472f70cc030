// The font server without an X display: the catalogue of installed fonts
// (registry values, font directories, X font directory files), the matching
// of requested names with every fallback, the font table and its per-handle
// queries, and untrusted names, values, environment and font headers.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fsp_FontServer.h"
#include "fsp_Module.h"
#include "win_Registry.h"

namespace {

namespace fs = std::filesystem;

std::string const dejavu = "/usr/share/fonts/truetype/dejavu/";
std::string const liberation = "/usr/share/fonts/truetype/liberation/";
std::string const type1 = "/usr/share/fonts/X11/Type1/";
unsigned const noFont = fsp_FontServer::noFont;

// The display counts as 100 dpi for the whole program, so that sizes from
// pixel sizes are known. QEL_FONT_PATH is present from the start: the server
// decides once whether it is set and reads its value each time.
class FixedSetting : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("QEL_PRINT_XRES", "3.9370079", 1);
        unsetenv("QEL_PRINT_YRES");
        setenv("QEL_FONT_PATH", "", 1);
    }
};
::testing::Environment * const fixedSetting = ::testing::AddGlobalTestEnvironment(new FixedSetting);

std::string ReadFile(fs::path const & path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(fs::path const & path, std::string const & bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// An installed binary Type 1 font rewritten in the clear-text form, with
// edits to its clear-text header.
std::string PfaFrom(std::string const & pfb, std::vector<std::pair<std::string, std::string>> const & edits)
{
    std::string const bytes = ReadFile(pfb);
    std::string out;
    bool header = true;
    std::size_t pos = 0;
    while (pos + 6 <= bytes.size() && static_cast<unsigned char>(bytes[pos]) == 0x80 && bytes[pos + 1] != 3) {
        auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos + i])); };
        std::uint32_t const length = byte(2) | byte(3) << 8 | byte(4) << 16 | byte(5) << 24;
        std::string segment = bytes.substr(pos + 6, length);
        pos += 6 + length;
        if (bytes[pos - 6 - length + 1] == 1) {
            for (auto const & [from, to] : edits) {
                if (!header)
                    break;
                std::size_t const at = segment.find(from);
                if (at != std::string::npos)
                    segment.replace(at, from.size(), to);
            }
            header = false;
            out += segment;
        } else {
            static char const digits[] = "0123456789abcdef";
            for (std::size_t i = 0; i < segment.size(); ++i) {
                out += digits[static_cast<unsigned char>(segment[i]) >> 4];
                out += digits[static_cast<unsigned char>(segment[i]) & 15];
                if (i % 32 == 31)
                    out += '\n';
            }
            out += '\n';
        }
    }
    return out;
}

class Server : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/fontserver.XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        root = pattern;
        auto memory = std::make_unique<win_MemoryRegistry>();
        registry = memory.get();
        win_SetRegistry(std::move(memory));
        Fonts().Init(nullptr);
    }
    void TearDown() override
    {
        omi_Singleton<fsp_FontServer>::Finalize();
        win_SetRegistry(nullptr);
        setenv("QEL_FONT_PATH", "", 1);
        for (char const * name : {"VNT_PATH", "SystemRoot", "SystemDrive"})
            unsetenv(name);
        fs::remove_all(root);
    }

    static fsp_FontServer & Fonts() { return omi_Singleton<fsp_FontServer>::Instance(); }

    void Register(std::string const & name, std::string const & file)
    {
        registry->SetString(win_Hive::localMachine, win_fontsKey, name, file);
    }
    std::vector<fsp_FontList> List()
    {
        int count = 0;
        int const found = Fonts().GetFontList(nullptr, count);
        std::vector<fsp_FontList> list(static_cast<std::size_t>(found));
        count = found;
        EXPECT_EQ(found, Fonts().GetFontList(list.data(), count));
        list.resize(static_cast<std::size_t>(count));
        return list;
    }
    static fsp_FontList const * Find(std::vector<fsp_FontList> const & list, std::string const & file)
    {
        auto const found = std::find_if(list.begin(), list.end(),
                                        [&](fsp_FontList const & r) { return file == r.file.AsCharPtr(); });
        return found == list.end() ? nullptr : &*found;
    }
    static std::string FileOf(unsigned handle)
    {
        cow_String file;
        float size = 0.0f;
        return Fonts().GetFontInfo(handle, file, size) ? file.AsCharPtr() : "<free>";
    }
    static float SizeOf(unsigned handle)
    {
        cow_String file;
        float size = -1.0f;
        Fonts().GetFontInfo(handle, file, size);
        return size;
    }
    static unsigned Load(char const * name, bool temporary = false)
    {
        return Fonts().LoadFont(name, 0.0f, 0.0f, false, temporary, false);
    }
    static unsigned LoadOutlines(char const * name)
    {
        return Fonts().LoadFont(name, 0.0f, 0.0f, false, false, true);
    }
    fs::path Copy(std::string const & from, std::string const & name)
    {
        fs::path const to = root / name;
        fs::create_directories(to.parent_path());
        fs::copy_file(from, to, fs::copy_options::overwrite_existing);
        return to;
    }

    fs::path root;
    win_MemoryRegistry * registry = nullptr;
};

// ---- engines and set-up ---------------------------------------------------

TEST(Engines, AnswerZeroOnlyForTheirOwnMajorInterfaceVersion)
{
    EXPECT_EQ(0, fsp_InitTrueTypeEngine(0x2000000));
    EXPECT_EQ(0, fsp_InitTrueTypeEngine(0x2FFFFFF));
    EXPECT_EQ(65534, fsp_InitTrueTypeEngine(0x3000000));
    EXPECT_EQ(65534, fsp_InitTrueTypeEngine(0));
    EXPECT_EQ(0, fsp_InitType1Engine(0x3000000));
    EXPECT_EQ(1, fsp_InitType1Engine(0x2000000));
    EXPECT_EQ(1, fsp_InitType1Engine(0xFF000000));
}

TEST(Singleton, TheLastFinaliseDestroysTheServerAndTheNextUseMakesANewOne)
{
    int count = 0;
    fsp_initialize(count);
    fsp_initialize(count);
    auto memory = std::make_unique<win_MemoryRegistry>();
    memory->SetString(win_Hive::localMachine, win_fontsKey, "Alpha (TrueType)", dejavu + "DejaVuSans.ttf");
    win_SetRegistry(std::move(memory));
    fsp_FontServer & server = omi_Singleton<fsp_FontServer>::Instance();
    EXPECT_EQ(&server, &omi_Singleton<fsp_FontServer>::Instance());
    server.Init(nullptr);
    unsigned const handle = server.LoadFont("-*-alpha-*-*-*-*-*-100-*", 0, 0, false, false, false);
    ASSERT_EQ(0u, handle);
    cow_String file;
    float size = 0.0f;

    fsp_finalize(count);  // not the last: the server and its table stay
    EXPECT_TRUE(omi_Singleton<fsp_FontServer>::Instance().GetFontInfo(handle, file, size));
    fsp_finalize(count);
    EXPECT_EQ(0, count);
    EXPECT_FALSE(omi_Singleton<fsp_FontServer>::Instance().GetFontInfo(handle, file, size));
    omi_Singleton<fsp_FontServer>::Finalize();
    win_SetRegistry(nullptr);
}

TEST_F(Server, BeforeInitNoEngineIsReadySoNoFontIsFound)
{
    omi_Singleton<fsp_FontServer>::Finalize();
    Register("Alpha (TrueType)", dejavu + "DejaVuSans.ttf");
    setenv("QEL_FONT_PATH", type1.c_str(), 1);
    int count = 5;
    EXPECT_EQ(0, Fonts().GetFontList(nullptr, count));
    EXPECT_EQ(0, count);
    // Without an engine and without a display the slot holds no font at all.
    unsigned const handle = Load("-*-alpha-*-*-*-*-*-100-*");
    ASSERT_NE(noFont, handle);
    EXPECT_EQ("", FileOf(handle));
    Fonts().Init(nullptr);
    EXPECT_EQ(1 + 35, Fonts().GetFontList(nullptr, count));
}

// ---- catalogue: registered fonts -----------------------------------------

TEST_F(Server, AListOfNoRecordsOnlyCounts)
{
    Register("Alpha (TrueType)", dejavu + "DejaVuSans.ttf");
    Register("Beta (TrueType)", dejavu + "DejaVuSerif.ttf");
    Register("Gamma", dejavu + "DejaVuSansMono.ttf");
    int count = 7;
    EXPECT_EQ(3, Fonts().GetFontList(nullptr, count));
    EXPECT_EQ(0, count);
}

TEST_F(Server, ARegisteredBoldItalicFaceIsDescribedByItsValueName)
{
    setenv("SystemRoot", root.c_str(), 1);
    Copy(liberation + "LiberationSans-BoldItalic.ttf", "Fonts/ARIALBI.TTF");
    Register("Arial Bold Italic (TrueType)", "ARIALBI.TTF");
    std::vector<fsp_FontList> const list = List();
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ(0, list[0].id);
    EXPECT_STREQ("Arial", list[0].name.AsCharPtr());
    EXPECT_STREQ("arial", list[0].family.AsCharPtr());
    EXPECT_EQ((root / "Fonts/ARIALBI.TTF").string(), list[0].file.AsCharPtr());
    EXPECT_EQ(fsp_FontList::bold | fsp_FontList::italic | fsp_FontList::normalWidth | fsp_FontList::proportional,
              list[0].flags);
    EXPECT_STREQ("-*-arial-bold-i-normal-*-*-%d-*-*-p-*-*-*", list[0].pattern.AsCharPtr());
    EXPECT_STREQ("-*-arial-bold-i-normal-*-*-120-*-*-p-*-*-*", list[0].PatternFor(120).AsCharPtr());
}

TEST_F(Server, RegisteredNamesKeepWeightWordsThatAreNotBoldAndBookmanHasNoWeight)
{
    std::string const sans = dejavu + "DejaVuSans.ttf";
    Register("Arial Black (TrueType)", sans);
    Register("Bookman Old Style (TrueType)", dejavu + "DejaVuSansMono.ttf");
    Register("Gill Sans Book (TrueType)", sans);
    Register("Futura Light Oblique (TrueType)", sans);
    Register("Frutiger Semibold Condensed (TrueType)", sans);
    Register("Univers Demi Narrow (TrueType)", sans);
    Register("Optima Regular (TrueType)", sans);
    Register("Tahoma Normal Semicondensed (TrueType)", sans);
    auto byName = [&](char const * name) {
        std::vector<fsp_FontList> const list = List();
        auto const found = std::find_if(list.begin(), list.end(),
                                        [&](fsp_FontList const & r) { return r.name == name; });
        EXPECT_NE(found, list.end()) << name;
        return found == list.end() ? fsp_FontList() : *found;
    };
    fsp_FontList const black = byName("Arial Black");
    EXPECT_STREQ("arial black", black.family.AsCharPtr());
    EXPECT_EQ(fsp_FontList::black | fsp_FontList::roman | fsp_FontList::normalWidth | fsp_FontList::proportional,
              black.flags);
    fsp_FontList const bookman = byName("Bookman Old Style");
    EXPECT_EQ(fsp_FontList::roman | fsp_FontList::normalWidth, bookman.flags);  // monospaced file, no weight
    EXPECT_STREQ("-*-bookman old style-*-r-normal-*-*-%d-*-*-m-*-*-*", bookman.pattern.AsCharPtr());
    EXPECT_TRUE(byName("Gill Sans Book").flags & fsp_FontList::book);
    fsp_FontList const futura = byName("Futura Light");
    EXPECT_EQ(fsp_FontList::light | fsp_FontList::oblique, futura.flags & (fsp_FontList::light | fsp_FontList::oblique));
    EXPECT_STREQ("-*-futura light-light-o-normal-*-*-%d-*-*-p-*-*-*", futura.pattern.AsCharPtr());
    fsp_FontList const frutiger = byName("Frutiger Semibold Condensed");
    EXPECT_EQ(fsp_FontList::semibold | fsp_FontList::condensed,
              frutiger.flags & (fsp_FontList::semibold | fsp_FontList::condensed));
    EXPECT_STREQ("-*-frutiger semibold condensed-semibold-r-condensed-*-*-%d-*-*-p-*-*-*", frutiger.pattern.AsCharPtr());
    EXPECT_EQ(fsp_FontList::demi | fsp_FontList::narrow,
              byName("Univers Demi Narrow").flags & (fsp_FontList::demi | fsp_FontList::narrow));
    EXPECT_TRUE(byName("Optima").flags & fsp_FontList::regular);
    EXPECT_TRUE(byName("Tahoma Semicondensed").flags & fsp_FontList::semicondensed);
}

TEST_F(Server, OnlyTrueTypeValuesCountAndDrivePathsAreUsedAsTheyAre)
{
    Register("Modern", "modern.fon");              // neither marked TrueType nor a ".ttf" file
    Register("Script (All res)", "script.fon");
    Register("Plain Font", "C:\\Fonts\\PLAIN.TtF");  // no mark, but a TrueType file
    Register("Marked (TrueType)", "marked.ttf");    // relative, and no system folder to put it in
    Register("Empty (TrueType)", "");
    std::vector<fsp_FontList> const list = List();
    ASSERT_EQ(1u, list.size());
    EXPECT_STREQ("Plain Font", list[0].name.AsCharPtr());
    EXPECT_STREQ("C:\\Fonts\\PLAIN.TtF", list[0].file.AsCharPtr());
    EXPECT_FALSE(list[0].flags & fsp_FontList::proportional);  // no such file here: not known to be proportional
}

TEST_F(Server, RecordsSortByNameBytewiseAndEqualNamesKeepTheirOrderOfDiscovery)
{
    std::string const sans = dejavu + "DejaVuSans.ttf";
    Register("beta (TrueType)", sans);
    Register("Same Bold (TrueType)", dejavu + "DejaVuSans-Bold.ttf");
    Register("Alpha (TrueType)", sans);
    Register("Same (TrueType)", dejavu + "DejaVuSerif.ttf");
    Register("Same Italic (TrueType)", dejavu + "DejaVuSerif-Italic.ttf");
    std::vector<fsp_FontList> const list = List();
    std::vector<std::string> names;
    std::vector<int> ids;
    for (fsp_FontList const & record : list) {
        names.push_back(record.name.AsCharPtr());
        ids.push_back(record.id);
    }
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Same", "Same", "Same", "beta"}), names);
    EXPECT_EQ((std::vector<int>{2, 1, 3, 4, 0}), ids);
    EXPECT_EQ(dejavu + "DejaVuSans-Bold.ttf", list[1].file.AsCharPtr());
}

TEST_F(Server, FontsBeyondTheCapacityAreCountedButNotStored)
{
    std::string const sans = dejavu + "DejaVuSans.ttf";
    for (char const * name : {"E (TrueType)", "D (TrueType)", "C (TrueType)", "B (TrueType)", "A (TrueType)"})
        Register(name, sans);
    std::vector<fsp_FontList> list(5);
    list[2].name = "untouched";
    int count = 2;
    EXPECT_EQ(5, Fonts().GetFontList(list.data(), count));
    ASSERT_EQ(2, count);
    EXPECT_STREQ("D", list[0].name.AsCharPtr());  // the first two found, sorted between themselves
    EXPECT_STREQ("E", list[1].name.AsCharPtr());
    EXPECT_STREQ("untouched", list[2].name.AsCharPtr());
    count = -3;
    EXPECT_EQ(5, Fonts().GetFontList(list.data(), count));
    EXPECT_EQ(0, count);
}

TEST_F(Server, UnreadableOrHostileRegistryValuesAreSkippedAndTheRestRead)
{
    win_RegistryValue value;
    value.type = win_REG_SZ;
    value.name = std::string(5000, 'N') + " (TrueType)";
    value.data = {'a', '.', 't', 't', 'f', 0};
    registry->SetValue(win_Hive::localMachine, win_fontsKey, value);
    value.name = "Huge (TrueType)";
    value.data.assign(100000, 'd');
    registry->SetValue(win_Hive::localMachine, win_fontsKey, value);
    value.name = std::string("Bin\x01\xff\x7f Bold (TrueType)");
    std::string const path = dejavu + "DejaVuSans-Bold.ttf";
    value.data.assign(path.begin(), path.end());
    value.data.insert(value.data.end(), {0, 'j', 'u', 'n', 'k'});
    registry->SetValue(win_Hive::localMachine, win_fontsKey, value);
    value.name = "Unterminated (TrueType)";
    value.data.assign(1024, 'x');
    std::copy(path.begin(), path.end(), value.data.begin());
    registry->SetValue(win_Hive::localMachine, win_fontsKey, value);
    Register("Last (TrueType)", dejavu + "DejaVuSans.ttf");
    std::vector<fsp_FontList> const list = List();
    ASSERT_EQ(3u, list.size());
    EXPECT_EQ(std::string("Bin\x01\xff\x7f"), list[0].name.AsCharPtr());
    EXPECT_EQ(path, list[0].file.AsCharPtr());  // the data ends at its first 0 byte
    EXPECT_STREQ("Last", list[1].name.AsCharPtr());
    EXPECT_EQ(1024u, std::string(list[2].file.AsCharPtr()).size());
    EXPECT_EQ(path, FileOf(Load("-*-bin\x01\xff\x7f-bold-*-*-*-*-100-*")));
}

// ---- catalogue: font directories -------------------------------------------

TEST_F(Server, Type1FilesOfTheFontPathAreDescribedFromTheirHeaders)
{
    setenv("QEL_FONT_PATH", (";" + type1 + ";/no/such/dir;").c_str(), 1);
    std::vector<fsp_FontList> const list = List();
    EXPECT_EQ(35u, list.size());
    fsp_FontList const * bold = Find(list, type1 + "NimbusSans-Bold.pfb");
    ASSERT_NE(nullptr, bold);
    EXPECT_STREQ("Nimbus Sans", bold->name.AsCharPtr());
    EXPECT_STREQ("nimbus sans", bold->family.AsCharPtr());
    EXPECT_EQ(fsp_FontList::bold | fsp_FontList::roman | fsp_FontList::normalWidth | fsp_FontList::proportional,
              bold->flags);
    EXPECT_STREQ("-*-nimbus sans-bold-r-normal-*-*-%d-*-*-p-*-*-*", bold->pattern.AsCharPtr());
    fsp_FontList const * mono = Find(list, type1 + "NimbusMonoPS-Italic.pfb");
    ASSERT_NE(nullptr, mono);
    EXPECT_STREQ("Nimbus Mono Ps", mono->name.AsCharPtr());
    EXPECT_EQ(fsp_FontList::regular | fsp_FontList::italic | fsp_FontList::normalWidth, mono->flags);
    fsp_FontList const * narrow = Find(list, type1 + "NimbusSansNarrow-BoldOblique.pfb");
    ASSERT_NE(nullptr, narrow);
    EXPECT_STREQ("Nimbus Sans Narrow", narrow->name.AsCharPtr());
    EXPECT_EQ(fsp_FontList::bold | fsp_FontList::oblique | fsp_FontList::narrow | fsp_FontList::proportional,
              narrow->flags);
    fsp_FontList const * roman = Find(list, type1 + "C059-Roman.pfb");  // weight "Roman": medium, word dropped
    ASSERT_NE(nullptr, roman);
    EXPECT_STREQ("C059", roman->name.AsCharPtr());
    EXPECT_EQ(fsp_FontList::medium | fsp_FontList::roman | fsp_FontList::normalWidth | fsp_FontList::proportional,
              roman->flags);
    EXPECT_TRUE(Find(list, type1 + "URWBookman-LightItalic.pfb")->flags & fsp_FontList::light);
    EXPECT_TRUE(Find(list, type1 + "URWGothic-Demi.pfb")->flags & fsp_FontList::demi);
    EXPECT_TRUE(Find(list, type1 + "URWGothic-Book.pfb")->flags & fsp_FontList::book);
}

TEST_F(Server, TrueTypeFilesOfADirectoryAreNamedByTheFontAndCollectionsAreLeftOut)
{
    Copy(dejavu + "DejaVuSans-BoldOblique.ttf", "dir/a.TTF");
    Copy(liberation + "LiberationMono-Regular.ttf", "dir/b.ttf");
    Copy(dejavu + "DejaVuSans.ttf", "dir/c.ttc");
    Copy(dejavu + "DejaVuSans.ttf", "dir/noextension");
    Copy(dejavu + "DejaVuSans.ttf", "dir.ttf/d.ttf");  // the extension is the file name's
    WriteFile(root / "dir/broken.ttf", std::string(3000, '\xff'));
    WriteFile(root / "dir/empty.pfb", "");
    setenv("QEL_FONT_PATH", (root / "dir").c_str(), 1);
    std::vector<fsp_FontList> const list = List();
    ASSERT_EQ(2u, list.size());
    EXPECT_STREQ("DejaVu Sans", list[0].name.AsCharPtr());
    EXPECT_STREQ("DejaVu Sans", list[0].family.AsCharPtr());  // as the font gives it
    EXPECT_EQ(fsp_FontList::bold | fsp_FontList::italic | fsp_FontList::proportional, list[0].flags);
    EXPECT_STREQ("-*-DejaVu Sans-bold-i-*-*-*-%d-*-*-p-*-*-*", list[0].pattern.AsCharPtr());
    EXPECT_STREQ("Liberation Mono", list[1].name.AsCharPtr());
    EXPECT_EQ(fsp_FontList::medium | fsp_FontList::roman, list[1].flags);
    EXPECT_EQ((root / "dir/b.ttf").string(), list[1].file.AsCharPtr());
}

TEST_F(Server, VntAndAcrobatFoldersAreScannedWhereTheyAreConfigured)
{
    Copy(type1 + "P052-Bold.pfb", "vnt/Configuration/fonts/p.pfb");
    Copy(type1 + "C059-Bold.pfb", "reader/Fonts/c.pfb");
    Copy(type1 + "URWGothic-Book.pfb", "drive/Program Files/Acrobat3/Reader/Fonts/g.pfb");
    setenv("VNT_PATH", ((root / "none").string() + ";;" + (root / "vnt/").string()).c_str(), 1);
    setenv("SystemDrive", (root / "drive").c_str(), 1);
    std::vector<fsp_FontList> list = List();
    ASSERT_EQ(2u, list.size());  // without the Acrobat key the folder is on the system drive
    EXPECT_NE(nullptr, Find(list, (root / "drive/Program Files/Acrobat3/Reader/Fonts/g.pfb").string()));
    EXPECT_NE(nullptr, Find(list, (root / "vnt/Configuration/fonts/p.pfb").string()));

    registry->SetString(win_Hive::classesRoot, "Software\\Adobe\\Acrobat\\Exe", "", (root / "reader/AcroRd32.exe").string());
    list = List();
    ASSERT_EQ(2u, list.size());
    EXPECT_NE(nullptr, Find(list, (root / "reader/Fonts/c.pfb").string()));

    unsetenv("SystemDrive");
    unsetenv("VNT_PATH");
    win_SetRegistry(std::make_unique<win_MemoryRegistry>());
    int count = 0;
    EXPECT_EQ(0, Fonts().GetFontList(nullptr, count));  // nowhere made up is looked at
}

TEST_F(Server, AnAcrobatValueThatIsNoStringOrHasNoFolderFallsBackToTheSystemDrive)
{
    Copy(type1 + "URWGothic-Book.pfb", "drive/Program Files/Acrobat3/Reader/Fonts/g.pfb");
    win_RegistryValue value;
    value.type = win_REG_DWORD;
    value.data = {1, 0, 0, 0};
    registry->SetValue(win_Hive::classesRoot, "Software\\Adobe\\Acrobat\\Exe", value);
    setenv("SystemDrive", (root / "drive").c_str(), 1);
    int count = 0;
    EXPECT_EQ(1, Fonts().GetFontList(nullptr, count));
    win_SetRegistry(std::make_unique<win_MemoryRegistry>());
    static_cast<win_MemoryRegistry &>(const_cast<win_Registry &>(win_GetRegistry()))
        .SetString(win_Hive::classesRoot, "Software\\Adobe\\Acrobat\\Exe", "", "AcroRd32.exe");
    EXPECT_EQ(1, Fonts().GetFontList(nullptr, count));
}

TEST_F(Server, Type1HeadersOfEveryLineEndAndHostileOnesAreReadWithinBounds)
{
    std::string const sans = type1 + "NimbusSans-Regular.pfb";
    std::string const pfa = PfaFrom(sans, {});
    auto withEnds = [&](char const * end) {
        std::string text;
        for (char c : pfa.substr(0, 2000)) {
            if (c == '\n')
                text += end;
            else
                text += c;
        }
        return text + pfa.substr(2000);
    };
    fs::create_directories(root / "t1");
    WriteFile(root / "t1/crlf.pfa", withEnds("\r\n"));
    WriteFile(root / "t1/cr.pfa", withEnds("\r"));
    WriteFile(root / "t1/blank.pfa", "\n\n\n\n" + withEnds("\n\n"));
    WriteFile(root / "t1/late.pfa", "%!\nend\n/FamilyName (Late) readonly def\n");
    WriteFile(root / "t1/none.pfa", std::string(3000000, 'x'));  // no line end at all
    WriteFile(root / "t1/binary.pfb", std::string("\x80\x01\x10\x00\x00\x00\n/FamilyName (\0\xff)\n", 23));
    WriteFile(root / "t1/long.pfa", "/FamilyName (" + std::string(100000, 'L') + ")\n/Weight (" +
                                        std::string(5000, 'W') + ")\n/FullName " + std::string(5000, '(') + "\nend\n");
    WriteFile(root / "t1/bare.pfa", "/FamilyName Bare-Name\n/isFixedPitch false def\nend\n");
    setenv("QEL_FONT_PATH", (root / "t1").c_str(), 1);
    std::vector<fsp_FontList> const list = List();
    std::set<std::string> files;
    for (fsp_FontList const & record : list)
        files.insert(fs::path(record.file.AsCharPtr()).filename().string());
    EXPECT_EQ((std::set<std::string>{"crlf.pfa", "cr.pfa", "blank.pfa", "binary.pfb", "long.pfa", "bare.pfa"}), files);
    for (char const * name : {"crlf.pfa", "cr.pfa", "blank.pfa"}) {
        fsp_FontList const * record = Find(list, (root / "t1" / name).string());
        ASSERT_NE(nullptr, record) << name;
        EXPECT_STREQ("Nimbus Sans", record->name.AsCharPtr()) << name;
        EXPECT_EQ(fsp_FontList::regular | fsp_FontList::roman | fsp_FontList::normalWidth | fsp_FontList::proportional,
                  record->flags)
            << name;
    }
    fsp_FontList const * bare = Find(list, (root / "t1/bare.pfa").string());
    EXPECT_STREQ("Bare Name", bare->name.AsCharPtr());  // no FullName: the family, "-" as blanks
    EXPECT_STREQ("bare name", bare->family.AsCharPtr());
    EXPECT_EQ(fsp_FontList::medium | fsp_FontList::roman | fsp_FontList::normalWidth | fsp_FontList::proportional,
              bare->flags);
    // Lines are read in pieces of 1023 characters.
    EXPECT_EQ(1023u - 13u, std::string(Find(list, (root / "t1/long.pfa").string())->family.AsCharPtr()).size());
    EXPECT_TRUE(Fonts().ValidFontString("-*-bare name-*-*-*-*-*-100-*", nullptr));
    EXPECT_TRUE(Fonts().ValidFontString("-*-nimbus sans-bold-o-wide-*-*-100-*", nullptr));
    EXPECT_FALSE(Fonts().ValidFontString("-*-late-*-*-*-*-*-100-*", nullptr));
}

TEST_F(Server, FilesNamedAsFontsThatAreNoRegularFilesAreNeverRead)
{
    fs::create_directories(root / "odd");
    for (char const * name : {"fifo.pfa", "fifo.pfb", "fifo.ttf", "fifo.ttc"})
        ASSERT_EQ(0, mkfifo((root / "odd" / name).c_str(), 0600));
    int const sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string const socketPath = (root / "odd/socket.ttf").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(0, bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address));
    fs::create_symlink("/dev/zero", root / "odd/device.pfa");
    fs::create_directory(root / "odd/directory.pfb");
    Copy(type1 + "P052-Roman.pfb", "odd/real.pfb");
    for (char const * name : {"fifo.ttf", "fifo.ttc", "fifo.pfb", "socket.ttf", "device.pfa", "directory.pfb"})
        Register(std::string(name) + " (TrueType)", (root / "odd" / name).string());
    WriteFile(root / "odd/fonts.dir", "2\nfifo.pfa -urw-p052-medium-r-normal--0-0-0-0-p-0-iso8859-1\n"
                                  "real.pfb -urw-p052-medium-r-normal--0-0-0-0-p-0-iso8859-1\n");
    setenv("QEL_FONT_PATH", (root / "odd").c_str(), 1);
    // Each would block in its open or its first read, or be read for ever.
    std::vector<fsp_FontList> const list = List();
    ASSERT_EQ(1u + 6u, list.size());  // the registered ones are not opened to be listed
    EXPECT_NE(nullptr, Find(list, (root / "odd/real.pfb").string()));
    for (char const * name : {"-*-fifo.ttf-*-*-*-*-*-100-*", "-*-socket.ttf-*-*-*-*-*-100-*", "-*-p052-*-*-*-*-*-100-*"})
        EXPECT_NE(noFont, LoadOutlines(name));
    EXPECT_EQ((root / "odd/real.pfb").string(), FileOf(LoadOutlines("-*-p052-*-*-*-*-*-100-*")));
    int count = 4;
    EXPECT_EQ(1, Fonts().GetX11Fonts((root / "odd/fifo.pfa").c_str(), nullptr, count));  // its folder is scanned
    EXPECT_EQ(1, Fonts().GetX11Fonts((root / "odd/fonts.dir").c_str(), nullptr, count));
    close(sock);
}

// ---- catalogue: the fonts of this machine ----------------------------------

TEST_F(Server, TheInstalledTrueTypeAndType1FontsComeFromFontconfigWithTheClassicNamesServed)
{
    win_SetRegistry(nullptr);
    std::vector<fsp_FontList> const list = List();
    auto named = [&](char const * name, std::string const & file) {
        return std::any_of(list.begin(), list.end(),
                           [&](fsp_FontList const & r) { return r.name == name && file == r.file.AsCharPtr(); });
    };
    EXPECT_TRUE(named("DejaVu Sans", dejavu + "DejaVuSans-Bold.ttf"));
    EXPECT_TRUE(named("DejaVu Sans Mono", dejavu + "DejaVuSansMono.ttf"));
    EXPECT_TRUE(named("Liberation Serif", liberation + "LiberationSerif-Italic.ttf"));
    EXPECT_TRUE(named("Arial", liberation + "LiberationSans-Regular.ttf"));
    EXPECT_TRUE(named("Helvetica", liberation + "LiberationSans-BoldItalic.ttf"));
    EXPECT_TRUE(named("Courier", liberation + "LiberationMono-Bold.ttf"));
    EXPECT_TRUE(named("Times New Roman", liberation + "LiberationSerif-Regular.ttf"));
    EXPECT_TRUE(named("Nimbus Sans", type1 + "NimbusSans-BoldItalic.pfb"));
    EXPECT_EQ(type1 + "NimbusSans-Bold.pfb", FileOf(Load("-*-nimbus sans-bold-r-normal-*-*-100-*")));
    EXPECT_EQ(type1 + "NimbusRoman-Italic.pfb", FileOf(Load("-*-nimbus roman-medium-i-*-*-*-100-*")));
    fsp_FontList const * mono = Find(list, dejavu + "DejaVuSansMono-Oblique.ttf");
    ASSERT_NE(nullptr, mono);
    EXPECT_STREQ("-*-dejavu sans mono-medium-o-normal-*-*-%d-*-*-m-*-*-*", mono->pattern.AsCharPtr());
}

// ---- X font directory files ---------------------------------------------

TEST_F(Server, AFontDirectoryFileListsItsExistingFilesWithTheirPatterns)
{
    std::string const fontsDir = type1 + "fonts.dir";
    int count = 0;
    int const entries = std::stoi(ReadFile(fontsDir));  // its first line counts the entries
    EXPECT_EQ(entries, Fonts().GetX11Fonts(fontsDir.c_str(), nullptr, count));
    std::vector<fsp_FontList> list(static_cast<std::size_t>(entries));
    count = entries;
    ASSERT_EQ(entries, Fonts().GetX11Fonts(fontsDir.c_str(), list.data(), count));
    ASSERT_EQ(entries, count);
    fsp_FontList const * schoolbook = Find(list, type1 + "C059-BdIta.pfb");
    ASSERT_NE(nullptr, schoolbook);
    EXPECT_STREQ("Century Schoolbook L", schoolbook->name.AsCharPtr());
    EXPECT_STREQ("century schoolbook l", schoolbook->family.AsCharPtr());
    EXPECT_EQ(fsp_FontList::bold | fsp_FontList::italic | fsp_FontList::normalWidth | fsp_FontList::proportional,
              schoolbook->flags);
    EXPECT_STREQ("-*-century schoolbook l-bold-i-normal-*-*-%d-*-*-p-*-*-*", schoolbook->pattern.AsCharPtr());
    fsp_FontList const * gothic = Find(list, type1 + "URWGothic-Book.pfb");
    ASSERT_NE(nullptr, gothic);
    EXPECT_STREQ("Urw Gothic L Book", gothic->name.AsCharPtr());
    EXPECT_EQ(fsp_FontList::book | fsp_FontList::roman | fsp_FontList::normalWidth | fsp_FontList::proportional,
              gothic->flags);
}

TEST_F(Server, AFontDirectoryFileSkipsBrokenLinesAndFilesThatAreNoFontsOfItsFolder)
{
    fs::create_directories(root / "x/sub");
    Copy(dejavu + "DejaVuSansMono.ttf", "x/6x13.ttf");
    Copy(dejavu + "DejaVuSansMono.ttf", "x/sub/inner.ttf");
    Copy(dejavu + "DejaVuSansMono.ttf", "outside.ttf");
    WriteFile(root / "x/6x13.pcf", "x");
    WriteFile(root / "x/text.ttf", "not a font");
    ASSERT_EQ(0, mkfifo((root / "x/fifo.ttf").c_str(), 0600));
    std::string const tail = " -misc-fixed-medium-r-normal--13-120-75-75-c-60-iso8859-1\n";
    WriteFile(root / "x/fonts.dir",
              "4\n"
              "6x13.ttf -misc-fixed-medium-r-semicondensed--13-120-75-75-c-60-iso8859-1\n"
              "6x13.ttf  -misc-fixed-demibold-o-narrow--13-120-75-75-c-60-iso8859-1\r\n"
              "missing.ttf" + tail + "6x13.pcf" + tail + "text.ttf" + tail + "fifo.ttf" + tail +
              "../outside.ttf" + tail + (root / "outside.ttf").string() + tail + "sub/inner.ttf" + tail +
              "..\\outside.ttf" + tail + "." + tail + ".." + tail +
              "6x13.ttf -misc-fixed-bold\n"
              "6x13.ttf -misc--bold-r-normal--13-120-75-75-c-60-iso8859-1\n"
              " -misc-fixed-bold-r-normal--13\n"
              "6x13.ttf -misc-" + std::string(5000, 'f') + "-bold-r-normal--13\n"
              "\n"
              "6x13.ttf\t-misc-fixed-bold-r-normal--13\n"  // a tab is part of the file name
              "6x13.ttf -adobe-%s%n-light-i-normal--10-100-75-75-p-60-iso8859-1");
    std::vector<fsp_FontList> list(10);
    int count = 10;
    EXPECT_EQ(3, Fonts().GetX11Fonts((root / "x/fonts.dir").c_str(), list.data(), count));
    ASSERT_EQ(3, count);
    EXPECT_STREQ("Fixed Semicondensed", list[0].name.AsCharPtr());
    EXPECT_EQ(fsp_FontList::medium | fsp_FontList::roman | fsp_FontList::semicondensed, list[0].flags);
    EXPECT_STREQ("-*-fixed-medium-r-semicondensed-*-*-%d-*-*-m-*-*-*", list[0].pattern.AsCharPtr());
    EXPECT_EQ((root / "x/6x13.ttf").string(), list[0].file.AsCharPtr());
    EXPECT_STREQ("Fixed Narrow Demibold", list[1].name.AsCharPtr());
    EXPECT_EQ(fsp_FontList::demi | fsp_FontList::oblique | fsp_FontList::narrow, list[1].flags);
    // A "%" in a field is text; only the point-size field takes a size.
    EXPECT_STREQ("-*-%s%n-light-i-normal-*-*-%d-*-*-p-*-*-*", list[2].pattern.AsCharPtr());
    EXPECT_STREQ("-*-%s%n-light-i-normal-*-*-90-*-*-p-*-*-*", list[2].PatternFor(90).AsCharPtr());
    EXPECT_STREQ("%s%n Light", list[2].name.AsCharPtr());
}

TEST_F(Server, AFontDirectoryFileThatCannotBeOpenedHasItsDirectoryScanned)
{
    Copy(type1 + "P052-Roman.pfb", "y/p.pfb");
    int count = 4;
    std::vector<fsp_FontList> list(4);
    EXPECT_EQ(1, Fonts().GetX11Fonts((root / "y/fonts.dir").c_str(), list.data(), count));
    EXPECT_EQ(1, count);
    EXPECT_STREQ("P052", list[0].name.AsCharPtr());
    count = 4;
    EXPECT_EQ(1, Fonts().GetX11Fonts((root / "y/").c_str(), list.data(), count));  // a directory is no such file
    count = 4;
    EXPECT_EQ(0, Fonts().GetX11Fonts("no-slash-and-missing", list.data(), count));
    EXPECT_EQ(0, count);
    count = 4;
    EXPECT_EQ(0, Fonts().GetX11Fonts(nullptr, list.data(), count));
    EXPECT_EQ(0, count);
}

// ---- matching -------------------------------------------------------------

TEST_F(Server, DefaultIsTheBoldObliqueCourierAtTwelvePoints)
{
    Register("Courier New (TrueType)", liberation + "LiberationMono-Regular.ttf");
    Register("Courier New Bold Italic (TrueType)", liberation + "LiberationMono-BoldItalic.ttf");
    Register("Courier New Bold (TrueType)", liberation + "LiberationMono-Bold.ttf");
    unsigned const handle = Load("Default");
    ASSERT_NE(noFont, handle);
    EXPECT_EQ(liberation + "LiberationMono-BoldItalic.ttf", FileOf(handle));  // italic stands in for oblique
    EXPECT_FLOAT_EQ(12.0f, SizeOf(handle));
    EXPECT_EQ(handle, Fonts().LoadDefaultFont(0, 0, false, false));
    EXPECT_TRUE(Fonts().ValidFontString("Default", nullptr));
    EXPECT_FALSE(Fonts().ValidFontString("default", nullptr));
}

TEST_F(Server, TheSizeComesFromThePointSizeElseThePixelSizeElseTenPoints)
{
    Register("Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    EXPECT_FLOAT_EQ(10.0f, SizeOf(Load("-*-foo-*-*-*-*-*-100-*-*-*-*-*-*")));
    EXPECT_NEAR(14.4f, SizeOf(Load("-*-foo-*-*-*-*-20-*-*-*-*-*-*-*")), 1e-4f);  // 100 dpi
    EXPECT_FLOAT_EQ(10.0f, SizeOf(Load("-*-foo-*-*-*-*-*-*-*-*-*-*-*-*")));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(Load("-*-foo")));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(Load("-*-foo-*-*-*--20-240-*")));  // the empty style field ends the reading
    EXPECT_FLOAT_EQ(7.5f, SizeOf(Load("-*-foo-*-*-*-*-*-75x-*")));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(Load("-*-foo-*-*-*-*-*-nan-*")));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(Load("-*-foo-*-*-*-*-*-1e99-*")));
}

TEST_F(Server, ASizeBeyondAnyScreenHasNoBitmapsButItsOutlines)
{
    Register("Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    unsigned const handle = Load("-*-foo-medium-r-normal-*-20000-*-*");  // 20000 pixels at 100 dpi
    ASSERT_NE(noFont, handle);
    EXPECT_EQ("", FileOf(handle));  // without a display the slot holds neither font
    EXPECT_FLOAT_EQ(14400.0f, SizeOf(handle));
    EXPECT_FALSE(Fonts().GetBitmap(handle, 'A').HasPixels());
    EXPECT_EQ(0.0f, Fonts().GetWidth(handle, "A", 0, 0));
    unsigned const outlines = LoadOutlines("-*-foo-medium-r-normal-*-*-144000-*");
    EXPECT_EQ(dejavu + "DejaVuSans.ttf", FileOf(outlines));
    EXPECT_GT(Fonts().GetOutlineWidth(outlines, "A"), 0.0f);
}

TEST_F(Server, TheSameNameAtTheSameResolutionIsTheSameSlotAndAPlainRequestKeepsIt)
{
    Register("Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    char const * name = "-*-foo-medium-r-normal-*-*-120-*";
    unsigned const handle = Load(name, true);
    ASSERT_NE(noFont, handle);
    EXPECT_EQ(handle, Load(name, true));
    Fonts().UnloadTemporaryFonts();
    EXPECT_EQ("<free>", FileOf(handle));

    unsigned const again = Load(name, true);
    EXPECT_EQ(again, Load(name, false));
    EXPECT_EQ(again, Load(name, true));  // a temporary request does not mark it again
    Fonts().UnloadTemporaryFonts();
    EXPECT_EQ(dejavu + "DejaVuSans.ttf", FileOf(again));
}

TEST_F(Server, AnotherResolutionSharesTheOutlineFontUntilTheLastSlotLetsGo)
{
    Register("Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    char const * name = "-*-foo-medium-r-normal-*-*-120-*";
    unsigned const screen = Load(name);
    unsigned const print = Fonts().LoadFont(name, 5.0f, 6.0f, false, false, false);
    ASSERT_NE(noFont, print);
    EXPECT_NE(screen, print);
    EXPECT_EQ(FileOf(screen), FileOf(print));
    EXPECT_FLOAT_EQ(12.0f, SizeOf(print));
    float const screenWidth = Fonts().GetWidth(screen, "Hello", 0, 0);
    float const printWidth = Fonts().GetWidth(print, "Hello", 0, 0);
    EXPECT_GT(printWidth, screenWidth);  // 127 dpi against 100
    EXPECT_FLOAT_EQ(printWidth, Fonts().GetWidth(screen, "Hello", 5.0f, 6.0f));
    Fonts().UnloadFont(screen);
    EXPECT_FLOAT_EQ(printWidth, Fonts().GetWidth(print, "Hello", 0, 0));
    EXPECT_GT(Fonts().GetBitmap(print, 'H').Width(), 0);
    // Another name for the same file shares it too.
    unsigned const bold = Load("-*-foo-bold-r-normal-*-*-120-*");
    EXPECT_EQ(FileOf(print), FileOf(bold));
    Fonts().UnloadFont(print);
    EXPECT_GT(Fonts().GetWidth(bold, "Hello", 0, 0), 0.0f);
}

TEST_F(Server, APrintResolutionWithoutBitmapsAlsoLoadsTheFontForTheScreen)
{
    Register("Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    char const * name = "-*-foo-medium-r-normal-*-*-120-*";
    unsigned const print = Fonts().LoadFont(name, 11.811f, 11.811f, true, false, false);
    EXPECT_EQ(1u, print);  // slot 0 holds the screen's
    EXPECT_EQ(FileOf(0), FileOf(print));
    EXPECT_EQ(0u, Fonts().LoadFont(name, fsp_FontServer::GetDisplayPixelsPerMM_X(nullptr, 0),
                                   fsp_FontServer::GetDisplayPixelsPerMM_Y(nullptr, 0), true, false, false));
    EXPECT_EQ(2u, Load("-*-foo-bold-r-normal-*-*-120-*"));
    // At 300 dpi no images are made up front; a glyph is rendered when asked.
    EXPECT_TRUE(Fonts().GetBitmap(print, 'W').HasPixels());
}

TEST_F(Server, HelveticaFindsArialAndArialFindsHelveticaKeepingEveryOtherField)
{
    Register("Arial (TrueType)", liberation + "LiberationSans-Regular.ttf");
    Register("Arial Bold (TrueType)", liberation + "LiberationSans-Bold.ttf");
    unsigned const helvetica = Load("-adobe-helvetica-bold-r-normal-*-*-120-*-*-p-*-iso8859-1");
    EXPECT_EQ(liberation + "LiberationSans-Bold.ttf", FileOf(helvetica));
    EXPECT_FLOAT_EQ(12.0f, SizeOf(helvetica));

    win_SetRegistry(std::make_unique<win_MemoryRegistry>());
    win_MemoryRegistry & only = static_cast<win_MemoryRegistry &>(const_cast<win_Registry &>(win_GetRegistry()));
    only.SetString(win_Hive::localMachine, win_fontsKey, "Helvetica (TrueType)", dejavu + "DejaVuSans.ttf");
    only.SetString(win_Hive::localMachine, win_fontsKey, "Helvetica Oblique (TrueType)", dejavu + "DejaVuSans-Oblique.ttf");
    unsigned const arial = Load("-*-arial-medium-o-normal-*-*-140-*-*-p-*-*-*");
    EXPECT_EQ(dejavu + "DejaVuSans-Oblique.ttf", FileOf(arial));
    EXPECT_FLOAT_EQ(14.0f, SizeOf(arial));
}

TEST_F(Server, ARegisteredFamilyNameThatHoldsTheWeightIsAFullMatch)
{
    Register("Arial (TrueType)", dejavu + "DejaVuSans.ttf");
    Register("Arial Black (TrueType)", dejavu + "DejaVuSans-Bold.ttf");
    Register("Arial Black Italic (TrueType)", dejavu + "DejaVuSans-BoldOblique.ttf");
    EXPECT_EQ(dejavu + "DejaVuSans-Bold.ttf", FileOf(Load("-*-arial black-black-r-normal-*-*-100-*")));
    EXPECT_EQ(dejavu + "DejaVuSans-BoldOblique.ttf", FileOf(Load("-*-Arial Black-Black-I-Normal-*-*-100-*")));
}

TEST_F(Server, RegisteredCandidatesRankByMatchLevelAndTheFirstOfALevelWins)
{
    std::string const l1 = dejavu + "DejaVuSans-Bold.ttf", l2 = dejavu + "DejaVuSans.ttf",
                      l3 = dejavu + "DejaVuSans-Oblique.ttf", l4 = dejavu + "DejaVuSerif-Italic.ttf",
                      full = dejavu + "DejaVuSansCondensed-Oblique.ttf", other = dejavu + "DejaVuSerif.ttf";
    Register("Foo Bold (TrueType)", l1);                    // family only
    Register("Foo (TrueType)", l2);                         // and weight
    Register("Foo Regular (TrueType)", other);               // and weight, found later
    Register("Foo Oblique (TrueType)", l3);                 // and the other slant
    Register("Foo Italic (TrueType)", l4);                  // and slant, not width
    Register("Foo Italic Condensed (TrueType)", full);     // all
    Register("Food Italic Condensed (TrueType)", other);   // the family is a prefix
    EXPECT_EQ(l1, FileOf(Load("-*-foo-light-r-normal-*-*-100-*")));
    EXPECT_EQ(l2, FileOf(Load("-*-foo-medium-x-normal-*-*-100-*")));
    EXPECT_EQ(l4, FileOf(Load("-*-foo-medium-i-normal-*-*-100-*")));
    EXPECT_EQ(l4, FileOf(Load("-*-foo-medium-i-semicondensed-*-*-100-*")));  // condensed is no semicondensed
    EXPECT_EQ(full, FileOf(Load("-*-foo-medium-i-condensed-*-*-100-*")));
    EXPECT_EQ(l3, FileOf(Load("-*-foo-*-o-*-*-*-100-*")));
    EXPECT_EQ(l2, FileOf(Load("-*-foo-*-*-*-*-*-100-*")));   // nothing asked: the bare name
    EXPECT_EQ(l1, FileOf(Load("-*-foo-bold-r-*-*-*-100-*")));
}

TEST_F(Server, AnItalicRequestTakesTheObliqueFaceOverAnUprightOne)
{
    Register("Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    Register("Foo Oblique (TrueType)", dejavu + "DejaVuSans-Oblique.ttf");
    EXPECT_EQ(dejavu + "DejaVuSans-Oblique.ttf", FileOf(Load("-*-foo-medium-i-normal-*-*-100-*")));
    EXPECT_EQ(dejavu + "DejaVuSans.ttf", FileOf(Load("-*-foo-medium-r-normal-*-*-100-*")));
}

TEST_F(Server, FontPathDirectoriesComeFirstAndAFullMatchThereEndsTheSearch)
{
    setenv("QEL_FONT_PATH", type1.c_str(), 1);
    Register("Nimbus Sans Bold (TrueType)", dejavu + "DejaVuSans-Bold.ttf");
    EXPECT_EQ(type1 + "NimbusSans-Bold.pfb", FileOf(Load("-*-nimbus sans-bold-r-normal-*-*-100-*")));
    EXPECT_EQ(type1 + "NimbusSansNarrow-BoldOblique.pfb",
              FileOf(Load("-*-nimbus sans narrow-bold-o-narrow-*-*-100-*")));
    // No oblique Nimbus Sans: the italic one is the other slanted form, and
    // that beats the registry's upright bold.
    EXPECT_EQ(type1 + "NimbusSans-BoldItalic.pfb", FileOf(Load("-*-nimbus sans-bold-o-normal-*-*-100-*")));
    // "Regular" is no "light": the family alone.
    EXPECT_NE(std::string::npos, FileOf(Load("-*-nimbus mono ps-light-r-normal-*-*-100-*")).find("NimbusMonoPS-"));
}

TEST_F(Server, Type1MatchingReadsWeightsSlantsAndWidthsFromTheHeader)
{
    fs::create_directories(root / "t1");
    std::string const roman = type1 + "NimbusRoman-Regular.pfb";
    WriteFile(root / "t1/a-times.pfa", PfaFrom(roman, {{"/FamilyName (Nimbus Roman)", "/FamilyName (Times)"},
                                                       {"/Weight (Regular)", "/Weight (Roman)"},
                                                       {"/FullName (Nimbus Roman Regular)", "/FullName (Times Roman)"}}));
    WriteFile(root / "t1/b-wide.pfa", PfaFrom(roman, {{"/FamilyName (Nimbus Roman)", "/FamilyName (Times)"},
                                                      {"/Weight (Regular)", "/Weight (Medium)"},
                                                      {"/FullName (Nimbus Roman Regular)", "/FullName (Times Wide)"}}));
    WriteFile(root / "t1/c-noweight.pfa", PfaFrom(roman, {{"/FamilyName (Nimbus Roman)", "/FamilyName (Dash-Face)"},
                                                          {"/Weight (Regular)", "/Weigh (Regular)"}}));
    setenv("QEL_FONT_PATH", (root / "t1").c_str(), 1);
    // Visited from the last file: the wide one is only a family and weight match.
    EXPECT_EQ((root / "t1/a-times.pfa").string(), FileOf(Load("-*-times-medium-r-normal-*-*-100-*")));
    EXPECT_EQ((root / "t1/b-wide.pfa").string(), FileOf(Load("-*-times-medium-r-wide-*-*-100-*")));
    EXPECT_EQ((root / "t1/c-noweight.pfa").string(), FileOf(Load("-*-dash face-*-r-normal-*-*-100-*")));
    EXPECT_EQ((root / "t1/c-noweight.pfa").string(), FileOf(Load("-*-dash face-bold-r-normal-*-*-100-*")));
    std::vector<fsp_FontList> const list = List();
    EXPECT_STREQ("Times", Find(list, (root / "t1/a-times.pfa").string())->name.AsCharPtr());  // " roman" dropped
    EXPECT_STREQ("Times Wide", Find(list, (root / "t1/b-wide.pfa").string())->name.AsCharPtr());
}

TEST_F(Server, TrueTypeFilesOfADirectoryMatchByNameBoldAndItalic)
{
    Copy(dejavu + "DejaVuSans.ttf", "tt/1.ttf");
    Copy(dejavu + "DejaVuSans-Bold.ttf", "tt/2.ttf");
    Copy(dejavu + "DejaVuSans-Oblique.ttf", "tt/3.ttf");
    setenv("VNT_PATH", (root / "vnt").c_str(), 1);
    fs::create_directories(root / "vnt/Configuration");
    fs::create_directory_symlink(root / "tt", root / "vnt/Configuration/fonts");
    std::string const dir = (root / "vnt/Configuration/fonts/").string();
    EXPECT_EQ(dir + "2.ttf", FileOf(Load("-*-dejavu-bold-r-normal-*-*-100-*")));
    EXPECT_EQ(dir + "3.ttf", FileOf(Load("-*-DejaVu Sans-medium-o-normal-*-*-100-*")));
    EXPECT_EQ(dir + "3.ttf", FileOf(Load("-*-dejavu sans-medium-i-normal-*-*-100-*")));
    EXPECT_EQ(dir + "1.ttf", FileOf(Load("-*-dejavu sans-medium-r-condensed-*-*-100-*")));  // width is not asked of TrueType
    EXPECT_EQ(dir + "2.ttf", FileOf(Load("-*-dejavu sans-bold-i-normal-*-*-100-*")));  // first of the family and weight matches
}

TEST_F(Server, AFileThatCannotBeLoadedFallsBackToCourierForOutlines)
{
    WriteFile(root / "broken.ttf", std::string(4096, 'z'));
    Register("Alpha (TrueType)", dejavu + "DejaVuSans.ttf");
    Register("Broken (TrueType)", (root / "broken.ttf").string());
    Register("Courier (TrueType)", liberation + "LiberationMono-Regular.ttf");
    unsigned const handle = LoadOutlines("-*-broken-medium-r-normal-*-*-140-*");
    EXPECT_EQ(liberation + "LiberationMono-Regular.ttf", FileOf(handle));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(handle));  // the fallback's own size
    float ascent = 0, descent = 0;
    EXPECT_TRUE(Fonts().GetOutlineHeight(handle, "A", ascent, descent));
    EXPECT_GT(ascent, 0.0f);
}

TEST_F(Server, WithoutCourierTheFirstCatalogueFontServesOutlinesAndAfterThatNothing)
{
    WriteFile(root / "broken.ttf", std::string(4096, 'z'));
    Register("Alpha (TrueType)", dejavu + "DejaVuSerif.ttf");
    Register("Broken (TrueType)", (root / "broken.ttf").string());
    unsigned const handle = LoadOutlines("-*-broken-medium-r-normal-*-*-140-*");
    EXPECT_EQ(dejavu + "DejaVuSerif.ttf", FileOf(handle));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(handle));

    win_SetRegistry(std::make_unique<win_MemoryRegistry>());
    win_MemoryRegistry & broken = static_cast<win_MemoryRegistry &>(const_cast<win_Registry &>(win_GetRegistry()));
    broken.SetString(win_Hive::localMachine, win_fontsKey, "Broken (TrueType)", (root / "broken.ttf").string());
    EXPECT_EQ(noFont, LoadOutlines("-*-broken-medium-r-normal-*-*-140-*"));
    EXPECT_EQ(noFont, LoadOutlines("-*-other-medium-r-normal-*-*-140-*"));
    // The fallbacks are open again afterwards.
    broken.SetString(win_Hive::localMachine, win_fontsKey, "Courier (TrueType)", liberation + "LiberationMono-Bold.ttf");
    EXPECT_EQ(liberation + "LiberationMono-Bold.ttf", FileOf(LoadOutlines("-*-broken-medium-r-normal-*-*-140-*")));
}

TEST_F(Server, WithoutAnyFontAndWithoutDisplayTheSlotHoldsNothingAndAnswersZero)
{
    unsigned const handle = Load("-*-nothing-bold-r-normal-*-*-140-*");
    ASSERT_NE(noFont, handle);
    EXPECT_EQ("", FileOf(handle));
    EXPECT_FLOAT_EQ(14.0f, SizeOf(handle));
    EXPECT_EQ(nullptr, Fonts().GetXFontStruct(handle));
    EXPECT_EQ(0.0f, Fonts().GetWidth(handle, "abc", 0, 0));
    EXPECT_EQ(0.0f, Fonts().GetHeight(handle, "abc", 0, 0));
    EXPECT_EQ(0, Fonts().GetBitmap(handle, 'a').Width());
    EXPECT_FALSE(Fonts().GetBitmap(handle, 'a').HasPixels());
    EXPECT_EQ(handle, LoadOutlines("-*-nothing-bold-r-normal-*-*-140-*"));  // the name is served already
    EXPECT_EQ(noFont, LoadOutlines("-*-nothing-bold-r-normal-*-*-120-*"));
    EXPECT_FALSE(Fonts().ValidFontString("-*-nothing-bold-r-normal-*-*-140-*x", nullptr));
    EXPECT_TRUE(Fonts().ValidFontString("-*-nothing-bold-r-normal-*-*-140-*", nullptr));  // loaded
}

TEST_F(Server, WithEverySlotInUseANewFontTakesTheLastSlot)
{
    Register("Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    for (unsigned i = 0; i < fsp_FontServer::slotCount; ++i) {
        std::string const name = "-*-foo-*-*-*-*-*-" + std::to_string(100 + i) + "-*";
        ASSERT_EQ(i, LoadOutlines(name.c_str()));
    }
    unsigned const evicted = LoadOutlines("-*-foo-*-*-*-*-*-50-*");
    EXPECT_EQ(255u, evicted);
    EXPECT_FLOAT_EQ(5.0f, SizeOf(255));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(0));
    // The evicted name loads again into the last slot, sharing the font.
    EXPECT_EQ(255u, LoadOutlines("-*-foo-*-*-*-*-*-355-*"));
    EXPECT_FLOAT_EQ(35.5f, SizeOf(255));
    EXPECT_EQ(255u, Fonts().LoadFont("-*-foo-*-*-*-*-*-100-*", 5.0f, 5.0f, false, false, true));  // shares slot 0's
    EXPECT_FLOAT_EQ(10.0f, SizeOf(255));
    unsigned count = 0;
    float * triangles = nullptr;
    EXPECT_GT(Fonts().GetFill(255, 'A', count, &triangles), 0.0f);
    EXPECT_GT(count, 0u);
}

TEST_F(Server, AFontWhoseFileIsGoneStaysValidByItsSlot)
{
    fs::path const file = Copy(dejavu + "DejaVuSans.ttf", "gone/sans.ttf");
    Register("Gone (TrueType)", file.string());
    char const * name = "-*-gone-medium-r-normal-*-*-100-*";
    unsigned const handle = Load(name);
    EXPECT_EQ(file.string(), FileOf(handle));
    fs::remove(file);
    EXPECT_TRUE(Fonts().ValidFontString(name, nullptr));
    EXPECT_TRUE(Fonts().GetBitmap(handle, 'g').HasPixels());
    // A name nobody loaded is still located by the registry value.
    EXPECT_TRUE(Fonts().ValidFontString("-*-gone-bold-r-normal-*-*-100-*", nullptr));
    win_SetRegistry(std::make_unique<win_MemoryRegistry>());
    EXPECT_FALSE(Fonts().ValidFontString("-*-gone-bold-r-normal-*-*-100-*", nullptr));
    EXPECT_FALSE(Fonts().ValidFontString("fixed", nullptr));
}

// ---- per-handle queries ----------------------------------------------------

TEST_F(Server, HandleQueriesForwardToTheOutlineFontAtTheSlotsSizeAndResolution)
{
    Register("Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    unsigned const small = Load("-*-foo-medium-r-normal-*-*-100-*");
    unsigned const large = Load("-*-foo-medium-r-normal-*-*-200-*");
    EXPECT_NEAR(2.0f, Fonts().GetWidth(large, "Wide", 0, 0) / Fonts().GetWidth(small, "Wide", 0, 0), 0.15f);
    EXPECT_GT(Fonts().GetHeight(large, "Wide", 0, 0), Fonts().GetHeight(small, "Wide", 0, 0));
    g3d_Bitmap const glyph = Fonts().GetBitmap(large, 'W');
    EXPECT_TRUE(glyph.HasPixels());
    EXPECT_GT(glyph.xAdvance, 0.0f);
    Fonts().StripCache(large);
    EXPECT_EQ(glyph, Fonts().GetBitmap(large, 'W'));  // rendered again on demand
    EXPECT_FLOAT_EQ(20.0f, SizeOf(large));
    // Outlines are prepared for slots that ask for them.
    EXPECT_EQ(0.0f, Fonts().GetOutlineWidth(large, "Wide"));
    unsigned const outline = LoadOutlines("-*-foo-medium-r-normal-*-*-300-*");
    unsigned const outlineAt200 = Fonts().LoadFont("-*-foo-medium-r-normal-*-*-300-*", 7.874f, 7.874f, false, false, true);
    float const width = Fonts().GetOutlineWidth(outline, "Wide");
    EXPECT_GT(width, 0.0f);
    EXPECT_NEAR(2.0f * width, Fonts().GetOutlineWidth(outlineAt200, "Wide"), 1e-3f * width);  // scaled by the slot's dpi
    unsigned contours = 0;
    unsigned sizes[8] = {};
    float points[2 * 512];
    EXPECT_GT(Fonts().GetOutline(outline, 'O', 8, 512, contours, sizes, points), 0.0f);
    EXPECT_EQ(2u, contours);
    unsigned triangles = 0;
    float * fill = nullptr;
    EXPECT_GT(Fonts().GetFill(outline, 'O', triangles, &fill), 0.0f);
    EXPECT_GT(triangles, 0u);
    EXPECT_NE(nullptr, fill);
}

TEST_F(Server, FreeOrOutOfRangeHandlesAnswerNothingAndUnloadingThemIsHarmless)
{
    for (unsigned handle : {0u, 17u, 255u, 256u, noFont}) {
        cow_String file = "kept";
        float size = 3.0f;
        EXPECT_FALSE(Fonts().GetFontInfo(handle, file, size));
        EXPECT_STREQ("kept", file.AsCharPtr());
        EXPECT_EQ(nullptr, Fonts().GetXFontStruct(handle));
        EXPECT_EQ(0.0f, Fonts().GetWidth(handle, "x", 0, 0));
        EXPECT_EQ(0.0f, Fonts().GetHeight(handle, "x", 1, 1));
        EXPECT_EQ(0.0f, Fonts().GetOutlineWidth(handle, "x"));
        float ascent = 1, descent = 1;
        EXPECT_FALSE(Fonts().GetOutlineHeight(handle, "x", ascent, descent));
        EXPECT_EQ(0.0f, ascent);
        EXPECT_EQ(0.0f, descent);
        unsigned count = 9;
        float * triangles = reinterpret_cast<float *>(&count);
        EXPECT_EQ(0.0f, Fonts().GetFill(handle, 'x', count, &triangles));
        EXPECT_EQ(0u, count);
        EXPECT_EQ(nullptr, triangles);
        unsigned contours = 9;
        EXPECT_EQ(0.0f, Fonts().GetOutline(handle, 'x', 0, 0, contours, nullptr, nullptr));
        EXPECT_EQ(0u, contours);
        EXPECT_FALSE(Fonts().GetBitmap(handle, 'x').HasPixels());
        Fonts().StripCache(handle);
        Fonts().UnloadFont(handle);
    }
    Fonts().String(nullptr, 0, nullptr, 0, "text", 4, 0, 0);
}

// ---- untrusted input -------------------------------------------------------

TEST_F(Server, HostileNamesNeverOverrunAndEndInAFontOrFailure)
{
    Register("Courier (TrueType)", liberation + "LiberationMono-Regular.ttf");
    setenv("QEL_FONT_PATH", type1.c_str(), 1);
    std::vector<std::string> const names = {
        std::string(1 << 20, 'A'),
        "-" + std::string(1 << 20, 'f') + "-bold-r-normal-*-*-120-*",
        "-*-" + std::string(100000, 'x') + "-" + std::string(100000, 'w') + "-" + std::string(5000, 's') +
            "-" + std::string(5000, 'n') + "-a-" + std::string(4000, '9') + "-" + std::string(4000, '9') + "-",
        std::string(300000, '-'),
        "-%s%s%n-%s%n-%x-%d-*-*-%n-%s-*",
        std::string("-\xff\xfe-\x01\x02\x03-\x7f-\x80-*-*-*-120-*"),
        "-*-helvetica" + std::string(70000, 'h'),
        "",
        "-",
        "--",
        "-*-",
        "-*-new century schoolbook-bold-r-normal-*-*-120-*",
    };
    for (std::string const & name : names) {
        unsigned const bitmaps = Fonts().LoadFont(cow_String(name), 0, 0, false, true, false);
        EXPECT_TRUE(bitmaps < fsp_FontServer::slotCount) << name.substr(0, 40);
        unsigned const outlines = Fonts().LoadFont(cow_String(name), 0, 0, false, true, true);
        EXPECT_TRUE(outlines < fsp_FontServer::slotCount || outlines == noFont) << name.substr(0, 40);
        Fonts().ValidFontString(cow_String(name), nullptr);
        Fonts().GetWidth(bitmaps, cow_String(name.substr(0, 4000)), 0, 0);
    }
    Fonts().UnloadTemporaryFonts();
    EXPECT_EQ("<free>", FileOf(0));
}

TEST_F(Server, HostileEnvironmentValuesAreReadWithinBounds)
{
    std::string many;
    for (int i = 0; i < 20000; ++i)
        many += "/no/such/dir;";
    setenv("QEL_FONT_PATH", (many + type1).c_str(), 1);
    setenv("VNT_PATH", (std::string(200000, 'v') + ";\\;/;" + std::string(5000, ';')).c_str(), 1);
    setenv("SystemRoot", std::string(100000, 'r').c_str(), 1);
    setenv("SystemDrive", std::string(100000, 'd').c_str(), 1);
    Register("Relative (TrueType)", std::string(1000, 'f') + ".ttf");
    int count = 0;
    EXPECT_EQ(35 + 1, Fonts().GetFontList(nullptr, count));
    EXPECT_NE(noFont, Load("-*-relative-*-*-*-*-*-100-*"));
}

}  // namespace
