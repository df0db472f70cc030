#include "modC_KeyinArrayStep.h"

#include "crt_Assert.h"
#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"
#include "modC_StepReceiver.h"

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
    : modC_Step(seq), values(initial), defaultValues(initial), defaultValue(defaultValue),
      expectedCount(count == -1 ? initial.Size() : count), minimum(minimum), maximum(maximum), entryFlag1(f1),
      entryFlag2(f2), entryFlag3(f3), entryFlag4(f4)
{
}

modC_KeyinArrayStep::~modC_KeyinArrayStep()
{
    modC_KeyinArrayStep::Cancel();
}

void modC_KeyinArrayStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    // Executed again while running: the old entry goes rather than staying orphaned on screen.
    Cancel();
    receiver = receiver_;
    modC_Method * made = factory->MakeArrayMethod(this, defaultValues, minimum, maximum, entryFlag1, entryFlag2,
                                                  defaultValue, expectedCount, entryFlag3, entryFlag4, 20);
    // Anything but an entry method cannot deliver a typed list.
    method.reset(dynamic_cast<modC_ScalarMethod *>(made));
    if (!method)
        delete made;
    QEL_ASSERT(method != 0);
    method->Execute();
}

void modC_KeyinArrayStep::TakeList()
{
    method->GetArrayValue(values);
    defaultValues = values;
}

void modC_KeyinArrayStep::ValueChanged(modC_Method *)
{
    if (!method)
        return;
    TakeList();
    receiver->StepValueChanged(*this);
}

void modC_KeyinArrayStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no entry is shown
        return;
    TakeList();
    std::unique_ptr<modC_ScalarMethod> finished = std::move(method);
    finished->Cancel();
    finished.reset();
    receiver->StepTerminated(*this);
}

void modC_KeyinArrayStep::CommitData()
{
    if (method)
        method->CommitData();
}

void modC_KeyinArrayStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_KeyinArrayStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_KeyinArrayStep::Resume()
{
    if (method)
        method->Resume();
}
