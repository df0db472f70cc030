// A text field together with toggles. When the step is done, the labels of
// the toggles that are on are appended to the entered text, as for a value
// followed by its unit. The toggles are labelled by prompt-area resource
// keys, always numbered; text and states carry over into the next execution.
#ifndef MODC_STRINGTOGGLESTEP_H
#define MODC_STRINGTOGGLESTEP_H

#include <memory>
#include <vector>

#include "cow_1DArray.h"
#include "cow_String.h"
#include "modC_Step.h"

class modC_Procedure;

class modC_StringToggleStep : public modC_Step {
public:
    // The toggles start off, except the second one when there are two or more.
    modC_StringToggleStep(modC_Procedure * procedure, char const * name, int numberButtons, char const * initialText,
                          int seq);
    ~modC_StringToggleStep() override;

    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;
    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;

    // `num` is 0-based.
    void setToggleLabel(int num, char const * label);

    // The result: the entered text followed by the labels of the toggles on.
    cow_String const & GetValue() const { return value; }
    // The text last read from the field.
    cow_String const & GetText() const { return text; }
    cow_1DArray<int> const & GetState() const { return state; }

private:
    void TakeText();
    void TakeState();

    cow_String value;
    cow_String text;
    std::unique_ptr<modC_Method> method1;  // the text field
    std::unique_ptr<modC_Method> method2;  // the toggles
    std::vector<cow_String> labels;
    int numberButtons;
    cow_1DArray<int> state;
};

#endif
