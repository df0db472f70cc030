#include "modC_WarningStep.h"

#include "modC_DialogMethod.h"
#include "modC_Procedure.h"

modC_WarningStep::modC_WarningStep(modC_Procedure * procedure, char const * dialogName,
                                   omu_PrimTuple const & values, int seq)
    : modC_DialogStep(dialogName, values, seq), procedure(procedure)
{
}

void modC_WarningStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver *)
{
    modC_DialogStep::Execute(factory, procedure);
}

void modC_WarningStep::Done(modC_Method *)
{
    modC_DialogStep::Done(Method());
}

bool modC_WarningStep::GetOk() const
{
    omu_PrimTuple const answer = GetValues();
    // The tuple is the form's own, or the construction values after a cancel:
    // its first element need not be the answer.
    if (answer.Length() == 0)
        return false;
    omu_Primitive::Kind const kind = answer.Index(0).GetKind();
    if (kind != omu_Primitive::INT && kind != omu_Primitive::UINT)
        return false;
    int ok = 0;
    answer.Begin();
    answer.Get(ok);
    answer.End();
    return ok != 0;
}
