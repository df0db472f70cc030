#include "modC_KeyinArrayStep.h"

#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"

namespace {

cow_1DArrayList<double, double> Copies(int size, double value)
{
    cow_1DArrayList<double, double> list;
    for (int i = 0; i < size; ++i)
        list.Append(value);
    return list;
}

}  // namespace

modC_KeyinArrayStep::modC_KeyinArrayStep(int size, int seq, double minimum, double maximum, bool f1, bool f2,
                                         bool f3, bool f4, double defaultValue, int count)
    : modC_KeyinArrayStep(Copies(size, defaultValue), seq, minimum, maximum, f1, f2, f3, f4, defaultValue, count)
{
}

modC_KeyinArrayStep::modC_KeyinArrayStep(cow_1DArrayList<double, double> const & initial, int seq, double minimum,
                                         double maximum, bool f1, bool f2, bool f3, bool f4, double defaultValue,
                                         int count)
    : modC_EntryStep(seq, true), values(initial), defaultValues(initial), defaultValue(defaultValue),
      expectedCount(count == -1 ? initial.Size() : count), minimum(minimum), maximum(maximum), entryFlag1(f1),
      entryFlag2(f2), entryFlag3(f3), entryFlag4(f4)
{
}

modC_Method * modC_KeyinArrayStep::MakeEntry(modC_MethodFactory const & factory)
{
    return factory.MakeArrayMethod(this, defaultValues, minimum, maximum, entryFlag1, entryFlag2, defaultValue,
                                   expectedCount, entryFlag3, entryFlag4, 20);
}

void modC_KeyinArrayStep::TakeValue(modC_ScalarMethod const & entry)
{
    entry.GetArrayValue(values);
    defaultValues = values;
}

void modC_KeyinArrayStep::CommitData()
{
    if (modC_ScalarMethod * entry = Entry())
        entry->CommitData();
}
