#include "fsp_DisplayResolution.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "fsp_TextHelpers.h"

using namespace fsp_text;

namespace fsp_server {

namespace {

constexpr float kFallbackPixelsPerMM = 3.6571429f;

std::optional<float> rememberedX;
std::optional<float> rememberedY;

struct DisplayCloser {
    void operator()(Display * display) const { XCloseDisplay(display); }
};

std::optional<float> EnvResolution(char const * name)
{
    std::optional<std::string> const text = Env(name);
    if (!text)
        return std::nullopt;
    std::optional<float> const value = Number(*text);
    if (!value || *value <= 0.0f)
        return std::nullopt;
    return value;
}

std::optional<float> ScreenResolution(Display * display, int screen, bool horizontal)
{
    if (screen <= 0 || screen >= ScreenCount(display))
        screen = DefaultScreen(display);
    int const pixels = horizontal ? DisplayWidth(display, screen) : DisplayHeight(display, screen);
    int const millimetres = horizontal ? DisplayWidthMM(display, screen) : DisplayHeightMM(display, screen);
    if (pixels <= 0 || millimetres <= 0)
        return std::nullopt;
    return static_cast<float>(pixels) / static_cast<float>(millimetres);
}

}  // namespace

float PixelsPerMM(Display * display, int screen, bool horizontal)
{
    std::optional<float> & remembered = horizontal ? rememberedX : rememberedY;
    if (remembered)
        return *remembered;
    std::optional<float> value = EnvResolution(horizontal ? "QEL_PRINT_XRES" : "QEL_PRINT_YRES");
    if (!value && !horizontal && !std::getenv("QEL_PRINT_YRES"))
        value = EnvResolution("QEL_PRINT_XRES");
    if (!value && display)
        value = ScreenResolution(display, screen, horizontal);
    if (!value) {
        // The screen of the window system, as the process would open it.
        std::unique_ptr<Display, DisplayCloser> const screenDisplay(XOpenDisplay(nullptr));
        if (screenDisplay)
            value = ScreenResolution(screenDisplay.get(), 0, horizontal);
    }
    if (!value)
        return kFallbackPixelsPerMM;
    remembered = value;
    return *value;
}

float DpiOr(float pixelsPerMM, float fallback)
{
    return pixelsPerMM != 0.0f ? pixelsPerMM * 25.4f : fallback;
}

}  // namespace fsp_server
