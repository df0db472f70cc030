#include "modC_RotatingOptionStep.h"

#include "crt_Assert.h"
#include "modC_ButtonLabels.h"
#include "modC_ChoiceMethod.h"
#include "modC_MethodFactory.h"
#include "modC_PickMethod.h"
#include "modC_Procedure.h"
#include "modC_ScalarMethod.h"
#include "modC_StepReceiver.h"
#include "utl_tr.h"

namespace {

int const faceOption = 2;  // the option whose prompt asks for the face
int const maxDepth = 99999;
int const columns = 20;

}  // namespace

modC_RotatingOptionStep::modC_RotatingOptionStep(modC_Procedure * procedure, char const *, int numberOptions,
                                                 modC_MethodTypeEnm * types, int seq, int defChoice)
    : modC_Step(seq), numberOptions(numberOptions), choice(defChoice - 1), defChoice(defChoice), depth(0),
      pickX(0.0), pickY(0.0)
{
    cow_String const modeName = procedure->ModeName();
    QEL_ASSERT(modeName != "");
    // There are three labels, and every option needs an input method.
    QEL_ASSERT(numberOptions > 0 && numberOptions <= 3);
    labels = {utl_tr("Through All"), utl_tr("Specific Depth"), utl_tr("Up to Face")};
    inputMethods.resize(static_cast<std::size_t>(numberOptions));
    promptMethods.resize(static_cast<std::size_t>(numberOptions));
    for (int i = 0; i < numberOptions; ++i) {
        modC_MethodTypeEnm const type = types[i];
        QEL_ASSERT(type == modC_CHOICE_METHOD || type == modC_INTEGER_METHOD || type == modC_PICK_METHOD);
        methodTypes.push_back(type);
        if (type == modC_CHOICE_METHOD && doneLabel.IsEmpty())
            doneLabel = utl_tr("Done");
    }
}

modC_RotatingOptionStep::~modC_RotatingOptionStep()
{
    Cancel();
}

modC_Method * modC_RotatingOptionStep::Current(std::vector<std::unique_ptr<modC_Method>> const & methods) const
{
    if (choice < 0 || choice >= numberOptions)
        return nullptr;
    return methods[static_cast<std::size_t>(choice)].get();
}

modC_Method * modC_RotatingOptionStep::MakeInput(modC_MethodFactory const & factory, modC_MethodTypeEnm type)
{
    switch (type) {
    case modC_CHOICE_METHOD: {
        char const * done[] = {doneLabel.AsCharPtr()};
        return factory.MakeChoiceMethod(done, 1, this, 1, false);
    }
    case modC_INTEGER_METHOD:
        return factory.MakeIntegerMethod(this, depth, 0, maxDepth, true, true, false, nullptr, columns);
    case modC_PICK_METHOD:
        return factory.MakePickMethod(this);
    }
    return nullptr;
}

void modC_RotatingOptionStep::StartCurrent()
{
    if (modC_Method * prompt = Current(promptMethods))
        prompt->Execute();
    if (modC_Method * input = Current(inputMethods))
        input->Execute();
}

void modC_RotatingOptionStep::StopCurrent()
{
    if (modC_Method * prompt = Current(promptMethods))
        prompt->Cancel();
    if (modC_Method * input = Current(inputMethods))
        input->Cancel();
}

void modC_RotatingOptionStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    receiver = stepReceiver;
    std::vector<char const *> chars = LabelTexts(labels);
    method.reset(factory->MakeOptionMethod(chars.data(), numberOptions, this, defChoice));
    if (method)
        method->Execute();
    for (int i = 0; i < numberOptions; ++i) {
        std::size_t const slot = static_cast<std::size_t>(i);
        cow_String const prompt = i == faceOption ? utl_tr("Select a face to extrude to") : "";
        promptMethods[slot].reset(factory->MakePromptMethod(this, prompt));
        inputMethods[slot].reset(MakeInput(*factory, methodTypes[slot]));
    }
    StartCurrent();
}

void modC_RotatingOptionStep::ValueChanged(modC_Method * reporter)
{
    if (!reporter)
        return;
    if (reporter == method.get()) {
        auto const * list = dynamic_cast<modC_ChoiceMethod const *>(reporter);
        // A list reporting no selection (-1) has no option to rotate to.
        if (!list || list->Value() < 0 || list->Value() >= numberOptions)
            return;
        // The methods are kept, so that rotating back executes them again.
        StopCurrent();
        choice = list->Value();
        StartCurrent();
    } else if (reporter == Current(inputMethods) && methodTypes[static_cast<std::size_t>(choice)] == modC_PICK_METHOD) {
        // Picking the face ends the step at once.
        Done(reporter);
    }
}

void modC_RotatingOptionStep::Done(modC_Method * reporter)
{
    if (!reporter || reporter != Current(inputMethods))
        return;
    defChoice = choice + 1;
    switch (methodTypes[static_cast<std::size_t>(choice)]) {
    case modC_CHOICE_METHOD:
        break;
    case modC_INTEGER_METHOD:
        if (auto const * keyin = dynamic_cast<modC_ScalarMethod const *>(reporter))
            depth = keyin->GetIntegerValue();
        break;
    case modC_PICK_METHOD:
        if (auto const * pick = dynamic_cast<modC_PickMethod const *>(reporter)) {
            pickX = pick->Cursor().x;
            pickY = pick->Cursor().y;
        }
        break;
    }
    Cancel();
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_RotatingOptionStep::Cancel()
{
    if (method) {
        method->Cancel();
        method.reset();
    }
    StopCurrent();
    for (std::unique_ptr<modC_Method> & input : inputMethods)
        input.reset();
    for (std::unique_ptr<modC_Method> & prompt : promptMethods)
        prompt.reset();
}

void modC_RotatingOptionStep::Suspend()
{
    if (method)
        method->Suspend();
    if (modC_Method * prompt = Current(promptMethods))
        prompt->Suspend();
    if (modC_Method * input = Current(inputMethods))
        input->Suspend();
}

void modC_RotatingOptionStep::Resume()
{
    if (method)
        method->Resume();
    if (modC_Method * prompt = Current(promptMethods))
        prompt->Resume();
    if (modC_Method * input = Current(inputMethods))
        input->Resume();
}
