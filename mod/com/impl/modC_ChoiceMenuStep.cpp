#include "modC_ChoiceMenuStep.h"

#include <string>

#include "crt_Assert.h"
#include "modC_ButtonLabels.h"
#include "modC_ChoiceMethod.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"
#include "modC_StepReceiver.h"

modC_ChoiceMenuStep::modC_ChoiceMenuStep(modC_Procedure * procedure, int numChoices, char const * name, int seq)
    : modC_Step(seq), numChoices(numChoices), name(name), choice(-1)
{
    cow_String const modeName = procedure->ModeName();
    QEL_ASSERT(modeName != "");
    for (int k = 1; k <= numChoices; ++k)
        labels.push_back(cow_String("*promptArea.") + modeName + "_" + this->name + ".btn" +
                         cow_String(std::to_string(k)) + ".labelString");
}

modC_ChoiceMenuStep::~modC_ChoiceMenuStep()
{
    Cancel();
}

void modC_ChoiceMenuStep::setChoiceLabel(int num, char const * label)
{
    QEL_ASSERT(num < numChoices && num >=0);
    labels[static_cast<std::size_t>(num)] = label;
}

void modC_ChoiceMenuStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    receiver = stepReceiver;
    std::vector<char const *> chars = LabelTexts(labels);
    method.reset(factory->MakeMenuChoiceMethod(chars.data(), numChoices, this));
    QEL_ASSERT(method != 0);
    method->Execute();
}

void modC_ChoiceMenuStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no menu is shown
        return;
    auto const * menu = dynamic_cast<modC_ChoiceMethod const *>(method.get());
    choice = menu ? menu->Value() : -1;
    Cancel();
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_ChoiceMenuStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_ChoiceMenuStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_ChoiceMenuStep::Resume()
{
    if (method)
        method->Resume();
}
