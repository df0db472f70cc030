#include "DesktopStrategy.h"

#include "SampleText.h"
#include "Viewport.h"
#include "modC_Mode.h"
#include "modC_ModePreReq.h"

namespace {

// The X pixel of a FOX colour on a true-colour display.
unsigned long Pixel(FX::FXColor colour)
{
    return (static_cast<unsigned long>(FXREDVAL(colour)) << 16) | (static_cast<unsigned long>(FXGREENVAL(colour)) << 8) |
           FXBLUEVAL(colour);
}

}  // namespace

DesktopStrategy::DesktopStrategy(PromptBar & bar, Viewport & viewport, modC_MethodFactory const & factory)
    : bar(bar), viewport(viewport), factory(factory)
{
    // Pictured buttons: transparent pixels take the buttons' colour.
    bgColor = Pixel(bar.Back()->getBackColor());
    fgColor = Pixel(FXRGB(0, 0, 0));
}

void DesktopStrategy::ModeEnded()
{
    if (onModeEnded)
        onModeEnded();
}

void DesktopStrategy::SetBackupAvailable(int flag)
{
    backAvailable = flag != 0;
    bar.Back()->show();
    if (backAvailable)
        bar.Back()->enable();
    else
        bar.Back()->disable();
}

void DesktopStrategy::SetBackupShown(int flag)
{
    backAvailable = false;
    bar.Back()->disable();
    if (flag)
        bar.Back()->show();
    else
        bar.Back()->hide();
    bar.Back()->getParent()->recalc();
}

void DesktopStrategy::SetStepFlag(bool flag)
{
    bar.StepFlag()->setText(flag ? "[step flag]" : "");
}

//! [prompt]
void DesktopStrategy::SetPrompt(char const * text)
{
    std::string const shown = sample_text::Resolve(text);
    bar.Prompt().SetText(shown);
    viewport.SetEcho(shown);
}
//! [prompt]

void DesktopStrategy::ShowOption(int optNum)
{
    if (optNum < 1 || optNum > 3)
        return;
    FX::FXButton * button = bar.Option(optNum);
    auto const shown = options.find(optNum);
    if (shown == options.end()) {
        button->hide();
    } else {
        button->setText(FX::FXString(shown->second.label.c_str()));
        button->show();
    }
    button->getParent()->recalc();
}

//! [option]
void DesktopStrategy::SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData)
{
    if (callback)
        options[optNum] = Option{"", sample_text::Resolve(label), callback, clientData};
    else
        options.erase(optNum);
    ShowOption(optNum);
}
//! [option]

void DesktopStrategy::SetOption(int optNum, char const * name, char const * label)
{
    if (name || label)
        options[optNum] = Option{name ? name : "", sample_text::Resolve(label), nullptr, nullptr};
    else
        options.erase(optNum);
    ShowOption(optNum);
}

void DesktopStrategy::VerifyPreReq(modC_ModePreReq * preReq) const
{
    preReq->GetMode()->Start();
}

void DesktopStrategy::Clear()
{
    options.clear();
    for (int n = 1; n <= 3; ++n)
        ShowOption(n);
    SetBackupAvailable(0);
    SetStepFlag(false);
    bar.Prompt().SetText("");
    viewport.SetEcho("");
}
