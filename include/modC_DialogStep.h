// Shows a dialog of the front end and waits until the user closes it. Given
// commands and targets of the command toolkit, it describes them all to the
// dialog in one tuple and writes the returned values back into them.
#ifndef MODC_DIALOGSTEP_H
#define MODC_DIALOGSTEP_H

#include <memory>

#include "cow_String.h"
#include "modC_Fox.h"
#include "modC_Step.h"
#include "omu_PrimTuple.h"

class modC_DialogMethod;

class modC_DialogStep : public modC_Step {
public:
    modC_DialogStep(char const * dialogName, omu_PrimTuple const & values, int seq);
    modC_DialogStep(char const * dialogName, int seq);
    ~modC_DialogStep() override;

    // Replaces both lists with the objects of `commands` and `targets` (not owned).
    void setCommandsAndTargets(FXObjectList * commands, FXObjectList * targets);

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void Done(modC_Method * method) override;
    void ValueChanged(modC_Method * method) override;

    omu_PrimTuple const & GetValues() const { return values; }
    char const * DialogName() const { return dialogName.AsCharPtr(); }

protected:
    modC_DialogMethod * Method() const { return method.get(); }

private:
    void TakeValues();
    omu_PrimTuple PackageValues() const;
    void unPackageValues(omu_PrimTuple const & incoming);

    std::unique_ptr<modC_DialogMethod> method;
    cow_String dialogName;
    omu_PrimTuple values;
    omu_PrimTuple initialValues;
    std::unique_ptr<FXObjectList> commands;
    std::unique_ptr<FXObjectList> targets;
};

#endif
