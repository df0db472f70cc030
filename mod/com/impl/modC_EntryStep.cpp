#include "modC_EntryStep.h"

#include "crt_Assert.h"
#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"
#include "modC_StepReceiver.h"

modC_EntryStep::modC_EntryStep(int seq, bool reportsChanges) : modC_Step(seq), reportsChanges(reportsChanges) {}

modC_EntryStep::~modC_EntryStep()
{
    modC_EntryStep::Cancel();
}

void modC_EntryStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    // Executed again while running: the old entry goes rather than staying orphaned on screen.
    Cancel();
    receiver = receiver_;
    modC_Method * made = MakeEntry(*factory);
    // Anything but an entry method cannot deliver a typed value.
    method.reset(dynamic_cast<modC_ScalarMethod *>(made));
    if (!method)
        delete made;
    QEL_ASSERT(method != 0);
    method->Execute();
}

void modC_EntryStep::ValueChanged(modC_Method *)
{
    if (!method)
        return;
    TakeValue(*method);
    if (reportsChanges)
        receiver->StepValueChanged(*this);
}

void modC_EntryStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no entry is shown
        return;
    TakeValue(*method);
    std::unique_ptr<modC_ScalarMethod> finished = std::move(method);
    finished->Cancel();
    finished.reset();
    receiver->StepTerminated(*this);
}

void modC_EntryStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_EntryStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_EntryStep::Resume()
{
    if (method)
        method->Resume();
}
