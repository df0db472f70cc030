// The font server without an X display: the catalogue of installed fonts
// (registry values, font directories, X font directory files), the matching
// of requested names with every fallback, the font table and its per-handle
// queries, and untrusted font headers, font directory lines and files.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
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
using L = fsp_FontList;
using Names = std::vector<std::pair<std::string, std::string>>;

std::string const dejavu = "/usr/share/fonts/truetype/dejavu/";
std::string const liberation = "/usr/share/fonts/truetype/liberation/";
std::string const type1 = "/usr/share/fonts/X11/Type1/";
std::string const urw = "/usr/share/fonts/type1/urw-base35/";
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

class Server : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/fontserver.XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        root = pattern;
        Restart();
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

    // A new server on an empty registry, with `names` registered.
    void Restart(Names const & names = {})
    {
        omi_Singleton<fsp_FontServer>::Finalize();
        auto memory = std::make_unique<win_MemoryRegistry>();
        registry = memory.get();
        win_SetRegistry(std::move(memory));
        for (auto const & [name, file] : names)
            Register(name, file);
        Fonts().Init(nullptr);
    }

    static fsp_FontServer & Fonts() { return omi_Singleton<fsp_FontServer>::Instance(); }

    void Register(std::string const & name, std::string const & file)
    {
        registry->SetString(win_Hive::localMachine, win_fontsKey, name, file);
    }
    std::vector<L> List()
    {
        int count = 0;
        int const found = Fonts().GetFontList(nullptr, count);
        std::vector<L> list(static_cast<std::size_t>(found));
        count = found;
        EXPECT_EQ(found, Fonts().GetFontList(list.data(), count));
        list.resize(static_cast<std::size_t>(count));
        return list;
    }
    // The record of `file`; an empty one (and a failure) when there is none.
    static L Find(std::vector<L> const & list, std::string const & file)
    {
        auto const found = std::find_if(list.begin(), list.end(), [&](L const & r) { return file == r.file.AsCharPtr(); });
        EXPECT_NE(found, list.end()) << file;
        return found == list.end() ? L() : *found;
    }
    // The record's name, family (unless null), style bits (those of `mask`)
    // and pattern (unless null).
    static void ExpectRecord(L const & r, char const * name, char const * family, std::uint32_t flags,
                             char const * pattern, std::uint32_t mask = ~0u)
    {
        EXPECT_STREQ(name, r.name.AsCharPtr());
        EXPECT_EQ(flags, r.flags & mask) << name;
        if (family) {
            EXPECT_STREQ(family, r.family.AsCharPtr()) << name;
        }
        if (pattern) {
            EXPECT_STREQ(pattern, r.pattern.AsCharPtr()) << name;
        }
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
    static unsigned Load(std::string const & name, bool temporary = false)
    {
        return Fonts().LoadFont(name.c_str(), 0.0f, 0.0f, false, temporary, false);
    }
    static unsigned LoadOutlines(char const * name) { return Fonts().LoadFont(name, 0.0f, 0.0f, false, false, true); }
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

TEST(Singleton, TheLastFinaliseDestroysTheServerAndTheNextUseMakesANewOne)
{
    int count = 0;
    fsp_initialize(count);
    fsp_initialize(count);
    auto memory = std::make_unique<win_MemoryRegistry>();
    memory->SetString(win_Hive::localMachine, win_fontsKey, "Alpha (TrueType)", dejavu + "DejaVuSans.ttf");
    win_SetRegistry(std::move(memory));
    omi_Singleton<fsp_FontServer>::Instance().Init(nullptr);
    ASSERT_EQ(0u, omi_Singleton<fsp_FontServer>::Instance().LoadFont("-*-alpha-*-*-*-*-*-100-*", 0, 0, false, false, false));
    cow_String file;
    float size = 0.0f;
    fsp_finalize(count);  // not the last: the server and its table stay
    EXPECT_TRUE(omi_Singleton<fsp_FontServer>::Instance().GetFontInfo(0, file, size));
    fsp_finalize(count);
    EXPECT_EQ(0, count);
    EXPECT_FALSE(omi_Singleton<fsp_FontServer>::Instance().GetFontInfo(0, file, size));
    omi_Singleton<fsp_FontServer>::Finalize();
    win_SetRegistry(nullptr);
}

TEST_F(Server, RegisteredValuesAreDescribedByTheirNames)
{
    setenv("SystemRoot", root.c_str(), 1);  // a relative file is in its Fonts folder
    Copy(liberation + "LiberationSans-BoldItalic.ttf", "Fonts/ARIALBI.TTF");
    std::string const sans = dejavu + "DejaVuSans.ttf";
    std::string const mono = dejavu + "DejaVuSansMono.ttf";
    struct Row {
        char const * value;
        std::string file;
        char const *name, *family;
        std::uint32_t flags;
        bool exact;  // else only those bits are asked for
        char const * pattern;
    } const rows[] = {
        {"Arial Bold Italic (TrueType)", "ARIALBI.TTF", "Arial", "arial", L::bold | L::italic | L::normalWidth | L::proportional,
         true, "-*-arial-bold-i-normal-*-*-%d-*-*-p-*-*-*"},
        {"Arial Black (TrueType)", sans, "Arial Black", "arial black", L::black | L::roman | L::normalWidth | L::proportional,
         true, nullptr},
        {"Bookman Old Style (TrueType)", mono, "Bookman Old Style", nullptr, L::roman | L::normalWidth, true,  // no weight
         "-*-bookman old style-*-r-normal-*-*-%d-*-*-m-*-*-*"},
        {"Gill Sans Book (TrueType)", sans, "Gill Sans Book", nullptr, L::book, false, nullptr},
        {"Futura Light Oblique (TrueType)", sans, "Futura Light", nullptr, L::light | L::oblique, false,
         "-*-futura light-light-o-normal-*-*-%d-*-*-p-*-*-*"},
        {"Frutiger Semibold Condensed (TrueType)", sans, "Frutiger Semibold Condensed", nullptr, L::semibold | L::condensed,
         false, "-*-frutiger semibold condensed-semibold-r-condensed-*-*-%d-*-*-p-*-*-*"},
        {"Univers Demi Narrow (TrueType)", sans, "Univers Demi Narrow", nullptr, L::demi | L::narrow, false, nullptr},
        {"Optima Regular (TrueType)", sans, "Optima", nullptr, L::regular, false, nullptr},
        {"Tahoma Normal Semicondensed (TrueType)", sans, "Tahoma Semicondensed", nullptr, L::semicondensed, false, nullptr},
    };
    for (Row const & row : rows)
        Register(row.value, row.file);
    std::vector<L> const list = List();
    ASSERT_EQ(std::size(rows), list.size());
    for (Row const & row : rows) {
        auto const r = std::find_if(list.begin(), list.end(), [&](L const & r) { return r.name == row.name; });
        ASSERT_NE(r, list.end()) << row.name;
        ExpectRecord(*r, row.name, row.family, row.flags, row.pattern, row.exact ? ~0u : row.flags);
    }
    L const arial = Find(list, (root / "Fonts/ARIALBI.TTF").string());
    EXPECT_EQ(0, arial.id);
    EXPECT_STREQ("-*-arial-bold-i-normal-*-*-120-*-*-p-*-*-*", arial.PatternFor(120).AsCharPtr());
}

TEST_F(Server, OnlyTrueTypeValuesCountAndDrivePathsAreUsedAsTheyAre)
{
    Register("Modern", "modern.fon");              // neither marked TrueType nor a ".ttf" file
    Register("Script (All res)", "script.fon");
    Register("Plain Font", "C:\\Fonts\\PLAIN.TtF");  // no mark, but a TrueType file
    Register("Marked (TrueType)", "marked.ttf");    // relative, and no system folder to put it in
    Register("Empty (TrueType)", "");
    std::vector<L> const list = List();
    ASSERT_EQ(1u, list.size());
    EXPECT_STREQ("Plain Font", list[0].name.AsCharPtr());
    EXPECT_STREQ("C:\\Fonts\\PLAIN.TtF", list[0].file.AsCharPtr());
    EXPECT_FALSE(list[0].flags & L::proportional);  // no such file here: not known to be proportional
}

TEST_F(Server, Type1FilesOfTheFontPathAreDescribedFromTheirHeaders)
{
    setenv("QEL_FONT_PATH", (";" + type1 + ";/no/such/dir;").c_str(), 1);
    std::vector<L> const list = List();
    EXPECT_EQ(35u, list.size());
    ExpectRecord(Find(list, type1 + "NimbusSans-Bold.pfb"), "Nimbus Sans", "nimbus sans",
                 L::bold | L::roman | L::normalWidth | L::proportional, "-*-nimbus sans-bold-r-normal-*-*-%d-*-*-p-*-*-*");
    ExpectRecord(Find(list, type1 + "NimbusMonoPS-Italic.pfb"), "Nimbus Mono Ps", nullptr,
                 L::regular | L::italic | L::normalWidth, nullptr);
    // Weight "Roman": medium, and the word is dropped from the name.
    ExpectRecord(Find(list, type1 + "C059-Roman.pfb"), "C059", nullptr,
                 L::medium | L::roman | L::normalWidth | L::proportional, nullptr);
    EXPECT_TRUE(Find(list, type1 + "URWBookman-LightItalic.pfb").flags & L::light);
    EXPECT_TRUE(Find(list, type1 + "URWGothic-Demi.pfb").flags & L::demi);
    EXPECT_TRUE(Find(list, type1 + "URWGothic-Book.pfb").flags & L::book);
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
    std::vector<L> const list = List();
    ASSERT_EQ(2u, list.size());
    ExpectRecord(list[0], "DejaVu Sans", "DejaVu Sans", L::bold | L::italic | L::proportional,  // as the font gives it
                 "-*-DejaVu Sans-bold-i-*-*-*-%d-*-*-p-*-*-*");
    ExpectRecord(list[1], "Liberation Mono", nullptr, L::medium | L::roman, nullptr);
    EXPECT_EQ((root / "dir/b.ttf").string(), list[1].file.AsCharPtr());
}

TEST_F(Server, VntAndAcrobatFoldersAreScannedWhereTheyAreConfigured)
{
    Copy(type1 + "P052-Bold.pfb", "vnt/Configuration/fonts/p.pfb");
    Copy(type1 + "C059-Bold.pfb", "reader/Fonts/c.pfb");
    Copy(type1 + "URWGothic-Book.pfb", "drive/Program Files/Acrobat3/Reader/Fonts/g.pfb");
    setenv("VNT_PATH", ((root / "none").string() + ";;" + (root / "vnt/").string()).c_str(), 1);
    setenv("SystemDrive", (root / "drive").c_str(), 1);
    std::vector<L> list = List();
    ASSERT_EQ(2u, list.size());  // without the Acrobat key the folder is on the system drive
    Find(list, (root / "drive/Program Files/Acrobat3/Reader/Fonts/g.pfb").string());
    Find(list, (root / "vnt/Configuration/fonts/p.pfb").string());

    registry->SetString(win_Hive::classesRoot, "Software\\Adobe\\Acrobat\\Exe", "", (root / "reader/AcroRd32.exe").string());
    list = List();
    ASSERT_EQ(2u, list.size());
    Find(list, (root / "reader/Fonts/c.pfb").string());

    unsetenv("SystemDrive");
    unsetenv("VNT_PATH");
    Restart();
    EXPECT_TRUE(List().empty());  // nowhere made up is looked at
}

TEST_F(Server, Type1HeadersOfEveryLineEndAndHostileOnesAreReadWithinBounds)
{
    std::string const pfa = ReadFile(urw + "NimbusSans-Regular.t1");  // its header in plain text
    std::size_t const header = pfa.find("eexec");
    auto withEnds = [&](char const * end) {
        std::string text;
        for (char c : pfa.substr(0, header))
            text += c == '\n' ? std::string(end) : std::string(1, c);
        return text + pfa.substr(header);
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
    std::vector<L> const list = List();
    std::set<std::string> files;
    for (L const & record : list)
        files.insert(fs::path(record.file.AsCharPtr()).filename().string());
    EXPECT_EQ((std::set<std::string>{"crlf.pfa", "cr.pfa", "blank.pfa", "binary.pfb", "long.pfa", "bare.pfa"}), files);
    for (char const * name : {"crlf.pfa", "cr.pfa", "blank.pfa"})
        ExpectRecord(Find(list, (root / "t1" / name).string()), "Nimbus Sans", nullptr,
                     L::regular | L::roman | L::normalWidth | L::proportional, nullptr);
    // No FullName: the family, "-" as blanks.
    ExpectRecord(Find(list, (root / "t1/bare.pfa").string()), "Bare Name", "bare name",
                 L::medium | L::roman | L::normalWidth | L::proportional, nullptr);
    // Lines are read in pieces of 1023 characters.
    EXPECT_EQ(1023u - 13u, std::string(Find(list, (root / "t1/long.pfa").string()).family.AsCharPtr()).size());
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
    std::vector<L> const list = List();
    ASSERT_EQ(1u + 6u, list.size());  // the registered ones are not opened to be listed
    Find(list, (root / "odd/real.pfb").string());
    for (char const * name : {"-*-fifo.ttf-*-*-*-*-*-100-*", "-*-socket.ttf-*-*-*-*-*-100-*", "-*-p052-*-*-*-*-*-100-*"})
        EXPECT_NE(noFont, LoadOutlines(name));
    EXPECT_EQ((root / "odd/real.pfb").string(), FileOf(LoadOutlines("-*-p052-*-*-*-*-*-100-*")));
    int count = 4;
    EXPECT_EQ(1, Fonts().GetX11Fonts((root / "odd/fifo.pfa").c_str(), nullptr, count));  // its folder is scanned
    EXPECT_EQ(1, Fonts().GetX11Fonts((root / "odd/fonts.dir").c_str(), nullptr, count));
    close(sock);
}

TEST_F(Server, AFontDirectoryFileListsItsExistingFilesWithTheirPatterns)
{
    std::string const fontsDir = type1 + "fonts.dir";
    int count = 0;
    int const entries = std::stoi(ReadFile(fontsDir));  // its first line counts the entries
    EXPECT_EQ(entries, Fonts().GetX11Fonts(fontsDir.c_str(), nullptr, count));
    std::vector<L> list(static_cast<std::size_t>(entries));
    count = entries;
    ASSERT_EQ(entries, Fonts().GetX11Fonts(fontsDir.c_str(), list.data(), count));
    ASSERT_EQ(entries, count);
    ExpectRecord(Find(list, type1 + "C059-BdIta.pfb"), "Century Schoolbook L", "century schoolbook l",
                 L::bold | L::italic | L::normalWidth | L::proportional,
                 "-*-century schoolbook l-bold-i-normal-*-*-%d-*-*-p-*-*-*");
    // One that cannot be opened has its directory scanned; a directory is no such file.
    Copy(type1 + "P052-Roman.pfb", "y/p.pfb");
    for (char const * path : {"y/fonts.dir", "y/", "no-slash-and-missing"}) {
        count = 4;
        bool const found = path[0] == 'y';
        EXPECT_EQ(int(found), Fonts().GetX11Fonts(found ? (root / path).c_str() : path, list.data(), count)) << path;
        EXPECT_EQ(int(found), count) << path;
    }
    EXPECT_STREQ("P052", list[0].name.AsCharPtr());
    EXPECT_EQ(0, Fonts().GetX11Fonts(nullptr, list.data(), count));
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
    std::vector<L> list(10);
    int count = 10;
    EXPECT_EQ(3, Fonts().GetX11Fonts((root / "x/fonts.dir").c_str(), list.data(), count));
    ASSERT_EQ(3, count);
    ExpectRecord(list[0], "Fixed Semicondensed", nullptr, L::medium | L::roman | L::semicondensed,
                 "-*-fixed-medium-r-semicondensed-*-*-%d-*-*-m-*-*-*");
    EXPECT_EQ((root / "x/6x13.ttf").string(), list[0].file.AsCharPtr());
    ExpectRecord(list[1], "Fixed Narrow Demibold", nullptr, L::demi | L::oblique | L::narrow, nullptr);
    // A "%" in a field is text; only the point-size field takes a size.
    EXPECT_STREQ("-*-%s%n-light-i-normal-*-*-%d-*-*-p-*-*-*", list[2].pattern.AsCharPtr());
    EXPECT_STREQ("-*-%s%n-light-i-normal-*-*-90-*-*-p-*-*-*", list[2].PatternFor(90).AsCharPtr());
    EXPECT_STREQ("%s%n Light", list[2].name.AsCharPtr());
}

TEST_F(Server, RequestsFindTheRegisteredFileThatMatchesBest)
{
    std::string const sans = dejavu + "DejaVuSans.ttf", oblique = dejavu + "DejaVuSans-Oblique.ttf",
                      bold = dejavu + "DejaVuSans-Bold.ttf", serif = dejavu + "DejaVuSerif.ttf",
                      serifItalic = dejavu + "DejaVuSerif-Italic.ttf", condensed = dejavu + "DejaVuSansCondensed-Oblique.ttf",
                      arial = liberation + "LiberationSans-", gothic = (root / "gothic/").string();
    // Named so that the search (last name first) meets the worse faces first.
    Copy(type1 + "URWGothic-Demi.pfb", "gothic/a.pfb");
    Copy(type1 + "URWGothic-BookOblique.pfb", "gothic/b.pfb");
    Copy(type1 + "URWGothic-Book.pfb", "gothic/c.pfb");
    struct Case {
        char const * fontPath;
        Names registered, requests;  // request -> file
    } const cases[] = {
        {nullptr,
         {{"Arial (TrueType)", arial + "Regular.ttf"}, {"Arial Bold (TrueType)", arial + "Bold.ttf"}},
         {{"-adobe-helvetica-bold-r-normal-*-*-120-*-*-p-*-iso8859-1", arial + "Bold.ttf"}}},
        {nullptr,
         {{"Helvetica (TrueType)", sans}, {"Helvetica Oblique (TrueType)", oblique}},
         {{"-*-arial-medium-o-normal-*-*-140-*-*-p-*-*-*", oblique}}},
        {nullptr,  // candidates rank by match level and the first of a level wins
         {{"Foo Bold (TrueType)", bold},                   // family only
          {"Foo (TrueType)", sans},                        // and weight
          {"Foo Regular (TrueType)", serif},               // and weight, found later
          {"Foo Oblique (TrueType)", oblique},             // and the other slant
          {"Foo Italic (TrueType)", serifItalic},          // and slant, not width
          {"Foo Italic Condensed (TrueType)", condensed},  // all
          {"Food Italic Condensed (TrueType)", serif}},    // the family is a prefix
         {{"-*-foo-light-r-normal-*-*-100-*", bold},
          {"-*-foo-medium-x-normal-*-*-100-*", sans},
          {"-*-foo-medium-i-normal-*-*-100-*", serifItalic},
          {"-*-foo-medium-i-semicondensed-*-*-100-*", serifItalic},  // condensed is no semicondensed
          {"-*-foo-medium-i-condensed-*-*-100-*", condensed},
          {"-*-foo-*-o-*-*-*-100-*", oblique},
          {"-*-foo-*-*-*-*-*-100-*", sans},  // nothing asked: the bare name
          {"-*-foo-bold-r-*-*-*-100-*", bold}}},
        {nullptr,  // an italic request takes the oblique face over an upright one
         {{"Foo (TrueType)", sans}, {"Foo Oblique (TrueType)", oblique}},
         {{"-*-foo-medium-i-normal-*-*-100-*", oblique}, {"-*-foo-medium-r-normal-*-*-100-*", sans}}},
        {type1.c_str(),  // font path directories come first, and a full match there ends the search
         {{"Nimbus Sans Bold (TrueType)", bold}},
         {{"-*-nimbus sans-bold-r-normal-*-*-100-*", type1 + "NimbusSans-Bold.pfb"},
          {"-*-nimbus sans narrow-bold-o-narrow-*-*-100-*", type1 + "NimbusSansNarrow-BoldOblique.pfb"},
          // No oblique Nimbus Sans: the italic one beats the registry's upright bold.
          {"-*-nimbus sans-bold-o-normal-*-*-100-*", type1 + "NimbusSans-BoldItalic.pfb"},
          {"-*-nimbus mono ps-light-r-normal-*-*-100-*", type1 + "NimbusMonoPS-Regular.pfb"}}},  // "Regular" is no "light"
        {gothic.c_str(),  // the other slant ranks above the weight alone, and that above the family alone
         {{"URW Gothic Demi Italic (TrueType)", bold}},  // the weight alone: the font path's file of that rank stays
         {{"-*-urw gothic-book-i-*-*-*-100-*", gothic + "b.pfb"},
          {"-*-urw gothic-demi-r-condensed-*-*-100-*", gothic + "a.pfb"}}},
    };
    for (Case const & c : cases) {
        setenv("QEL_FONT_PATH", c.fontPath ? c.fontPath : "", 1);
        Restart(c.registered);
        for (auto const & [request, file] : c.requests)
            EXPECT_EQ(file, FileOf(Load(request))) << request;
    }
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

TEST_F(Server, OutlinesOfAFileThatCannotBeLoadedFallBackToCourierElseTheFirstFontElseNothing)
{
    WriteFile(root / "broken.ttf", std::string(4096, 'z'));
    std::string const broken = (root / "broken.ttf").string(), courier = liberation + "LiberationMono-Regular.ttf";
    char const * request = "-*-broken-medium-r-normal-*-*-140-*";
    Restart({{"Alpha (TrueType)", dejavu + "DejaVuSans.ttf"}, {"Broken (TrueType)", broken}, {"Courier (TrueType)", courier}});
    unsigned const handle = LoadOutlines(request);
    EXPECT_EQ(courier, FileOf(handle));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(handle));  // the fallback's own size
    float ascent = 0, descent = 0;
    EXPECT_TRUE(Fonts().GetOutlineHeight(handle, "A", ascent, descent));
    EXPECT_GT(ascent, 0.0f);

    Restart({{"Alpha (TrueType)", dejavu + "DejaVuSerif.ttf"}, {"Broken (TrueType)", broken}});
    EXPECT_EQ(dejavu + "DejaVuSerif.ttf", FileOf(LoadOutlines(request)));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(LoadOutlines(request)));

    win_SetRegistry(std::make_unique<win_MemoryRegistry>());
    auto & only = static_cast<win_MemoryRegistry &>(const_cast<win_Registry &>(win_GetRegistry()));
    only.SetString(win_Hive::localMachine, win_fontsKey, "Broken (TrueType)", broken);
    EXPECT_EQ(noFont, LoadOutlines(request));
    EXPECT_EQ(noFont, LoadOutlines("-*-other-medium-r-normal-*-*-140-*"));
    // The fallbacks are open again afterwards.
    only.SetString(win_Hive::localMachine, win_fontsKey, "Courier (TrueType)", liberation + "LiberationMono-Bold.ttf");
    EXPECT_EQ(liberation + "LiberationMono-Bold.ttf", FileOf(LoadOutlines(request)));
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

TEST_F(Server, HandleQueriesForwardToTheOutlineFontAtTheSlotsSizeAndResolution)
{
    Register("Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    unsigned const small = Load("-*-foo-medium-r-normal-*-*-100-*");
    unsigned const large = Load("-*-foo-medium-r-normal-*-*-200-*");
    EXPECT_NEAR(2.0f, Fonts().GetWidth(large, "Wide", 0, 0) / Fonts().GetWidth(small, "Wide", 0, 0), 0.15f);
    EXPECT_GT(Fonts().GetHeight(large, "Wide", 0, 0), Fonts().GetHeight(small, "Wide", 0, 0));
    g3d_Bitmap const glyph = Fonts().GetBitmap(large, 'W');
    EXPECT_GT(glyph.xAdvance, 0.0f);
    Fonts().StripCache(large);
    EXPECT_EQ(glyph, Fonts().GetBitmap(large, 'W'));  // rendered again on demand
    EXPECT_FLOAT_EQ(20.0f, SizeOf(large));
    // Outlines are prepared for slots that ask for them, and scaled by the slot's dpi.
    EXPECT_EQ(0.0f, Fonts().GetOutlineWidth(large, "Wide"));
    unsigned const outline = LoadOutlines("-*-foo-medium-r-normal-*-*-300-*");
    unsigned const outlineAt200 = Fonts().LoadFont("-*-foo-medium-r-normal-*-*-300-*", 7.874f, 7.874f, false, false, true);
    float const width = Fonts().GetOutlineWidth(outline, "Wide");
    EXPECT_GT(width, 0.0f);
    EXPECT_NEAR(2.0f * width, Fonts().GetOutlineWidth(outlineAt200, "Wide"), 1e-3f * width);
    unsigned contours = 0, sizes[8] = {}, triangles = 0;
    float points[2 * 512];
    float * fill = nullptr;
    EXPECT_GT(Fonts().GetOutline(outline, 'O', 8, 512, contours, sizes, points), 0.0f);
    EXPECT_EQ(2u, contours);
    EXPECT_GT(Fonts().GetFill(outline, 'O', triangles, &fill), 0.0f);
    EXPECT_GT(triangles, 0u);
    EXPECT_NE(nullptr, fill);

    // Free or out of range handles answer nothing, and unloading them is harmless.
    Fonts().UnloadFont(small);
    for (unsigned handle : {small, 255u, 256u, noFont}) {
        cow_String file = "kept";
        float size = 3.0f, ascent = 1, descent = 1;
        EXPECT_FALSE(Fonts().GetFontInfo(handle, file, size));
        EXPECT_STREQ("kept", file.AsCharPtr());
        EXPECT_EQ(0.0f, Fonts().GetWidth(handle, "x", 0, 0) + Fonts().GetHeight(handle, "x", 1, 1) +
                            Fonts().GetOutlineWidth(handle, "x"));
        EXPECT_FALSE(Fonts().GetOutlineHeight(handle, "x", ascent, descent));
        EXPECT_EQ(0.0f, ascent + descent);
        fill = reinterpret_cast<float *>(&triangles);
        EXPECT_EQ(0.0f, Fonts().GetFill(handle, 'x', triangles, &fill) +
                            Fonts().GetOutline(handle, 'x', 0, 0, contours, nullptr, nullptr));
        EXPECT_EQ(0u, triangles + contours);
        EXPECT_EQ(nullptr, fill);
        EXPECT_FALSE(Fonts().GetBitmap(handle, 'x').HasPixels());
        Fonts().StripCache(handle);
        Fonts().UnloadFont(handle);
    }
}

TEST_F(Server, UnreadableOrHostileRegistryValuesAreSkippedAndTheRestRead)
{
    std::string const path = dejavu + "DejaVuSans-Bold.ttf";
    auto set = [&](std::string name, std::string data) {
        win_RegistryValue value;
        value.type = win_REG_SZ;
        value.name = std::move(name);
        value.data.assign(data.begin(), data.end());
        registry->SetValue(win_Hive::localMachine, win_fontsKey, value);
    };
    set(std::string(5000, 'N') + " (TrueType)", std::string("a.ttf", 6));  // a name beyond the buffer
    set("Huge (TrueType)", std::string(100000, 'd'));
    set("Bin\x01\xff\x7f Bold (TrueType)", path + std::string("\0junk", 5));
    set("Unterminated (TrueType)", path + std::string(1024 - path.size(), 'x'));
    Register("Last (TrueType)", dejavu + "DejaVuSans.ttf");
    std::vector<L> const list = List();
    ASSERT_EQ(3u, list.size());
    EXPECT_EQ(std::string("Bin\x01\xff\x7f"), list[0].name.AsCharPtr());
    EXPECT_EQ(path, list[0].file.AsCharPtr());  // the data ends at its first 0 byte
    EXPECT_STREQ("Last", list[1].name.AsCharPtr());
    EXPECT_EQ(1024u, std::string(list[2].file.AsCharPtr()).size());
    EXPECT_EQ(path, FileOf(Load("-*-bin\x01\xff\x7f-bold-*-*-*-*-100-*")));
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
    EXPECT_TRUE(Fonts().ValidFontString("-*-gone-bold-r-normal-*-*-100-*", nullptr));  // located by the value
    win_SetRegistry(std::make_unique<win_MemoryRegistry>());
    EXPECT_FALSE(Fonts().ValidFontString("-*-gone-bold-r-normal-*-*-100-*", nullptr));
}

TEST_F(Server, WithEverySlotInUseANewFontTakesTheLastSlot)
{
    Register("Foo (TrueType)", dejavu + "DejaVuSans.ttf");
    for (unsigned i = 0; i < fsp_FontServer::slotCount; ++i)
        ASSERT_EQ(i, LoadOutlines(("-*-foo-*-*-*-*-*-" + std::to_string(100 + i) + "-*").c_str()));
    EXPECT_EQ(255u, LoadOutlines("-*-foo-*-*-*-*-*-50-*"));
    EXPECT_FLOAT_EQ(5.0f, SizeOf(255));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(0));
    // Another size in the last slot shares the font of slot 0.
    EXPECT_EQ(255u, Fonts().LoadFont("-*-foo-*-*-*-*-*-100-*", 5.0f, 5.0f, false, false, true));
    EXPECT_FLOAT_EQ(10.0f, SizeOf(255));
    unsigned count = 0;
    float * triangles = nullptr;
    EXPECT_GT(Fonts().GetFill(255, 'A', count, &triangles), 0.0f);
    EXPECT_GT(count, 0u);
}

}  // namespace
