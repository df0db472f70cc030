#include "DesktopWindow.h"

#include <fxkeys.h>

#include <sstream>

#include "SampleEmbedded.h"
#include "modC_Procedure.h"
#include "sesC_PickOptions.h"
#include "uti_ResourceManager.h"

namespace {

char const * const idlePrompt = "No mode is running: start one from the Mode menu or the tool bar.";

struct ShapeButton {
    char const * label;
    int shape;
};
ShapeButton const shapeButtons[] = {
    {"Rectangle", sesC_PickGC::RECTANGLE}, {"Circle", sesC_PickGC::CIRCLE}, {"Polygon", sesC_PickGC::POLYGON}};

Scene MakeScene(std::vector<Scene::Entity> entities)
{
    return entities.empty() ? Scene() : Scene(std::move(entities));
}

}  // namespace

std::vector<std::string> const & DesktopWindow::ModeNames()
{
    static std::vector<std::string> const names = {"Extrude", "Multi", "Blend", "Group"};
    return names;
}

DesktopWindow::DesktopWindow(FX::FXApp & app, DesktopOptions options)
    : app(app), deferred(std::make_unique<Deferred>(app)),
      fonts(std::make_unique<DesktopFonts>(static_cast<_XDisplay *>(app.getDisplay()), options.fonts)),
      scene(MakeScene(std::move(options.entities))),
      target([this](FX::FXObject * sender, FX::FXSelector selector, void * data) {
          return OnMessage(sender, selector, data);
      }),
      main(new FX::FXMainWindow(&app, "QELmodC desktop", nullptr, nullptr, FX::DECOR_ALL, 0, 0, options.width,
                                options.height))
{
    std::istringstream texts(sample_embedded::Resources());
    uti_ResourceManager::Instance().Load(texts);
    main->setTarget(&target);
    main->setSelector(ID_CLOSE);
    stage = std::make_unique<DesktopStage>(app, *deferred, *fonts);
    BuildMenus();
    BuildToolBar();
    bar = std::make_unique<PromptBar>(
        new FX::FXVerticalFrame(main, FX::LAYOUT_SIDE_BOTTOM | FX::LAYOUT_FILL_X, 0, 0, 0, 0, 0, 0, 0, 0), &target,
        fonts->Prompt());
    auto * frame = new FX::FXVerticalFrame(main, FX::FRAME_SUNKEN | FX::LAYOUT_FILL_X | FX::LAYOUT_FILL_Y, 0, 0, 0,
                                           0, 0, 0, 0, 0);
    viewport = std::make_unique<Viewport>(frame, *stage, scene);
    stage->Attach(main, bar->MethodArea(), bar->StatusLine(), viewport.get());
    stage->backOut = [this] { Backup(); };
    factory = std::make_unique<DesktopFactory>(*stage);
    strategy = std::make_unique<DesktopStrategy>(*bar, *viewport, *factory);
//! [mode-ended]
    strategy->onModeEnded = [this] {
        ended = true;
        // The mode may be deep in the call that ended it.
        this->app.addChore(&target, ID_ENDED);
    };
//! [mode-ended]
    modes = std::make_unique<SampleModeFactory>(scene, *stage);
    main->getAccelTable()->addAccel(MKUINT(KEY_Escape, 0), &target, FXSEL(FX::SEL_COMMAND, ID_CANCEL));
    bar->Prompt().SetText(idlePrompt);
}

DesktopWindow::~DesktopWindow()
{
    EndSession();
    app.removeChore(&target, ID_ENDED);
    target.Silence();
    // The widgets the mode left go before the window they sit in.
    deferred.reset();
    viewport.reset();
    bar.reset();
    for (FX::FXMenuPane * pane : menuPanes)
        delete pane;
    delete main;
}

void DesktopWindow::Show()
{
    main->create();
    main->show(FX::PLACEMENT_SCREEN);
}

void DesktopWindow::BuildMenus()
{
    auto * menus = new FX::FXMenuBar(main, FX::LAYOUT_SIDE_TOP | FX::LAYOUT_FILL_X);
    auto * file = new FX::FXMenuPane(main);
    auto * modeMenu = new FX::FXMenuPane(main);
    auto * view = new FX::FXMenuPane(main);
    menuPanes = {file, modeMenu, view};
    new FX::FXMenuCommand(file, "&Quit", nullptr, &target, ID_CLOSE);
    new FX::FXMenuTitle(menus, "&File", nullptr, file);
    for (std::size_t i = 0; i < ModeNames().size(); ++i)
        new FX::FXMenuCommand(modeMenu, FX::FXString(ModeNames()[i].c_str()), nullptr, &target,
                              ID_MODE + static_cast<FX::FXSelector>(i));
    new FX::FXMenuSeparator(modeMenu);
    new FX::FXMenuCommand(modeMenu, "&Cancel\tEsc", nullptr, &target, ID_CANCEL);
    new FX::FXMenuTitle(menus, "&Mode", nullptr, modeMenu);
    new FX::FXMenuCommand(view, "&Reset view", nullptr, &target, ID_RESET_VIEW);
    new FX::FXMenuTitle(menus, "&View", nullptr, view);
}

void DesktopWindow::BuildToolBar()
{
    toolBar = new FX::FXToolBar(main, FX::LAYOUT_SIDE_TOP | FX::LAYOUT_FILL_X | FX::FRAME_RAISED);
    FX::FXuint const style = FX::BUTTON_TOOLBAR | FX::FRAME_RAISED | FX::LAYOUT_CENTER_Y;
    for (std::size_t i = 0; i < ModeNames().size(); ++i)
        new FX::FXButton(toolBar, FX::FXString(ModeNames()[i].c_str()), nullptr, &target,
                         ID_MODE + static_cast<FX::FXSelector>(i), style);
    new FX::FXVerticalSeparator(toolBar);
    new FX::FXLabel(toolBar, "Region:", nullptr, FX::LAYOUT_CENTER_Y);
    for (ShapeButton const & shape : shapeButtons)
        new FX::FXToggleButton(toolBar, shape.label, shape.label, nullptr, nullptr, &target,
                               ID_SHAPE + static_cast<FX::FXSelector>(shape.shape),
                               FX::TOGGLEBUTTON_TOOLBAR | FX::FRAME_RAISED | FX::LAYOUT_CENTER_Y);
    new FX::FXVerticalSeparator(toolBar);
    new FX::FXButton(toolBar, "Reset view", nullptr, &target, ID_RESET_VIEW, style);
    new FX::FXButton(toolBar, "Cancel", nullptr, &target, ID_CANCEL, style);
}

//! [start-mode]
bool DesktopWindow::StartMode(std::string const & name)
{
    std::unique_ptr<modC_Mode> made(modes->MakeProcedure(cow_String(name.c_str())));
    if (!made)
        return false;
    if (mode) {
        mode->Cancel();
        FinishMode();
    }
    mode = std::move(made);
    procedure = dynamic_cast<modC_Procedure *>(mode.get());
    ended = false;
    stage->Note("");
    mode->Install(modeContext ? modeContext : strategy.get(), nullptr);
    return true;
}
//! [start-mode]

void DesktopWindow::FinishMode()
{
    app.removeChore(&target, ID_ENDED);
    ended = false;
    mode.reset();
    procedure = nullptr;
    strategy->Clear();
    scene.ClearHighlights();
    bar->Prompt().SetText(idlePrompt);
    viewport->Redraw();
}

void DesktopWindow::EndSession()
{
    if (mode && !ended)
        mode->Cancel();
    if (mode)
        FinishMode();
}

void DesktopWindow::Backup()
{
    // A dialog given up backs out of its step even where the back button is
    // off: out of the first step, that ends the mode.
    if (procedure)
        procedure->Backup();
}

//! [use-option]
void DesktopWindow::UseOption(int optNum)
{
    auto const found = strategy->Options().find(optNum);
    if (found == strategy->Options().end() || !mode)
        return;
    // Using the option changes the options shown: work on a copy.
    DesktopStrategy::Option const option = found->second;
    if (option.callback) {
        int callData = optNum;
        option.callback(option.clientData, &callData);
    } else if (auto * user = dynamic_cast<PlainOptionUser *>(mode.get())) {
        user->UsePlainOption(option.name);
    }
    viewport->Redraw();
}
//! [use-option]

long DesktopWindow::OnMessage(FX::FXObject * sender, FX::FXSelector selector, void *)
{
    FX::FXuint const type = FXSELTYPE(selector);
    FX::FXuint const id = FXSELID(selector);
    if (type == FX::SEL_CHORE && id == ID_ENDED) {
        if (ended)
            FinishMode();
        return 1;
    }
    if (type == FX::SEL_UPDATE && id > ID_SHAPE && id <= ID_SHAPE + sesC_PickGC::POLYGON) {
        bool const chosen = sesC_PickOptions::Instance().GetPickGC().GetShape() == static_cast<int>(id - ID_SHAPE);
        sender->handle(main, FXSEL(FX::SEL_COMMAND, chosen ? FX::FXWindow::ID_CHECK : FX::FXWindow::ID_UNCHECK),
                       nullptr);
        return 1;
    }
    if (type == FX::SEL_CLOSE || (type == FX::SEL_COMMAND && id == ID_CLOSE)) {
        EndSession();
        if (onClosed)
            onClosed();
        return 1;
    }
    if (type != FX::SEL_COMMAND)
        return 0;
    if (id >= ID_MODE && id < ID_MODE + ModeNames().size()) {
        StartMode(ModeNames()[id - ID_MODE]);
    } else if (id > ID_SHAPE && id <= ID_SHAPE + sesC_PickGC::POLYGON) {
        sesC_PickOptions::Instance().GetPickGC().SetShape(static_cast<int>(id - ID_SHAPE));
    } else if (id == PromptBar::ID_BACK) {
        if (strategy->BackAvailable())
            Backup();
    } else if (id > PromptBar::ID_OPTION && id <= PromptBar::ID_OPTION + 3) {
        UseOption(static_cast<int>(id - PromptBar::ID_OPTION));
    } else if (id == ID_CANCEL) {
        if (mode && !ended)
            mode->Cancel();
    } else if (id == ID_RESET_VIEW) {
        viewport->GetCamera().Reset();
        viewport->Redraw();
    } else {
        return 0;
    }
    return 1;
}
