// Drivable implementations of every input method, as a front end would make
// them. Each tells the transcript what the framework did to it (shown,
// removed, hidden, shown again, deleted); a test plays the user through the
// actions below, each of which fires the reports a real widget would.
//
// A report may delete the implementation (a step deletes its method on
// `Done`), so an action never touches its widget after reporting.
#ifndef SCRIPTEDIMPLS_H
#define SCRIPTEDIMPLS_H

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "CallLog.h"
#include "modC_ChoiceMethodImpl.h"
#include "modC_ComboMethodImpl.h"
#include "modC_DialogMethodImpl.h"
#include "modC_FilterMethodImpl.h"
#include "modC_PositionMethodImpl.h"
#include "modC_PromptMethodImpl.h"
#include "modC_StringMethodImpl.h"
#include "modC_ToggleMethodImpl.h"
#include "modC_ToolsetMethodImpl.h"

class modC_PickMethod;
class ScriptedWidget;

// What the factory and the implementations it made share: the transcript,
// the running numbers of the names and the implementations alive.
class ScriptedStage {
public:
    explicit ScriptedStage(CallLog & log) : log(log) {}

    CallLog & Log() { return log; }
    // `kind` followed by its running number: "integer1", "integer2", ...
    std::string NewName(std::string const & kind);
    std::vector<ScriptedWidget *> const & Live() const { return live; }

    void Arrive(ScriptedWidget * widget) { live.push_back(widget); }
    void Leave(ScriptedWidget * widget);

private:
    CallLog & log;
    std::vector<std::pair<std::string, int>> counters;
    std::vector<ScriptedWidget *> live;
};

// The part of every scripted implementation that is not its interface: its
// name and what the framework has done to it.
class ScriptedWidget {
public:
    enum class State { Made, Shown, Hidden, Removed };

    ScriptedWidget(ScriptedWidget const &) = delete;
    ScriptedWidget & operator=(ScriptedWidget const &) = delete;

    std::string const & Name() const { return name; }
    State GetState() const { return state; }
    bool IsShown() const { return state == State::Shown; }

protected:
    ScriptedWidget(std::shared_ptr<ScriptedStage> stage, std::string name);
    virtual ~ScriptedWidget();  // "<name> deleted"

    // "<name>.<operation>"
    void Told(std::string const & operation, State next);
    // The user can act only on what is on the screen.
    void ExpectShown(char const * action) const;

private:
    std::shared_ptr<ScriptedStage> stage;
    std::string name;
    State state = State::Made;
};

// The lifecycle and the raw reports, common to every kind of widget.
template <class Impl>
class Scripted : public Impl, public ScriptedWidget {
public:
    void Execute() override { Told("Execute()", State::Shown); }
    void Cancel() override { Told("Cancel()", State::Removed); }
    void Suspend() override { Told("Suspend()", State::Hidden); }
    void Resume() override { Told("Resume()", State::Shown); }

    // The user completes the input.
    void Confirm()
    {
        ExpectShown("confirm");
        ReportDone();
    }

    // Reports sent as they are, whatever the widget's state: for a front end
    // that misbehaves, or a report a test composes itself.
    void ReportValueChanged() { Attached().ValueChanged(this); }
    void ReportDone() { Attached().Done(this); }
    void ReportDirectManipulation(modC_MethodReceiver::DirectManipReason reason)
    {
        Attached().DirectManipulation(reason, this);
    }

protected:
    template <class... Args>
    Scripted(std::shared_ptr<ScriptedStage> stage, std::string name, Args &&... args)
        : Impl(std::forward<Args>(args)...), ScriptedWidget(std::move(stage), std::move(name))
    {
    }

    // A user action that changed the widget: shown, then reported.
    void UserChanged(char const * action)
    {
        ExpectShown(action);
        ReportValueChanged();
    }

private:
    modC_Method & Attached()
    {
        if (!this->method)
            throw std::logic_error(Name() + " reports but no method is attached");
        return *this->method;
    }
};

// The entry field of integers, numbers, texts, points and lists. It shows its
// starting text when executed, so confirming without typing gives that text.
class ScriptedEntry : public Scripted<modC_StringMethodImpl> {
public:
    template <class... Args>
    ScriptedEntry(std::shared_ptr<ScriptedStage> stage, std::string name, Args &&... args)
        : Scripted(std::move(stage), std::move(name), std::forward<Args>(args)...)
    {
    }

    void Execute() override;
    // Takes over the pending text: logged, then reported as a value change.
    void CommitData() override;

    // The user replaces the text; each edit is reported as a value change.
    void Type(std::string const & text);
    // The user replaces the text and reports nothing yet (pending until
    // confirmed or committed).
    void Edit(std::string const & text);
    // The user replaces the text and presses Enter.
    void Enter(std::string const & text);

    // The text in the field now.
    std::string FieldText() const { return value.GetValue().Std(); }

private:
    void Put(std::string const & text) { value = omu_PrimString(cow_String(text)); }
};

// The viewport. Coordinates are the viewport's own; pixels stay as the test
// sets them through `Record()`.
class ScriptedPosition : public Scripted<modC_PositionMethodImpl> {
public:
    ScriptedPosition(std::shared_ptr<ScriptedStage> stage, std::string name)
        : Scripted(std::move(stage), std::move(name))
    {
    }

    // The pointer record, for a test to set any field before a raw report.
    modC_MouseInfo & Record() { return mouse; }

    // Plain pointer motion (event 0), reported as a value change.
    void MoveTo(float x, float y);
    // Press and release at one place (event 4), reported as a value change.
    void Click(float x, float y, int button = 1, int modifiers = 0);
    // A drag: pressed at (x, y) (event 1), moved (event 2), released (event 3),
    // each reported as a value change. Button and modifiers hold throughout.
    void StartDrag(float x, float y, int button = 1, int modifiers = 0);
    void DragTo(float x, float y);
    void EndDrag(float x, float y);
    // A direct manipulation in `phase`.
    void Manipulate(int phase, modC_MethodReceiver::DirectManipReason reason);

    // The pick method this tracker was made for; null for a position method.
    modC_PickMethod * PickMethod() const { return pick; }
    void SetPickMethod(modC_PickMethod * owner) { pick = owner; }

private:
    void PlaceAt(float x, float y, int button, int modifiers, int event);

    modC_PickMethod * pick = nullptr;
};

// Buttons, menus, option and radio lists, with labels or pictures.
class ScriptedChoice : public Scripted<modC_ChoiceMethodImpl> {
public:
    template <class Entries>
    ScriptedChoice(std::shared_ptr<ScriptedStage> stage, std::string name, Entries entries, int count)
        : Scripted(std::move(stage), std::move(name), entries, count)
    {
    }

    // The user presses entry `index` (0-based): `Done`.
    void Press(int index);
    void PressLabel(std::string const & label);
    // The user moves the selection to `index` without completing: a value change.
    void Select(int index);

    std::vector<std::string> Labels() const;

private:
    void Choose(int index);
};

class ScriptedToggle : public Scripted<modC_ToggleMethodImpl> {
public:
    ScriptedToggle(std::shared_ptr<ScriptedStage> stage, std::string name, char const ** labels,
                   cow_1DArray<int> const & states, int count)
        : Scripted(std::move(stage), std::move(name), labels, states, count)
    {
    }

    // The user flips toggle `index` (0-based): a value change.
    void Toggle(int index);
};

class ScriptedCombo : public Scripted<modC_ComboMethodImpl> {
public:
    ScriptedCombo(std::shared_ptr<ScriptedStage> stage, std::string name, cow_List<cow_String> const & entries,
                  int defaultEntry)
        : Scripted(std::move(stage), std::move(name), entries, defaultEntry)
    {
    }

    // The user chooses entry `entry` (1-based; 0 clears the choice): a value change.
    void Choose(int entry);
};

class ScriptedFilter : public Scripted<modC_FilterMethodImpl> {
public:
    ScriptedFilter(std::shared_ptr<ScriptedStage> stage, std::string name,
                   omu_PrimDictionary<cow_String> const & filters)
        : Scripted(std::move(stage), std::move(name), filters)
    {
    }

    // Logged with the new filters; the states start afresh.
    void Reset(omu_PrimDictionary<cow_String> const & filters) override;

    // The user sets the state of filter `index` (0-based): a value change.
    void Check(int index, int state);
};

class ScriptedDialog : public Scripted<modC_DialogMethodImpl> {
public:
    ScriptedDialog(std::shared_ptr<ScriptedStage> stage, std::string name, char const * dialogName,
                   omu_PrimTuple const & values)
        : Scripted(std::move(stage), std::move(name), dialogName, values)
    {
    }

    // The user changes the dialog's values: a value change.
    void Change(omu_PrimTuple const & newValues);
    // The user closes the dialog with `newValues`: `Done`.
    void Finish(omu_PrimTuple const & newValues);
};

class ScriptedPrompt : public Scripted<modC_PromptMethodImpl> {
public:
    ScriptedPrompt(std::shared_ptr<ScriptedStage> stage, std::string name, cow_String const & text)
        : Scripted(std::move(stage), std::move(name), text)
    {
    }
};

class ScriptedToolset : public Scripted<modC_ToolsetMethodImpl> {
public:
    ScriptedToolset(std::shared_ptr<ScriptedStage> stage, std::string name, cow_String const & toolsetName)
        : Scripted(std::move(stage), std::move(name), toolsetName)
    {
    }
};

// A receiver standing in for a step: records every report it gets as
// "<name>.ValueChanged()", "<name>.Done()" or "<name>.DirectManipulation(<reason>)",
// and runs `onReport` so that a test can read the method at report time.
class ScriptedReceiver final : public modC_MethodReceiver {
public:
    explicit ScriptedReceiver(CallLog & log, std::string name = "step") : log(log), name(std::move(name)) {}
    ScriptedReceiver(ScriptedReceiver const &) = delete;
    ScriptedReceiver & operator=(ScriptedReceiver const &) = delete;
    ~ScriptedReceiver() = default;

    void DirectManipulation(DirectManipReason reason, modC_Method * method) override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // Called with the report's name and method after it was recorded.
    std::function<void(std::string const & report, modC_Method * method)> onReport;

private:
    void Record(std::string const & report, modC_Method * method);

    CallLog & log;
    std::string name;
};

#endif
