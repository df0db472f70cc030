#include "modC_Method.h"

#include "crt_Assert.h"

modC_Method::modC_Method(modC_MethodReceiver * receiver) : receiver(receiver) {}

modC_Method::modC_Method() : receiver(nullptr) {}

modC_Method::~modC_Method() = default;

void modC_Method::DirectManipulation(DirectManipReason, modC_Method *) {}

void modC_Method::ValueChanged(modC_Method *) {}

void modC_Method::Done(modC_Method *) {}

void modC_Method::CommitData()
{
    QEL_ASSERT(0);
}
