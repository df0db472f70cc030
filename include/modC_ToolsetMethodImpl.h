// A named tool set of the front end.
#ifndef MODC_TOOLSETMETHODIMPL_H
#define MODC_TOOLSETMETHODIMPL_H

#include "cow_String.h"
#include "modC_MethodImpl.h"

class modC_ToolsetMethodImpl : public modC_MethodImpl {
public:
    cow_String const & ToolsetName() const { return toolsetName; }

protected:
    explicit modC_ToolsetMethodImpl(cow_String const & toolsetName);

    cow_String toolsetName;
};

#endif
