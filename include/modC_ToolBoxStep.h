// A dialog of the front end that stays open while the user works in it,
// together with a single "Done" button. Each completion of the dialog goes to
// DialogChanged, which a derived class overrides to react while the tool box
// stays open; only the "Done" button ends the step. The step reports to its
// procedure directly, also when it runs inside a compound step.
#ifndef MODC_TOOLBOXSTEP_H
#define MODC_TOOLBOXSTEP_H

#include <memory>

#include "cow_String.h"
#include "modC_DialogStep.h"

class modC_DialogMethod;
class modC_Procedure;

class modC_ToolBoxStep : public modC_DialogStep {
public:
    modC_ToolBoxStep(modC_Procedure * procedure, char const * dialogName, char const * toolName,
                     omu_PrimTuple const & values, int seq);
    modC_ToolBoxStep(modC_Procedure * procedure, char const * dialogName, char const * toolName, int seq);
    ~modC_ToolBoxStep() override;

    void Done(modC_Method * method) override;
    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;

    // The dialog reported done; it stays open. Does nothing here.
    virtual void DialogChanged(modC_DialogMethod * dialogMethod);
    // The "Done" button was pressed: ends the step with the dialog's values.
    virtual void UserDone();

    char const * ToolName() const { return toolName.AsCharPtr(); }

private:
    std::unique_ptr<modC_Method> choiceMethod;
    cow_String toolName;
    cow_String doneLabel;
    modC_Procedure * procedure;
};

#endif
