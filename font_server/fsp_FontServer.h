// The process-wide font server: finds the installed TrueType and Type 1 fonts,
// matches X logical font descriptions to them (falling back to X server
// fonts), and serves the loaded fonts by handle as glyph bitmaps, outlines and
// triangles. Handles index a table of 256 slots; the value -1 converted to
// unsigned means failure. Resolutions pass as pixels per millimetre (0 = the
// display's) and are kept as dots per inch; sizes are in points.
#ifndef FSP_FONTSERVER_H
#define FSP_FONTSERVER_H

#include <X11/Xlib.h>

#include <array>
#include <memory>
#include <string>

#include "cow_String.h"
#include "fsp_FontList.h"
#include "g3d_Bitmap.h"

class fsp_FSTextFont;
class fsp_XTextFont;

// The start-up checks of the two font engines: 0 when the interface version
// asked for (major version in the top byte) is the engine's own and the engine
// is present, else an error code (65534 for TrueType, 1 for Type 1).
int fsp_InitTrueTypeEngine(unsigned version);
int fsp_InitType1Engine(unsigned version);

template <class T>
struct omi_Singleton;

class fsp_FontServer {
public:
    static constexpr unsigned noFont = static_cast<unsigned>(-1);
    static constexpr unsigned slotCount = 256;

    ~fsp_FontServer();
    fsp_FontServer(fsp_FontServer const &) = delete;
    fsp_FontServer & operator=(fsp_FontServer const &) = delete;

    // Must come before fonts are used; may be repeated.
    void Init(_XDisplay * display);
    // Computed on the first call and then kept for the process, except the
    // fallback when no resolution can be had at all.
    static float GetDisplayPixelsPerMM_X(_XDisplay * display, int screen);
    static float GetDisplayPixelsPerMM_Y(_XDisplay * display, int screen);

    // `count` is the capacity of `list` on entry (ignored for a null list) and
    // the number of records written on return; the result counts every font
    // found.
    int GetFontList(fsp_FontList * list, int & count);
    // The same for the fonts listed in one font directory file ("fonts.dir").
    int GetX11Fonts(char const * fontsDir, fsp_FontList * list, int & count);

    unsigned LoadFont(cow_String const & name, float xPixelsPerMM, float yPixelsPerMM, bool noBitmaps,
                      bool temporary, bool outlines);
    unsigned LoadDefaultFont(float xPixelsPerMM, float yPixelsPerMM, bool noBitmaps, bool temporary);
    bool ValidFontString(cow_String const & name, _XDisplay * display);

    void UnloadFont(unsigned handle);
    void UnloadTemporaryFonts();
    void StripCache(unsigned handle);

    XFontStruct const * GetXFontStruct(unsigned handle) const;
    bool GetFontInfo(unsigned handle, cow_String & file, float & size) const;
    g3d_Bitmap const & GetBitmap(unsigned handle, unsigned char c);
    float GetWidth(unsigned handle, cow_String const & text, float xPixelsPerMM, float yPixelsPerMM) const;
    float GetHeight(unsigned handle, cow_String const & text, float xPixelsPerMM, float yPixelsPerMM) const;
    float GetOutlineWidth(unsigned handle, cow_String const & text) const;
    bool GetOutlineHeight(unsigned handle, cow_String const & text, float & ascent, float & descent) const;
    float GetOutline(unsigned handle, unsigned char c, unsigned maxContours, unsigned maxPoints,
                     unsigned & contourCount, unsigned * contourSizes, float * points) const;
    float GetFill(unsigned handle, unsigned char c, unsigned & count, float ** triangles);

    // Draws text with its baseline origin at (x, y): up to `length` characters
    // and not past a 0 byte.
    void String(_XDisplay * display, unsigned long drawable, _XGC * gc, unsigned handle, char const * text,
                int length, float x, float y);
    void String(_XDisplay * display, unsigned long drawable, _XGC * gc, unsigned handle, cow_String const & text,
                float x, float y);

private:
    friend struct omi_Singleton<fsp_FontServer>;
    struct XFontEntry;
    struct Request;
    struct Catalogue;

    fsp_FontServer();

    void GetFonts(std::string const & directory, Catalogue & catalogue);
    bool LocateFontFile(std::string const & name, cow_String & file, float & size);
    // True on a full match, with its path in `best`; otherwise `best` is the
    // first file of the highest `level` seen so far.
    bool SeekFont(std::string const & directory, Request const & request, int & level, cow_String & best);
    bool SeekRegistry(Request const & request, int & level, cow_String & best) const;
    unsigned TakeSlot();
    unsigned Fallback(float xPixelsPerMM, float yPixelsPerMM, bool noBitmaps, bool temporary, bool outlines);
    XFontEntry const * Slot(unsigned handle) const;
    XFontEntry * Slot(unsigned handle);

    _XDisplay * display = nullptr;
    g3d_Bitmap emptyBitmap;
    std::array<std::unique_ptr<XFontEntry>, slotCount> fonts;
    bool type1Ready = false;
    bool trueTypeReady = false;
    float inchesPerPixelX = 0.01f;
    float inchesPerPixelY = 0.01f;
};

template <>
struct omi_Singleton<fsp_FontServer> {
    // Creates the server on the first call.
    static fsp_FontServer & Instance();
    // Destroys the server, freeing its X fonts on the display given to Init, so
    // it comes before that display is closed. The next Instance() makes a new one.
    static void Finalize();
};

#endif
