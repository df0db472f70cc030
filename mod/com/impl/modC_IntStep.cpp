#include "modC_IntStep.h"

#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"

modC_IntStep::modC_IntStep(int value, int seq, int minimum, int maximum, bool entryFlag1, bool entryFlag2,
                           bool entryFlag3)
    : modC_EntryStep(seq, false), defaultValue(value), value(value), minimum(minimum), maximum(maximum),
      entryFlag1(entryFlag1), entryFlag2(entryFlag2), entryFlag3(entryFlag3)
{
}

modC_Method * modC_IntStep::MakeEntry(modC_MethodFactory const & factory)
{
    return factory.MakeIntegerMethod(this, defaultValue, minimum, maximum, entryFlag1, entryFlag2, entryFlag3,
                                     nullptr, 20);
}

void modC_IntStep::TakeValue(modC_ScalarMethod const & entry)
{
    value = entry.GetIntegerValue();
    defaultValue = value;
}
