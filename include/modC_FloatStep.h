// Asks the user to type a floating-point number. The last value typed becomes
// the value the entry shows when the step runs again.
#ifndef MODC_FLOATSTEP_H
#define MODC_FLOATSTEP_H

#include "modC_EntryStep.h"

class modC_FloatStep : public modC_EntryStep {
public:
    modC_FloatStep(double value, int seq, double minimum, double maximum, bool entryFlag1, bool entryFlag2,
                   bool entryFlag3);

    // Read by the step's creator; the limits and flags go to the entry field.
    double defaultValue;
    double value;
    double minimum;
    double maximum;
    bool entryFlag1;
    bool entryFlag2;
    bool entryFlag3;

private:
    modC_Method * MakeEntry(modC_MethodFactory const & factory) override;
    void TakeValue(modC_ScalarMethod const & entry) override;
};

#endif
