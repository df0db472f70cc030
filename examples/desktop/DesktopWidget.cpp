#include "DesktopWidget.h"

DesktopWidget::DesktopWidget(DesktopStage & stage)
    : stage(stage), target(std::make_unique<FoxTarget>([this](FX::FXObject * sender, FX::FXSelector selector,
                                                              void * data) { return OnMessage(sender, selector, data); }))
{
    stage.Arrive(this);
}

DesktopWidget::~DesktopWidget()
{
    stage.Leave(this);
    // The target may be running the callback that destroys this widget.
    stage.Later().Delete(std::move(target));
}

bool DesktopWidget::IsRowOf(modC_Method const *) const
{
    return false;
}

void DesktopWidget::SetState(State next)
{
    state = next;
    if (next == State::Shown)
        showOrder = stage.NextShowOrder();
}

long DesktopWidget::OnMessage(FX::FXObject *, FX::FXSelector, void *)
{
    return 0;
}

PanelWidget::~PanelWidget()
{
    stage.Later().Delete(frame);
}

void PanelWidget::Show()
{
    if (!frame) {
        frame = new FX::FXHorizontalFrame(stage.MethodArea(), FX::LAYOUT_CENTER_Y | FX::FRAME_NONE, 0, 0, 0, 0, 4, 4,
                                          0, 0, 6, 0);
        Build(frame);
        frame->create();
    }
    frame->show();
    stage.MethodArea()->recalc();
    SetState(State::Shown);
    Shown();
}

void PanelWidget::Hide()
{
    if (frame) {
        frame->hide();
        stage.MethodArea()->recalc();
    }
    SetState(State::Hidden);
}

void PanelWidget::Remove()
{
    stage.Later().Delete(frame);
    frame = nullptr;
    SetState(State::Removed);
}
