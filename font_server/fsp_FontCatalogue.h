// The font catalogue while it is gathered, by the sources of GetFontList and
// by GetX11Fonts, and the style words of its records. Internal to the font
// server.
#ifndef FSP_FONTCATALOGUE_H
#define FSP_FONTCATALOGUE_H

#include <algorithm>
#include <cstdint>
#include <string>

#include "fsp_FontList.h"
#include "fsp_FontServer.h"

// Gathers catalogue records into the caller's array while it has room.
struct fsp_FontServer::Catalogue {
    fsp_FontList * list;
    int capacity;
    int stored = 0;
    int found = 0;

    Catalogue(fsp_FontList * list, int count) : list(list), capacity(list ? std::max(count, 0) : 0) {}
    // Counts a font; the record to fill, or null when the list is full.
    fsp_FontList * Add()
    {
        ++found;
        if (stored >= capacity)
            return nullptr;
        list[stored] = fsp_FontList();
        return &list[stored++];
    }
};

namespace fsp_server {

// The weight bit of a record for a weight name, told by how the name begins
// ("bold", "demibold", ...); medium for any other.
std::uint32_t WeightBit(std::string const & weight);

}  // namespace fsp_server

#endif
