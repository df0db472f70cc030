#include "DesktopStage.h"

#include <algorithm>

#include "Viewport.h"

DesktopStage::DesktopStage(FX::FXApp & app, Deferred & deferred, DesktopFonts & fonts)
    : app(app), deferred(deferred), fonts(fonts)
{
}

void DesktopStage::Attach(FX::FXWindow * ownerWindow, FX::FXComposite * area, FX::FXLabel * line, Viewport * view)
{
    owner = ownerWindow;
    methodArea = area;
    statusLine = line;
    viewport = view;
}

void DesktopStage::Note(std::string const & text)
{
    Show(text, FXRGB(0, 0, 0));
}

void DesktopStage::Problem(std::string const & text)
{
    Show(text, FXRGB(176, 0, 0));
}

void DesktopStage::Show(std::string const & text, FX::FXColor colour)
{
    status = text;
    if (statusLine) {
        statusLine->setTextColor(colour);
        statusLine->setText(FX::FXString(text.c_str()));
    }
}

Scene::View DesktopStage::PickView() const
{
    return viewport ? viewport->GetCamera().View() : Scene::TopView();
}

void DesktopStage::BackOut() const
{
    if (backOut)
        backOut();
}

void DesktopStage::Changed() const
{
    if (viewport)
        viewport->Redraw();
}

void DesktopStage::Leave(DesktopWidget * widget)
{
    live.erase(std::remove(live.begin(), live.end(), widget), live.end());
}
