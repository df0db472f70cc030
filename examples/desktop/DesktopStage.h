// What the desktop's widgets, its factory, its mode context and the sample
// modes share: the application, the places in the window where widgets go,
// the status line, the viewport, the fonts, the widgets alive, and the
// deferred deletion that keeps a callback from destroying its own widget.
#ifndef DESKTOPSTAGE_H
#define DESKTOPSTAGE_H

#include <fx.h>

#include <functional>
#include <string>
#include <vector>

#include "Deferred.h"
#include "DesktopFonts.h"
#include "SampleStage.h"

class DesktopWidget;
class Viewport;

class DesktopStage : public SampleStage {
public:
    DesktopStage(FX::FXApp & app, Deferred & deferred, DesktopFonts & fonts);
    DesktopStage(DesktopStage const &) = delete;
    DesktopStage & operator=(DesktopStage const &) = delete;

    // The window's places, once it has built them.
    void Attach(FX::FXWindow * owner, FX::FXComposite * methodArea, FX::FXLabel * statusLine, Viewport * viewport);

    // A message in the status line.
    void Note(std::string const & text) override;
    // A message in the status line about input that cannot be used.
    void Problem(std::string const & text);
    std::string const & StatusText() const { return status; }
    // The camera's view.
    Scene::View PickView() const override;

    FX::FXApp & App() const { return app; }
    Deferred & Later() const { return deferred; }
    DesktopFonts & Fonts() const { return fonts; }
    // Dialogs are owned by the main window.
    FX::FXWindow * Owner() const { return owner; }
    // Where the widgets of the prompt area go.
    FX::FXComposite * MethodArea() const { return methodArea; }
    Viewport * View() const { return viewport; }

    // The user gave up a dialog; the window backs the mode up one step.
    std::function<void()> backOut;
    void BackOut() const;

    // Something shown changed: the viewport draws again.
    void Changed() const;

    // Widgets register while they exist, so the viewport can tell whether a
    // pick method's button row is open.
    void Arrive(DesktopWidget * widget) { live.push_back(widget); }
    void Leave(DesktopWidget * widget);
    std::vector<DesktopWidget *> const & Live() const { return live; }
    // Ever-increasing, so the tracker shown last takes the pointer.
    long NextShowOrder() { return ++showOrder; }

private:
    void Show(std::string const & text, FX::FXColor colour);

    FX::FXApp & app;
    Deferred & deferred;
    DesktopFonts & fonts;
    FX::FXWindow * owner = nullptr;
    FX::FXComposite * methodArea = nullptr;
    FX::FXLabel * statusLine = nullptr;
    Viewport * viewport = nullptr;
    std::string status;
    std::vector<DesktopWidget *> live;
    long showOrder = 0;
};

#endif
