#include "modC_Int2Step.h"

#include "crt_Assert.h"
#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"
#include "modC_StepReceiver.h"
#include "utl_tr.h"

modC_Int2Step::modC_Int2Step(int value, int seq, int minimum, int maximum, bool entryFlag1, bool entryFlag2,
                             bool entryFlag3)
    : modC_Step(seq), defaultValue(value), firstValue(value), secondValue(value), minimum(minimum),
      maximum(maximum), entryFlag1(entryFlag1), entryFlag2(entryFlag2), firstDone(false), secondDone(false),
      entryFlag3(entryFlag3)
{
}

modC_Int2Step::~modC_Int2Step()
{
    modC_Int2Step::Cancel();
}

std::unique_ptr<modC_ScalarMethod> modC_Int2Step::MakeEntry(modC_MethodFactory const * factory)
{
    modC_Method * made = factory->MakeIntegerMethod(this, defaultValue, minimum, maximum, entryFlag1, entryFlag2,
                                                    entryFlag3, nullptr, 20);
    // Anything but an entry method cannot deliver a typed value.
    std::unique_ptr<modC_ScalarMethod> entry(dynamic_cast<modC_ScalarMethod *>(made));
    if (!entry)
        delete made;
    return entry;
}

void modC_Int2Step::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    // Executed again while running: the old entries go rather than staying orphaned on screen.
    Cancel();
    receiver = receiver_;
    firstDone = false;
    secondDone = false;
    firstMethod = MakeEntry(factory);
    QEL_ASSERT(firstMethod != 0);
    secondMethod = MakeEntry(factory);
    QEL_ASSERT(secondMethod != 0);
    promptMethod.reset(factory->MakePromptMethod(this, utl_tr("DUMMY PROMPT")));
    QEL_ASSERT(promptMethod != 0);
    firstMethod->Execute();
    promptMethod->Execute();
    secondMethod->Execute();
}

bool modC_Int2Step::TakeValue(modC_Method const * m)
{
    if (!m)
        return false;
    if (m == firstMethod.get()) {
        firstValue = firstMethod->GetIntegerValue();
        defaultValue = firstValue;
        return true;
    }
    if (m == secondMethod.get()) {
        secondValue = secondMethod->GetIntegerValue();
        defaultValue = secondValue;
        return true;
    }
    return false;
}

void modC_Int2Step::ValueChanged(modC_Method * m)
{
    TakeValue(m);
}

void modC_Int2Step::Done(modC_Method * m)
{
    if (!TakeValue(m))
        return;
    if (m == firstMethod.get()) {
        firstDone = true;
        return;
    }
    // The pair is complete: both flags start afresh for the next execution.
    firstDone = false;
    secondDone = false;
    secondMethod->Cancel();
    secondMethod.reset();
    promptMethod->Cancel();
    promptMethod.reset();
    firstMethod->Cancel();
    firstMethod.reset();
    receiver->StepTerminated(*this);
}

void modC_Int2Step::Cancel()
{
    if (secondMethod)
        secondMethod->Cancel();
    if (promptMethod)
        promptMethod->Cancel();
    if (firstMethod)
        firstMethod->Cancel();
    firstMethod.reset();
    secondMethod.reset();
    promptMethod.reset();
}

void modC_Int2Step::Suspend()
{
    if (secondMethod)
        secondMethod->Suspend();
    if (promptMethod)
        promptMethod->Suspend();
    if (firstMethod)
        firstMethod->Suspend();
}

void modC_Int2Step::Resume()
{
    if (firstMethod)
        firstMethod->Resume();
    if (promptMethod)
        promptMethod->Resume();
    if (secondMethod)
        secondMethod->Resume();
}
