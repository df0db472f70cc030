// FOX widgets send their messages to a target object. A FoxTarget hands each
// message to a function, so a class can take its widgets' messages without a
// message map; and it counts how deep the program is inside such callbacks,
// so that nothing a callback runs in is destroyed under it (see Deferred).
#ifndef FOXTARGET_H
#define FOXTARGET_H

#include <fx.h>

#include <functional>

class FoxTarget : public FX::FXObject {
public:
    using Handler = std::function<long(FX::FXObject * sender, FX::FXSelector selector, void * data)>;

    explicit FoxTarget(Handler handler) : handler(std::move(handler)) {}
    FoxTarget(FoxTarget const &) = delete;
    FoxTarget & operator=(FoxTarget const &) = delete;

    long handle(FX::FXObject * sender, FX::FXSelector selector, void * data) override;

    // The owner is gone: messages its widgets still send are dropped. The
    // handler itself stays alive, it may be running.
    void Silence() { silenced = true; }

    // How many FoxTarget callbacks are running, one inside the other (a
    // modal dialog runs its own event loop inside a callback).
    static int Depth() { return depth; }

private:
    Handler handler;
    bool silenced = false;
    static int depth;
};

#endif
