#include "modC_PointStep.h"

#include "crt_Assert.h"
#include "modC_ClickAndDragMethod.h"
#include "modC_MethodFactory.h"
#include "modC_StepReceiver.h"

modC_PointStep::modC_PointStep(int seq) : modC_Step(seq), x(0.0), y(0.0) {}

modC_PointStep::~modC_PointStep()
{
    modC_PointStep::Cancel();
}

void modC_PointStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    // Executed again while running: the old tracker goes rather than staying active.
    Cancel();
    receiver = receiver_;
    modC_Method * made = factory->MakePositionMethod(this);
    // Anything but a click-and-drag method cannot deliver a position.
    method.reset(dynamic_cast<modC_ClickAndDragMethod *>(made));
    if (!method)
        delete made;
    QEL_ASSERT(method != 0);
    method->Execute();
}

void modC_PointStep::ValueChanged(modC_Method *)
{
    if (!method)
        return;
    x = method->X();
    y = method->Y();
    std::unique_ptr<modC_ClickAndDragMethod> finished = std::move(method);
    finished->Cancel();
    finished.reset();
    receiver->StepTerminated(*this);
}

void modC_PointStep::Done(modC_Method *) {}

void modC_PointStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_PointStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_PointStep::Resume()
{
    if (method)
        method->Resume();
}
