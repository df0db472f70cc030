// One prompt-and-answer unit of a procedure. A step gets its input through
// methods made by the front end's factory and reports to its receiver.
#ifndef MODC_STEP_H
#define MODC_STEP_H

#include "cow_String.h"
#include "modC_MethodReceiver.h"

class modC_MethodFactory;
class modC_StepReceiver;

class modC_Step : public modC_MethodReceiver {
public:
    void DirectManipulation(DirectManipReason reason, modC_Method * method) override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override = 0;

    virtual ~modC_Step();

    // Starts the step afresh; it reports to `receiver` from now on.
    virtual void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) = 0;
    // Gives the step up; tolerated after termination and before any Execute.
    virtual void Cancel() = 0;
    virtual void Suspend() = 0;
    virtual void Resume() = 0;
    // Takes over values typed but not confirmed; only steps that allow it override.
    virtual void CommitData();
    // Non-zero lets the procedure back up from this step.
    virtual int Backup();
    virtual void ClearHighlights() const;
    virtual void setPrompt(char const * text);
    // Never null: "" when no prompt was ever set.
    virtual char const * getPrompt() const;

    int Seq() const { return seq; }
    modC_StepReceiver * Receiver() const { return receiver; }

protected:
    explicit modC_Step(int seq);

    modC_StepReceiver * receiver;
    int seq;
    cow_String prompt;
};

#endif
