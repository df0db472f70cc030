#include "DesktopDriver.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// Quiet looks after an action before the next one, a few milliseconds
// apart: the event loop repaints, runs its chores and updates the widgets
// between them.
int const settledAfter = 3;
FX::FXuint const lookAgainMs = 5;

}  // namespace

DesktopDriver::DesktopDriver(FX::FXApp & app)
    : app(app), display(static_cast<_XDisplay *>(app.getDisplay())),
      target([this](FX::FXObject *, FX::FXSelector selector, void *) { return OnMessage(selector); })
{
    int event = 0, error = 0, major = 0, minor = 0;
    available = display && XTestQueryExtension(display, &event, &error, &major, &minor);
}

DesktopDriver::~DesktopDriver()
{
    app.removeTimeout(&target, ID_NEXT);
    app.removeTimeout(&target, ID_GIVE_UP);
    app.removeChore(&target, ID_WAKE);
}

bool DesktopDriver::Play(std::vector<Action> actions, double seconds)
{
    queue = std::move(actions);
    next = 0;
    quiet = 0;
    finished = 0;
    timedOut = false;
    app.addTimeout(&target, ID_NEXT, lookAgainMs);
    app.addTimeout(&target, ID_GIVE_UP, static_cast<FX::FXuint>(seconds * 1000));
    app.runUntil(finished);
    app.removeTimeout(&target, ID_GIVE_UP);
    app.removeTimeout(&target, ID_NEXT);
    app.removeChore(&target, ID_WAKE);
    queue.clear();
    return !timedOut;
}

long DesktopDriver::OnMessage(FX::FXSelector selector)
{
    if (FXSELID(selector) == ID_WAKE)
        return 1;
    if (FXSELID(selector) == ID_GIVE_UP) {
        timedOut = true;
        finished = 1;
        app.addChore(&target, ID_WAKE);
        // Out of any modal loop, so that Play can return.
        app.stopModal();
        return 1;
    }
    XSync(display, False);
    if (XPending(display) || ++quiet < settledAfter) {
        if (XPending(display))
            quiet = 0;
        app.addTimeout(&target, ID_NEXT, lookAgainMs);
        return 1;
    }
    if (next >= queue.size()) {
        finished = 1;
        // The loop waits for timers without returning; a chore makes it look
        // at the condition again.
        app.addChore(&target, ID_WAKE);
        return 1;
    }
    quiet = 0;
    Action const action = queue[next++];
    action();
    Flush();
    app.addTimeout(&target, ID_NEXT, lookAgainMs);
    return 1;
}

void DesktopDriver::Flush()
{
    XSync(display, False);
}

void DesktopDriver::PointerTo(FX::FXWindow * window, int x, int y)
{
    FX::FXint rootX = 0, rootY = 0;
    window->translateCoordinatesTo(rootX, rootY, app.getRootWindow(), x, y);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
}

void DesktopDriver::Click(FX::FXWindow * window, int x, int y, int button, bool shift)
{
    KeyCode const shiftKey = XKeysymToKeycode(display, XK_Shift_L);
    PointerTo(window, x, y);
    if (shift)
        XTestFakeKeyEvent(display, shiftKey, True, CurrentTime);
    XTestFakeButtonEvent(display, static_cast<unsigned>(button), True, CurrentTime);
    XTestFakeButtonEvent(display, static_cast<unsigned>(button), False, CurrentTime);
    if (shift)
        XTestFakeKeyEvent(display, shiftKey, False, CurrentTime);
    Flush();
}

void DesktopDriver::Press(FX::FXWindow * window)
{
    if (window)
        Click(window, window->getWidth() / 2, window->getHeight() / 2);
}

void DesktopDriver::Drag(FX::FXWindow * window, int x0, int y0, int x1, int y1, int button)
{
    PointerTo(window, x0, y0);
    XTestFakeButtonEvent(display, static_cast<unsigned>(button), True, CurrentTime);
    int const steps = 8;
    for (int i = 1; i <= steps; ++i)
        PointerTo(window, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    XTestFakeButtonEvent(display, static_cast<unsigned>(button), False, CurrentTime);
    Flush();
}

void DesktopDriver::Move(FX::FXWindow * window, int x, int y)
{
    PointerTo(window, x, y);
    Flush();
}

void DesktopDriver::Wheel(FX::FXWindow * window, int x, int y, bool up)
{
    PointerTo(window, x, y);
    unsigned const button = up ? 4 : 5;
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    Flush();
}

void DesktopDriver::FocusActive()
{
    // What a window manager does: the keyboard goes to the dialog shown, or
    // else to the main window.
    FX::FXWindow * active = Dialog();
    for (FX::FXWindow * top = app.getRootWindow()->getFirst(); !active && top; top = top->getNext())
        if (dynamic_cast<FX::FXMainWindow *>(top) && top->shown())
            active = top;
    if (active && active->id())
        XSetInputFocus(display, active->id(), RevertToParent, CurrentTime);
}

void DesktopDriver::Key(unsigned long keysym)
{
    KeyCode const code = XKeysymToKeycode(display, keysym);
    if (!code)
        return;
    FocusActive();
    // Upper case and most punctuation sit on the shifted level.
    bool const shifted = XkbKeycodeToKeysym(display, code, 0, 0) != keysym;
    KeyCode const shiftKey = XKeysymToKeycode(display, XK_Shift_L);
    if (shifted)
        XTestFakeKeyEvent(display, shiftKey, True, CurrentTime);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (shifted)
        XTestFakeKeyEvent(display, shiftKey, False, CurrentTime);
    Flush();
}

void DesktopDriver::Type(std::string const & text)
{
    for (char c : text) {
        if (c == '\n')
            Key(XK_Return);
        else if (c >= 0x20 && c < 0x7f)
            Key(static_cast<unsigned long>(c));
    }
}

void DesktopDriver::CloseByWindowManager(FX::FXWindow * topWindow)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = topWindow->id();
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, topWindow->id(), False, NoEventMask, &event);
    Flush();
}

bool DesktopDriver::Visible(FX::FXWindow * window)
{
    for (FX::FXWindow * w = window; w && w->getParent(); w = w->getParent())
        if (!w->shown() || !w->id())
            return false;
    return window != nullptr;
}

std::vector<FX::FXWindow *> DesktopDriver::VisibleWindows() const
{
    std::vector<FX::FXWindow *> found;
    std::vector<FX::FXWindow *> pending;
    for (FX::FXWindow * top = app.getRootWindow()->getFirst(); top; top = top->getNext())
        pending.push_back(top);
    while (!pending.empty()) {
        FX::FXWindow * w = pending.back();
        pending.pop_back();
        if (!w->shown() || !w->id())
            continue;
        found.push_back(w);
        for (FX::FXWindow * child = w->getLast(); child; child = child->getPrev())
            pending.push_back(child);
    }
    return found;
}

FX::FXLabel * DesktopDriver::Button(std::string const & text, FX::FXWindow * within) const
{
    FX::FXLabel * found = nullptr;
    for (FX::FXWindow * w : VisibleWindows()) {
        bool const pressable = dynamic_cast<FX::FXButton *>(w) || dynamic_cast<FX::FXToggleButton *>(w) ||
                               dynamic_cast<FX::FXRadioButton *>(w) || dynamic_cast<FX::FXCheckButton *>(w);
        auto * label = pressable ? static_cast<FX::FXLabel *>(w) : nullptr;
        if (label && w->isEnabled() && std::string(label->getText().text()) == text &&
            (!within || w->isChildOf(within)))
            found = label;
    }
    return found;
}

FX::FXDialogBox * DesktopDriver::Dialog() const
{
    for (FX::FXWindow * top = app.getRootWindow()->getFirst(); top; top = top->getNext())
        if (auto * box = dynamic_cast<FX::FXDialogBox *>(top); box && box->shown())
            return box;
    return nullptr;
}

Screenshot DesktopDriver::Shoot(FX::FXWindow * window) const
{
    return Screenshot::Take(display, window->id());
}
