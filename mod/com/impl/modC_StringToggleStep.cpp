#include "modC_StringToggleStep.h"

#include "crt_Assert.h"
#include "modC_ButtonLabels.h"
#include "modC_LiveMethods.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"
#include "modC_ScalarMethod.h"
#include "modC_StepReceiver.h"
#include "modC_ToggleMethod.h"

namespace {

int const columns = 20;

}  // namespace

modC_StringToggleStep::modC_StringToggleStep(modC_Procedure * procedure, char const * name, int numberButtons,
                                             char const * initialText, int seq)
    : modC_Step(seq), value(initialText), text(initialText), numberButtons(numberButtons), state(numberButtons)
{
    cow_String const modeName = procedure->ModeName();
    QEL_ASSERT(modeName != "");
    labels = ToggleLabelKeys(modeName, name, numberButtons);
    if (numberButtons >= 2)
        state.Get(1) = 1;
}

modC_StringToggleStep::~modC_StringToggleStep()
{
    Cancel();
}

void modC_StringToggleStep::setToggleLabel(int num, char const * label)
{
    QEL_ASSERT(num <numberButtons && num >=0);
    labels[static_cast<std::size_t>(num)] = label;
}

void modC_StringToggleStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    receiver = stepReceiver;
    method1.reset(factory->MakeStringMethod(this, value.AsCharPtr(), columns));
    std::vector<char const *> chars = LabelTexts(labels);
    method2.reset(factory->MakeToggleMethod(chars.data(), numberButtons, this, &state));
    if (method1)
        method1->Execute();
    if (method2)
        method2->Execute();
}

void modC_StringToggleStep::TakeText()
{
    if (auto const * field = dynamic_cast<modC_ScalarMethod const *>(method1.get())) {
        text = field->GetStringValue();
        value = text;
    }
}

void modC_StringToggleStep::TakeState()
{
    // A method that never reported holds no states: the step's stay.
    auto const * toggles = dynamic_cast<modC_ToggleMethod const *>(method2.get());
    if (!toggles)
        return;
    cow_1DArray<int> reported = toggles->GetToggleState();
    if (reported.Length() > 0)
        state = reported;
}

void modC_StringToggleStep::ValueChanged(modC_Method * _m)
{
    if (_m && _m == method1.get()) {
        TakeText();
        return;
    }
    QEL_ASSERT_TEXT(_m == method2.get(), "_m == method2");
    TakeState();
}

void modC_StringToggleStep::Done(modC_Method *)
{
    if (!method1 && !method2)  // finished from outside while nothing is shown
        return;
    TakeText();
    TakeState();
    Cancel();
    for (int i = 0; i < numberButtons && i < state.Length(); ++i)
        if (state.ConstGet(i) != 0)
            value += labels[static_cast<std::size_t>(i)];
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_StringToggleStep::Cancel()
{
    Drop(method1);
    Drop(method2);
}

void modC_StringToggleStep::Suspend()
{
    SuspendEach({method1.get(), method2.get()});
}

void modC_StringToggleStep::Resume()
{
    ResumeEach({method1.get(), method2.get()});
}
