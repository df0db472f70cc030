// The display resolution as the font server's requests use it. It is kept for
// the process once known, so the setting comes before anything asks for it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "fsp_FontServer.h"
#include "win_Registry.h"

namespace {

TEST(Resolution, InitTurnsItIntoThePixelSizeOfRequests)
{
    unsetenv("QEL_PRINT_YRES");
    setenv("QEL_PRINT_XRES", "11.811024", 1);  // 300 dpi
    auto memory = std::make_unique<win_MemoryRegistry>();
    memory->SetString(win_Hive::localMachine, win_fontsKey, "Foo (TrueType)",
                      "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    win_SetRegistry(std::move(memory));
    fsp_FontServer & server = omi_Singleton<fsp_FontServer>::Instance();
    server.Init(nullptr);
    server.Init(nullptr);  // again: the same values
    unsigned const handle = server.LoadFont("-*-foo-*-*-*-*-20-*-*", 0, 0, true, false, false);
    cow_String file;
    float size = 0.0f;
    EXPECT_TRUE(server.GetFontInfo(handle, file, size));
    EXPECT_NEAR(4.8f, size, 1e-4f);
    // A width at the slot's own resolution is the width at 300 dpi.
    EXPECT_FLOAT_EQ(server.GetWidth(handle, "Wide", 11.811024f, 11.811024f), server.GetWidth(handle, "Wide", 0, 0));
    omi_Singleton<fsp_FontServer>::Finalize();
    win_SetRegistry(nullptr);
}

}  // namespace
