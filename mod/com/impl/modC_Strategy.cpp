#include "modC_Strategy.h"

#include <climits>

#include "crt_Assert.h"

modC_Strategy::modC_Strategy() : bgColor(ULONG_MAX), fgColor(ULONG_MAX) {}

unsigned long modC_Strategy::GetBgColor() const
{
    QEL_ASSERT(bgColor != ULONG_MAX);
    return bgColor;
}

unsigned long modC_Strategy::GetFgColor() const
{
    QEL_ASSERT(fgColor != ULONG_MAX);
    return fgColor;
}
