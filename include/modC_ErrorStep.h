// A dialog step showing a form of the front end. For the error form it carries
// the message and the modal flag to the form in two targets. It reports to its
// procedure directly, also when it runs inside a compound step.
#ifndef MODC_ERRORSTEP_H
#define MODC_ERRORSTEP_H

#include <memory>

#include "WFXTarget.h"
#include "modC_DialogStep.h"

class modC_Procedure;

class modC_ErrorStep : public modC_DialogStep {
public:
    modC_ErrorStep(modC_Procedure * procedure, char const * dialogName, omu_PrimTuple const & values, int seq);
    ~modC_ErrorStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Done(modC_Method * method) override;

    void setModal(bool modal);
    void setMessage(FX::FXString const & message);

    WFXStringTarget const & MessageTarget() const { return *messageTarget; }
    WFXIntTarget const & ModalTarget() const { return *modalTarget; }

private:
    modC_Procedure * procedure;
    std::unique_ptr<WFXStringTarget> messageTarget;
    std::unique_ptr<WFXIntTarget> modalTarget;
};

#endif
