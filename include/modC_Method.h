// The logic side of an input method: owned by its step, holding a copy of the
// current value that the step reads, and owning its on-screen implementation.
#ifndef MODC_METHOD_H
#define MODC_METHOD_H

#include "modC_MethodReceiver.h"

class modC_Method : public modC_MethodReceiver {
public:
    void DirectManipulation(DirectManipReason reason, modC_Method * method) override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    virtual ~modC_Method();

    virtual void Execute() = 0;
    virtual void Cancel() = 0;
    virtual void Suspend() = 0;
    virtual void Resume() = 0;
    // Takes over what was typed but not confirmed; only some methods allow it.
    virtual void CommitData();

    modC_MethodReceiver * Receiver() const { return receiver; }

protected:
    explicit modC_Method(modC_MethodReceiver * receiver);
    modC_Method();

    modC_MethodReceiver * receiver;
};

#endif
