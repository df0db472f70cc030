// The display resolution. It is kept for the process once known, so each case
// runs in a fresh process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "fsp_FontServer.h"
#include "win_Registry.h"

namespace {

float const fallback = 3.6571429f;  // 92.9 dpi

// Runs `body` in a new process of this program without the print settings; it
// fails when a check of the body fails.
void InFreshProcess(std::function<void()> const & body)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("QEL_PRINT_XRES");
            unsetenv("QEL_PRINT_YRES");
            body();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

float X() { return fsp_FontServer::GetDisplayPixelsPerMM_X(nullptr, 0); }
float Y() { return fsp_FontServer::GetDisplayPixelsPerMM_Y(nullptr, 0); }

TEST(Resolution, PrintSettingsGiveTheAxesAndAreKeptOnceKnownButTheFallbackIsNot)
{
    InFreshProcess([] {
        unsetenv("DISPLAY");  // without any display the fallback, and it is not kept
        for (char const * unusable : {"abc", "0", "-2", "inf", ""}) {
            setenv("QEL_PRINT_XRES", unusable, 1);
            EXPECT_FLOAT_EQ(fallback, X()) << unusable;
        }
        unsetenv("QEL_PRINT_XRES");
        EXPECT_FLOAT_EQ(fallback, Y());
        setenv("QEL_PRINT_XRES", "7", 1);
        EXPECT_FLOAT_EQ(7.0f, X());
        EXPECT_FLOAT_EQ(7.0f, Y());
    });
    InFreshProcess([] {
        setenv("QEL_PRINT_XRES", "11.811", 1);
        EXPECT_FLOAT_EQ(11.811f, X());
        setenv("QEL_PRINT_XRES", "8", 1);
        EXPECT_FLOAT_EQ(11.811f, X());
        EXPECT_FLOAT_EQ(8.0f, Y());  // not asked before
    });
    InFreshProcess([] {
        setenv("QEL_PRINT_XRES", "11.811", 1);
        setenv("QEL_PRINT_YRES", " 5.5mm", 1);
        EXPECT_FLOAT_EQ(11.811f, X());
        EXPECT_FLOAT_EQ(5.5f, Y());
    });
}

TEST(Resolution, InitTurnsItIntoThePixelSizeOfRequests)
{
    InFreshProcess([] {
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
    });
}

}  // namespace
