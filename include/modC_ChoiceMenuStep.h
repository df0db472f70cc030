// A menu of choices: the step ends when the user picks one and records which.
// The choices are labelled by prompt-area resource keys, always numbered.
#ifndef MODC_CHOICEMENUSTEP_H
#define MODC_CHOICEMENUSTEP_H

#include <memory>
#include <vector>

#include "cow_String.h"
#include "modC_Step.h"

class modC_Procedure;

class modC_ChoiceMenuStep : public modC_Step {
public:
    modC_ChoiceMenuStep(modC_Procedure * procedure, int numChoices, char const * name, int seq);
    ~modC_ChoiceMenuStep() override;

    void Done(modC_Method * method) override;
    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;

    // `num` is 0-based.
    void setChoiceLabel(int num, char const * label);

    // 0-based index of the choice picked last; -1 before the first pick.
    int GetChoice() const { return choice; }

private:
    std::vector<cow_String> labels;
    int numChoices;
    cow_String name;
    int choice;
    std::unique_ptr<modC_Method> method;
};

#endif
