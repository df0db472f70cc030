// A picture of a window as the X server shows it (XGetImage), as 8-bit RGB,
// written to PNG files.
#ifndef SCREENSHOT_H
#define SCREENSHOT_H

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // top row first

    // The window `window` of `display` with what covers it, or an empty
    // picture when it is not on the screen.
    static Screenshot Take(_XDisplay * display, unsigned long window);

    std::uint8_t const * At(int x, int y) const
    {
        return rgb.data() + 3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                 static_cast<std::size_t>(x));
    }
    bool Is(int x, int y, unsigned char const (&colour)[3]) const;
    // False with a reason in `error` when the file cannot be written.
    bool WritePng(std::string const & path, std::string & error) const;
};

#endif
