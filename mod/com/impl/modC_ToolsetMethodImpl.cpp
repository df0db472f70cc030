#include "modC_ToolsetMethodImpl.h"

modC_ToolsetMethodImpl::modC_ToolsetMethodImpl(cow_String const & toolsetName) : toolsetName(toolsetName) {}
