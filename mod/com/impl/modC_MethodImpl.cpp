#include "modC_MethodImpl.h"

#include "crt_Assert.h"

modC_MethodImpl::modC_MethodImpl() : method(nullptr) {}

void modC_MethodImpl::CommitData()
{
    QEL_ASSERT(0);
}
