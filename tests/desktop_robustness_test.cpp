// The desktop under a user who clicks anything in any order: for a few
// hundred rounds a random visible widget is pressed, a random point of the
// viewport clicked or dragged, or random text typed into an entry. Nothing
// may crash, fail a contract check or leak (the sanitizer build checks), and
// the session must still end cleanly: every mode that started ended once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include <fxkeys.h>

#include "DesktopHarness.h"

namespace {

int const rounds = 300;

// What a random press may hit: not the menus (their Quit would end the test
// early), everything else that takes a click.
bool Pressable(FX::FXWindow * w)
{
    if (dynamic_cast<FX::FXMenuCaption *>(w) || dynamic_cast<FX::FXMenuTitle *>(w))
        return false;
    return w->isEnabled() && (dynamic_cast<FX::FXButton *>(w) || dynamic_cast<FX::FXToggleButton *>(w) ||
                              dynamic_cast<FX::FXRadioButton *>(w) || dynamic_cast<FX::FXCheckButton *>(w) ||
                              dynamic_cast<FX::FXListBox *>(w) || dynamic_cast<FX::FXComboBox *>(w) ||
                              dynamic_cast<FX::FXMenuButton *>(w) || dynamic_cast<FX::FXTextField *>(w));
}

TEST(DesktopRobustness, RandomPressesClicksAndTextLeaveTheSessionWhole)
{
    REQUIRE_DISPLAY();
    char const * seedText = std::getenv("QELMODC_ROBUSTNESS_SEED");
    unsigned const seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 20240611u;
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    DesktopSession s;
    DesktopDriver & driver = s.Driver();
    FX::FXGLCanvas * canvas = s.Window().GetViewport().Canvas();
    std::vector<Action> actions;
    for (int round = 0; round < rounds; ++round) {
        actions.push_back([&, round] {
            SCOPED_TRACE("round " + std::to_string(round) + " of seed " + std::to_string(seed));
            int const what = pick(100);
            if (what < 8 && !driver.Dialog()) {
                driver.Press(driver.Button(DesktopWindow::ModeNames()[static_cast<std::size_t>(pick(4))]));
            } else if (what < 45) {
                std::vector<FX::FXWindow *> candidates;
                for (FX::FXWindow * w : driver.VisibleWindows())
                    if (Pressable(w) && (!driver.Dialog() || w->isChildOf(driver.Dialog())))
                        candidates.push_back(w);
                if (!candidates.empty()) {
                    FX::FXWindow * w = candidates[static_cast<std::size_t>(pick(static_cast<int>(candidates.size())))];
                    driver.Click(w, 1 + pick(std::max(1, w->getWidth() - 2)), 1 + pick(std::max(1, w->getHeight() - 2)));
                }
            } else if (what < 75) {
                int const x = pick(canvas->getWidth());
                int const y = pick(canvas->getHeight());
                if (pick(4) == 0)
                    driver.Drag(canvas, x, y, pick(canvas->getWidth()), pick(canvas->getHeight()), pick(5) ? 1 : 3);
                else
                    driver.Click(canvas, x, y, pick(4) ? 1 : 3, pick(5) == 0);
            } else if (what < 95) {
                std::string text;
                for (int n = pick(9); n > 0; --n)
                    text += static_cast<char>(pick(3) ? "0123456789.,- e"[pick(15)] : 0x21 + pick(0x5e));
                driver.Type(pick(2) ? text + "\n" : text);
            } else if (driver.Dialog()) {
                driver.CloseByWindowManager(driver.Dialog());
            } else {
                driver.Key(KEY_Escape);
            }
        });
    }
    int started = 0;
    int ended = 0;
    actions.push_back([&] { driver.CloseByWindowManager(s.Window().Main()); });
    actions.push_back([&] {
        for (std::string const & call : s.Calls()) {
            started += call.rfind("VerifyPreReq(", 0) == 0;
            ended += call == "ModeEnded()";
        }
        EXPECT_EQ(nullptr, s.Window().Mode());
        EXPECT_EQ(nullptr, driver.Dialog());
    });
    s.Play(actions);
    EXPECT_GT(started, 0) << "no mode ever started";
    EXPECT_EQ(started, ended) << "every mode that started ends once";
}

}  // namespace
