#include "ScriptedStep.h"

#include <stdexcept>

#include "modC_StepReceiver.h"

ScriptedStep::ScriptedStep(std::string name, CallLog & log, int seq, char const * prompt)
    : modC_Step(seq), name(std::move(name)), log(log)
{
    if (prompt)
        setPrompt(prompt);
}

ScriptedStep::~ScriptedStep()
{
    log.Add(name + ".~");
}

void ScriptedStep::Execute(modC_MethodFactory const *, modC_StepReceiver * receiver_)
{
    receiver = receiver_;
    ++executions;
    running = true;
    log.Add(name + ".Execute");
}

void ScriptedStep::Cancel()
{
    running = false;
    log.Add(name + ".Cancel");
}

void ScriptedStep::Suspend()
{
    log.Add(name + ".Suspend");
}

void ScriptedStep::Resume()
{
    log.Add(name + ".Resume");
}

void ScriptedStep::Done(modC_Method *)
{
    log.Add(name + ".Done");
    Terminate();
}

int ScriptedStep::Backup()
{
    log.Add(name + ".Backup");
    return refuseBackup ? 0 : 1;
}

void ScriptedStep::ClearHighlights() const
{
    log.Add(name + ".ClearHighlights");
}

void ScriptedStep::Terminate()
{
    if (!receiver)
        throw std::logic_error(name + " terminated before it was executed");
    running = false;
    receiver->StepTerminated(*this);
}

void ScriptedStep::ChangeValue(int newValue)
{
    value = newValue;
    receiver->StepValueChanged(*this);
}

void ScriptedStep::Abort()
{
    receiver->StepAbort(*this);
}
