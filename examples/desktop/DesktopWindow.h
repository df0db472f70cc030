// The desktop front end's main window: a menu and a tool bar that start the
// sample modes and choose the shape of area picks, the viewport, and the
// prompt bar; Esc cancels the running mode; closing the window ends the
// session: the running mode is cancelled and destroyed, and with it every
// step it executed.
#ifndef DESKTOPWINDOW_H
#define DESKTOPWINDOW_H

#include <fx.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Deferred.h"
#include "DesktopFactory.h"
#include "DesktopFonts.h"
#include "DesktopStage.h"
#include "DesktopStrategy.h"
#include "FoxTarget.h"
#include "PromptBar.h"
#include "SampleModes.h"
#include "Scene.h"
#include "Viewport.h"

class modC_Mode;
class modC_Procedure;

struct DesktopOptions {
    FontNames fonts;
    // The model; empty for the sample part.
    std::vector<Scene::Entity> entities;
    int width = 1000;
    int height = 720;
};

class DesktopWindow {
public:
    // The modes of the menu and the tool bar, by the names the mode factory knows.
    static std::vector<std::string> const & ModeNames();

    // `app` has been initialised (its display is open); the library too.
    DesktopWindow(FX::FXApp & app, DesktopOptions options);
    ~DesktopWindow();
    DesktopWindow(DesktopWindow const &) = delete;
    DesktopWindow & operator=(DesktopWindow const &) = delete;

    // Creates the window on the display and shows it.
    void Show();

    // As the menu does; a running mode is cancelled first. False for a name
    // the mode factory does not know.
    bool StartMode(std::string const & name);
    // As closing the window does.
    void EndSession();
    // Called after the user closed the window and the session ended.
    std::function<void()> onClosed;

    // The mode context the modes are installed with from now on: a wrapper
    // of Strategy(), or null for Strategy() itself.
    void UseModeContext(modC_Strategy * context) { modeContext = context; }

    modC_Mode * Mode() const { return mode.get(); }
    FX::FXMainWindow * Main() const { return main; }
    FX::FXToolBar * ToolBar() const { return toolBar; }
    Viewport & GetViewport() const { return *viewport; }
    PromptBar & Bar() const { return *bar; }
    DesktopStage & Stage() const { return *stage; }
    DesktopStrategy & Strategy() const { return *strategy; }
    DesktopFonts & Fonts() const { return *fonts; }
    Scene & GetScene() { return scene; }

private:
    enum {
        ID_CLOSE = 1,
        ID_ENDED,
        ID_CANCEL,
        ID_RESET_VIEW,
        ID_MODE = 100,
        ID_SHAPE = 200,
    };

    long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data);
    void BuildMenus();
    void BuildToolBar();
    void Backup();
    void UseOption(int optNum);
    // Destroys the mode that ended.
    void FinishMode();

    FX::FXApp & app;
    std::unique_ptr<Deferred> deferred;
    std::unique_ptr<DesktopFonts> fonts;
    Scene scene;
    FoxTarget target;
    FX::FXMainWindow * main;
    FX::FXToolBar * toolBar = nullptr;
    // Shells of their own, deleted before the window whose keys they use.
    std::vector<FX::FXMenuPane *> menuPanes;
    std::unique_ptr<DesktopStage> stage;
    std::unique_ptr<PromptBar> bar;
    std::unique_ptr<Viewport> viewport;
    std::unique_ptr<DesktopFactory> factory;
    std::unique_ptr<DesktopStrategy> strategy;
    std::unique_ptr<SampleModeFactory> modes;
    modC_Strategy * modeContext = nullptr;
    // Declared last: destroying the mode hands its widgets to `deferred`.
    std::unique_ptr<modC_Mode> mode;
    modC_Procedure * procedure = nullptr;
    bool ended = false;
};

#endif
