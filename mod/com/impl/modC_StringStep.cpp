#include "modC_StringStep.h"

#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"

modC_StringStep::modC_StringStep(char const * text, int seq) : modC_EntryStep(seq, false), defaultValue(text), value(text) {}

modC_Method * modC_StringStep::MakeEntry(modC_MethodFactory const & factory)
{
    return factory.MakeStringMethod(this, defaultValue.AsCharPtr(), 20);
}

void modC_StringStep::TakeValue(modC_ScalarMethod const & entry)
{
    value = entry.GetStringValue();
    defaultValue = value;
}
