// The desktop's text, all of it through the font server: fonts requested by
// X logical font descriptions (so the server's matching and fallbacks pick
// the file, or an X server font), the prompt and the viewport's overlay as
// glyph bitmaps, the entity labels as glyph outlines and fill triangles.
#ifndef DESKTOPFONTS_H
#define DESKTOPFONTS_H

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

struct FontNames {
    std::string labels = "-*-dejavu sans-bold-r-normal-*-*-90-*-*-p-*-*-*";
    std::string prompt = "-*-dejavu sans-medium-r-normal-*-*-110-*-*-p-*-*-*";
    std::string overlay = "-*-dejavu sans mono-medium-r-normal-*-*-90-*-*-m-*-*-*";
};

// Text as the font server's glyph bitmaps place it: one byte per pixel, 1
// for ink, top row first; the baseline is the row below the last row of ink
// that stands on it.
struct InkImage {
    int width = 0;
    int height = 0;
    int baseline = 0;
    std::vector<std::uint8_t> ink;

    bool At(int x, int y) const
    {
        return ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] != 0;
    }
};

class DesktopFonts {
public:
    // Initialises the font server on `display` and loads the three fonts; a
    // name nothing matches still gets the server's fallback font.
    DesktopFonts(_XDisplay * display, FontNames names);
    ~DesktopFonts();
    DesktopFonts(DesktopFonts const &) = delete;
    DesktopFonts & operator=(DesktopFonts const &) = delete;

    FontNames const & Names() const { return names; }
    // Font handles; fsp_FontServer::noFont when even the fallbacks failed.
    unsigned Labels() const { return labels; }
    unsigned Prompt() const { return prompt; }
    unsigned Overlay() const { return overlay; }
    // Outlines come at a 10-point size; labels are drawn at their font's size.
    float LabelScale() const { return labelScale; }

    // `text` in font `handle`, placed by the glyphs' metrics.
    static InkImage Compose(unsigned handle, std::string const & text);

private:
    FontNames names;
    unsigned labels;
    unsigned prompt;
    unsigned overlay;
    float labelScale = 1.0f;
};

#endif
