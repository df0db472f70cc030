// The resolution of the display, in pixels per millimetre: from the print
// resolution of the environment, else from the X display's screen, else from
// the screen of the window system. Internal to the font server.
#ifndef FSP_DISPLAYRESOLUTION_H
#define FSP_DISPLAYRESOLUTION_H

#include <X11/Xlib.h>

namespace fsp_server {

// Found on the first call and then kept for the process, except the fallback
// when no resolution can be had at all. `screen` 0, or one that `display`
// does not have, is its default screen.
float PixelsPerMM(Display * display, int screen, bool horizontal);
// A resolution asked for in pixels per millimetre, as dots per inch; 0 asks
// for the fallback.
float DpiOr(float pixelsPerMM, float fallback);

}  // namespace fsp_server

#endif
