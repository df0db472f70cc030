// Plays a console session in the desktop window: each line becomes what a
// user does with the mouse and the keyboard (a mode name presses its tool
// bar button, "click X Y" clicks the viewport where the ground point X, Y
// is, "option N" presses prompt option N, "name=value" fills in a dialog
// field, "ok", "yes", "no" and "back" press those buttons, "" presses
// Return, "cancel" Esc, anything else is typed into the entry with Return),
// and after each line a screenshot of the window can be written.
#ifndef SESSIONPLAYER_H
#define SESSIONPLAYER_H

#include <ostream>
#include <string>
#include <vector>

#include "DesktopDriver.h"

class DesktopWindow;

class SessionPlayer {
public:
    SessionPlayer(DesktopWindow & window, DesktopDriver & driver) : window(window), driver(driver) {}

    // The action that plays `line`; false in `known` for a line it does not take.
    DesktopDriver::Action Line(std::string const & line, bool & known);
    // Plays `session` (lines separated by line ends); with `directory` set,
    // writes "NN-what.png" there after each line. Reports on `out`; false
    // when a line could not be played or a screenshot written.
    bool Play(std::string const & session, std::string const & directory, std::ostream & out);

private:
    void Field(std::string const & name, std::string const & value);

    DesktopWindow & window;
    DesktopDriver & driver;
};

#endif
