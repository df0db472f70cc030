#include "modC_ToggleMethod.h"

modC_ToggleMethod::modC_ToggleMethod(modC_MethodReceiver * receiver, modC_ToggleMethodImpl * impl)
    : modC_Method(receiver), impl(impl)
{
    if (impl)
        impl->SetMethod(this);
}

void modC_ToggleMethod::Execute()
{
    impl->Execute();
}

void modC_ToggleMethod::Cancel()
{
    impl->Cancel();
}

void modC_ToggleMethod::Suspend()
{
    impl->Suspend();
}

void modC_ToggleMethod::Resume()
{
    impl->Resume();
}

void modC_ToggleMethod::ValueChanged(modC_Method *)
{
    states = impl->GetToggleState();
    receiver->ValueChanged(this);
}

void modC_ToggleMethod::Done(modC_Method *)
{
    states = impl->GetToggleState();
    receiver->Done(this);
}
