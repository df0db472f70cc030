// A mode that collects its input as a sequence of steps. Concrete procedures
// derive from it, execute their steps and decide in StepTerminatedHook what
// follows each one.
#ifndef MODC_PROCEDURE_H
#define MODC_PROCEDURE_H

#include <memory>

#include "cow_1DArray.h"
#include "cow_String.h"
#include "modC_Fox.h"
#include "modC_Mode.h"
#include "modC_StepReceiver.h"
#include "omu_PrimTuple.h"

class StepStack;
class modC_Step;
class modC_Strategy;

class modC_Procedure : public modC_Mode, public modC_StepReceiver {
public:
    enum State { INACTIVE = 0, ACTIVE = 1, SUSPENDED = 2 };
    // Kinds of a prompt option slot.
    enum OptionKind { NONE = 0, PLAIN = 1, CB = 2 };
    enum { numOptions = 4 };

    ~modC_Procedure() override;

    void Install(modC_Strategy * strategy, omu_Primitive const * primitive) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    int CheckPrompt(char const * prompt) override;

    virtual void BackupHook(modC_Step const & step);
    virtual void CancelHook(modC_Step const & step);
    virtual void SuspendHook(modC_Step const & step);
    virtual void ResumeHook(modC_Step const & step);
    virtual void OptionDataHook(modC_Step const & step);
    virtual void ValueChangedHook(modC_Step const & step);
    virtual int BailoutHook();
    virtual int BackupOKHook();
    // What follows `step`: execute another step, or end the mode.
    virtual void StepTerminatedHook(modC_Step const & step) = 0;
    virtual void StepAbortHook(modC_Step const & step);
    // The user acknowledged the error dialog requested during `step`.
    virtual void onError(modC_Step const & step, bool endTheMode);

    void StepTerminated(modC_Step const & step) override;
    void StepValueChanged(modC_Step const & step) override;
    void StepAbort(modC_Step const & step) override;
    void SuspendOption() override;
    void ResumeOption() override;
    void EndMode() override;
    bool FirstStep(modC_Step const & step) override;

    int Bailout();
    int BackupOK();
    // Backs up one step; backing out of the first step ends the mode.
    void Backup();

    void setPromptOption(int optNum, char const * name, char const * label);
    void setPromptOption(int optNum, char const * name, char const * label, char const * prompt,
                         omu_PrimTuple & data, int endsStep);
    void setPromptOption(int optNum, char const * name, char const * label, char const * prompt,
                         FXObjectList * commands, FXObjectList * targets, int endsStep);
    void UnsetPromptOption(int optNum);

    // The callback of every data option: `clientData` is the procedure,
    // `callData` points to the option number.
    static void OptionDataCB(void * clientData, void * callData);
    // Finishes the current step as if its input method had finished.
    static void Option2DataCB(void * clientData, void * callData);

    int GetState() const { return state; }
    modC_Strategy * ModeContext() const { return modeContext; }
    modC_Step * CurrentStep() const { return currentStep; }
    char const * CurrentPrompt() const { return currentPrompt.AsCharPtr(); }

protected:
    explicit modC_Procedure(bool noBackup);
    modC_Procedure(modC_ModePreReq const & preReq, bool noBackup);

    void ExecuteStep(modC_Step * step, bool stepFlag);
    // `promptName` builds the prompt resource key of a step without prompt.
    void ExecuteStep(char const * promptName, modC_Step * step, bool stepFlag);
    void CancelStep();
    void Repeat();
    void PopStepStk();
    void ClearStepStk();
    int StepStkDepth();
    int CurrentSeq();
    void showStepErrorDialog(char const * message, bool endTheMode, int backupAmount);

    modC_Strategy * modeContext;
    bool noBackup;
    std::unique_ptr<StepStack> stepStack;
    modC_Step * currentStep;
    bool clearHighlightsOnCancel;
    cow_String currentPrompt;

    cow_1DArray<cow_String> optionName;
    cow_1DArray<cow_String> optionLabel;
    cow_1DArray<cow_String> optionPrompt;
    cow_1DArray<int> optionActive;
    cow_1DArray<int> optionEndsStep;
    modC_Step * optionStep[numOptions];
    omu_PrimTuple optionData[numOptions];
    omu_PrimTuple optionDialogData[numOptions];
    FXObjectList * optionCommands[numOptions];
    FXObjectList * optionTargets[numOptions];

    int state;
    modC_Step * errorStep;
    int backupAmount_;
    bool endTheMode_;
    modC_Step * errorSourceStep;

private:
    void InitOptions();
    // False when `optNum` already shows the option `name` of this kind.
    bool ClaimOptionSlot(int _optNum, int kind, char const * name);
    void ShowDataOption(int optNum, char const * name, char const * label, char const * prompt, int endsStep);
    void EmptyOption(int optNum);
    void ApplyBackControl();
    // Shows every option that is set, except option `except` (0: none).
    void ShowOptions(int except);
    // 1, 2 or 3 when `step` is the dialog step of that data option, else 0.
    int OptionOfStep(modC_Step const * step) const;
    void RestoreOptionsFromTop();
    void OptionStepTerminated(int optNum);
    void ErrorStepTerminated();
};

#endif
