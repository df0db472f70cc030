#include "modC_Step.h"

#include "crt_Assert.h"
#include "modC_StepReceiver.h"

modC_Step::modC_Step(int seq) : receiver(nullptr), seq(seq) {}

modC_Step::~modC_Step() = default;

void modC_Step::DirectManipulation(DirectManipReason, modC_Method *) {}

void modC_Step::ValueChanged(modC_Method *) {}

void modC_Step::CommitData()
{
    QEL_ASSERT(0);
}

int modC_Step::Backup()
{
    return 1;
}

void modC_Step::ClearHighlights() const {}

void modC_Step::setPrompt(char const * text)
{
    prompt = text;
}

char const * modC_Step::getPrompt() const
{
    return prompt.AsCharPtr();
}
