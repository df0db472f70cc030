// A set of toggles (on/off buttons) and nothing else. The toggles are
// labelled by prompt-area resource keys, always numbered; their states carry
// over into the next execution.
#ifndef MODC_TOGGLESTEP_H
#define MODC_TOGGLESTEP_H

#include <memory>
#include <vector>

#include "cow_1DArray.h"
#include "cow_String.h"
#include "modC_Step.h"

class modC_Procedure;

class modC_ToggleStep : public modC_Step {
public:
    // `initialState`: one entry per toggle, 0 = off, non-zero = on.
    modC_ToggleStep(modC_Procedure * procedure, char const * name, int numberButtons, cow_1DArray<int> initialState,
                    int seq);
    ~modC_ToggleStep() override;

    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;
    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;

    // `num` is 0-based.
    void setToggleLabel(int num, char const * label);

    cow_1DArray<int> const & GetState() const { return state; }

private:
    void TakeState();

    std::unique_ptr<modC_Method> method;
    std::vector<cow_String> labels;
    int numberButtons;
    cow_1DArray<int> state;
};

#endif
