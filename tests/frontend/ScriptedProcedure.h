// A concrete procedure for tests: logs every hook, lets the test decide what
// follows a terminated step, and opens the protected operations to the test.
#ifndef SCRIPTEDPROCEDURE_H
#define SCRIPTEDPROCEDURE_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CallLog.h"
#include "ScriptedStep.h"
#include "modC_Procedure.h"

class ScriptedProcedure : public modC_Procedure {
public:
    ScriptedProcedure(CallLog & log, char const * name, bool noBackup = false);
    ScriptedProcedure(CallLog & log, char const * name, modC_ModePreReq const & preReq, bool noBackup = false);

    // A new step, held by the procedure until its first execution hands it to
    // the step stack; steps never executed are destroyed with the procedure.
    ScriptedStep & NewStep(std::string const & name, int seq = 0, char const * prompt = nullptr);
    // ExecuteStep for a step made by NewStep or for any step the stack may own.
    void Execute(modC_Step & step, bool stepFlag = false, char const * promptName = "");

    void Start() override;
    void StepTerminatedHook(modC_Step const & step) override;
    void BackupHook(modC_Step const & step) override;
    void CancelHook(modC_Step const & step) override;
    void SuspendHook(modC_Step const & step) override;
    void ResumeHook(modC_Step const & step) override;
    void OptionDataHook(modC_Step const & step) override;
    void ValueChangedHook(modC_Step const & step) override;
    void StepAbortHook(modC_Step const & step) override;
    void onError(modC_Step const & step, bool endTheMode) override;

    // What StepTerminatedHook does after logging; nothing by default.
    std::function<void(modC_Step const &)> onTerminated;
    std::function<void()> onStart;

    using modC_Procedure::CancelStep;
    using modC_Procedure::ClearStepStk;
    using modC_Procedure::CurrentSeq;
    using modC_Procedure::PopStepStk;
    using modC_Procedure::Repeat;
    using modC_Procedure::showStepErrorDialog;
    using modC_Procedure::StepStkDepth;

    modC_Step * OptionStep(int optNum) const { return optionStep[optNum]; }
    omu_PrimTuple const & OptionDialogData(int optNum) const { return optionDialogData[optNum]; }
    int OptionKind(int optNum) const { return optionActive.ConstGet(optNum); }
    modC_Step * ErrorStep() const { return errorStep; }
    void SetClearHighlightsOnCancel(bool clear) { clearHighlightsOnCancel = clear; }

    // The name a transcript uses for `step`.
    static std::string NameOf(modC_Step const & step);

private:
    void Hook(char const * hook, modC_Step const & step);

    CallLog & log;
    std::vector<std::unique_ptr<ScriptedStep>> unexecuted;
};

#endif
