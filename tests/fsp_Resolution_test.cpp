// The display resolution as the font server's requests use it. It is kept for
// the process once known, so the cases run in order in one test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "fsp_FontServer.h"
#include "win_Registry.h"

namespace {

TEST(Resolution, UnusableSettingsGiveTheFallbackUntilAUsableOneIsKeptAndUsedByInit)
{
    unsetenv("QEL_PRINT_YRES");
    std::string const display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");  // no screen either
    // A display passed in is asked first (in a child: a resolution once known is kept).
    if (!display.empty()) {
        EXPECT_EXIT(unsetenv("QEL_PRINT_XRES"); Display * const x = XOpenDisplay(display.c_str());
                    float const screen = float(DisplayWidth(x, 0)) / float(DisplayWidthMM(x, 0));
                    bool const asked = fsp_FontServer::GetDisplayPixelsPerMM_X(x, 0) == screen; XCloseDisplay(x);
                    std::exit(asked ? 0 : 1),
                    ::testing::ExitedWithCode(0), "");
    }
    for (char const * unusable : {"abc", "0", "-2", "inf", ""}) {
        setenv("QEL_PRINT_XRES", unusable, 1);
        EXPECT_FLOAT_EQ(3.6571429f, fsp_FontServer::GetDisplayPixelsPerMM_X(nullptr, 0)) << unusable;
        EXPECT_FLOAT_EQ(3.6571429f, fsp_FontServer::GetDisplayPixelsPerMM_Y(nullptr, 0)) << unusable;
    }
    setenv("QEL_PRINT_XRES", "7", 1);
    setenv("QEL_PRINT_YRES", "bad", 1);  // set, so the horizontal value does not stand in
    EXPECT_FLOAT_EQ(3.6571429f, fsp_FontServer::GetDisplayPixelsPerMM_Y(nullptr, 0));
    unsetenv("QEL_PRINT_YRES");
    setenv("QEL_PRINT_XRES", " 11.811024mm", 1);  // 300 dpi, for both axes
    EXPECT_FLOAT_EQ(11.811024f, fsp_FontServer::GetDisplayPixelsPerMM_Y(nullptr, 0));
    EXPECT_FLOAT_EQ(11.811024f, fsp_FontServer::GetDisplayPixelsPerMM_X(nullptr, 0));
    setenv("QEL_PRINT_XRES", "8", 1);  // kept for the process once known
    EXPECT_FLOAT_EQ(11.811024f, fsp_FontServer::GetDisplayPixelsPerMM_X(nullptr, 0));
    if (!display.empty())
        setenv("DISPLAY", display.c_str(), 1);
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
