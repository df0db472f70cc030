// Asks the user to type a text. The last text typed becomes the text the
// entry shows when the step runs again.
#ifndef MODC_STRINGSTEP_H
#define MODC_STRINGSTEP_H

#include <memory>

#include "cow_String.h"
#include "modC_Step.h"

class modC_ScalarMethod;

class modC_StringStep : public modC_Step {
public:
    modC_StringStep(char const * text, int seq);
    ~modC_StringStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    // Value changes are kept, not reported: only completion concerns the receiver.
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // The text typed last; the constructor's text before any.
    cow_String GetValue() const { return value; }

    cow_String defaultValue;
    cow_String value;

private:
    void TakeValue();

    std::unique_ptr<modC_ScalarMethod> method;
};

#endif
