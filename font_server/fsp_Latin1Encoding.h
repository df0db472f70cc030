// Glyph names of the single-byte codes for Type 1 fonts in the standard
// encoding: the PostScript StandardEncoding names for 32 to 126 and the
// ISOLatin1Encoding names for 161 to 255, so that such a font serves Latin-1
// text. Every other code has the empty name.
#ifndef FSP_LATIN1ENCODING_H
#define FSP_LATIN1ENCODING_H

// Never null.
char const * fsp_Latin1GlyphName(unsigned char code);

#endif
