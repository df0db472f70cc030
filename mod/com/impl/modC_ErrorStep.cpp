#include "modC_ErrorStep.h"

#include "modC_DialogMethod.h"
#include "modC_Procedure.h"

modC_ErrorStep::modC_ErrorStep(modC_Procedure * procedure, char const * dialogName, omu_PrimTuple const & values,
                               int seq)
    : modC_DialogStep(dialogName, values, seq), procedure(procedure), messageTarget(new WFXStringTarget("")),
      modalTarget(new WFXIntTarget(0))
{
    if (cow_String(DialogName()) != "modG_ErrorForm")
        return;
    cow_String message;
    values.Begin();
    values.Get(message);
    setMessage(message.AsCharPtr());
    setModal(true);
    FXObjectList formTargets;
    formTargets.append(messageTarget.get());
    formTargets.append(modalTarget.get());
    setCommandsAndTargets(nullptr, &formTargets);
}

modC_ErrorStep::~modC_ErrorStep()
{
    // The dialog may still show the targets; take it down before they go.
    Cancel();
}

void modC_ErrorStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver *)
{
    modC_DialogStep::Execute(factory, procedure);
}

void modC_ErrorStep::Done(modC_Method *)
{
    modC_DialogStep::Done(Method());
}

void modC_ErrorStep::setModal(bool modal)
{
    modalTarget->setValue(modal ? 1 : 0);
}

void modC_ErrorStep::setMessage(FX::FXString const & message)
{
    messageTarget->setValue(message);
}
