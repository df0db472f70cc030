// A sequence of child steps that the procedure runs, stacks and backs up as one
// step. The first child is added before the composite runs; a derived class
// appends more, or replaces the child that just ran, as children terminate.
#ifndef MODC_COMPOSITESTEP_H
#define MODC_COMPOSITESTEP_H

#include <memory>
#include <vector>

#include "cow_List.h"
#include "cow_String.h"
#include "modC_Step.h"
#include "modC_StepReceiver.h"

class modC_Procedure;

class modC_CompositeStep : public modC_Step, public modC_StepReceiver {
public:
    modC_CompositeStep(modC_Procedure * procedure, char const * name, int maxNumSteps, int seq);
    ~modC_CompositeStep() override;

    void SetStepName(char const * newName) { name = newName; }

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    int Backup() override;
    void ClearHighlights() const override;
    char const * getPrompt() const override;
    void Done(modC_Method * method) override;

    void StepTerminated(modC_Step const & step) override;
    void StepAbort(modC_Step const & step) override;
    void SuspendOption() override;
    void ResumeOption() override;
    void EndMode() override;
    bool FirstStep(modC_Step const & step) override;

    int NumSteps() const { return numSteps; }
    int Current() const { return ctr; }

protected:
    // Appends `step` (owned from now on) at the end of the current run.
    void AddStep(modC_Step * step, char const * stepName);
    // Puts `step` (owned from now on) in place of the child that ran last.
    void ReplaceStep(modC_Step * step, char const * stepName);

    modC_Procedure * Procedure() const { return procedure; }

private:
    // The child's prompt, or its resource key when it has none.
    cow_String ChildPrompt(int position) const;
    void ShowChildPrompt(int position) const;
    void Displace(int position);

    cow_List<cow_String> stepNames;
    std::vector<std::unique_ptr<modC_Step>> steps;
    cow_String name;
    modC_Procedure * procedure;
    int numSteps;
    int maxNumSteps;
    int ctr;
    std::vector<std::unique_ptr<modC_Step>> replaced;
    mutable cow_String promptOfChild;  // keeps getPrompt's text alive
};

#endif
