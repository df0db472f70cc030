#include "ScriptedStrategy.h"

#include <stdexcept>

#include "modC_Mode.h"
#include "modC_ModePreReq.h"
#include "modC_Procedure.h"

std::string Quote(char const * text)
{
    return text ? "\"" + std::string(text) + "\"" : "null";
}

ScriptedStrategy::ScriptedStrategy(CallLog & log, modC_MethodFactory const * factory)
    : log(log), factory(factory)
{
}

void ScriptedStrategy::ModeEnded()
{
    ++modeEnded;
    log.Add("ModeEnded()");
}

modC_MethodFactory const * ScriptedStrategy::GetMethodFactory()
{
    return factory;
}

void ScriptedStrategy::SetBackupAvailable(int flag)
{
    log.Add("SetBackupAvailable(" + std::to_string(flag) + ")");
}

void ScriptedStrategy::SetStepFlag(bool flag)
{
    log.Add(std::string("SetStepFlag(") + (flag ? "true" : "false") + ")");
}

void ScriptedStrategy::SetBackupShown(int flag)
{
    log.Add("SetBackupShown(" + std::to_string(flag) + ")");
}

void ScriptedStrategy::SetPrompt(char const * text)
{
    prompt = text ? text : "";
    log.Add("SetPrompt(" + Quote(text) + ")");
}

void ScriptedStrategy::StepChanging()
{
    log.Add("StepChanging()");
}

void ScriptedStrategy::SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData)
{
    std::string name = "null";
    if (callback == &modC_Procedure::OptionDataCB)
        name = "OptionDataCB";
    else if (callback == &modC_Procedure::Option2DataCB)
        name = "Option2DataCB";
    else if (callback)
        name = "callback";
    log.Add("SetOptionCallback(" + std::to_string(optNum) + ", " + Quote(label) + ", " + name + ")");
    if (callback)
        options[optNum] = ShownOption{label ? label : "", callback, clientData};
    else
        options.erase(optNum);
}

void ScriptedStrategy::SetOption(int optNum, char const * name, char const * label)
{
    log.Add("SetOption(" + std::to_string(optNum) + ", " + Quote(name) + ", " + Quote(label) + ")");
    if (name || label)
        options[optNum] = ShownOption{label ? label : "", nullptr, nullptr};
    else
        options.erase(optNum);
}

void ScriptedStrategy::VerifyPreReq(modC_ModePreReq * preReq) const
{
    lastPreReq = preReq;
    log.Add("VerifyPreReq(type " + std::to_string(preReq->GetType().GetType()) + ", " +
            (preReq->GetFlag() ? "true" : "false") + ")");
    if (startOnVerify)
        preReq->GetMode()->Start();
}

void ScriptedStrategy::SetColors(unsigned long background, unsigned long foreground)
{
    bgColor = background;
    fgColor = foreground;
}

void ScriptedStrategy::UseOption(int optNum)
{
    auto shown = options.find(optNum);
    if (shown == options.end() || !shown->second.callback)
        throw std::logic_error("no data option " + std::to_string(optNum) + " is shown");
    int callData = optNum;
    ShownOption const option = shown->second;
    option.callback(option.clientData, &callData);
}

bool ScriptedStrategy::OptionShown(int optNum) const
{
    return options.count(optNum) != 0;
}
