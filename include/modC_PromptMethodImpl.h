// A line of prompt text shown beside the step's input; it takes no input.
#ifndef MODC_PROMPTMETHODIMPL_H
#define MODC_PROMPTMETHODIMPL_H

#include "cow_String.h"
#include "modC_MethodImpl.h"

class modC_PromptMethodImpl : public modC_MethodImpl {
public:
    cow_String const & Text() const { return text; }

protected:
    explicit modC_PromptMethodImpl(cow_String const & text);

    cow_String text;
};

#endif
