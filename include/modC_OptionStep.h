// Lets the user pick one entry of an option list; the options are numbered
// "optionBtn" resource keys unless relabelled.
#ifndef MODC_OPTIONSTEP_H
#define MODC_OPTIONSTEP_H

#include "modC_OneOfStep.h"

class modC_OptionStep : public modC_OneOfStep {
public:
    // `defChoice` is 1-based.
    modC_OptionStep(modC_Procedure * procedure, char const * name, int numberOptions, int seq, int defChoice);

    // `num` is 0-based.
    void setOptionLabel(int num, char const * label);

private:
    modC_Method * MakeList(modC_MethodFactory const & factory, char const ** labels, int count,
                           int defaultChoice) override;
};

#endif
