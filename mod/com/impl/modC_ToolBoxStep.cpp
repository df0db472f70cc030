#include "modC_ToolBoxStep.h"

#include "crt_Assert.h"
#include "modC_DialogMethod.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"
#include "utl_tr.h"

modC_ToolBoxStep::modC_ToolBoxStep(modC_Procedure * procedure, char const * dialogName, char const * toolName,
                                   omu_PrimTuple const & values, int seq)
    : modC_DialogStep(dialogName, values, seq), toolName(toolName), doneLabel(utl_tr("Done")), procedure(procedure)
{
}

modC_ToolBoxStep::modC_ToolBoxStep(modC_Procedure * procedure, char const * dialogName, char const * toolName,
                                   int seq)
    : modC_DialogStep(dialogName, seq), toolName(toolName), doneLabel(utl_tr("Done")), procedure(procedure)
{
}

modC_ToolBoxStep::~modC_ToolBoxStep()
{
    modC_ToolBoxStep::Cancel();
}

void modC_ToolBoxStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver *)
{
    modC_DialogStep::Execute(factory, procedure);
    if (choiceMethod) {
        choiceMethod->Cancel();
        choiceMethod.reset();
    }
    char const * labels[] = {doneLabel.AsCharPtr()};
    choiceMethod.reset(factory->MakeChoiceMethod(labels, 1, this, 1, false));
    QEL_ASSERT(choiceMethod != 0);
    choiceMethod->Execute();
}

void modC_ToolBoxStep::Done(modC_Method * method)
{
    if (method && method == Method()) {
        DialogChanged(Method());
    } else if (method && method == choiceMethod.get()) {
        UserDone();
    } else {
        QEL_ASSERT(0);
    }
}

void modC_ToolBoxStep::DialogChanged(modC_DialogMethod *) {}

void modC_ToolBoxStep::UserDone()
{
    if (choiceMethod) {
        choiceMethod->Cancel();
        choiceMethod.reset();
    }
    modC_DialogStep::Done(Method());
}

void modC_ToolBoxStep::Cancel()
{
    modC_DialogStep::Cancel();
    if (choiceMethod) {
        choiceMethod->Cancel();
        choiceMethod.reset();
    }
}

void modC_ToolBoxStep::Suspend()
{
    if (choiceMethod)
        choiceMethod->Suspend();
}

void modC_ToolBoxStep::Resume()
{
    if (choiceMethod)
        choiceMethod->Resume();
}
