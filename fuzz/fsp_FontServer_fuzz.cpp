// The catalogue and name matching from the bytes: a font folder holding one
// file and a font directory file ("fonts.dir"), a registered font value, and
// X logical font descriptions asked for. The first byte chooses the file kind
// and the flags; the sections that follow are separated by "\n@@\n": the
// fonts.dir text, the registered value's name, any number of requested names,
// and last the font file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fsp_FSTextFont.h"
#include "fsp_FontServer.h"
#include "fuzz_Check.h"
#include "win_Registry.h"

namespace {

std::vector<std::string> Sections(char const * bytes, std::size_t size)
{
    static std::string const separator = "\n@@\n";
    std::vector<std::string> sections;
    std::string const all(bytes, size);
    std::size_t start = 0;
    for (;;) {
        std::size_t const end = all.find(separator, start);
        sections.push_back(all.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return sections;
        start = end + separator.size();
    }
}

fsp_FontServer & Fonts()
{
    return omi_Singleton<fsp_FontServer>::Instance();
}

// Every record names a file; those of a font directory file name a font of
// its folder.
void CheckRecords(std::vector<fsp_FontList> const & list, int count, std::string const & folder, bool fontsDir)
{
    for (int i = 0; i < count; ++i) {
        fsp_FontList const & record = list[static_cast<std::size_t>(i)];
        std::string const file = record.file.AsCharPtr();
        FUZZ_CHECK(!file.empty());
        record.PatternFor(120);
        if (fontsDir) {
            FUZZ_CHECK(file.compare(0, folder.size() + 1, folder + "/") == 0);
            FUZZ_CHECK(file.find('/', folder.size() + 1) == std::string::npos);
            FUZZ_CHECK(fsp_FSTextFont::IsFontFile(file.c_str()));
        }
    }
}

void UseHandle(unsigned handle, std::string const & name)
{
    FUZZ_CHECK(handle < fsp_FontServer::slotCount || handle == fsp_FontServer::noFont);
    if (handle == fsp_FontServer::noFont)
        return;
    cow_String file;
    float size = 0;
    FUZZ_CHECK(Fonts().GetFontInfo(handle, file, size));
    cow_String const text(name.substr(0, 64));
    Fonts().GetWidth(handle, text, 0, 0);
    Fonts().GetHeight(handle, text, 0, 0);
    Fonts().GetOutlineWidth(handle, text);
    unsigned char const first = name.empty() ? 0 : static_cast<unsigned char>(name[0]);
    for (unsigned char c : {static_cast<unsigned char>('A'), static_cast<unsigned char>('g'), first}) {
        Fonts().GetBitmap(handle, c);
        unsigned contours = 0;
        unsigned sizes[4];
        float points[2 * 64];
        Fonts().GetOutline(handle, c, 4, 64, contours, sizes, points);
        FUZZ_CHECK(contours <= 4);
        unsigned count = 0;
        float * triangles = nullptr;
        Fonts().GetFill(handle, c, count, &triangles);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A fixed resolution without asking the window system, and only the
    // fuzzed folder to search.
    setenv("QEL_PRINT_XRES", "3.9370079", 1);
    setenv("QEL_FONT_PATH", fuzz_Folder().c_str(), 1);
    for (char const * name : {"QEL_PRINT_YRES", "VNT_PATH", "SystemRoot", "SystemDrive"})
        unsetenv(name);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    if (size < 1)
        return 0;
    static char const * const extensions[] = {".ttf", ".ttc", ".pfa", ".pfb"};
    unsigned const flags = data[0];
    std::vector<std::string> const sections = Sections(reinterpret_cast<char const *>(data + 1), size - 1);
    std::string const & folder = fuzz_Folder();
    for (char const * extension : extensions)
        std::remove((folder + "/font" + extension).c_str());
    std::string const font = folder + "/font" + extensions[flags & 3];
    fuzz_WriteFile(font, sections.back().data(), sections.back().size());
    std::string const fontsDir = folder + "/fonts.dir";
    fuzz_WriteFile(fontsDir, sections[0].data(), sections.size() > 1 ? sections[0].size() : 0);

    auto registry = std::make_unique<win_MemoryRegistry>();
    if (sections.size() > 2)
        registry->SetString(win_Hive::localMachine, win_fontsKey, sections[1], font);
    win_SetRegistry(std::move(registry));
    Fonts().Init(nullptr);

    int count = 0;
    int const found = Fonts().GetFontList(nullptr, count);
    FUZZ_CHECK(count == 0 && found >= 0);
    std::vector<fsp_FontList> list(static_cast<std::size_t>(found) + 1);
    count = found + 1;
    FUZZ_CHECK(Fonts().GetFontList(list.data(), count) == found && count == found);
    CheckRecords(list, count, folder, false);

    count = 4;
    std::vector<fsp_FontList> listed(4);
    FUZZ_CHECK(Fonts().GetX11Fonts(fontsDir.c_str(), listed.data(), count) >= count);
    CheckRecords(listed, count, folder, true);

    bool const noBitmaps = flags & 4;
    bool const outlines = flags & 8;
    for (std::size_t i = 2; i + 1 < sections.size(); ++i) {
        std::string const & name = sections[i];
        UseHandle(Fonts().LoadFont(cow_String(name), 0, 0, noBitmaps, true, outlines), name);
        UseHandle(Fonts().LoadFont(cow_String(name), 5.0f, 5.0f, noBitmaps, true, !outlines), name);
        Fonts().ValidFontString(cow_String(name), nullptr);
    }
    for (int i = 0; i < count; ++i)
        UseHandle(Fonts().LoadFont(listed[static_cast<std::size_t>(i)].PatternFor(120), 0, 0, false, true, outlines),
                  "Ag");
    Fonts().UnloadTemporaryFonts();
    omi_Singleton<fsp_FontServer>::Finalize();
    win_SetRegistry(nullptr);
    return 0;
}
