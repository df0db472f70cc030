#include "modC_FloatStep.h"

#include "crt_Assert.h"
#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"
#include "modC_StepReceiver.h"

modC_FloatStep::modC_FloatStep(double value, int seq, double minimum, double maximum, bool entryFlag1,
                               bool entryFlag2, bool entryFlag3)
    : modC_Step(seq), defaultValue(value), value(value), minimum(minimum), maximum(maximum),
      entryFlag1(entryFlag1), entryFlag2(entryFlag2), entryFlag3(entryFlag3)
{
}

modC_FloatStep::~modC_FloatStep()
{
    modC_FloatStep::Cancel();
}

void modC_FloatStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    // Executed again while running: the old entry goes rather than staying orphaned on screen.
    Cancel();
    receiver = receiver_;
    modC_Method * made = factory->MakeFloatMethod(this, defaultValue, minimum, maximum, entryFlag1, entryFlag2,
                                                  entryFlag3, nullptr, 20);
    // Anything but an entry method cannot deliver a typed value.
    method.reset(dynamic_cast<modC_ScalarMethod *>(made));
    if (!method)
        delete made;
    QEL_ASSERT(method != 0);
    method->Execute();
}

void modC_FloatStep::TakeValue()
{
    value = method->GetFloatValue();
    defaultValue = value;
}

void modC_FloatStep::ValueChanged(modC_Method *)
{
    if (method)
        TakeValue();
}

void modC_FloatStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no entry is shown
        return;
    TakeValue();
    std::unique_ptr<modC_ScalarMethod> finished = std::move(method);
    finished->Cancel();
    finished.reset();
    receiver->StepTerminated(*this);
}

void modC_FloatStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_FloatStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_FloatStep::Resume()
{
    if (method)
        method->Resume();
}
