// A composite that grows while it runs: it asks for an integer, then for a
// float and a string when the integer is below 50, else for a string only, and
// keeps the three values. The children are told apart by their sequence numbers.
// Each run makes new float and string children; the composite keeps the
// displaced ones until it is destroyed.
#ifndef MODC_MULTISTEP_H
#define MODC_MULTISTEP_H

#include "cow_String.h"
#include "modC_CompositeStep.h"

class modC_FloatStep;
class modC_IntStep;
class modC_StringStep;

class modC_MultiStep : public modC_CompositeStep {
public:
    enum { intSeq = 100, floatSeq = 200, stringSeq = 300 };

    modC_MultiStep(modC_Procedure * procedure, char const * name, int seq);

    void StepTerminated(modC_Step const & child) override;
    // The value steps never report value changes; a report from any other
    // child is ignored, so the running sequence stays as it is.
    void StepValueChanged(modC_Step const & child) override;

    // The values entered last; -99, -99.0 and "" before any.
    int intValue;
    double floatValue;
    cow_String stringValue;

private:
    void AddFloatStep();
    void AddStringStep();

    // The children of the current run; the composite owns them.
    modC_IntStep * intStep;
    modC_FloatStep * floatStep;
    modC_StringStep * stringStep;
};

#endif
