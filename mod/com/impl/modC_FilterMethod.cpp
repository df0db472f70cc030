#include "modC_FilterMethod.h"

modC_FilterMethod::modC_FilterMethod(modC_MethodReceiver * receiver, modC_FilterMethodImpl * impl)
    : modC_Method(receiver), impl(impl)
{
    if (impl)
        impl->SetMethod(this);
}

void modC_FilterMethod::Execute()
{
    impl->Execute();
}

void modC_FilterMethod::Cancel()
{
    impl->Cancel();
}

void modC_FilterMethod::Suspend()
{
    impl->Suspend();
}

void modC_FilterMethod::Resume()
{
    impl->Resume();
}

void modC_FilterMethod::ValueChanged(modC_Method *)
{
    states = impl->GetFilterState();
    receiver->ValueChanged(this);
}

void modC_FilterMethod::Done(modC_Method *)
{
    states = impl->GetFilterState();
    receiver->Done(this);
}

void modC_FilterMethod::Reset(omu_PrimDictionary<cow_String> const & filters)
{
    impl->Reset(filters);
}
