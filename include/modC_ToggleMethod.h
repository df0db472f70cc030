// Check buttons: the step reads the state of every toggle.
#ifndef MODC_TOGGLEMETHOD_H
#define MODC_TOGGLEMETHOD_H

#include <memory>

#include "cow_1DArray.h"
#include "modC_Method.h"
#include "modC_ToggleMethodImpl.h"

class modC_ToggleMethod : public modC_Method {
public:
    // Takes ownership of `impl` and attaches to it.
    modC_ToggleMethod(modC_MethodReceiver * receiver, modC_ToggleMethodImpl * impl);

    void Execute() override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // The states as of the last report; empty before the first.
    cow_1DArray<int> GetToggleState() const { return states; }

private:
    cow_1DArray<int> states;
    std::unique_ptr<modC_ToggleMethodImpl> impl;
};

#endif
