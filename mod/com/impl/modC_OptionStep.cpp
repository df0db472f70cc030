#include "modC_OptionStep.h"

#include <string>

#include "crt_Assert.h"
#include "modC_ChoiceMethod.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"
#include "modC_StepReceiver.h"

modC_OptionStep::modC_OptionStep(modC_Procedure * procedure, char const * name, int numberOptions, int seq,
                                 int defChoice)
    : modC_Step(seq), numberOptions(numberOptions), choice(defChoice - 1), defChoice(defChoice)
{
    cow_String const modeName = procedure->ModeName();
    QEL_ASSERT(modeName != "");
    for (int k = 1; k <= numberOptions; ++k)
        labels.push_back(cow_String("*promptArea.") + modeName + "_" + name + ".optionBtn" +
                         cow_String(std::to_string(k)) + ".labelString");
}

modC_OptionStep::~modC_OptionStep()
{
    Cancel();
}

void modC_OptionStep::setOptionLabel(int num, char const * label)
{
    QEL_ASSERT(num < numberOptions && num >=0);
    labels[static_cast<std::size_t>(num)] = label;
}

void modC_OptionStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    receiver = stepReceiver;
    std::vector<char const *> chars;
    for (cow_String const & label : labels)
        chars.push_back(label.AsCharPtr());
    method.reset(factory->MakeOptionMethod(chars.data(), numberOptions, this, defChoice));
    if (method)
        method->Execute();
}

void modC_OptionStep::TakeChoice()
{
    // A list reporting no selection (-1) has not changed the step's choice.
    auto const * list = dynamic_cast<modC_ChoiceMethod const *>(method.get());
    if (list && list->Value() >= 0 && list->Value() < numberOptions)
        choice = list->Value();
}

void modC_OptionStep::ValueChanged(modC_Method *)
{
    TakeChoice();
}

void modC_OptionStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no list is shown
        return;
    TakeChoice();
    defChoice = choice + 1;
    Cancel();
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_OptionStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_OptionStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_OptionStep::Resume()
{
    if (method)
        method->Resume();
}
