#include "DesktopFonts.h"

#include <algorithm>
#include <cmath>

#include "fsp_FontServer.h"

namespace {

fsp_FontServer & Server()
{
    return omi_Singleton<fsp_FontServer>::Instance();
}

unsigned Load(std::string const & name, bool outlines)
{
    return Server().LoadFont(cow_String(name.c_str()), 0.0f, 0.0f, false, false, outlines);
}

}  // namespace

DesktopFonts::DesktopFonts(_XDisplay * display, FontNames fontNames) : names(std::move(fontNames))
{
    Server().Init(display);
    labels = Load(names.labels, true);
    prompt = Load(names.prompt, false);
    overlay = Load(names.overlay, false);
    cow_String file;
    float size = 10.0f;
    if (labels != fsp_FontServer::noFont && Server().GetFontInfo(labels, file, size) && size > 0)
        labelScale = size / 10.0f;
}

DesktopFonts::~DesktopFonts()
{
    for (unsigned handle : {labels, prompt, overlay})
        if (handle != fsp_FontServer::noFont)
            Server().UnloadFont(handle);
}

InkImage DesktopFonts::Compose(unsigned handle, std::string const & text)
{
    InkImage image;
    if (handle == fsp_FontServer::noFont || text.empty())
        return image;
    // First the extent above and below the baseline, then the ink.
    float width = 0;
    int above = 0;
    int below = 0;
    for (unsigned char c : text) {
        g3d_Bitmap const & glyph = Server().GetBitmap(handle, c);
        width += glyph.xAdvance;
        above = std::max(above, glyph.Height() - static_cast<int>(glyph.yOffset));
        below = std::max(below, static_cast<int>(glyph.yOffset));
    }
    image.width = static_cast<int>(std::ceil(width)) + 2;
    image.height = above + below;
    image.baseline = above;
    image.ink.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(std::max(0, image.height)), 0);
    float pen = 1;
    for (unsigned char c : text) {
        g3d_Bitmap const & glyph = Server().GetBitmap(handle, c);
        if (glyph.HasPixels()) {
            int const left = static_cast<int>(std::lround(pen + glyph.xOffset));
            // Row 0 is the bottom row, yOffset rows below the baseline.
            int const bottom = image.baseline - 1 + static_cast<int>(glyph.yOffset);
            for (int row = 0; row < glyph.Height(); ++row)
                for (int x = 0; x < glyph.Width(); ++x) {
                    int const px = left + x;
                    int const py = bottom - row;
                    if (glyph.Pixel(x, row) && px >= 0 && px < image.width && py >= 0 && py < image.height)
                        image.ink[static_cast<std::size_t>(py) * static_cast<std::size_t>(image.width) +
                                  static_cast<std::size_t>(px)] = 1;
                }
        }
        pen += glyph.xAdvance;
    }
    return image;
}
