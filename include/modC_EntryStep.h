// A step that reads its value from one entry field: it shows the entry when it
// runs, takes the typed value on every report, and terminates when the user
// confirms. Derived steps say which entry they need and what they take from it.
#ifndef MODC_ENTRYSTEP_H
#define MODC_ENTRYSTEP_H

#include <memory>

#include "modC_Step.h"

class modC_ScalarMethod;

class modC_EntryStep : public modC_Step {
public:
    ~modC_EntryStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

protected:
    // `reportsChanges`: value changes go on to the receiver, not only completion.
    modC_EntryStep(int seq, bool reportsChanges);

    // A new entry method from the factory, owned by the caller.
    virtual modC_Method * MakeEntry(modC_MethodFactory const & factory) = 0;
    // Takes the typed value, which also becomes the entry's default next time.
    virtual void TakeValue(modC_ScalarMethod const & entry) = 0;

    // The entry shown now, or null.
    modC_ScalarMethod * Entry() const { return method.get(); }

private:
    bool reportsChanges;
    std::unique_ptr<modC_ScalarMethod> method;
};

#endif
