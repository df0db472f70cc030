// Loading a font by its requested name into a slot of the font table: a slot
// of the same name is reused or shares its outline font, else the name's font
// file is found and loaded, else an X server font of that name is taken, else
// one of the fallbacks.
#include "fsp_FontServer.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "fsp_DisplayResolution.h"
#include "fsp_FSTextFont.h"
#include "fsp_FontNames.h"
#include "fsp_FontTable.h"

using namespace fsp_server;

namespace {

constexpr char const * kCourierName = "-*-courier-medium-r-*-*-*-100-*-*-*-*-*-*";
constexpr char const * kAnyFontName = "-*-*-*-*-*-*-*-*-*-*-*-*-*-*";

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

}  // namespace

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
