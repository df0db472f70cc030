#include "modC_FloatStep.h"

#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"

modC_FloatStep::modC_FloatStep(double value, int seq, double minimum, double maximum, bool entryFlag1,
                               bool entryFlag2, bool entryFlag3)
    : modC_EntryStep(seq, false), defaultValue(value), value(value), minimum(minimum), maximum(maximum),
      entryFlag1(entryFlag1), entryFlag2(entryFlag2), entryFlag3(entryFlag3)
{
}

modC_Method * modC_FloatStep::MakeEntry(modC_MethodFactory const & factory)
{
    return factory.MakeFloatMethod(this, defaultValue, minimum, maximum, entryFlag1, entryFlag2, entryFlag3,
                                   nullptr, 20);
}

void modC_FloatStep::TakeValue(modC_ScalarMethod const & entry)
{
    value = entry.GetFloatValue();
    defaultValue = value;
}
