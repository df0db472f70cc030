// One entry of a list shown as a combo box, given as texts. Optionally shown
// with a set of pick filters, each named by a word such as "pickFace" and
// each on or off, and with a single "Done" button. The step records the
// chosen entry (number and text) and the filter states the user left.
#ifndef MODC_COMBOSTEP_H
#define MODC_COMBOSTEP_H

#include <memory>

#include "cow_1DArray.h"
#include "cow_List.h"
#include "cow_String.h"
#include "modC_Step.h"

class modC_ComboStep : public modC_Step {
public:
    // `defChoice` is 1-based, 0 for none. The filtering executions of all
    // combo steps in the process take turns through eight sets of filter words.
    modC_ComboStep(cow_List<cow_String> entries, int defChoice, int seq, bool withFilters, bool withDoneButton);
    ~modC_ComboStep() override;

    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;
    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;

    // 1-based entry chosen last; 0 for none.
    int GetDefChoice() const { return defChoice; }
    cow_String const & GetCurrentText() const { return currentText; }
    // One state per filter word as last reported; a single 0 after an
    // execution without filters.
    cow_1DArray<int> const & GetFilterState() const { return filterState; }

private:
    void TakeCombo();

    std::unique_ptr<modC_Method> comboMethod;
    std::unique_ptr<modC_Method> filterMethod;
    cow_List<cow_String> entries;
    cow_String currentText;
    int defChoice;
    bool withFilters;
    cow_1DArray<int> filterState;
    std::unique_ptr<modC_Method> choiceMethod;
    bool withDoneButton;
    cow_String doneLabel;
};

#endif
