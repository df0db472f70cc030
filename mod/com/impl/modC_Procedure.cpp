#include "modC_Procedure.h"

#include <cstdio>
#include <cstdlib>

#include "StepStack.h"
#include "crt_Assert.h"
#include "modC_DialogStep.h"
#include "modC_ErrorStep.h"
#include "modC_Step.h"
#include "modC_Strategy.h"

namespace {
char const traceFileName[] = "vantor_procedures.rpy.txt";
}

modC_Procedure::modC_Procedure(bool noBackup)
    : modC_Procedure(modC_ModePreReq(this, omu_PrimType(0), false), noBackup)
{
}

modC_Procedure::modC_Procedure(modC_ModePreReq const & preReq, bool noBackup)
    : modC_Mode(preReq.Copy()),
      modeContext(nullptr),
      noBackup(noBackup),
      stepStack(new StepStack),
      currentStep(nullptr),
      clearHighlightsOnCancel(true),
      state(INACTIVE),
      errorStep(nullptr),
      backupAmount_(0),
      endTheMode_(false),
      errorSourceStep(nullptr)
{
    InitOptions();
}

modC_Procedure::~modC_Procedure()
{
    stepStack.reset();
    state = INACTIVE;
}

void modC_Procedure::InitOptions()
{
    for (int j = 0; j < numOptions; ++j) {
        optionStep[j] = nullptr;
        optionEndsStep.Get(j) = 0;
        EmptyOption(j);
    }
}

void modC_Procedure::EmptyOption(int optNum)
{
    optionName.Get(optNum) = "";
    optionLabel.Get(optNum) = "";
    optionPrompt.Get(optNum) = "";
    optionActive.Get(optNum) = NONE;
    optionCommands[optNum] = nullptr;
    optionTargets[optNum] = nullptr;
}

// ---- lifecycle ----

void modC_Procedure::Install(modC_Strategy * strategy, omu_Primitive const * primitive)
{
    modeContext = strategy;
    state = ACTIVE;
    if (std::getenv("QEL_PRINT_PROCEDURE_NAME")) {
        if (std::FILE * trace = std::fopen(traceFileName, "a")) {
            std::fputs(modeName.AsCharPtr(), trace);
            std::fputc('\n', trace);
            std::fflush(trace);
            std::fclose(trace);
        }
    }
    prerequisite.Get().CheckPreReq(*strategy, primitive);
}

void modC_Procedure::Cancel()
{
    if (state == INACTIVE)
        return;
    if (clearHighlightsOnCancel)
        stepStack->CancelHighlights();
    if (currentStep)
        CancelHook(*currentStep);
    EndMode();
}

void modC_Procedure::Suspend()
{
    if (state != ACTIVE)
        return;
    state = SUSPENDED;
    SuspendOption();
    if (currentStep) {
        SuspendHook(*currentStep);
        currentStep->Suspend();
    }
}

void modC_Procedure::Resume()
{
    if (state == SUSPENDED) {
        if (currentStep) {
            ResumeHook(*currentStep);
            if (!currentPrompt.IsEmpty())
                modeContext->SetPrompt(currentPrompt.AsCharPtr());
            currentStep->Resume();
        }
        state = ACTIVE;
    }
    if (state == ACTIVE) {
        ApplyBackControl();
        // An error dialog hides every option, and an option's own dialog hides
        // that option: showing them again would let the user stack a second
        // dialog that the interrupted step never comes back from.
        if (!(errorStep && currentStep == errorStep))
            ShowOptions(OptionOfStep(currentStep));
    }
}

int modC_Procedure::CheckPrompt(char const * text)
{
    if (stepStack->Depth() == 0)
        return 0;
    return stepStack->Top()->prompt == text ? 1 : 0;
}

void modC_Procedure::EndMode()
{
    QEL_ASSERT(modeContext != 0);
    if (state == INACTIVE)
        return;
    state = INACTIVE;
    if (currentStep)
        currentStep->Cancel();
    SuspendOption();
    for (int j = 0; j < numOptions; ++j)
        EmptyOption(j);
    modeContext->ModeEnded();
}

int modC_Procedure::Bailout()
{
    return BailoutHook();
}

int modC_Procedure::BackupOK()
{
    return BackupOKHook();
}

// ---- hooks ----

void modC_Procedure::BackupHook(modC_Step const &) {}
void modC_Procedure::CancelHook(modC_Step const &) {}
void modC_Procedure::SuspendHook(modC_Step const &) {}
void modC_Procedure::ResumeHook(modC_Step const &) {}
void modC_Procedure::OptionDataHook(modC_Step const &) {}
void modC_Procedure::ValueChangedHook(modC_Step const &) {}
int modC_Procedure::BailoutHook()
{
    return 1;
}
int modC_Procedure::BackupOKHook()
{
    return 1;
}
void modC_Procedure::StepAbortHook(modC_Step const &) {}
void modC_Procedure::onError(modC_Step const &, bool) {}

// ---- executing steps ----

void modC_Procedure::ExecuteStep(modC_Step * step, bool stepFlag)
{
    ExecuteStep("", step, stepFlag);
}

void modC_Procedure::ExecuteStep(char const * promptName, modC_Step * step, bool stepFlag)
{
    QEL_ASSERT(state == ACTIVE);
    currentPrompt = step->getPrompt();
    currentStep = step;
    if (currentPrompt.IsEmpty() && promptName && *promptName) {
        QEL_ASSERT(modeName != "");
        currentPrompt = cow_String("*promptArea.") + modeName + "_" + promptName + ".labelString";
    }
    stepStack->Push(step, currentPrompt.AsCharPtr(), optionName, optionLabel, optionPrompt, optionActive,
                    optionEndsStep, stepFlag);
    if (!currentPrompt.IsEmpty())
        modeContext->SetPrompt(currentPrompt.AsCharPtr());
    ApplyBackControl();
    modeContext->SetStepFlag(stepFlag);
    StepStack::StepStackEntry * top = stepStack->Top();
    for (int j = 0; j < numOptions; ++j) {
        top->commands[j] = optionCommands[j];
        top->targets[j] = optionTargets[j];
    }
    step->Execute(modeContext->GetMethodFactory(), this);
}

void modC_Procedure::ApplyBackControl()
{
    if (!noBackup)
        modeContext->SetBackupAvailable(stepStack->Depth() >= 2 ? 1 : 0);
    else
        modeContext->SetBackupShown(0);
}

void modC_Procedure::CancelStep()
{
    if (currentStep)
        currentStep->Cancel();
    currentStep = stepStack->Pop();
    ApplyBackControl();
}

void modC_Procedure::Repeat()
{
    QEL_ASSERT(stepStack->Top() != nullptr);
    if (!currentPrompt.IsEmpty())
        modeContext->SetPrompt(currentPrompt.AsCharPtr());
    ApplyBackControl();
    currentStep = stepStack->Top()->step;
    currentStep->Execute(modeContext->GetMethodFactory(), this);
}

void modC_Procedure::PopStepStk()
{
    currentStep = stepStack->Pop();
}

void modC_Procedure::ClearStepStk()
{
    while (stepStack->Pop())
        ;
    currentStep = nullptr;
}

int modC_Procedure::StepStkDepth()
{
    return stepStack->Depth();
}

int modC_Procedure::CurrentSeq()
{
    return currentStep ? currentStep->Seq() : -1;
}

bool modC_Procedure::FirstStep(modC_Step const & step)
{
    return &step == stepStack->FirstStep();
}

// ---- reports from steps ----

int modC_Procedure::OptionOfStep(modC_Step const * step) const
{
    for (int j = 1; j < numOptions; ++j)
        if (optionStep[j] && optionStep[j] == step)
            return j;
    return 0;
}

void modC_Procedure::StepTerminated(modC_Step const & step)
{
    if (errorStep && &step == errorStep) {
        ErrorStepTerminated();
        return;
    }
    if (int j = OptionOfStep(&step)) {
        OptionStepTerminated(j);
        return;
    }
    StepTerminatedHook(step);
}

void modC_Procedure::StepValueChanged(modC_Step const & step)
{
    if (OptionOfStep(&step))
        OptionDataHook(step);
    else
        ValueChangedHook(step);
}

void modC_Procedure::StepAbort(modC_Step const & step)
{
    StepAbortHook(step);
}

// ---- backing up ----

void modC_Procedure::RestoreOptionsFromTop()
{
    StepStack::StepStackEntry const * top = stepStack->Top();
    optionName = top->names;
    optionLabel = top->labels;
    optionPrompt = top->prompts;
    optionEndsStep = top->endsStep;
    optionActive = top->kinds;
    for (int j = 0; j < numOptions; ++j) {
        optionCommands[j] = top->commands[j];
        optionTargets[j] = top->targets[j];
    }
}

void modC_Procedure::Backup()
{
    if (!currentStep)
        return;
    bool const fromOptionStep = OptionOfStep(currentStep) != 0;
    if (currentStep->Backup() == 0)
        return;
    SuspendOption();
    BackupHook(*currentStep);
    stepStack->Top()->step->Cancel();
    if (!stepStack->Pop()) {
        EndMode();
        return;
    }
    modeContext->StepChanging();
    StepStack::StepStackEntry const * top = stepStack->Top();
    currentPrompt = top->prompt;
    if (!currentPrompt.IsEmpty())
        modeContext->SetPrompt(currentPrompt.AsCharPtr());
    if (!noBackup) {
        modeContext->SetBackupAvailable(stepStack->Depth() >= 2 ? 1 : 0);
        modeContext->SetStepFlag(top->stepFlag);
    } else {
        modeContext->SetBackupShown(0);
    }
    RestoreOptionsFromTop();
    for (int j = 1; j < numOptions; ++j) {
        if (optionActive.ConstGet(j) == PLAIN) {
            QEL_ASSERT(optionName.ConstGet(j) != "");
            modeContext->SetOption(j, optionName.ConstGet(j).AsCharPtr(), optionLabel.ConstGet(j).AsCharPtr());
        } else if (optionActive.ConstGet(j) == CB) {
            QEL_ASSERT(optionLabel.ConstGet(j) != "");
            optionDialogData[j] = optionData[j];
            modeContext->SetOptionCallback(j, optionLabel.ConstGet(j).AsCharPtr(), &OptionDataCB, this);
        }
    }
    currentStep = top->step;
    if (fromOptionStep)
        currentStep->Resume();
    else
        currentStep->Execute(modeContext->GetMethodFactory(), this);
}

// ---- prompt options ----

bool modC_Procedure::ClaimOptionSlot(int _optNum, int kind, char const * name)
{
    QEL_ASSERT(_optNum > 0 && _optNum < numOptions);
    if (optionActive.ConstGet(_optNum) == kind) {
        if (optionName.ConstGet(_optNum) == name)
            return false;  // already shown
        QEL_ASSERT(0);
    }
    return true;
}

void modC_Procedure::ShowDataOption(int optNum, char const * name, char const * label, char const * prompt,
                                    int endsStep)
{
    optionActive.Get(optNum) = CB;
    optionEndsStep.Get(optNum) = endsStep;
    optionName.Get(optNum) = name;
    optionLabel.Get(optNum) = label;
    optionPrompt.Get(optNum) = prompt;
    modeContext->SetOptionCallback(optNum, label, &OptionDataCB, this);
}

void modC_Procedure::setPromptOption(int optNum, char const * name, char const * label)
{
    if (!ClaimOptionSlot(optNum, PLAIN, name))
        return;
    optionActive.Get(optNum) = PLAIN;
    optionName.Get(optNum) = name;
    optionLabel.Get(optNum) = label;
    modeContext->SetOption(optNum, name, label);
}

void modC_Procedure::setPromptOption(int optNum, char const * name, char const * label, char const * prompt,
                                     omu_PrimTuple & data, int endsStep)
{
    if (!ClaimOptionSlot(optNum, CB, name))
        return;
    optionData[optNum] = data;
    optionDialogData[optNum] = data;
    ShowDataOption(optNum, name, label, prompt, endsStep);
}

void modC_Procedure::setPromptOption(int optNum, char const * name, char const * label, char const * prompt,
                                     FXObjectList * commands, FXObjectList * targets, int endsStep)
{
    if (!ClaimOptionSlot(optNum, CB, name))
        return;
    optionCommands[optNum] = commands;
    optionTargets[optNum] = targets;
    ShowDataOption(optNum, name, label, prompt, endsStep);
}

void modC_Procedure::UnsetPromptOption(int _optNum)
{
    QEL_ASSERT(_optNum >= 0 && _optNum < numOptions);
    if (optionActive.ConstGet(_optNum) == PLAIN)
        modeContext->SetOption(_optNum, nullptr, nullptr);
    else if (optionActive.ConstGet(_optNum) == CB)
        modeContext->SetOptionCallback(_optNum, nullptr, nullptr, nullptr);
    EmptyOption(_optNum);
}

void modC_Procedure::SuspendOption()
{
    for (int j = 1; j < numOptions; ++j) {
        if (optionActive.ConstGet(j) == PLAIN)
            modeContext->SetOption(j, nullptr, nullptr);
        else if (optionActive.ConstGet(j) == CB)
            modeContext->SetOptionCallback(j, nullptr, nullptr, nullptr);
    }
}

void modC_Procedure::ResumeOption()
{
    ShowOptions(0);
}

void modC_Procedure::ShowOptions(int except)
{
    for (int j = 1; j < numOptions; ++j) {
        if (j == except)
            continue;
        if (optionActive.ConstGet(j) == PLAIN)
            modeContext->SetOption(j, optionName.ConstGet(j).AsCharPtr(), optionLabel.ConstGet(j).AsCharPtr());
        else if (optionActive.ConstGet(j) == CB)
            modeContext->SetOptionCallback(j, optionLabel.ConstGet(j).AsCharPtr(), &OptionDataCB, this);
    }
}

void modC_Procedure::OptionDataCB(void * clientData, void * callData)
{
    modC_Procedure * proc = static_cast<modC_Procedure *>(clientData);
    int const j = *static_cast<int const *>(callData);
    QEL_ASSERT(j > 0 && j < numOptions);
    QEL_ASSERT(proc->optionActive.ConstGet(j) == CB);
    if (proc->currentStep)
        proc->currentStep->Suspend();
    modC_DialogStep * dialog =
        new modC_DialogStep(proc->optionName.ConstGet(j).AsCharPtr(), proc->optionDialogData[j], 0);
    proc->optionStep[j] = dialog;
    proc->modeContext->SetOptionCallback(j, nullptr, nullptr, nullptr);
    dialog->setPrompt(proc->optionPrompt.ConstGet(j).AsCharPtr());
    dialog->setCommandsAndTargets(proc->optionCommands[j], proc->optionTargets[j]);
    proc->ExecuteStep(dialog, false);
}

void modC_Procedure::Option2DataCB(void * clientData, void *)
{
    modC_Procedure * proc = static_cast<modC_Procedure *>(clientData);
    if (proc->currentStep)
        proc->currentStep->Done(nullptr);
}

void modC_Procedure::OptionStepTerminated(int j)
{
    modC_DialogStep * dialog = static_cast<modC_DialogStep *>(optionStep[j]);
    OptionDataHook(*dialog);
    optionDialogData[j] = dialog->GetValues();
    dialog->Cancel();
    currentStep = stepStack->Pop();
    ApplyBackControl();
    if (!currentStep)
        return;
    StepStack::StepStackEntry const * top = stepStack->Top();
    currentPrompt = top->prompt;
    optionActive = top->kinds;
    QEL_ASSERT(optionActive.ConstGet(j) == CB);
    RestoreOptionsFromTop();
    if (optionEndsStep.ConstGet(j) == 0) {
        ResumeOption();
        if (!currentPrompt.IsEmpty())
            modeContext->SetPrompt(currentPrompt.AsCharPtr());
        modeContext->SetStepFlag(top->stepFlag);
        currentStep->Resume();
    } else {
        UnsetPromptOption(j);
        modeContext->StepChanging();
        currentStep->Cancel();
        StepTerminatedHook(*currentStep);
    }
}

// ---- error dialog ----

void modC_Procedure::showStepErrorDialog(char const * message, bool endTheMode, int backupAmount)
{
    backupAmount_ = backupAmount;
    endTheMode_ = endTheMode;
    QEL_ASSERT(endTheMode_ || backupAmount_ <= stepStack->Depth());
    errorSourceStep = currentStep;
    omu_PrimTuple values(1);
    values.Put(cow_String(message));
    errorStep = new modC_ErrorStep(this, "modG_ErrorForm", values, -1);
    ExecuteStep(errorStep, true);
    modeContext->StepChanging();
    SuspendOption();
}

void modC_Procedure::ErrorStepTerminated()
{
    errorStep = nullptr;
    if (endTheMode_) {
        if (errorSourceStep)
            onError(*errorSourceStep, true);
        EndMode();
        return;
    }
    if (errorSourceStep)
        onError(*errorSourceStep, false);
    for (int i = 1; i < backupAmount_; ++i) {
        BackupHook(*currentStep);
        stepStack->Top()->step->Cancel();
        stepStack->Pop();
    }
    ResumeOption();
    Backup();
}
