#include "modC_ChoiceMethod.h"

modC_ChoiceMethod::modC_ChoiceMethod(modC_MethodReceiver * receiver, modC_ChoiceMethodImpl * impl)
    : modC_Method(receiver), impl(impl)
{
    if (impl)
        impl->SetMethod(this);
}

void modC_ChoiceMethod::Execute()
{
    impl->Execute();
}

void modC_ChoiceMethod::Cancel()
{
    impl->Cancel();
}

void modC_ChoiceMethod::Suspend()
{
    impl->Suspend();
}

void modC_ChoiceMethod::Resume()
{
    impl->Resume();
}

void modC_ChoiceMethod::ValueChanged(modC_Method *)
{
    value = impl->Selection();
    receiver->ValueChanged(this);
}

void modC_ChoiceMethod::Done(modC_Method *)
{
    value = impl->Selection();
    receiver->Done(this);
}
