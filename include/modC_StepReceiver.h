// What a step calls on whoever executed it: the procedure, or a compound step
// standing between a child and the procedure.
#ifndef MODC_STEPRECEIVER_H
#define MODC_STEPRECEIVER_H

class modC_Step;
class modC_FlipFlopStep;

class modC_StepReceiver {
public:
    virtual ~modC_StepReceiver() = default;

    virtual void StepTerminated(modC_Step const & step) = 0;
    virtual void StepValueChanged(modC_Step const & step) = 0;
    virtual void StepAbort(modC_Step const & step) = 0;
    virtual void SuspendOption() = 0;
    virtual void ResumeOption() = 0;
    virtual void EndMode() = 0;
    virtual bool FirstStep(modC_Step const & step) = 0;
    // A flip-flop step cancelled its running child `leftStep` and switches to its other child.
    virtual void FlippingHook(modC_FlipFlopStep const & flipFlop, modC_Step const & leftStep);

protected:
    modC_StepReceiver() = default;
};

#endif
