#include "modC_RadioStep.h"

#include "crt_Assert.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"

modC_RadioStep::modC_RadioStep(modC_Procedure * procedure, char const * name, int numberOptions, int seq,
                               int defChoice)
    : modC_OneOfStep(procedure, name, numberOptions, seq, defChoice, "radioBtn")
{
    cow_String const modeName = procedure->ModeName();
    QEL_ASSERT(modeName != "");
}

modC_Method * modC_RadioStep::MakeList(modC_MethodFactory const & factory, char const ** labels, int count,
                                       int defaultChoice)
{
    return factory.MakeRadioMethod(labels, count, this, defaultChoice);
}
