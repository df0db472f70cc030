#include "modC_RadioStep.h"

#include <string>

#include "crt_Assert.h"
#include "modC_ChoiceMethod.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"
#include "modC_StepReceiver.h"

modC_RadioStep::modC_RadioStep(modC_Procedure * procedure, char const * name, int numberOptions, int seq,
                                 int defChoice)
    : modC_Step(seq), numberOptions(numberOptions), choice(defChoice - 1), defChoice(defChoice)
{
    cow_String const modeName = procedure->ModeName();
    QEL_ASSERT(modeName != "");
    for (int k = 1; k <= numberOptions; ++k)
        labels.push_back(cow_String("*promptArea.") + modeName + "_" + name + ".radioBtn" +
                         cow_String(std::to_string(k)) + ".labelString");
}

modC_RadioStep::~modC_RadioStep()
{
    Cancel();
}

void modC_RadioStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    receiver = stepReceiver;
    std::vector<char const *> chars;
    for (cow_String const & label : labels)
        chars.push_back(label.AsCharPtr());
    method.reset(factory->MakeRadioMethod(chars.data(), numberOptions, this, defChoice));
    if (method)
        method->Execute();
}

void modC_RadioStep::TakeChoice()
{
    // A list reporting no selection (-1) has not changed the step's choice.
    auto const * list = dynamic_cast<modC_ChoiceMethod const *>(method.get());
    if (list && list->Value() >= 0 && list->Value() < numberOptions)
        choice = list->Value();
}

void modC_RadioStep::ValueChanged(modC_Method *)
{
    TakeChoice();
}

void modC_RadioStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no list is shown
        return;
    TakeChoice();
    defChoice = choice + 1;
    Cancel();
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_RadioStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_RadioStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_RadioStep::Resume()
{
    if (method)
        method->Resume();
}
