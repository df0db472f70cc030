#include "modC_StringStep.h"

#include "crt_Assert.h"
#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"
#include "modC_StepReceiver.h"

modC_StringStep::modC_StringStep(char const * text, int seq) : modC_Step(seq), defaultValue(text), value(text) {}

modC_StringStep::~modC_StringStep()
{
    modC_StringStep::Cancel();
}

void modC_StringStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    // Executed again while running: the old entry goes rather than staying orphaned on screen.
    Cancel();
    receiver = receiver_;
    modC_Method * made = factory->MakeStringMethod(this, defaultValue.AsCharPtr(), 20);
    // Anything but an entry method cannot deliver a typed value.
    method.reset(dynamic_cast<modC_ScalarMethod *>(made));
    if (!method)
        delete made;
    QEL_ASSERT(method != 0);
    method->Execute();
}

void modC_StringStep::TakeValue()
{
    value = method->GetStringValue();
    defaultValue = value;
}

void modC_StringStep::ValueChanged(modC_Method *)
{
    if (method)
        TakeValue();
}

void modC_StringStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no entry is shown
        return;
    TakeValue();
    std::unique_ptr<modC_ScalarMethod> finished = std::move(method);
    finished->Cancel();
    finished.reset();
    receiver->StepTerminated(*this);
}

void modC_StringStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_StringStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_StringStep::Resume()
{
    if (method)
        method->Resume();
}
