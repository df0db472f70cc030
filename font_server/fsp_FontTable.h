// The slots of the font table: what a slot holds, and the use of an outline
// font that slots share. Internal to the font server.
#ifndef FSP_FONTTABLE_H
#define FSP_FONTTABLE_H

#include <X11/Xlib.h>

#include <memory>
#include <utility>

#include "cow_String.h"
#include "fsp_FSTextFont.h"
#include "fsp_FontServer.h"
#include "fsp_XTextFont.h"

namespace fsp_server {

// One slot's use of an outline font that several slots may share; the font's
// use count is the number of such uses, and the last one deletes it.
class TextFontUse {
public:
    TextFontUse() = default;
    explicit TextFontUse(std::unique_ptr<fsp_FSTextFont> loaded) : font(loaded.release()) {}
    TextFontUse(TextFontUse && other) noexcept : font(std::exchange(other.font, nullptr)) {}
    TextFontUse & operator=(TextFontUse && other) noexcept
    {
        if (this != &other) {
            Release();
            font = std::exchange(other.font, nullptr);
        }
        return *this;
    }
    ~TextFontUse() { Release(); }

    TextFontUse Share() const
    {
        if (font)
            ++font->useCount;
        return TextFontUse(font);
    }
    void Release()
    {
        if (font && --font->useCount == 0)
            delete font;
        font = nullptr;
    }
    fsp_FSTextFont * operator->() const { return font; }
    explicit operator bool() const { return font != nullptr; }

private:
    explicit TextFontUse(fsp_FSTextFont * shared) : font(shared) {}
    fsp_FSTextFont * font = nullptr;
};

struct ServerFontCloser {
    Display * display;
    void operator()(XFontStruct * font) const { XFreeFont(display, font); }
};

}  // namespace fsp_server

// One slot of the font table.
struct fsp_FontServer::XFontEntry {
    cow_String name;
    std::unique_ptr<XFontStruct, fsp_server::ServerFontCloser> fontStruct{nullptr,
                                                                          fsp_server::ServerFontCloser{nullptr}};
    std::unique_ptr<fsp_XTextFont> xFont;  // made from fontStruct, so it goes first
    fsp_server::TextFontUse textFont;
    float size = 0.0f;
    float xDpi = 0.0f;
    float yDpi = 0.0f;
    bool temporary = false;
};

#endif
