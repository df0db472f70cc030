// Lets the user pick one of a group of radio buttons, labelled by numbered
// "radioBtn" resource keys.
#ifndef MODC_RADIOSTEP_H
#define MODC_RADIOSTEP_H

#include "modC_OneOfStep.h"

class modC_RadioStep : public modC_OneOfStep {
public:
    // `defChoice` is 1-based.
    modC_RadioStep(modC_Procedure * procedure, char const * name, int numberOptions, int seq, int defChoice);

private:
    modC_Method * MakeList(modC_MethodFactory const & factory, char const ** labels, int count,
                           int defaultChoice) override;
};

#endif
