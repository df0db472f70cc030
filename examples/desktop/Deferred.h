// Deletes widgets and message targets once no callback runs any more.
//
// A widget's callback may end its own input method: the step that owns the
// method deletes it, and with it the implementation that owns the widget.
// Deleting the widget there would pull it from under the code that called
// the callback; so the implementation hides it and hands it here, and it is
// deleted from the event loop, between events.
#ifndef DEFERRED_H
#define DEFERRED_H

#include <fx.h>

#include <memory>
#include <vector>

#include "FoxTarget.h"

class Deferred {
public:
    explicit Deferred(FX::FXApp & app);
    // Deletes what is still pending.
    ~Deferred();
    Deferred(Deferred const &) = delete;
    Deferred & operator=(Deferred const &) = delete;

    // Hides `window` at once and deletes it later, with its children.
    void Delete(FX::FXWindow * window);
    // Silences `target` at once and deletes it later.
    void Delete(std::unique_ptr<FoxTarget> target);
    // Deletes `object` (an icon a widget shows) after the windows.
    void Delete(std::unique_ptr<FX::FXObject> object);
    bool Pending() const { return !windows.empty() || !objects.empty(); }

private:
    enum { ID_FLUSH = 1 };
    void Schedule();
    void Flush();

    FX::FXApp & app;
    FoxTarget target;
    bool scheduled = false;
    std::vector<FX::FXWindow *> windows;
    std::vector<std::unique_ptr<FX::FXObject>> objects;
};

#endif
