#include "modC_ToggleStep.h"

#include <utility>

#include "crt_Assert.h"
#include "modC_ButtonLabels.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"
#include "modC_StepReceiver.h"
#include "modC_ToggleMethod.h"

modC_ToggleStep::modC_ToggleStep(modC_Procedure * procedure, char const * name, int numberButtons,
                                 cow_1DArray<int> initialState, int seq)
    : modC_Step(seq), numberButtons(numberButtons), state(std::move(initialState))
{
    cow_String const modeName = procedure->ModeName();
    QEL_ASSERT(modeName != "");
    labels = ToggleLabelKeys(modeName, name, numberButtons);
}

modC_ToggleStep::~modC_ToggleStep()
{
    Cancel();
}

void modC_ToggleStep::setToggleLabel(int num, char const * label)
{
    QEL_ASSERT(num <numberButtons && num >=0);
    labels[static_cast<std::size_t>(num)] = label;
}

void modC_ToggleStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    receiver = stepReceiver;
    std::vector<char const *> chars = LabelTexts(labels);
    method.reset(factory->MakeToggleMethod(chars.data(), numberButtons, this, &state));
    if (method)
        method->Execute();
}

void modC_ToggleStep::TakeState()
{
    // A method that never reported holds no states: the step's stay.
    auto const * toggles = dynamic_cast<modC_ToggleMethod const *>(method.get());
    if (!toggles)
        return;
    cow_1DArray<int> reported = toggles->GetToggleState();
    if (reported.Length() > 0)
        state = reported;
}

void modC_ToggleStep::ValueChanged(modC_Method *)
{
    TakeState();
}

void modC_ToggleStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no toggles are shown
        return;
    TakeState();
    Cancel();
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_ToggleStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_ToggleStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_ToggleStep::Resume()
{
    if (method)
        method->Resume();
}
