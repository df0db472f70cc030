// The prompt area below the viewport: the back button, the prompt, the step
// flag, the three prompt option buttons, the row where the step's widgets
// go, and the status line.
#ifndef PROMPTBAR_H
#define PROMPTBAR_H

#include <fx.h>

#include <array>
#include <memory>

#include "GlyphLabel.h"

class PromptBar {
public:
    // Buttons send SEL_COMMAND with ID_BACK, or ID_OPTION + n for option n.
    enum { ID_BACK = 10, ID_OPTION = 20 };

    PromptBar(FX::FXComposite * parent, FX::FXObject * target, unsigned promptFont);

    GlyphLabel & Prompt() { return *prompt; }
    FX::FXButton * Back() const { return back; }
    FX::FXLabel * StepFlag() const { return stepFlag; }
    // Option n, 1 to 3.
    FX::FXButton * Option(int n) const { return options[static_cast<std::size_t>(n - 1)]; }
    FX::FXComposite * MethodArea() const { return methodArea; }
    FX::FXLabel * StatusLine() const { return statusLine; }

private:
    FX::FXButton * back;
    std::unique_ptr<GlyphLabel> prompt;
    FX::FXLabel * stepFlag;
    std::array<FX::FXButton *, 3> options;
    FX::FXComposite * methodArea;
    FX::FXLabel * statusLine;
};

#endif
