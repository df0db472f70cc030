#include "Console.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "SampleText.h"
#include "ConsoleWidgets.h"
#include "modC_Module.h"
#include "SampleEmbedded.h"
#include "modC_Procedure.h"
#include "uti_ResourceManager.h"

using namespace sample_text;

namespace {

// What the user types to start each mode, and the mode's name.
struct ModeWord {
    char const * word;
    char const * mode;
};
ModeWord const modeWords[] = {{"extrude", "Extrude"}, {"multi", "Multi"}, {"fillet", "Blend"}};

char const * const startHint = "type extrude, multi or fillet to start a mode, or help for the commands.";

}  // namespace

Console::LibraryUse::LibraryUse()
{
    modC_initialize(modules);
}

Console::LibraryUse::~LibraryUse()
{
    modC_finalize(modules);
}

Console::Console(std::istream & in, std::ostream & out, Settings settings)
    : in(in), out(out), settings(settings), stage(out), factory(stage), strategy(stage, factory),
      modes(scene, stage)
{
    std::istringstream texts(sample_embedded::Resources());
    LoadResources(texts);
}

Console::~Console() = default;

int Console::LoadResources(std::istream & resources)
{
    return uti_ResourceManager::Instance().Load(resources);
}

int Console::Run()
{
    out << "QELmodC console. Modes: extrude, multi, fillet. Type help for the commands.\n";
    std::string line;
    while (!quit) {
        if (stage.TakeChanged())
            Draw();
        if (settings.promptForInput)
            out << "> " << std::flush;
        if (!std::getline(in, line)) {
            out << (settings.promptForInput ? "\n" : "") << "(end of input)\n";
            Stop("End of input");
            break;
        }
        if (settings.echo)
            out << "> " << line << "\n";
        Handle(Trim(line));
        if (strategy.TakeEnded())
            Finish();
    }
    out << "Bye.\n" << std::flush;
    return 0;
}

// ---- what the screen shows ----

std::vector<ConsoleWidget *> Console::Tagged() const
{
    std::vector<ConsoleWidget *> tagged;
    for (ConsoleWidget * widget : stage.Live())
        if (widget->IsShown() && widget->TakesLines())
            tagged.push_back(widget);
    return tagged;
}

ConsoleWidget * Console::Focus() const
{
    ConsoleWidget * focus = nullptr;
    for (ConsoleWidget * widget : Tagged())
        if (!widget->IsViewport() && (!focus || widget->ShowOrder() > focus->ShowOrder()))
            focus = widget;
    return focus;
}

ConsoleWidget * Console::Viewport() const
{
    ConsoleWidget * viewport = nullptr;
    for (ConsoleWidget * widget : Tagged())
        if (widget->IsViewport() && (!viewport || widget->ShowOrder() > viewport->ShowOrder()))
            viewport = widget;
    return viewport;
}

bool Console::ErrorShown() const
{
    for (ConsoleWidget * widget : Tagged())
        if (widget->IsModal())
            return true;
    return false;
}

void Console::Draw()
{
    if (!mode) {
        out << "== No mode is running: " << startHint << "\n";
        return;
    }
    std::string const & prompt = strategy.Prompt();
    out << "== " << mode->ModeName().Std() << ": " << (prompt.empty() ? "(no prompt)" : prompt)
        << (suspended ? " (suspended: type resume)" : "") << "\n";
    if (suspended)
        return;
    static char const * const backText[] = {"back: not available", "back: available", "back: never"};
    // The console holds every command back while the error dialog waits.
    out << "   "
        << (ErrorShown() ? "back: once the error is acknowledged" : backText[static_cast<int>(strategy.GetBack())]);
    std::string options;
    for (auto const & option : strategy.Options())
        options += (options.empty() ? "" : ", ") + std::to_string(option.first) + " " + option.second.label;
    if (!options.empty())
        out << "; options: " << options << " (type option N)";
    out << "\n";
    std::vector<ConsoleWidget *> const tagged = Tagged();
    ConsoleWidget const * focus = Focus();
    int keyboardWidgets = 0;
    for (ConsoleWidget const * widget : tagged)
        keyboardWidgets += widget->IsViewport() ? 0 : 1;
    int index = 0;
    for (ConsoleWidget const * widget : stage.Live()) {
        if (!widget->IsShown())
            continue;
        std::string const text = widget->Describe();
        if (!widget->TakesLines()) {
            if (!text.empty())
                out << "      " << text << "\n";
            continue;
        }
        out << "   " << (index < 26 ? static_cast<char>('a' + index) : '?') << ") " << text;
        if (widget == focus && keyboardWidgets > 1)
            out << "   <- typing goes here";
        out << "\n";
        ++index;
    }
}

// ---- what the user typed ----

void Console::Handle(std::string const & line)
{
    if (!line.empty() && line[0] == '#')
        return;  // a comment in a session file
    std::vector<std::string> const words = Words(line);
    std::string const command = words.empty() ? "" : Lower(words[0]);
    bool const alone = words.size() == 1;
    if ((command == "help" || command == "?") && alone) {
        Help();
    } else if ((command == "quit" || command == "exit") && alone) {
        Stop("Quit");
        quit = true;
    } else if (command == "scene" && alone) {
        ShowScene();
    } else if (!mode) {
        if (line.empty())
            stage.Problem(std::string("Nothing typed; ") + startHint);
        else if (alone)
            Start(command);
        else
            stage.Problem("Unknown command " + Quoted(line) + "; " + startHint);
    } else if (!ModeCommand(command, words)) {
        if (suspended) {
            stage.Problem("The mode is suspended; type resume to go on.");
        } else if (command == "click" || command == "drag" || command == "move") {
            ConsoleWidget * viewport = Viewport();
            if (viewport)
                viewport->Input(line);
            else
                stage.Problem("Nothing is picked in the viewport at this step.");
        } else if (line.size() >= 2 && std::islower(static_cast<unsigned char>(line[0])) && line[1] == ':') {
            std::vector<ConsoleWidget *> const tagged = Tagged();
            std::size_t const index = static_cast<std::size_t>(line[0] - 'a');
            if (index < tagged.size())
                tagged[index]->Input(Trim(line.substr(2)));
            else if (tagged.empty())
                stage.Problem(std::string("There is no ") + line[0] + ") now; nothing takes input at this step.");
            else
                stage.Problem(std::string("There is no ") + line[0] + ") now; the widgets are tagged a) to " +
                              static_cast<char>('a' + tagged.size() - 1) + ").");
        } else if (ConsoleWidget * focus = Focus()) {
            focus->Input(line);
        } else if (line.empty()) {
            stage.Problem(std::string("Nothing typed; ") +
                          (Viewport() ? "click or drag in the viewport." : "this step takes nothing typed."));
        } else {
            stage.Problem("Unknown command " + Quoted(line) + "; " +
                          (Viewport() ? "pick with click X Y or drag X0 Y0 X1 Y1, " : "") +
                          "type help for the commands.");
        }
    }
}

bool Console::ModeCommand(std::string const & command, std::vector<std::string> const & words)
{
    bool const alone = words.size() == 1;
    if (command == "cancel" && alone) {
        mode->Cancel();
    } else if (command == "back" && alone) {
        Backup();
    } else if (command == "suspend" && alone) {
        if (suspended) {
            stage.Problem("The mode is already suspended; type resume to go on.");
        } else {
            mode->Suspend();
            suspended = true;
            stage.Touch();
        }
    } else if (command == "resume" && alone) {
        if (!suspended) {
            stage.Problem("The mode is not suspended.");
        } else {
            suspended = false;
            mode->Resume();
            stage.Touch();
        }
    } else if (command == "option" || command == "opt") {
        UseOption(words);
    } else {
        return false;
    }
    return true;
}

void Console::Start(std::string const & word)
{
    for (ModeWord const & known : modeWords) {
        if (word != known.word)
            continue;
        mode.reset(modes.MakeProcedure(known.mode));
        procedure = dynamic_cast<modC_Procedure *>(mode.get());
        strategy.Clear();
        suspended = false;
        mode->Install(&strategy, nullptr);
        return;
    }
    stage.Problem("Unknown command " + Quoted(word) + "; " + startHint);
}

void Console::Backup()
{
    if (suspended)
        stage.Problem("The mode is suspended; type resume first.");
    else if (ErrorShown())
        stage.Problem("Acknowledge the error first: press Enter.");
    else if (!procedure || strategy.GetBack() == ConsoleStrategy::Back::Never)
        stage.Problem("This mode never backs up; type cancel to leave it.");
    else if (strategy.GetBack() == ConsoleStrategy::Back::NotAvailable)
        stage.Problem("There is no earlier step to back up to; type cancel to leave the mode.");
    else
        procedure->Backup();
}

void Console::UseOption(std::vector<std::string> const & words)
{
    std::string shown;
    for (auto const & option : strategy.Options())
        shown += (shown.empty() ? "" : " or ") + std::to_string(option.first);
    std::string const which = shown.empty() ? "no option is shown now." : "type option " + shown + ".";
    long long number = 0;
    if (suspended) {
        stage.Problem("The mode is suspended; type resume first.");
        return;
    }
    if (ErrorShown()) {
        stage.Problem("Acknowledge the error first: press Enter.");
        return;
    }
    if (words.size() != 2 || !ParseInteger(words[1], number)) {
        stage.Problem("Type option N to use prompt option N; " + which);
        return;
    }
    auto const found = strategy.Options().find(static_cast<int>(number));
    if (number < 0 || number > 3 || found == strategy.Options().end()) {
        stage.Problem("Option " + words[1] + " is not shown; " + which);
        return;
    }
    // Using the option changes the options shown: work on a copy.
    ConsoleStrategy::Option const option = found->second;
    if (option.callback) {
        int callData = static_cast<int>(number);
        option.callback(option.clientData, &callData);
    } else if (auto * user = dynamic_cast<PlainOptionUser *>(mode.get())) {
        user->UsePlainOption(option.name);
    } else {
        stage.Note("The mode takes no action on " + option.label + ".");
    }
}

// ---- the end of a mode and of the session ----

void Console::Finish()
{
    std::string const name = mode->ModeName().Std();
    mode.reset();
    procedure = nullptr;
    suspended = false;
    strategy.Clear();
    out << "== " << name << " ended.\n";
}

void Console::Stop(char const * why)
{
    if (!mode)
        return;
    stage.Note(std::string(why) + ": cancelling " + mode->ModeName().Std() + ".");
    mode->Cancel();
    strategy.TakeEnded();
    Finish();
}

void Console::Help()
{
    out << "   Commands:\n"
           "     extrude, multi, fillet    start a mode (when none is running)\n"
           "     back                      back up one step\n"
           "     cancel                    leave the mode\n"
           "     suspend, resume           put the mode aside and take it up again\n"
           "     option N                  use prompt option N\n"
           "     scene                     list what there is to pick\n"
           "     help, quit\n"
           "   Anything else goes to the widget marked \"typing goes here\" (or the only one);\n"
           "   \"b: text\" goes to widget b). Entries take their value and Enter; buttons and\n"
           "   lists a number or a label; toggles and filters numbers to flip, ok when done;\n"
           "   dialogs name=value, ok to close; quote a text that looks like a command (\"back\").\n"
           "   Viewport: click X Y | drag X0 Y0 X1 Y1 [rectangle|circle|polygon] | move X Y,\n"
           "   with shift, ctrl or right (button 3) added after the numbers.\n";
}

void Console::ShowScene()
{
    // What can be picked from above, by the box it covers on the plan.
    Scene::View const plan = Scene::TopView();
    for (Scene::Entity const & e : scene.Entities()) {
        if (!scene.Visible(e, plan) || e.corners.empty())
            continue;
        g3d_Point low = plan.Project(e.corners.front());
        g3d_Point high = low;
        for (Vec3 const & corner : e.corners) {
            g3d_Point const p = plan.Project(corner);
            low = g3d_Point(std::min(low.x, p.x), std::min(low.y, p.y));
            high = g3d_Point(std::max(high.x, p.x), std::max(high.y, p.y));
        }
        stage.Note(std::string(KindName(e.kind)) + " " + e.name + ": (" + Number(low.x) + ", " + Number(low.y) +
                   ") to (" + Number(high.x) + ", " + Number(high.y) + ")");
    }
    for (std::string const & feature : scene.Features())
        stage.Note("feature " + feature);
}

// ---- the demo program's entry points ----

int RunConsoleCommand(std::vector<std::string> const & arguments, std::istream & in, std::ostream & out,
                      std::ostream & err, bool inputIsTerminal)
{
    std::string script;
    std::string resources;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string const & argument = arguments[i];
        if ((argument == "--script" || argument == "--resources") && i + 1 < arguments.size()) {
            (argument == "--script" ? script : resources) = arguments[++i];
        } else {
            err << "qelmodc-demo console: unexpected argument " << Quoted(argument) << "\n"
                << "usage: qelmodc-demo console [--script FILE] [--resources FILE]\n";
            return 2;
        }
    }
    std::ifstream scriptFile;
    if (!script.empty()) {
        scriptFile.open(script);
        if (!scriptFile) {
            err << "qelmodc-demo console: cannot read " << script << "\n";
            return 2;
        }
    }
    std::ifstream resourceFile;
    if (!resources.empty()) {
        resourceFile.open(resources);
        if (!resourceFile) {
            err << "qelmodc-demo console: cannot read " << resources << "\n";
            return 2;
        }
    }
    bool const interactive = script.empty() && inputIsTerminal;
    Console console(script.empty() ? in : scriptFile, out, Console::Settings{!interactive, interactive});
    if (resourceFile.is_open())
        console.LoadResources(resourceFile);
    return console.Run();
}

int PlayDefaultSession(std::ostream & out)
{
    std::istringstream session(sample_embedded::ExtrudeSession());
    Console console(session, out, Console::Settings{});
    return console.Run();
}
