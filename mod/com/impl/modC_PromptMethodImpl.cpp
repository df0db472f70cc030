#include "modC_PromptMethodImpl.h"

modC_PromptMethodImpl::modC_PromptMethodImpl(cow_String const & text) : text(text) {}
