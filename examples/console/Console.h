// A terminal front end of the library. It reads one line at a time: commands
// (help, back, cancel, suspend, resume, option N, scene, quit, and the mode
// names at the top level), pointer events for the viewport (click, drag,
// move), and values for the widgets the running step shows. Before each line
// it draws what changed: the mode, the prompt, whether backing up is
// possible, the prompt options and one line per widget, each widget tagged
// a), b), ... so that "b: 25" reaches a widget that does not have the
// keyboard.
#ifndef CONSOLE_H
#define CONSOLE_H

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ConsoleFactory.h"
#include "ConsoleStage.h"
#include "ConsoleStrategy.h"
#include "SampleModes.h"
#include "Scene.h"

class ConsoleWidget;
class modC_Mode;
class modC_Procedure;

class Console {
public:
    struct Settings {
        bool echo = true;             // repeat each line read, as a transcript does
        bool promptForInput = false;  // print "> " before reading, for a person at a terminal
    };

    Console(std::istream & in, std::ostream & out, Settings settings);
    ~Console();
    Console(Console const &) = delete;
    Console & operator=(Console const &) = delete;

    // Adds texts from "name: text" lines to the built-in ones; returns how
    // many were read.
    int LoadResources(std::istream & resources);
    // Plays the session until quit or the end of the input; returns the exit
    // status.
    int Run();

private:
    // Keeps the library initialised while the console exists.
    struct LibraryUse {
        LibraryUse();
        ~LibraryUse();
        int modules = 0;
    };

    void Draw();
    void Handle(std::string const & line);
    bool ModeCommand(std::string const & command, std::vector<std::string> const & words);
    void Start(std::string const & word);
    void Backup();
    void UseOption(std::vector<std::string> const & words);
    void Finish();
    void Stop(char const * why);
    void Help();
    void ShowScene();

    // The shown widgets that take lines, in the order of their tags.
    std::vector<ConsoleWidget *> Tagged() const;
    // The widget typed lines go to: the one shown last that is not the viewport.
    ConsoleWidget * Focus() const;
    ConsoleWidget * Viewport() const;
    bool ErrorShown() const;

    LibraryUse library;
    std::istream & in;
    std::ostream & out;
    Settings settings;
    ConsoleStage stage;
    Scene scene;
    ConsoleFactory factory;
    ConsoleStrategy strategy;
    SampleModeFactory modes;
    // Declared last: destroying the mode removes its widgets from the stage.
    std::unique_ptr<modC_Mode> mode;
    modC_Procedure * procedure = nullptr;
    bool suspended = false;
    bool quit = false;
};

// `qelmodc-demo console [--script FILE] [--resources FILE]`: plays FILE, or
// standard input; a terminal gets an interactive session, anything else a
// transcript. Returns the exit status: 0, or 2 for bad arguments.
int RunConsoleCommand(std::vector<std::string> const & arguments, std::istream & in, std::ostream & out,
                      std::ostream & err, bool inputIsTerminal);

// Plays the built-in extrusion session, printing its transcript.
int PlayDefaultSession(std::ostream & out);

#endif
