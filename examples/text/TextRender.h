// Renders lines of text with the font server: glyph bitmaps placed by their
// metrics into a PNG image, and glyph outlines with their fill triangles into
// an SVG drawing.
#ifndef TEXTRENDER_H
#define TEXTRENDER_H

#include <iosfwd>
#include <string>
#include <vector>

struct TextLine {
    std::string text;
    std::string font = "Default";  // an X logical font description or "Default"
    float points = 0.0f;           // 0: the size the font name gives
};

struct TextStyle {
    float dpi = 96.0f;
    int margin = 12;
};

// The font name asked for: "Default" or an X logical font description, with its
// point-size field set to `points` when that is positive.
std::string FontRequest(std::string const & font, float points);

// Each returns false and says why in `error` when a font cannot be loaded or
// the file cannot be written.
bool WriteTextPng(std::vector<TextLine> const & lines, TextStyle const & style, std::string const & path,
                  std::string & error);
bool WriteGlyphSvg(std::vector<TextLine> const & lines, TextStyle const & style, std::string const & path,
                   std::string & error);

// The demo's sample: one line in "Default" and one in a bold serif, written to
// DIR/text.png and DIR/glyphs.svg (DIR is created when missing).
bool WriteSampleText(std::string const & directory, std::string & error);

// UTF-8 text as the font server's single-byte characters (ISO 8859-1); false
// with the characters it cannot show, or the bytes that are no UTF-8, named in
// `error`.
bool ToFontServerText(std::string const & utf8, std::string & latin1, std::string & error);

// `text [--font NAME] [--size POINTS] [--dpi DPI] [--png FILE] [--svg FILE] [TEXT ...]`:
// TEXT in UTF-8; with neither file named both go to out/text.png and
// out/glyphs.svg, else only those named are written.
int RunTextCommand(std::vector<std::string> const & arguments, std::ostream & out, std::ostream & err);

#endif
