// The desktop side of every input method's implementation.
//
// A report to the method may destroy the implementation (a step deletes its
// method when the input is complete). So a widget's callback never touches
// its object after a report unless the report said it is still alive, and
// the FOX widgets and their message target outlive the object: they go to
// the stage's deferred deletion.
#ifndef DESKTOPWIDGET_H
#define DESKTOPWIDGET_H

#include <fx.h>

#include <memory>
#include <utility>

#include "DesktopStage.h"
#include "FoxTarget.h"
#include "modC_Method.h"

class DesktopWidget {
public:
    enum class State { Made, Shown, Hidden, Removed };

    DesktopWidget(DesktopWidget const &) = delete;
    DesktopWidget & operator=(DesktopWidget const &) = delete;

    bool IsShown() const { return state == State::Shown; }
    // Larger for a widget shown later.
    long ShowOrder() const { return showOrder; }
    // True for an open button row of the pick method `pick`.
    virtual bool IsRowOf(modC_Method const * pick) const;

protected:
    explicit DesktopWidget(DesktopStage & stage);
    virtual ~DesktopWidget();

    // Execute and Resume show the widget, Suspend hides it, Cancel removes it.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void Remove() = 0;
    void SetState(State next);

    // The messages of this widget's FOX widgets; `Target()` is whom they send to.
    virtual long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data);
    FoxTarget * Target() { return target.get(); }
    // Expires when this widget is destroyed.
    std::weak_ptr<bool> Life() const { return alive; }

    DesktopStage & stage;

private:
    State state = State::Made;
    long showOrder = 0;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    std::unique_ptr<FoxTarget> target;
};

// A widget of the prompt area: its FOX widgets sit in one frame, made at the
// first Show.
class PanelWidget : public DesktopWidget {
protected:
    explicit PanelWidget(DesktopStage & stage) : DesktopWidget(stage) {}
    ~PanelWidget() override;

    void Show() override;
    void Hide() override;
    void Remove() override;
    // Makes the FOX widgets inside `frame`.
    virtual void Build(FX::FXComposite * frame) = 0;
    // After every Show; an entry takes the keyboard here.
    virtual void Shown() {}

private:
    FX::FXComposite * frame = nullptr;
};

// Joins a library implementation class with its desktop side.
template <class Impl, class Side = PanelWidget>
class DesktopImpl : public Impl, public Side {
public:
    void Execute() override { this->Show(); }
    void Cancel() override { this->Remove(); }
    void Suspend() override { this->Hide(); }
    void Resume() override { this->Show(); }

protected:
    template <class... Args>
    explicit DesktopImpl(DesktopStage & stage, Args &&... args) : Impl(std::forward<Args>(args)...), Side(stage)
    {
    }

//! [send]
    // Sends `report` to the method; false when the report destroyed this widget.
    bool Send(void (modC_Method::*report)(modC_Method *))
    {
        std::weak_ptr<bool> const life = this->Life();
        DesktopStage & s = this->stage;
        if (modC_Method * owner = this->method)
            (owner->*report)(this);
        s.Changed();
        return !life.expired();
    }
//! [send]
    bool SendValueChanged() { return Send(&modC_Method::ValueChanged); }
    bool SendDone() { return Send(&modC_Method::Done); }
    // A value change and, unless that ended the input, the completion.
    void SendChoice()
    {
        if (SendValueChanged())
            SendDone();
    }
};

#endif
