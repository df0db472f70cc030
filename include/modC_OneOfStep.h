// Lets the user pick one of a numbered set of buttons, labelled by prompt-area
// resource keys "*promptArea.<mode>_<name>.<word><k>.labelString"; the button
// chosen last is the default of the next execution. Only finishing is
// reported. The option and radio steps differ only in the widget they ask for.
#ifndef MODC_ONEOFSTEP_H
#define MODC_ONEOFSTEP_H

#include <memory>
#include <vector>

#include "cow_String.h"
#include "modC_Step.h"

class modC_Procedure;

class modC_OneOfStep : public modC_Step {
public:
    ~modC_OneOfStep() override;

    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;
    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;

    // 0-based; -1 for none.
    int GetChoice() const { return choice; }
    // 1-based; 0 for none.
    int GetDefChoice() const { return defChoice; }

protected:
    // `defChoice` is 1-based; `word` names the buttons in their resource keys.
    modC_OneOfStep(modC_Procedure * procedure, char const * name, int numberOptions, int seq, int defChoice,
                   char const * word);

    virtual modC_Method * MakeList(modC_MethodFactory const & factory, char const ** labels, int count,
                                   int defaultChoice) = 0;

    std::vector<cow_String> labels;
    int numberOptions;

private:
    void TakeChoice();

    std::unique_ptr<modC_Method> method;
    int choice;
    int defChoice;
};

#endif
