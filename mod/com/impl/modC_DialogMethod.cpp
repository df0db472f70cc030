#include "modC_DialogMethod.h"

modC_DialogMethod::modC_DialogMethod(modC_MethodReceiver * receiver, modC_DialogMethodImpl * impl)
    : modC_Method(receiver), impl(impl)
{
    if (impl)
        impl->SetMethod(this);
}

void modC_DialogMethod::Execute()
{
    impl->Execute();
}

void modC_DialogMethod::Cancel()
{
    impl->Cancel();
}

void modC_DialogMethod::Suspend()
{
    impl->Suspend();
}

void modC_DialogMethod::Resume()
{
    impl->Resume();
}

void modC_DialogMethod::ValueChanged(modC_Method *)
{
    values = impl->Values();
    receiver->ValueChanged(this);
}

void modC_DialogMethod::Done(modC_Method *)
{
    values = impl->Values();
    receiver->Done(this);
}
