// A combo box: the step reads the 1-based number of the chosen entry and its text.
#ifndef MODC_COMBOMETHOD_H
#define MODC_COMBOMETHOD_H

#include <memory>

#include "cow_String.h"
#include "modC_ComboMethodImpl.h"
#include "modC_Method.h"

class modC_ComboMethod : public modC_Method {
public:
    // Takes ownership of `impl`, attaches to it and takes over its selection at once.
    modC_ComboMethod(modC_MethodReceiver * receiver, modC_ComboMethodImpl * impl);

    void Execute() override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // 1-based; 0 for none.
    int Selection() const { return selection; }
    // The text as of the last report; empty before the first.
    cow_String GetValueAsString() const { return value; }

private:
    int selection = 0;
    cow_String value;
    std::unique_ptr<modC_ComboMethodImpl> impl;
};

#endif
