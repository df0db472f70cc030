#include "modC_OptionStep.h"

#include "crt_Assert.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"

modC_OptionStep::modC_OptionStep(modC_Procedure * procedure, char const * name, int numberOptions, int seq,
                                 int defChoice)
    : modC_OneOfStep(procedure, name, numberOptions, seq, defChoice, "optionBtn")
{
    cow_String const modeName = procedure->ModeName();
    QEL_ASSERT(modeName != "");
}

void modC_OptionStep::setOptionLabel(int num, char const * label)
{
    QEL_ASSERT(num < numberOptions && num >=0);
    labels[static_cast<std::size_t>(num)] = label;
}

modC_Method * modC_OptionStep::MakeList(modC_MethodFactory const & factory, char const ** labels, int count,
                                        int defaultChoice)
{
    return factory.MakeOptionMethod(labels, count, this, defaultChoice);
}
