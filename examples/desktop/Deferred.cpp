#include "Deferred.h"

Deferred::Deferred(FX::FXApp & app)
    : app(app), target([this](FX::FXObject *, FX::FXSelector, void *) {
          scheduled = false;
          Flush();
          return 1L;
      })
{
}

Deferred::~Deferred()
{
    app.removeChore(&target, ID_FLUSH);
    app.removeTimeout(&target, ID_FLUSH);
    for (FX::FXWindow * window : windows)
        delete window;
    objects.clear();
}

void Deferred::Delete(FX::FXWindow * window)
{
    if (!window)
        return;
    window->hide();
    if (FX::FXWindow * parent = window->getParent())
        parent->recalc();
    windows.push_back(window);
    Schedule();
}

void Deferred::Delete(std::unique_ptr<FoxTarget> doomed)
{
    if (!doomed)
        return;
    doomed->Silence();
    objects.push_back(std::move(doomed));
    Schedule();
}

void Deferred::Delete(std::unique_ptr<FX::FXObject> object)
{
    if (!object)
        return;
    objects.push_back(std::move(object));
    Schedule();
}

void Deferred::Schedule()
{
    if (!scheduled) {
        scheduled = true;
        app.addChore(&target, ID_FLUSH);
    }
}

//! [flush]
void Deferred::Flush()
{
    // This chore is one level; any other is a callback still on the stack
    // (a modal dialog's loop runs inside one): come back when it is over.
    if (FoxTarget::Depth() > 1) {
        scheduled = true;
        app.addTimeout(&target, ID_FLUSH, 10);
        return;
    }
    std::vector<FX::FXWindow *> const doomedWindows = std::move(windows);
    windows.clear();
    for (FX::FXWindow * window : doomedWindows)
        delete window;
    std::vector<std::unique_ptr<FX::FXObject>> const doomedObjects = std::move(objects);
    objects.clear();
}
//! [flush]
