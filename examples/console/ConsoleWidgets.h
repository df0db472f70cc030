// The console's widgets: one implementation class per kind of input method.
// Each shows itself as one line of the panel and takes the lines the user
// types for it, reporting to its method as a graphical widget would.
//
// A report may destroy the widget (a step deletes its method when the input
// is complete), so a widget never touches itself after a report unless the
// stage says it is still alive.
#ifndef CONSOLEWIDGETS_H
#define CONSOLEWIDGETS_H

#include <string>
#include <utility>

#include "ConsoleStage.h"
#include "EntryRule.h"
#include "cow_1DArray.h"
#include "cow_List.h"
#include "cow_String.h"
#include "modC_ChoiceMethodImpl.h"
#include "modC_ComboMethodImpl.h"
#include "modC_DialogMethodImpl.h"
#include "modC_FilterMethodImpl.h"
#include "modC_PositionMethodImpl.h"
#include "modC_PromptMethodImpl.h"
#include "modC_StringMethodImpl.h"
#include "modC_ToggleMethodImpl.h"
#include "modC_ToolsetMethodImpl.h"
#include "omu_PrimDictionary.h"
#include "omu_PrimTuple.h"

// The console side of every widget, whatever its method.
class ConsoleWidget {
public:
    enum class State { Made, Shown, Hidden, Removed };

    ConsoleWidget(ConsoleWidget const &) = delete;
    ConsoleWidget & operator=(ConsoleWidget const &) = delete;

    unsigned long Serial() const { return serial; }
    bool IsShown() const { return state == State::Shown; }
    // Larger for a widget shown later; the newest takes the keyboard.
    long ShowOrder() const { return showOrder; }

    // False for widgets that only show text.
    virtual bool TakesLines() const { return true; }
    // Viewport widgets take pointer events instead of typed values.
    virtual bool IsViewport() const { return false; }
    // A modal widget must be answered before the mode can go anywhere else.
    virtual bool IsModal() const { return false; }
    // Its line on the panel; empty for a widget that shows nothing.
    virtual std::string Describe() const = 0;
    // A line the user typed for this widget (blanks at both ends removed).
    // Widgets that only show text refuse it.
    virtual void Input(std::string const & line);

protected:
    explicit ConsoleWidget(ConsoleStage & stage);
    virtual ~ConsoleWidget();

    void SetState(State next);

    ConsoleStage & stage;

private:
    unsigned long serial;
    State state = State::Made;
    long showOrder = 0;
};

// Joins a library implementation class with the console side.
template <class Impl>
class ConsoleImpl : public Impl, public ConsoleWidget {
public:
    void Execute() override { SetState(State::Shown); }
    void Cancel() override { SetState(State::Removed); }
    void Suspend() override { SetState(State::Hidden); }
    void Resume() override { SetState(State::Shown); }

protected:
    template <class... Args>
    explicit ConsoleImpl(ConsoleStage & stage, Args &&... args)
        : Impl(std::forward<Args>(args)...), ConsoleWidget(stage)
    {
    }

    // Sends `report` to the method; false when the report destroyed this widget.
    bool Send(void (modC_Method::*report)(modC_Method *))
    {
        ConsoleStage & s = stage;
        unsigned long const id = Serial();
        if (modC_Method * target = this->method)
            (target->*report)(this);
        return s.Alive(id);
    }
    bool SendValueChanged() { return Send(&modC_Method::ValueChanged); }
    bool SendDone() { return Send(&modC_Method::Done); }
};

// An entry field for integers, numbers, texts, points and lists. It checks
// what is typed against its kind and limits, so the step only ever reads
// text it can use; Enter completes the input.
class ConsoleEntry : public ConsoleImpl<modC_StringMethodImpl> {
public:
    using Kind = EntryRule::Kind;

    // `expectedCount` is the count of a list, 0 for any; unused by other kinds.
    template <class... Args>
    ConsoleEntry(ConsoleStage & stage, Kind kind, int expectedCount, Args &&... args)
        : ConsoleImpl(stage, std::forward<Args>(args)...), kind(kind), expectedCount(expectedCount)
    {
    }

    void Execute() override;
    // Nothing is ever pending in a console field: the text shown is reported.
    void CommitData() override;
    std::string Describe() const override;
    void Input(std::string const & line) override;

private:
    EntryRule Rule() const;

    Kind kind;
    int expectedCount;
};

// Buttons, menus, option lists and radio buttons, chosen by number or label.
// Choosing reports a value change and, unless that ended the input, Done.
class ConsoleChoice : public ConsoleImpl<modC_ChoiceMethodImpl> {
public:
    enum class Role { Buttons, Menu, Titled, Options, Radio };

    // `defaultChoice` is 1-based; anything outside 1 ... count is no default.
    ConsoleChoice(ConsoleStage & stage, Role role, char const ** labels, int count, int defaultChoice,
                  std::string title = "");
    // Buttons showing pictures; the console names them by their identifiers.
    ConsoleChoice(ConsoleStage & stage, unsigned int * images, int count, int defaultChoice);

    Role GetRole() const { return role; }
    std::string Describe() const override;
    void Input(std::string const & line) override;

private:
    std::string EntryText(int index) const;
    // 0-based entry for `line`, or -1.
    int Find(std::string const & line) const;

    Role role;
    int defaultChoice;
    std::string title;
};

class ConsoleToggle : public ConsoleImpl<modC_ToggleMethodImpl> {
public:
    ConsoleToggle(ConsoleStage & stage, char const ** labels, cow_1DArray<int> const & states, int count);

    std::string Describe() const override;
    // Toggle numbers flip them (a value change); "ok" completes.
    void Input(std::string const & line) override;
};

class ConsoleCombo : public ConsoleImpl<modC_ComboMethodImpl> {
public:
    ConsoleCombo(ConsoleStage & stage, cow_List<cow_String> const & entries, int defaultEntry);

    std::string Describe() const override;
    // An entry number or text selects it (a value change); "ok" completes.
    void Input(std::string const & line) override;
};

class ConsoleFilter : public ConsoleImpl<modC_FilterMethodImpl> {
public:
    ConsoleFilter(ConsoleStage & stage, omu_PrimDictionary<cow_String> const & filters);

    void Execute() override;
    void Reset(omu_PrimDictionary<cow_String> const & filters) override;
    std::string Describe() const override;
    // Filter numbers switch them (a value change); "ok" completes.
    void Input(std::string const & line) override;

private:
    // Every filter starts off.
    void StartStates();
};

// A dialog as a key=value form. The console knows two shapes of tuple: the
// error form, whose message travels in a string target, and forms whose
// elements are (name, value) pairs of ints, numbers, booleans or texts.
// Any other tuple is shown as it is and can only be closed.
class ConsoleDialog : public ConsoleImpl<modC_DialogMethodImpl> {
public:
    ConsoleDialog(ConsoleStage & stage, char const * dialogName, omu_PrimTuple const & values);

    // The error form is modal.
    bool IsModal() const override { return IsErrorForm(); }
    std::string Describe() const override;
    void Input(std::string const & line) override;

private:
    bool IsErrorForm() const;
};

// A line of prompt text beside the step's input.
class ConsolePrompt : public ConsoleImpl<modC_PromptMethodImpl> {
public:
    ConsolePrompt(ConsoleStage & stage, cow_String const & text) : ConsoleImpl(stage, text) {}

    bool TakesLines() const override { return false; }
    std::string Describe() const override;
};

class ConsoleToolset : public ConsoleImpl<modC_ToolsetMethodImpl> {
public:
    ConsoleToolset(ConsoleStage & stage, cow_String const & toolsetName) : ConsoleImpl(stage, toolsetName) {}

    std::string Describe() const override;
    // "ok" uses the tool set.
    void Input(std::string const & line) override;
};

// The viewport, driven by typed pointer events:
//   click X Y [shift] [ctrl] [right]
//   drag X0 Y0 X1 Y1 [rectangle|circle|polygon] [shift] [ctrl] [right]
//   move X Y
// Coordinates are the model's; one unit is one pixel.
class ConsoleViewport : public ConsoleImpl<modC_PositionMethodImpl> {
public:
    // `forPick`: the tracker of a pick method, which draws pick areas;
    // otherwise a plain position tracker.
    ConsoleViewport(ConsoleStage & stage, bool forPick) : ConsoleImpl(stage), forPick(forPick) {}

    bool IsViewport() const override { return true; }
    std::string Describe() const override;
    void Input(std::string const & line) override;

private:
    void Place(float x, float y, int button, int modifiers, int event);
    void MoveTo(float x, float y, int event);
    // While the pick method's button row is open, a click goes to the row's
    // cycling or polygon, and a completion would be read as a second choice.
    bool RowOpen() const;

    bool forPick;
};

#endif
