// Lets the user pick one entry of an option list. The options are labelled by
// prompt-area resource keys, always numbered; the option chosen last is the
// default of the next execution. Only finishing the list is reported.
#ifndef MODC_OPTIONSTEP_H
#define MODC_OPTIONSTEP_H

#include <memory>
#include <vector>

#include "cow_String.h"
#include "modC_Step.h"

class modC_Procedure;

class modC_OptionStep : public modC_Step {
public:
    // `defChoice` is 1-based.
    modC_OptionStep(modC_Procedure * procedure, char const * name, int numberOptions, int seq, int defChoice);
    ~modC_OptionStep() override;

    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;
    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;

    // `num` is 0-based.
    void setOptionLabel(int num, char const * label);

    // 0-based; -1 for none.
    int GetChoice() const { return choice; }
    // 1-based; 0 for none.
    int GetDefChoice() const { return defChoice; }

private:
    void TakeChoice();

    std::unique_ptr<modC_Method> method;
    std::vector<cow_String> labels;
    int numberOptions;
    int choice;
    int defChoice;
};

#endif
