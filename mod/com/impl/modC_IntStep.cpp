#include "modC_IntStep.h"

#include "crt_Assert.h"
#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"
#include "modC_StepReceiver.h"

modC_IntStep::modC_IntStep(int value, int seq, int minimum, int maximum, bool entryFlag1, bool entryFlag2,
                           bool entryFlag3)
    : modC_Step(seq), defaultValue(value), value(value), minimum(minimum), maximum(maximum),
      entryFlag1(entryFlag1), entryFlag2(entryFlag2), entryFlag3(entryFlag3)
{
}

modC_IntStep::~modC_IntStep()
{
    modC_IntStep::Cancel();
}

void modC_IntStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    // Executed again while running: the old entry goes rather than staying orphaned on screen.
    Cancel();
    receiver = receiver_;
    modC_Method * made = factory->MakeIntegerMethod(this, defaultValue, minimum, maximum, entryFlag1, entryFlag2,
                                                    entryFlag3, nullptr, 20);
    // Anything but an entry method cannot deliver a typed value.
    method.reset(dynamic_cast<modC_ScalarMethod *>(made));
    if (!method)
        delete made;
    QEL_ASSERT(method != 0);
    method->Execute();
}

void modC_IntStep::TakeValue()
{
    value = method->GetIntegerValue();
    defaultValue = value;
}

void modC_IntStep::ValueChanged(modC_Method *)
{
    if (method)
        TakeValue();
}

void modC_IntStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no entry is shown
        return;
    TakeValue();
    std::unique_ptr<modC_ScalarMethod> finished = std::move(method);
    finished->Cancel();
    finished.reset();
    receiver->StepTerminated(*this);
}

void modC_IntStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_IntStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_IntStep::Resume()
{
    if (method)
        method->Resume();
}
