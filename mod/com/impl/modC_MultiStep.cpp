#include "modC_MultiStep.h"

#include <limits>

#include "modC_FloatStep.h"
#include "modC_IntStep.h"
#include "modC_StringStep.h"
#include "utl_tr.h"

modC_MultiStep::modC_MultiStep(modC_Procedure * procedure, char const * name, int seq)
    : modC_CompositeStep(procedure, name, 3, seq), intValue(-99), floatValue(-99.0),
      intStep(new modC_IntStep(10, intSeq, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), true,
                               true, false)),
      floatStep(nullptr), stringStep(nullptr)
{
    intStep->setPrompt(utl_tr("keyin an integer"));
    AddStep(intStep, "");
}

void modC_MultiStep::AddFloatStep()
{
    floatStep = new modC_FloatStep(20.0, floatSeq, std::numeric_limits<double>::lowest(),
                                   std::numeric_limits<double>::max(), true, true, false);
    floatStep->setPrompt(utl_tr("keyin a float"));
    AddStep(floatStep, "");
}

void modC_MultiStep::AddStringStep()
{
    stringStep = new modC_StringStep(utl_tr("DEFAULT STRING"), stringSeq);
    stringStep->setPrompt(utl_tr("keyin a string"));
    AddStep(stringStep, "");
}

void modC_MultiStep::StepTerminated(modC_Step const & child)
{
    switch (child.Seq()) {
    case intSeq:
        intValue = intStep->value;
        if (intValue < 50)
            AddFloatStep();
        else
            AddStringStep();
        break;
    case floatSeq:
        floatValue = floatStep->value;
        AddStringStep();
        break;
    case stringSeq:
        stringValue = stringStep->GetValue();
        break;
    default:
        break;
    }
    modC_CompositeStep::StepTerminated(child);
}

void modC_MultiStep::StepValueChanged(modC_Step const &) {}
