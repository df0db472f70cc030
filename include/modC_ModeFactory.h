#ifndef MODC_MODEFACTORY_H
#define MODC_MODEFACTORY_H

#include "cow_String.h"

class modC_Mode;

// Makes modes by name.
class modC_ModeFactory {
public:
    virtual ~modC_ModeFactory() = default;
    // A new mode owned by the caller, or null for an unknown name.
    virtual modC_Mode * MakeProcedure(cow_String const & name) const;
};

#endif
