#include "modC_PromptMethod.h"

#include "crt_Assert.h"

modC_PromptMethod::modC_PromptMethod(modC_MethodReceiver * receiver, modC_PromptMethodImpl * impl)
    : modC_Method(receiver), impl(impl)
{
    if (impl)
        impl->SetMethod(this);
}

void modC_PromptMethod::Execute()
{
    impl->Execute();
}

void modC_PromptMethod::Cancel()
{
    impl->Cancel();
}

void modC_PromptMethod::Suspend()
{
    impl->Suspend();
}

void modC_PromptMethod::Resume()
{
    impl->Resume();
}

void modC_PromptMethod::ValueChanged(modC_Method *)
{
    QEL_ASSERT(0);
}

void modC_PromptMethod::Done(modC_Method *)
{
    QEL_ASSERT(0);
}
