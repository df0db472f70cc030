// One record of the font catalogue (fsp_FontServer::GetFontList).
#ifndef FSP_FONTLIST_H
#define FSP_FONTLIST_H

#include <cstdint>

#include "cow_String.h"

struct fsp_FontList {
    // Style bits of `flags`.
    enum : std::uint32_t {
        proportional = 0x1,  // clear: monospaced
        medium = 0x2,
        black = 0x4,
        bold = 0x8,
        book = 0x10,
        demibold = 0x20,
        demi = 0x40,
        light = 0x80,
        regular = 0x100,
        semibold = 0x200,
        roman = 0x400,
        italic = 0x800,
        oblique = 0x1000,
        normalWidth = 0x2000,
        condensed = 0x4000,
        narrow = 0x8000,
        semicondensed = 0x10000,
    };

    int id = 0;          // position in the list before sorting
    cow_String name;     // display name
    cow_String family;   // family field of the X logical font description
    cow_String pattern;  // X logical font description; its point-size field is "%d"
    cow_String file;     // full path of the font file
    std::uint32_t flags = 0;

    // Builds `pattern` from `family` and the style bits.
    void MakePattern();
    // `pattern` with `pointSize` (in tenths of a point) in its point-size field.
    // Only that field is replaced, so a "%" in a family name stays as it is.
    cow_String PatternFor(int pointSize) const;
};

#endif
