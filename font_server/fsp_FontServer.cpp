#include "fsp_FontServer.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "crt_Assert.h"
#include "fsp_DisplayResolution.h"
#include "fsp_FSTextFont.h"
#include "fsp_FontCatalogue.h"
#include "fsp_FontNames.h"
#include "fsp_FontPaths.h"
#include "fsp_FontTable.h"
#include "fsp_RegisteredFonts.h"
#include "fsp_TextHelpers.h"
#include "fsp_Type1Header.h"
#include "fsp_XTextFont.h"
#include "utl_DirObject.h"
#include "utl_RegularFile.h"
#include "win_Registry.h"

using namespace fsp_server;
using namespace fsp_text;

namespace {

constexpr unsigned kTrueTypeInterface = 0x2000000;
constexpr unsigned kType1Interface = 0x3000000;

fsp_FontServer * registered = nullptr;

int Coordinate(float value)
{
    if (!(value > -32768.0f))
        return value != value ? 0 : -32768;
    return value < 32767.0f ? static_cast<int>(value) : 32767;
}

}  // namespace

// ---- singleton ----------------------------------------------------------

namespace {

std::unique_ptr<fsp_FontServer> & TheServer()
{
    static std::unique_ptr<fsp_FontServer> server;
    return server;
}

}  // namespace

fsp_FontServer & omi_Singleton<fsp_FontServer>::Instance()
{
    if (!TheServer()) {
        TheServer().reset(new fsp_FontServer());
        QEL_ASSERT_TEXT(TheServer().get() == registered, "instance == omi_SingletonBase<Class>::Instance()");
    }
    return *TheServer();
}

void omi_Singleton<fsp_FontServer>::Finalize()
{
    TheServer().reset();
}

fsp_FontServer::fsp_FontServer()
{
    QEL_ASSERT_TEXT(registered == nullptr, "instance == 0");
    registered = this;
}

fsp_FontServer::~fsp_FontServer()
{
    for (unsigned handle = 0; handle < slotCount; ++handle)
        UnloadFont(handle);
    registered = nullptr;
}

// ---- set-up -------------------------------------------------------------

void fsp_FontServer::Init(_XDisplay * newDisplay)
{
    int const screen = newDisplay ? DefaultScreen(newDisplay) : 0;
    float const x = GetDisplayPixelsPerMM_X(newDisplay, screen);
    float const y = GetDisplayPixelsPerMM_Y(newDisplay, screen);
    if (newDisplay)
        display = newDisplay;
    if (!type1Ready)
        type1Ready = fsp_InitType1Engine(kType1Interface) == 0;
    if (!trueTypeReady)
        trueTypeReady = fsp_InitTrueTypeEngine(kTrueTypeInterface) == 0;
    inchesPerPixelX = 1.0f / (x * 25.4f);
    inchesPerPixelY = 1.0f / (y * 25.4f);
}

float fsp_FontServer::GetDisplayPixelsPerMM_X(_XDisplay * display, int screen)
{
    return PixelsPerMM(display ? display : registered ? registered->display : nullptr, screen, true);
}

float fsp_FontServer::GetDisplayPixelsPerMM_Y(_XDisplay * display, int screen)
{
    return PixelsPerMM(display ? display : registered ? registered->display : nullptr, screen, false);
}

// ---- drawing ------------------------------------------------------------

void fsp_FontServer::String(_XDisplay * xDisplay, unsigned long drawable, _XGC * gc, unsigned handle,
                            char const * text, int length, float x, float y)
{
    if (!xDisplay || !gc || !text || length <= 0)
        return;
    XFontEntry const * const entry = Slot(handle);
    if (!entry)
        return;
    int const count = static_cast<int>(strnlen(text, static_cast<std::size_t>(length)));
    if (entry->fontStruct) {
        XSetFont(xDisplay, gc, entry->fontStruct->fid);
        XDrawString(xDisplay, drawable, gc, Coordinate(x), Coordinate(y), text, count);
        return;
    }
    XGCValues saved;
    if (!XGetGCValues(xDisplay, gc, GCFunction | GCPlaneMask | GCForeground | GCBackground, &saved)) {
        int const screen = DefaultScreen(xDisplay);
        saved.function = GXcopy;
        saved.plane_mask = AllPlanes;
        saved.foreground = WhitePixel(xDisplay, screen);
        saved.background = BlackPixel(xDisplay, screen);
    }
    bool const exclusiveOr = saved.function == GXxor;
    if (exclusiveOr)
        XSetBackground(xDisplay, gc, 0);
    std::vector<char> scratch;
    for (int i = 0; i < count; ++i) {
        g3d_Bitmap const & glyph = GetBitmap(handle, static_cast<unsigned char>(text[i]));
        int const width = glyph.Width();
        int const height = glyph.Height();
        if (glyph.HasPixels() && width > 0 && height > 0) {
            std::size_t const rowBytes = static_cast<std::size_t>(glyph.BytesPerRow());
            std::size_t const needed = rowBytes * static_cast<std::size_t>(height);
            if (scratch.size() < needed)
                scratch.resize(2 * needed);
            // X wants the top row first.
            for (int row = 0; row < height; ++row)
                std::memcpy(scratch.data() + static_cast<std::size_t>(row) * rowBytes, glyph.Row(height - 1 - row),
                            rowBytes);
            XImage image{};
            image.width = width;
            image.height = height;
            image.format = XYBitmap;
            image.data = scratch.data();
            image.byte_order = LSBFirst;
            image.bitmap_unit = 8;
            image.bitmap_bit_order = MSBFirst;
            image.bitmap_pad = 8;
            image.depth = 1;
            image.bytes_per_line = static_cast<int>(rowBytes);
            image.bits_per_pixel = 1;
            if (XInitImage(&image)) {
                int const left = Coordinate(x + glyph.xOffset);
                int const top = Coordinate(y + glyph.yOffset - static_cast<float>(height));
                auto const put = [&] {
                    XPutImage(xDisplay, drawable, gc, &image, 0, 0, left, top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height));
                };
                if (!exclusiveOr) {
                    // Clear the glyph's pixels, then colour them; the others stay.
                    XSetState(xDisplay, gc, 0, ~0UL, GXand, saved.plane_mask);
                    put();
                    XSetState(xDisplay, gc, saved.foreground, 0, GXor, saved.plane_mask);
                }
                put();
            }
        }
        x += glyph.xAdvance;
        y += glyph.yAdvance;
    }
    XSetState(xDisplay, gc, saved.foreground, saved.background, saved.function, saved.plane_mask);
}

void fsp_FontServer::String(_XDisplay * xDisplay, unsigned long drawable, _XGC * gc, unsigned handle,
                            cow_String const & text, float x, float y)
{
    String(xDisplay, drawable, gc, handle, text.AsCharPtr(), text.Length(), x, y);
}
