#include "ConsoleStrategy.h"

#include "SampleText.h"

#include "modC_Mode.h"
#include "modC_ModePreReq.h"

ConsoleStrategy::ConsoleStrategy(ConsoleStage & stage, modC_MethodFactory const & factory)
    : stage(stage), factory(factory)
{
    // Pictured buttons draw black on white.
    bgColor = 0xFFFFFF;
    fgColor = 0x000000;
}

void ConsoleStrategy::ModeEnded()
{
    ended = true;
    stage.Touch();
}

void ConsoleStrategy::SetBackupAvailable(int flag)
{
    back = flag ? Back::Available : Back::NotAvailable;
    stage.Touch();
}

void ConsoleStrategy::SetBackupShown(int flag)
{
    back = flag ? Back::NotAvailable : Back::Never;
    stage.Touch();
}

void ConsoleStrategy::SetPrompt(char const * text)
{
    prompt = sample_text::Resolve(text);
    stage.Touch();
}

void ConsoleStrategy::SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData)
{
    if (callback)
        options[optNum] = Option{"", sample_text::Resolve(label), callback, clientData};
    else
        options.erase(optNum);
    stage.Touch();
}

void ConsoleStrategy::SetOption(int optNum, char const * name, char const * label)
{
    if (name || label)
        options[optNum] = Option{name ? name : "", sample_text::Resolve(label), nullptr, nullptr};
    else
        options.erase(optNum);
    stage.Touch();
}

void ConsoleStrategy::VerifyPreReq(modC_ModePreReq * preReq) const
{
    preReq->GetMode()->Start();
}

bool ConsoleStrategy::TakeEnded()
{
    bool const was = ended;
    ended = false;
    return was;
}

void ConsoleStrategy::Clear()
{
    prompt.clear();
    back = Back::NotAvailable;
    options.clear();
    ended = false;
    stage.Touch();
}
