#include "modC_OneOfStep.h"

#include <string>

#include "modC_ButtonLabels.h"
#include "modC_ChoiceMethod.h"
#include "modC_Procedure.h"
#include "modC_StepReceiver.h"

modC_OneOfStep::modC_OneOfStep(modC_Procedure * procedure, char const * name, int numberOptions, int seq,
                               int defChoice, char const * word)
    : modC_Step(seq), numberOptions(numberOptions), choice(defChoice - 1), defChoice(defChoice)
{
    // The derived steps check the mode name, each under its own name.
    cow_String const modeName = procedure->ModeName();
    for (int k = 1; k <= numberOptions; ++k)
        labels.push_back(cow_String("*promptArea.") + modeName + "_" + name + "." + word +
                         cow_String(std::to_string(k)) + ".labelString");
}

modC_OneOfStep::~modC_OneOfStep()
{
    modC_OneOfStep::Cancel();
}

void modC_OneOfStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    receiver = stepReceiver;
    std::vector<char const *> chars = LabelTexts(labels);
    method.reset(MakeList(*factory, chars.data(), numberOptions, defChoice));
    if (method)
        method->Execute();
}

void modC_OneOfStep::TakeChoice()
{
    // A list reporting no selection (-1) has not changed the step's choice.
    auto const * list = dynamic_cast<modC_ChoiceMethod const *>(method.get());
    if (list && list->Value() >= 0 && list->Value() < numberOptions)
        choice = list->Value();
}

void modC_OneOfStep::ValueChanged(modC_Method *)
{
    TakeChoice();
}

void modC_OneOfStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no list is shown
        return;
    TakeChoice();
    defChoice = choice + 1;
    Cancel();
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_OneOfStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_OneOfStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_OneOfStep::Resume()
{
    if (method)
        method->Resume();
}
