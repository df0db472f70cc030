// Toggles shown together with a dialog of the front end: a dialog step with
// an added toggle method. The toggles are labelled by prompt-area resource
// keys, always numbered. The step never ends itself: a done report changes
// nothing, and its owner or the front end cancels it.
#ifndef MODC_DIALOGTOGGLESTEP_H
#define MODC_DIALOGTOGGLESTEP_H

#include <memory>
#include <vector>

#include "cow_1DArray.h"
#include "cow_String.h"
#include "modC_DialogStep.h"

class modC_Procedure;

class modC_DialogToggleStep : public modC_DialogStep {
public:
    // The toggles start off, except the second one when there are two or more.
    modC_DialogToggleStep(modC_Procedure * procedure, char const * name, char const * dialogName, int numberButtons,
                          int seq);
    modC_DialogToggleStep(modC_Procedure * procedure, omu_PrimTuple const & values, char const * name,
                          char const * dialogName, int numberButtons, int seq);
    ~modC_DialogToggleStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void Done(modC_Method * method) override;
    void ValueChanged(modC_Method * method) override;

    // `num` is 0-based.
    void setToggleLabel(int num, char const * label);
    // False for any `num` outside the toggles.
    bool GetToggleState(int num) const;

private:
    void MakeLabels(modC_Procedure const & procedure, char const * name);

    std::unique_ptr<modC_Method> methodT;
    std::vector<cow_String> labels;
    int numberButtons;
    cow_1DArray<int> state;
};

#endif
