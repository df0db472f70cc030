// Asks the user to type an integer. The last value typed becomes the value the
// entry shows when the step runs again, so backing up shows what was typed.
#ifndef MODC_INTSTEP_H
#define MODC_INTSTEP_H

#include <memory>

#include "modC_Step.h"

class modC_ScalarMethod;

class modC_IntStep : public modC_Step {
public:
    modC_IntStep(int value, int seq, int minimum, int maximum, bool entryFlag1, bool entryFlag2, bool entryFlag3);
    ~modC_IntStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    // Value changes are kept, not reported: only completion concerns the receiver.
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // Read by the step's creator; the limits and flags go to the entry field.
    int defaultValue;
    int value;
    int minimum;
    int maximum;
    bool entryFlag1;
    bool entryFlag2;
    bool entryFlag3;

private:
    void TakeValue();

    std::unique_ptr<modC_ScalarMethod> method;
};

#endif
