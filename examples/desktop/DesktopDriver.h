// Drives the desktop as a user would: synthetic pointer and key events go
// to the X server (the XTest extension) and come back as real events to the
// window, and the widgets are found in FOX's public widget tree by what they
// show. Actions run from the event loop, one after the other, each once the
// window has handled all that the one before caused; so an action can also
// answer a modal dialog, whose loop runs inside a callback.
#ifndef DESKTOPDRIVER_H
#define DESKTOPDRIVER_H

#include <fx.h>

#include <functional>
#include <string>
#include <vector>

#include "FoxTarget.h"
#include "Screenshot.h"

class DesktopDriver {
public:
    using Action = std::function<void()>;

    explicit DesktopDriver(FX::FXApp & app);
    ~DesktopDriver();
    DesktopDriver(DesktopDriver const &) = delete;
    DesktopDriver & operator=(DesktopDriver const &) = delete;

    // True when the XTest extension is there.
    bool Available() const { return available; }
    // Runs `actions` in order; false when they had not all run and settled
    // after `seconds`.
    bool Play(std::vector<Action> actions, double seconds = 60);
    // Lets the window handle everything pending, then returns.
    bool Settle() { return Play({}); }

    // Pointer and keys; positions relative to `window`. Pressing no window
    // (a button that was not found) does nothing.
    void Click(FX::FXWindow * window, int x, int y, int button = 1, bool shift = false);
    void Press(FX::FXWindow * window);
    void Drag(FX::FXWindow * window, int x0, int y0, int x1, int y1, int button = 1);
    void Move(FX::FXWindow * window, int x, int y);
    void Wheel(FX::FXWindow * window, int x, int y, bool up);
    // Printable ASCII and "\n" for Return.
    void Type(std::string const & text);
    void Key(unsigned long keysym);
    // What a window manager sends when its close button is pressed.
    void CloseByWindowManager(FX::FXWindow * topWindow);

    // Shown with all its parents.
    static bool Visible(FX::FXWindow * window);
    // Every visible window under the root, depth first.
    std::vector<FX::FXWindow *> VisibleWindows() const;
    // The visible, enabled button, toggle, radio or check button showing
    // `text` (inside `within` when given; the last one found), or null.
    FX::FXLabel * Button(std::string const & text, FX::FXWindow * within = nullptr) const;
    // The visible dialog box, or null.
    FX::FXDialogBox * Dialog() const;

    Screenshot Shoot(FX::FXWindow * window) const;

private:
    enum { ID_NEXT = 1, ID_GIVE_UP, ID_WAKE };
    long OnMessage(FX::FXSelector selector);
    void PointerTo(FX::FXWindow * window, int x, int y);
    void FocusActive();
    void Flush();

    FX::FXApp & app;
    _XDisplay * display;
    bool available = false;
    FoxTarget target;
    std::vector<Action> queue;
    std::size_t next = 0;
    int quiet = 0;  // idle passes seen since the last action
    FX::FXuint finished = 0;
    bool timedOut = false;
};

#endif
