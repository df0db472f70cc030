// A line of text drawn from the font server's glyph bitmaps: the prompt.
#ifndef GLYPHLABEL_H
#define GLYPHLABEL_H

#include <fx.h>

#include <string>

#include "DesktopFonts.h"
#include "FoxTarget.h"

class GlyphLabel {
public:
    static constexpr int margin = 6;  // pixels left of the text and above its tallest glyph

    GlyphLabel(FX::FXComposite * parent, unsigned font);
    ~GlyphLabel();
    GlyphLabel(GlyphLabel const &) = delete;
    GlyphLabel & operator=(GlyphLabel const &) = delete;

    void SetText(std::string const & text);
    std::string const & Text() const { return text; }
    FX::FXCanvas * Canvas() const { return canvas; }

private:
    long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data);

    unsigned font;
    FoxTarget target;
    FX::FXCanvas * canvas;
    std::string text;
    InkImage ink;
};

#endif
