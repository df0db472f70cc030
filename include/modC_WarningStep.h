// Shows a warning form as a dialog step and tells its owner afterwards
// whether the user confirmed. It reports to its procedure directly, also
// when it runs inside a compound step.
#ifndef MODC_WARNINGSTEP_H
#define MODC_WARNINGSTEP_H

#include "modC_DialogStep.h"

class modC_Procedure;

class modC_WarningStep : public modC_DialogStep {
public:
    modC_WarningStep(modC_Procedure * procedure, char const * dialogName, omu_PrimTuple const & values, int seq);

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Done(modC_Method * method) override;

    // True when the form's answer, its first value, is a non-zero integer.
    // Any other first value, or none, is not a confirmation.
    bool GetOk() const;

private:
    modC_Procedure * procedure;
};

#endif
