#include "modC_ClickAndDragMethod.h"

modC_ClickAndDragMethod::modC_ClickAndDragMethod(modC_MethodReceiver * receiver, modC_PositionMethodImpl * impl)
    : modC_Method(receiver), impl(impl)
{
}

void modC_ClickAndDragMethod::Execute()
{
    impl->SetMethod(this);
    impl->Execute();
}

void modC_ClickAndDragMethod::Cancel()
{
    impl->Cancel();
}

void modC_ClickAndDragMethod::Suspend()
{
    impl->Suspend();
}

void modC_ClickAndDragMethod::Resume()
{
    impl->Resume();
}

void modC_ClickAndDragMethod::DirectManipulation(DirectManipReason reason, modC_Method *)
{
    CopyRecord();
    receiver->DirectManipulation(reason, this);
}

void modC_ClickAndDragMethod::ValueChanged(modC_Method *)
{
    CopyRecord();
    receiver->ValueChanged(this);
}

void modC_ClickAndDragMethod::Done(modC_Method *)
{
    CopyRecord();
    receiver->Done(this);
}

void modC_ClickAndDragMethod::CopyRecord()
{
    modC_MouseInfo const & mouse = impl->Mouse();
    context = mouse.context;
    x = mouse.x;
    y = mouse.y;
    pixelX = mouse.pixelX;
    pixelY = mouse.pixelY;
    deltaX = mouse.deltaX;
    deltaY = mouse.deltaY;
    pixelDeltaX = mouse.pixelDeltaX;
    pixelDeltaY = mouse.pixelDeltaY;
    modifiers = mouse.modifiers;
    event = mouse.event;
    phase = mouse.phase;
    button = mouse.button;
}
