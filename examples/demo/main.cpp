// The demo program. Each front end is a subcommand:
//   qelmodc-demo [--out DIR]          plays the built-in extrusion session and
//                                     renders a sample text into DIR (out/)
//   qelmodc-demo console [--script FILE] [--resources FILE]
//                                     the terminal front end
//   qelmodc-demo text [...]           renders a text to PNG and SVG
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "Console.h"
#include "TextRender.h"

namespace {

void Usage(std::ostream & out)
{
    out << "usage: qelmodc-demo [--out DIR]     play the built-in extrusion session and render\n"
           "                                    a sample text into DIR/text.png and DIR/glyphs.svg\n"
           "       qelmodc-demo console [--script FILE] [--resources FILE]\n"
           "                                    run the console front end on a terminal,\n"
           "                                    or play FILE (or piped input) as a session\n"
           "       qelmodc-demo text [--font NAME] [--size POINTS] [--dpi DPI] [--png FILE] [--svg FILE] [TEXT]\n"
           "                                    render TEXT (UTF-8, Latin-1 characters) with the font\n"
           "                                    server (NAME: an X logical font description or Default)\n"
           "                                    into out/text.png and out/glyphs.svg, or the files named\n";
}

// The main job: the extrusion session, then the sample text.
int PlayDefault(std::string const & directory)
{
    int const status = PlayDefaultSession(std::cout);
    if (status != 0)
        return status;
    std::string error;
    if (!WriteSampleText(directory, error)) {
        std::cerr << "qelmodc-demo: " << error << "\n";
        return 1;
    }
    std::cout << "\nText rendered with the font server:\n"
              << "  " << directory << "/text.png    glyph bitmaps placed by their metrics\n"
              << "  " << directory << "/glyphs.svg  glyph outlines and their fill triangles\n";
    return 0;
}

}  // namespace

int main(int argc, char ** argv)
{
    std::vector<std::string> const arguments(argv + 1, argv + argc);
    if (arguments.empty())
        return PlayDefault("out");
    std::string const & command = arguments.front();
    if (command == "--out" && arguments.size() == 2)
        return PlayDefault(arguments[1]);
    std::vector<std::string> const rest(arguments.begin() + 1, arguments.end());
    if (command == "console")
        return RunConsoleCommand(rest, std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) != 0);
    if (command == "text")
        return RunTextCommand(rest, std::cout, std::cerr);
    if (command == "--help" || command == "-h" || command == "help") {
        Usage(std::cout);
        return 0;
    }
    std::cerr << "qelmodc-demo: unknown subcommand \"" << command << "\"\n";
    Usage(std::cerr);
    return 2;
}
