// The start-up checks of the two font engines, both FreeType drivers.
#include "fsp_FontServer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H

namespace {

bool EngineHasDriver(char const * driver)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return false;
    bool const present = FT_Get_Module(library, driver) != nullptr;
    FT_Done_FreeType(library);
    return present;
}

}  // namespace

int fsp_InitTrueTypeEngine(unsigned version)
{
    return (version >> 24) == 2 && EngineHasDriver("truetype") ? 0 : 65534;
}

int fsp_InitType1Engine(unsigned version)
{
    return (version >> 24) == 3 && EngineHasDriver("type1") ? 0 : 1;
}
