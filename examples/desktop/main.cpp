// qelmodc-desktop: the desktop front end.
//   qelmodc-desktop [--font NAME]       opens the window on $DISPLAY
//   qelmodc-desktop --play DIR [...]    plays the extrusion session in the
//                                       window and writes a PNG screenshot
//                                       of every step into DIR
#include <fx.h>

#include <iostream>
#include <string>
#include <vector>

#include "DesktopDriver.h"
#include "DesktopWindow.h"
#include "SampleEmbedded.h"
#include "SessionPlayer.h"
#include "modC_Module.h"

namespace {

void Usage(std::ostream & out)
{
    out << "usage: qelmodc-desktop [--font NAME] [--play DIR]\n"
           "  --font NAME  the font of the prompt and the labels, an X logical font description\n"
           "               such as -*-liberation serif-bold-r-normal-*-*-120-*-*-p-*-*-*\n"
           "  --play DIR   play the extrusion session and write a screenshot of every step to DIR\n";
}

// Keeps the library initialised while the program runs.
struct LibraryUse {
    LibraryUse() { modC_initialize(modules); }
    ~LibraryUse() { modC_finalize(modules); }
    int modules = 0;
};

}  // namespace

int main(int argc, char ** argv)
{
    std::vector<std::string> const arguments(argv + 1, argv + argc);
    DesktopOptions options;
    std::string shots;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--font" && i + 1 < arguments.size()) {
            options.fonts.prompt = options.fonts.labels = arguments[++i];
        } else if (arguments[i] == "--play" && i + 1 < arguments.size()) {
            shots = arguments[++i];
        } else if (arguments[i] == "--help" || arguments[i] == "-h") {
            Usage(std::cout);
            return 0;
        } else {
            std::cerr << "qelmodc-desktop: unexpected argument \"" << arguments[i] << "\"\n";
            Usage(std::cerr);
            return 2;
        }
    }
    FX::FXApp app("qelmodc-desktop", "QELmodC");
    int fxArgc = 1;
    app.init(fxArgc, argv, true);
    if (!app.getDisplay()) {
        std::cerr << "qelmodc-desktop: cannot open the display; set DISPLAY\n";
        return 1;
    }
    LibraryUse library;
    int status = 0;
    {
        DesktopWindow window(app, options);
        window.onClosed = [&app] { app.stop(0); };
        app.create();
        window.Show();
        if (shots.empty()) {
            app.run();
        } else {
            DesktopDriver driver(app);
            if (!driver.Available()) {
                std::cerr << "qelmodc-desktop: the display has no XTest extension to play the session with\n";
                return 1;
            }
            SessionPlayer player(window, driver);
            status = player.Play(sample_embedded::ExtrudeSession(), shots, std::cout) ? 0 : 1;
            window.EndSession();
        }
    }
    return status;
}
