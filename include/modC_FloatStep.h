// Asks the user to type a floating-point number. The last value typed becomes
// the value the entry shows when the step runs again.
#ifndef MODC_FLOATSTEP_H
#define MODC_FLOATSTEP_H

#include <memory>

#include "modC_Step.h"

class modC_ScalarMethod;

class modC_FloatStep : public modC_Step {
public:
    modC_FloatStep(double value, int seq, double minimum, double maximum, bool entryFlag1, bool entryFlag2,
                   bool entryFlag3);
    ~modC_FloatStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    // Value changes are kept, not reported: only completion concerns the receiver.
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // Read by the step's creator; the limits and flags go to the entry field.
    double defaultValue;
    double value;
    double minimum;
    double maximum;
    bool entryFlag1;
    bool entryFlag2;
    bool entryFlag3;

private:
    void TakeValue();

    std::unique_ptr<modC_ScalarMethod> method;
};

#endif
