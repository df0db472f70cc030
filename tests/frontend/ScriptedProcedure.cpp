#include "ScriptedProcedure.h"

#include <algorithm>

#include "modC_DialogStep.h"

ScriptedProcedure::ScriptedProcedure(CallLog & log, char const * name, bool noBackup)
    : modC_Procedure(noBackup), log(log)
{
    modeName = name;
}

ScriptedProcedure::ScriptedProcedure(CallLog & log, char const * name, modC_ModePreReq const & preReq,
                                     bool noBackup)
    : modC_Procedure(preReq, noBackup), log(log)
{
    modeName = name;
}

ScriptedStep & ScriptedProcedure::NewStep(std::string const & name, int seq, char const * prompt)
{
    unexecuted.push_back(std::make_unique<ScriptedStep>(name, log, seq, prompt));
    return *unexecuted.back();
}

void ScriptedProcedure::Execute(modC_Step & step, bool stepFlag, char const * promptName)
{
    auto held = std::find_if(unexecuted.begin(), unexecuted.end(),
                             [&](std::unique_ptr<ScriptedStep> const & s) { return s.get() == &step; });
    if (held == unexecuted.end()) {
        ExecuteStep(promptName, &step, stepFlag);
        return;
    }
    std::unique_ptr<ScriptedStep> owned = std::move(*held);
    unexecuted.erase(held);
    int const depth = StepStkDepth();
    try {
        ExecuteStep(promptName, &step, stepFlag);
    } catch (...) {
        // A failed contract check before the push leaves the step with us.
        if (StepStkDepth() == depth)
            unexecuted.push_back(std::move(owned));
        else
            owned.release();
        throw;
    }
    owned.release();  // the step stack owns it now
}

std::string ScriptedProcedure::NameOf(modC_Step const & step)
{
    if (auto const * scripted = dynamic_cast<ScriptedStep const *>(&step))
        return scripted->Name();
    if (auto const * dialog = dynamic_cast<modC_DialogStep const *>(&step))
        return std::string("dialog:") + dialog->DialogName();
    return "step";
}

void ScriptedProcedure::Hook(char const * hook, modC_Step const & step)
{
    log.Add(std::string(hook) + "(" + NameOf(step) + ")");
}

void ScriptedProcedure::Start()
{
    log.Add("Start()");
    if (onStart)
        onStart();
}

void ScriptedProcedure::StepTerminatedHook(modC_Step const & step)
{
    Hook("StepTerminatedHook", step);
    if (onTerminated)
        onTerminated(step);
}

void ScriptedProcedure::BackupHook(modC_Step const & step)
{
    Hook("BackupHook", step);
}
void ScriptedProcedure::CancelHook(modC_Step const & step)
{
    Hook("CancelHook", step);
}
void ScriptedProcedure::SuspendHook(modC_Step const & step)
{
    Hook("SuspendHook", step);
}
void ScriptedProcedure::ResumeHook(modC_Step const & step)
{
    Hook("ResumeHook", step);
}
void ScriptedProcedure::OptionDataHook(modC_Step const & step)
{
    Hook("OptionDataHook", step);
}
void ScriptedProcedure::ValueChangedHook(modC_Step const & step)
{
    Hook("ValueChangedHook", step);
}
void ScriptedProcedure::StepAbortHook(modC_Step const & step)
{
    Hook("StepAbortHook", step);
}
void ScriptedProcedure::onError(modC_Step const & step, bool endTheMode)
{
    log.Add("onError(" + NameOf(step) + ", " + (endTheMode ? "true" : "false") + ")");
}
