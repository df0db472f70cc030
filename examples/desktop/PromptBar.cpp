#include "PromptBar.h"

PromptBar::PromptBar(FX::FXComposite * parent, FX::FXObject * target, unsigned promptFont)
{
    auto * area = new FX::FXVerticalFrame(parent, FX::LAYOUT_FILL_X | FX::FRAME_RAISED, 0, 0, 0, 0, 4, 4, 4, 4, 0, 2);
    auto * line = new FX::FXHorizontalFrame(area, FX::LAYOUT_FILL_X, 0, 0, 0, 0, 0, 0, 0, 0);
    back = new FX::FXButton(line, "< Back", nullptr, target, ID_BACK, FX::BUTTON_NORMAL | FX::LAYOUT_CENTER_Y);
    back->disable();
    prompt = std::make_unique<GlyphLabel>(line, promptFont);
    stepFlag = new FX::FXLabel(line, "", nullptr, FX::LAYOUT_CENTER_Y);
    // Packed from the right: option 3 first, so that they read 1, 2, 3.
    for (int n = 3; n >= 1; --n) {
        options[static_cast<std::size_t>(n - 1)] = new FX::FXButton(
            line, "", nullptr, target, ID_OPTION + n, FX::BUTTON_NORMAL | FX::LAYOUT_CENTER_Y | FX::LAYOUT_RIGHT);
        options[static_cast<std::size_t>(n - 1)]->hide();
    }
    methodArea = new FX::FXHorizontalFrame(area, FX::LAYOUT_FILL_X | FX::LAYOUT_FIX_HEIGHT, 0, 0, 0, 40, 0, 0, 2, 2);
    // As tall with a message as without, so that the viewport keeps its size.
    statusLine = new FX::FXLabel(area, "", nullptr, FX::LAYOUT_FILL_X | FX::LAYOUT_FIX_HEIGHT | FX::JUSTIFY_LEFT |
                                 FX::FRAME_SUNKEN, 0, 0, 0, 22);
}
