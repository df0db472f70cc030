// Buttons, menus, option and radio lists: the step reads the 0-based index of
// the chosen entry, -1 while none is chosen.
#ifndef MODC_CHOICEMETHOD_H
#define MODC_CHOICEMETHOD_H

#include <memory>

#include "modC_ChoiceMethodImpl.h"
#include "modC_Method.h"

class modC_ChoiceMethod : public modC_Method {
public:
    // Takes ownership of `impl` and attaches to it.
    modC_ChoiceMethod(modC_MethodReceiver * receiver, modC_ChoiceMethodImpl * impl);

    void Execute() override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // The selection as of the last report; -1 before the first.
    int Value() const { return value; }

private:
    int value = -1;
    std::unique_ptr<modC_ChoiceMethodImpl> impl;
};

#endif
