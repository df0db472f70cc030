// Takes one position from a click in the viewport: the first value change of
// the pointer completes the step.
#ifndef MODC_POINTSTEP_H
#define MODC_POINTSTEP_H

#include <memory>

#include "modC_Step.h"

class modC_ClickAndDragMethod;

class modC_PointStep : public modC_Step {
public:
    explicit modC_PointStep(int seq);
    ~modC_PointStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    // The position comes with the value change; a completion alone carries none.
    void Done(modC_Method * method) override;

    // The position taken from the click; 0 before any.
    double x;
    double y;

private:
    std::unique_ptr<modC_ClickAndDragMethod> method;
};

#endif
