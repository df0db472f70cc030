// Asks the user to type two integers in two entries with a prompt line between
// them. Completing the second entry ends the step, whether or not the first
// was completed; the first then holds what it last reported.
#ifndef MODC_INT2STEP_H
#define MODC_INT2STEP_H

#include <memory>

#include "modC_Step.h"

class modC_ScalarMethod;

class modC_Int2Step : public modC_Step {
public:
    modC_Int2Step(int value, int seq, int minimum, int maximum, bool entryFlag1, bool entryFlag2, bool entryFlag3);
    ~modC_Int2Step() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    // Value changes are kept, not reported: only completion concerns the receiver.
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // Read by the step's creator; the limits and flags go to both entry fields.
    int defaultValue;
    int firstValue;
    int secondValue;
    int minimum;
    int maximum;
    bool entryFlag1;
    bool entryFlag2;
    bool firstDone;
    bool secondDone;
    bool entryFlag3;

private:
    std::unique_ptr<modC_ScalarMethod> MakeEntry(modC_MethodFactory const * factory);
    // Reads the entry `method`; false when it is neither entry.
    bool TakeValue(modC_Method const * method);

    std::unique_ptr<modC_ScalarMethod> firstMethod;
    std::unique_ptr<modC_ScalarMethod> secondMethod;
    std::unique_ptr<modC_Method> promptMethod;
};

#endif
