#include "modC_ComboMethod.h"

modC_ComboMethod::modC_ComboMethod(modC_MethodReceiver * receiver, modC_ComboMethodImpl * impl)
    : modC_Method(receiver), impl(impl)
{
    if (impl) {
        impl->SetMethod(this);
        selection = impl->Selection();
    }
}

void modC_ComboMethod::Execute()
{
    impl->Execute();
}

void modC_ComboMethod::Cancel()
{
    impl->Cancel();
}

void modC_ComboMethod::Suspend()
{
    impl->Suspend();
}

void modC_ComboMethod::Resume()
{
    impl->Resume();
}

void modC_ComboMethod::ValueChanged(modC_Method *)
{
    selection = impl->Selection();
    value = impl->GetValueAsString();
    receiver->ValueChanged(this);
}

void modC_ComboMethod::Done(modC_Method *)
{
    selection = impl->Selection();
    value = impl->GetValueAsString();
    receiver->Done(this);
}
