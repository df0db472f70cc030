#include "fsp_FontTable.h"

#include <climits>
#include <cstring>

#include "fsp_DisplayResolution.h"

using namespace fsp_server;

namespace {

int TextLength(char const * text)
{
    return static_cast<int>(strnlen(text, INT_MAX));
}

}  // namespace

fsp_FontServer::XFontEntry const * fsp_FontServer::Slot(unsigned handle) const
{
    return handle < slotCount ? fonts[handle].get() : nullptr;
}

fsp_FontServer::XFontEntry * fsp_FontServer::Slot(unsigned handle)
{
    return handle < slotCount ? fonts[handle].get() : nullptr;
}

void fsp_FontServer::UnloadFont(unsigned handle)
{
    XFontEntry * const entry = Slot(handle);
    if (!entry)
        return;
    if (entry->textFont)
        entry->textFont->ReleaseSize(entry->size, entry->xDpi, entry->yDpi);
    fonts[handle].reset();
}

void fsp_FontServer::UnloadTemporaryFonts()
{
    for (unsigned handle = 0; handle < slotCount; ++handle) {
        if (fonts[handle] && fonts[handle]->temporary)
            UnloadFont(handle);
    }
}

void fsp_FontServer::StripCache(unsigned handle)
{
    XFontEntry const * const entry = Slot(handle);
    if (entry && entry->textFont)
        entry->textFont->StripCache(entry->size, entry->xDpi, entry->yDpi);
}

XFontStruct const * fsp_FontServer::GetXFontStruct(unsigned handle) const
{
    XFontEntry const * const entry = Slot(handle);
    return entry ? entry->fontStruct.get() : nullptr;
}

bool fsp_FontServer::GetFontInfo(unsigned handle, cow_String & file, float & size) const
{
    XFontEntry const * const entry = Slot(handle);
    if (!entry)
        return false;
    file = cow_String();
    if (entry->textFont)
        entry->textFont->GetFontFile(file);
    size = entry->size;
    return true;
}

g3d_Bitmap const & fsp_FontServer::GetBitmap(unsigned handle, unsigned char c)
{
    XFontEntry * const entry = Slot(handle);
    if (!entry)
        return emptyBitmap;
    if (entry->textFont)
        return entry->textFont->GetGlyph(entry->size, entry->xDpi, entry->yDpi, c);
    if (display && entry->fontStruct) {
        if (!entry->xFont)
            entry->xFont = std::make_unique<fsp_XTextFont>(display, *entry->fontStruct);
        return entry->xFont->Glyph(c);
    }
    return emptyBitmap;
}

float fsp_FontServer::GetWidth(unsigned handle, cow_String const & text, float xPixelsPerMM,
                               float yPixelsPerMM) const
{
    XFontEntry const * const entry = Slot(handle);
    if (!entry)
        return 0.0f;
    float const xDpi = DpiOr(xPixelsPerMM, entry->xDpi), yDpi = DpiOr(yPixelsPerMM, entry->yDpi);
    if (entry->textFont)
        return entry->textFont->GetWidth(entry->size, xDpi, yDpi, text);
    if (entry->fontStruct) {
        int const pixels = XTextWidth(entry->fontStruct.get(), text.AsCharPtr(), TextLength(text.AsCharPtr()));
        return static_cast<float>(pixels) * inchesPerPixelX * xDpi;
    }
    return 0.0f;
}

float fsp_FontServer::GetHeight(unsigned handle, cow_String const & text, float xPixelsPerMM,
                                float yPixelsPerMM) const
{
    XFontEntry const * const entry = Slot(handle);
    if (!entry)
        return 0.0f;
    float const xDpi = DpiOr(xPixelsPerMM, entry->xDpi), yDpi = DpiOr(yPixelsPerMM, entry->yDpi);
    if (entry->textFont)
        return entry->textFont->GetHeight(entry->size, xDpi, yDpi, text);
    if (entry->fontStruct) {
        int const pixels = entry->fontStruct->ascent + entry->fontStruct->descent;
        return static_cast<float>(pixels) * inchesPerPixelY * yDpi;
    }
    return 0.0f;
}

float fsp_FontServer::GetOutlineWidth(unsigned handle, cow_String const & text) const
{
    XFontEntry const * const entry = Slot(handle);
    if (!entry || !entry->textFont)
        return 0.0f;
    return entry->textFont->GetOutlineWidth(entry->xDpi, entry->yDpi, text);
}

bool fsp_FontServer::GetOutlineHeight(unsigned handle, cow_String const & text, float & ascent,
                                      float & descent) const
{
    ascent = descent = 0.0f;
    XFontEntry const * const entry = Slot(handle);
    if (!entry || !entry->textFont)
        return false;
    return entry->textFont->GetOutlineHeight(entry->xDpi, entry->yDpi, text, ascent, descent);
}

float fsp_FontServer::GetOutline(unsigned handle, unsigned char c, unsigned maxContours, unsigned maxPoints,
                                 unsigned & contourCount, unsigned * contourSizes, float * points) const
{
    contourCount = 0;
    XFontEntry const * const entry = Slot(handle);
    if (!entry || !entry->textFont)
        return 0.0f;
    return entry->textFont->GetOutline(entry->xDpi, entry->yDpi, c, maxContours, maxPoints, contourCount,
                                       contourSizes, points);
}

float fsp_FontServer::GetFill(unsigned handle, unsigned char c, unsigned & count, float ** triangles)
{
    count = 0;
    if (triangles)
        *triangles = nullptr;
    XFontEntry const * const entry = Slot(handle);
    if (!entry || !entry->textFont || !triangles)
        return 0.0f;
    return entry->textFont->GetFill(entry->xDpi, entry->yDpi, c, count, triangles);
}
