#include "modC_FilterMethodImpl.h"

modC_FilterMethodImpl::modC_FilterMethodImpl(omu_PrimDictionary<cow_String> const & filters) : filters(filters) {}
