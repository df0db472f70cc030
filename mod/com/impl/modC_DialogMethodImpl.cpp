#include "modC_DialogMethodImpl.h"

modC_DialogMethodImpl::modC_DialogMethodImpl(char const * dialogName, omu_PrimTuple const & values)
    : values(values), dialogName(dialogName), initialValues(values)
{
}
