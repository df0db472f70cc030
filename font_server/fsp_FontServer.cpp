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
constexpr char const * kCourierName = "-*-courier-medium-r-*-*-*-100-*-*-*-*-*-*";
constexpr char const * kAnyFontName = "-*-*-*-*-*-*-*-*-*-*-*-*-*-*";

fsp_FontServer * registered = nullptr;

// Keep each fallback of LoadFont from being entered again while it runs.
bool courierFallbackRunning = false;
bool catalogueFallbackRunning = false;
bool defaultFallbackRunning = false;
bool anyFontFallbackRunning = false;

class Guard {
public:
    explicit Guard(bool & flag) : flag(flag) { flag = true; }
    ~Guard() { flag = false; }
    Guard(Guard const &) = delete;
    Guard & operator=(Guard const &) = delete;

private:
    bool & flag;
};

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

// ---- loading ------------------------------------------------------------

unsigned fsp_FontServer::LoadDefaultFont(float xPixelsPerMM, float yPixelsPerMM, bool noBitmaps, bool temporary)
{
    return LoadFont(kDefaultFontName, xPixelsPerMM, yPixelsPerMM, noBitmaps, temporary, false);
}

unsigned fsp_FontServer::TakeSlot()
{
    for (unsigned handle = 0; handle < slotCount; ++handle) {
        if (!fonts[handle])
            return handle;
    }
    UnloadFont(slotCount - 1);
    return slotCount - 1;
}

unsigned fsp_FontServer::LoadFont(cow_String const & name, float xPixelsPerMM, float yPixelsPerMM, bool noBitmaps,
                                  bool temporary, bool outlines)
{
    if (name == "Default")
        return LoadDefaultFont(xPixelsPerMM, yPixelsPerMM, noBitmaps, temporary);
    if (noBitmaps && !outlines) {
        // Printing at another resolution: make sure the screen has the font too.
        float const screenX = GetDisplayPixelsPerMM_X(display, 0);
        float const screenY = GetDisplayPixelsPerMM_Y(display, 0);
        if ((xPixelsPerMM != 0.0f && xPixelsPerMM != screenX) || (yPixelsPerMM != 0.0f && yPixelsPerMM != screenY))
            LoadFont(name, screenX, screenY, noBitmaps, temporary, outlines);
    }
    float const xDpi = DpiOr(xPixelsPerMM, 1.0f / inchesPerPixelX), yDpi = DpiOr(yPixelsPerMM, 1.0f / inchesPerPixelY);

    XFontEntry const * model = nullptr;
    for (unsigned handle = 0; handle < slotCount; ++handle) {
        XFontEntry * entry = fonts[handle].get();
        if (!entry || entry->name != name)
            continue;
        if (!entry->textFont || (entry->xDpi == xDpi && entry->yDpi == yDpi)) {
            if (!temporary)
                entry->temporary = false;
            return handle;
        }
        if (!model)
            model = entry;
    }

    auto entry = std::make_unique<XFontEntry>();
    entry->name = name;
    entry->xDpi = xDpi;
    entry->yDpi = yDpi;
    entry->temporary = temporary;
    if (model) {
        // The same font at another resolution; it renders the new one on demand.
        entry->textFont = model->textFont.Share();
        entry->size = model->size;
        unsigned const handle = TakeSlot();
        fonts[handle] = std::move(entry);
        return handle;
    }
    unsigned const handle = TakeSlot();

    if (type1Ready || trueTypeReady) {
        std::string const request = name.AsCharPtr();
        cow_String file;
        bool found = LocateFontFile(request, file, entry->size);
        if (!found) {
            if (std::optional<std::string> const substitute = SubstituteName(request, display != nullptr))
                found = LocateFontFile(*substitute, file, entry->size);
        }
        if (found) {
            for (std::unique_ptr<XFontEntry> const & other : fonts) {
                if (other && other->textFont && other->textFont->CheckFont(file.AsCharPtr())) {
                    entry->textFont = other->textFont.Share();
                    break;
                }
            }
            if (!entry->textFont) {
                auto font = std::make_unique<fsp_FSTextFont>();
                if (font->LoadFont(file.AsCharPtr()))
                    entry->textFont = TextFontUse(std::move(font));
            }
        }
    }
    if (entry->textFont && !entry->textFont->CacheSize(entry->size, xDpi, yDpi, noBitmaps, outlines))
        entry->textFont.Release();
    if (!entry->textFont) {
        if (outlines)
            return Fallback(xPixelsPerMM, yPixelsPerMM, noBitmaps, temporary, true);
        if (display) {
            XFontStruct * const serverFont = LoadServerFont(display, name, std::max(xDpi, yDpi));
            if (!serverFont)
                return Fallback(xPixelsPerMM, yPixelsPerMM, noBitmaps, temporary, false);
            entry->fontStruct = std::unique_ptr<XFontStruct, ServerFontCloser>(serverFont, ServerFontCloser{display});
        }
    }
    fonts[handle] = std::move(entry);
    return handle;
}

unsigned fsp_FontServer::Fallback(float xPixelsPerMM, float yPixelsPerMM, bool noBitmaps, bool temporary,
                                  bool outlines)
{
    if (outlines) {
        if (!courierFallbackRunning) {
            Guard const running(courierFallbackRunning);
            return LoadFont(kCourierName, xPixelsPerMM, yPixelsPerMM, noBitmaps, temporary, true);
        }
        if (!catalogueFallbackRunning) {
            Guard const running(catalogueFallbackRunning);
            fsp_FontList first;
            int count = 1;
            GetFontList(&first, count);
            if (count == 1)
                return LoadFont(first.PatternFor(100), xPixelsPerMM, yPixelsPerMM, noBitmaps, temporary, true);
        }
        return noFont;
    }
    if (!defaultFallbackRunning) {
        Guard const running(defaultFallbackRunning);
        return LoadDefaultFont(xPixelsPerMM, yPixelsPerMM, noBitmaps, temporary);
    }
    if (!anyFontFallbackRunning) {
        Guard const running(anyFontFallbackRunning);
        return LoadFont(kAnyFontName, xPixelsPerMM, yPixelsPerMM, noBitmaps, temporary, false);
    }
    return noFont;
}

bool fsp_FontServer::ValidFontString(cow_String const & name, _XDisplay * xDisplay)
{
    if (name == "Default")
        return true;
    for (std::unique_ptr<XFontEntry> const & entry : fonts) {
        if (entry && entry->name == name)
            return true;
    }
    cow_String file;
    float size = 0.0f;
    if (LocateFontFile(name.AsCharPtr(), file, size))
        return true;
    Display * const server = xDisplay ? xDisplay : display;
    if (XFontStruct * const font = LoadServerFont(server, name, 1.0f / std::min(inchesPerPixelX, inchesPerPixelY))) {
        XFreeFont(server, font);
        return true;
    }
    return false;
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
