#include "modC_DialogToggleStep.h"

#include "crt_Assert.h"
#include "modC_ButtonLabels.h"
#include "modC_DialogMethod.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"
#include "modC_ToggleMethod.h"

modC_DialogToggleStep::modC_DialogToggleStep(modC_Procedure * procedure, char const * name, char const * dialogName,
                                             int numberButtons, int seq)
    : modC_DialogStep(dialogName, seq), numberButtons(numberButtons), state(numberButtons)
{
    MakeLabels(*procedure, name);
}

modC_DialogToggleStep::modC_DialogToggleStep(modC_Procedure * procedure, omu_PrimTuple const & values,
                                             char const * name, char const * dialogName, int numberButtons, int seq)
    : modC_DialogStep(dialogName, values, seq), numberButtons(numberButtons), state(numberButtons)
{
    MakeLabels(*procedure, name);
}

void modC_DialogToggleStep::MakeLabels(modC_Procedure const & procedure, char const * name)
{
    cow_String const modeName = procedure.ModeName();
    QEL_ASSERT(modeName != "");
    labels = ToggleLabelKeys(modeName, name, numberButtons);
    if (numberButtons >= 2)
        state.Get(1) = 1;
}

modC_DialogToggleStep::~modC_DialogToggleStep()
{
    modC_DialogToggleStep::Cancel();
}

void modC_DialogToggleStep::setToggleLabel(int num, char const * label)
{
    QEL_ASSERT(num <numberButtons && num >=0);
    labels[static_cast<std::size_t>(num)] = label;
}

bool modC_DialogToggleStep::GetToggleState(int num) const
{
    return num >= 0 && num < numberButtons && num < state.Length() && state.ConstGet(num) != 0;
}

void modC_DialogToggleStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    modC_DialogStep::Execute(factory, stepReceiver);
    if (methodT) {
        methodT->Cancel();
        methodT.reset();
    }
    std::vector<char const *> chars = LabelTexts(labels);
    methodT.reset(factory->MakeToggleMethod(chars.data(), numberButtons, this, &state));
    if (methodT)
        methodT->Execute();
}

void modC_DialogToggleStep::ValueChanged(modC_Method * _m)
{
    if (_m && _m == Method()) {
        modC_DialogStep::ValueChanged(_m);
        return;
    }
    QEL_ASSERT_TEXT(_m == methodT.get(), "_m == methodT");
    if (auto const * toggles = dynamic_cast<modC_ToggleMethod const *>(_m))
        state = toggles->GetToggleState();
}

void modC_DialogToggleStep::Done(modC_Method *) {}

void modC_DialogToggleStep::Cancel()
{
    if (methodT) {
        methodT->Cancel();
        methodT.reset();
    }
    modC_DialogStep::Cancel();
}

void modC_DialogToggleStep::Suspend()
{
    modC_DialogStep::Suspend();
    if (methodT)
        methodT->Suspend();
}

void modC_DialogToggleStep::Resume()
{
    modC_DialogStep::Resume();
    if (methodT)
        methodT->Resume();
}
