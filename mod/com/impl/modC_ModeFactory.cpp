#include "modC_ModeFactory.h"

modC_Mode * modC_ModeFactory::MakeProcedure(cow_String const &) const
{
    return nullptr;
}
