#include "Screenshot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

int Shift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

std::uint8_t Component(unsigned long pixel, unsigned long mask)
{
    if (!mask)
        return 0;
    unsigned long const full = mask >> Shift(mask);
    return static_cast<std::uint8_t>(((pixel & mask) >> Shift(mask)) * 255 / full);
}

}  // namespace

Screenshot Screenshot::Take(_XDisplay * display, unsigned long window)
{
    Screenshot shot;
    XWindowAttributes attributes;
    if (!display || !window || !XGetWindowAttributes(display, window, &attributes) ||
        attributes.map_state != IsViewable)
        return shot;
    XSync(display, False);
    // From the screen, so that a dialog over the window is in the picture.
    Window const root = attributes.root;
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
    int const screenWidth = XDisplayWidth(display, XDefaultScreen(display));
    int const screenHeight = XDisplayHeight(display, XDefaultScreen(display));
    attributes.width = std::min(attributes.width, screenWidth - x);
    attributes.height = std::min(attributes.height, screenHeight - y);
    if (x < 0 || y < 0 || attributes.width <= 0 || attributes.height <= 0)
        return shot;
    XImage * image = XGetImage(display, root, x, y, static_cast<unsigned>(attributes.width),
                               static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return shot;
    shot.width = attributes.width;
    shot.height = attributes.height;
    shot.rgb.resize(3 * static_cast<std::size_t>(shot.width) * static_cast<std::size_t>(shot.height));
    std::uint8_t * out = shot.rgb.data();
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            unsigned long const p = XGetPixel(image, x, y);
            *out++ = Component(p, image->red_mask);
            *out++ = Component(p, image->green_mask);
            *out++ = Component(p, image->blue_mask);
        }
    XDestroyImage(image);
    return shot;
}

bool Screenshot::Is(int x, int y, unsigned char const (&colour)[3]) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return false;
    std::uint8_t const * p = At(x, y);
    return p[0] == colour[0] && p[1] == colour[1] && p[2] == colour[2];
}

bool Screenshot::WritePng(std::string const & path, std::string & error) const
{
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file || width == 0) {
        error = width == 0 ? "nothing on the screen to write to " + path : "cannot write " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        error = "cannot encode " + path;
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rgb.data() + 3 * static_cast<std::size_t>(y) * static_cast<std::size_t>(width));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}
