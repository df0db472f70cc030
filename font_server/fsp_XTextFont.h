// The glyphs of an X server font as bitmaps of the same kind the outline fonts
// give, so that text from either source is drawn alike.
#ifndef FSP_XTEXTFONT_H
#define FSP_XTEXTFONT_H

#include <X11/Xlib.h>

#include <vector>

#include "g3d_Bitmap.h"

class fsp_XTextFont {
public:
    // Renders every glyph on `display`. Without a display, or when an X
    // resource cannot be made, every glyph is the shared default bitmap.
    fsp_XTextFont(_XDisplay * display, XFontStruct const & font);
    fsp_XTextFont(fsp_XTextFont const &) = delete;
    fsp_XTextFont & operator=(fsp_XTextFont const &) = delete;

    // 256 after a successful rendering (one slot per character code), 0 after a failed one.
    unsigned GlyphCount() const { return static_cast<unsigned>(glyphs.size()); }
    // The bitmap of `c`; codes at or beyond the glyph count give that of 0, or
    // the shared default when there are no glyphs.
    g3d_Bitmap const & Glyph(unsigned char c) const;

    // Stands in for every glyph of a font that could not be rendered.
    static g3d_Bitmap const m_bmDefaultChar;

private:
    bool Load(_XDisplay * display, int height, Pixmap pixmap, _XGC * gc);

    XFontStruct const * fontStruct;
    std::vector<g3d_Bitmap> glyphs;
};

#endif
