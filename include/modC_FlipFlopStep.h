// Two alternative ways to give one input: runs one of two child steps and
// shows prompt option 0 with which the user switches to the other. The child
// that finally terminates is reported, so the procedure sees which was taken.
#ifndef MODC_FLIPFLOPSTEP_H
#define MODC_FLIPFLOPSTEP_H

#include <memory>

#include "cow_String.h"
#include "modC_Step.h"
#include "modC_StepReceiver.h"

class modC_Procedure;

class modC_FlipFlopStep : public modC_Step, public modC_StepReceiver {
public:
    // Takes ownership of both children.
    modC_FlipFlopStep(modC_Procedure * procedure, char const * name1, char const * name2, modC_Step * step1,
                      modC_Step * step2, int seq, bool flipOnce, bool commitFirst);
    ~modC_FlipFlopStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    // The user pressed the switch button.
    void Done(modC_Method * method) override;
    int Backup() override;
    void ClearHighlights() const override;
    char const * getPrompt() const override;

    virtual void setOptBtnLabels(char const * label1, char const * label2);

    void StepTerminated(modC_Step const & step) override;
    void StepValueChanged(modC_Step const & step) override;
    void StepAbort(modC_Step const & step) override;
    void SuspendOption() override;
    void ResumeOption() override;
    void EndMode() override;
    bool FirstStep(modC_Step const & step) override;

    bool FirstActive() const { return firstActive; }

protected:
    virtual void SetStepNames(char const * name1, char const * name2);
    // Destroys the previous children and takes ownership of the new ones.
    void SetSteps(modC_Step * step1, modC_Step * step2);

private:
    modC_Step & Running() const { return firstActive ? *step1 : *step2; }
    cow_String const & RunningName() const { return firstActive ? name1 : name2; }
    cow_String const & RunningLabel() const { return firstActive ? label1 : label2; }
    void ShowPrompt() const;
    void ShowButton() const;
    void RemoveButton() const;
    void Flip();

    bool firstActive;
    cow_String name1;
    cow_String name2;
    cow_String label1;
    cow_String label2;
    std::unique_ptr<modC_Step> step1;
    std::unique_ptr<modC_Step> step2;
    modC_Procedure * procedure;
    bool flipOnce;
    bool flipped;
    bool commitFirst;
    bool committed;
};

#endif
