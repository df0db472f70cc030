#include "modC_ToolsetStep.h"

#include <utility>

#include "modC_LiveMethods.h"
#include "modC_Method.h"
#include "modC_MethodFactory.h"
#include "modC_StepReceiver.h"
#include "utl_tr.h"

modC_ToolsetStep::modC_ToolsetStep(cow_String toolsetName, int seq)
    : modC_Step(seq), toolsetName(std::move(toolsetName)), doneLabel(utl_tr("Done"))
{
}

modC_ToolsetStep::~modC_ToolsetStep()
{
    Cancel();
}

void modC_ToolsetStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    receiver = stepReceiver;
    toolsetMethod.reset(factory->MakeToolsetMethod(this, toolsetName));
    char const * labels[] = {doneLabel.AsCharPtr()};
    choiceMethod.reset(factory->MakeChoiceMethod(labels, 1, this, 1, false));
    if (toolsetMethod)
        toolsetMethod->Execute();
    if (choiceMethod)
        choiceMethod->Execute();
}

void modC_ToolsetStep::Done(modC_Method *)
{
    if (!toolsetMethod && !choiceMethod)  // finished from outside while nothing is shown
        return;
    Drop(toolsetMethod);
    Drop(choiceMethod);
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_ToolsetStep::Cancel()
{
    Drop(choiceMethod);
    Drop(toolsetMethod);
}

void modC_ToolsetStep::Suspend()
{
    SuspendEach({choiceMethod.get(), toolsetMethod.get()});
}

void modC_ToolsetStep::Resume()
{
    ResumeEach({choiceMethod.get(), toolsetMethod.get()});
}
