// Asks the user to type an integer. The last value typed becomes the value the
// entry shows when the step runs again, so backing up shows what was typed.
#ifndef MODC_INTSTEP_H
#define MODC_INTSTEP_H

#include "modC_EntryStep.h"

class modC_IntStep : public modC_EntryStep {
public:
    modC_IntStep(int value, int seq, int minimum, int maximum, bool entryFlag1, bool entryFlag2, bool entryFlag3);

    // Read by the step's creator; the limits and flags go to the entry field.
    int defaultValue;
    int value;
    int minimum;
    int maximum;
    bool entryFlag1;
    bool entryFlag2;
    bool entryFlag3;

private:
    modC_Method * MakeEntry(modC_MethodFactory const & factory) override;
    void TakeValue(modC_ScalarMethod const & entry) override;
};

#endif
