#include "modC_ToolsetMethod.h"

modC_ToolsetMethod::modC_ToolsetMethod(modC_MethodReceiver * receiver, modC_ToolsetMethodImpl * impl)
    : modC_Method(receiver), impl(impl)
{
    if (impl)
        impl->SetMethod(this);
}

void modC_ToolsetMethod::Execute()
{
    impl->Execute();
}

void modC_ToolsetMethod::Cancel()
{
    impl->Cancel();
}

void modC_ToolsetMethod::Suspend()
{
    impl->Suspend();
}

void modC_ToolsetMethod::Resume()
{
    impl->Resume();
}

void modC_ToolsetMethod::ValueChanged(modC_Method *)
{
    receiver->ValueChanged(this);
}

void modC_ToolsetMethod::Done(modC_Method *)
{
    receiver->Done(this);
}
