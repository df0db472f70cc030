#include "modC_ComboMethodImpl.h"

modC_ComboMethodImpl::modC_ComboMethodImpl(cow_List<cow_String> const & entries, int defaultEntry)
    : entries(entries), selection(defaultEntry)
{
    if (defaultEntry != 0)
        value = entries.ConstGet(defaultEntry - 1);
}
