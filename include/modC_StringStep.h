// Asks the user to type a text. The last text typed becomes the text the
// entry shows when the step runs again.
#ifndef MODC_STRINGSTEP_H
#define MODC_STRINGSTEP_H

#include "cow_String.h"
#include "modC_EntryStep.h"

class modC_StringStep : public modC_EntryStep {
public:
    modC_StringStep(char const * text, int seq);

    // The text typed last; the constructor's text before any.
    cow_String GetValue() const { return value; }

    cow_String defaultValue;
    cow_String value;

private:
    modC_Method * MakeEntry(modC_MethodFactory const & factory) override;
    void TakeValue(modC_ScalarMethod const & entry) override;
};

#endif
