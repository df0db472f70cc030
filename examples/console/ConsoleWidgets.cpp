#include "ConsoleWidgets.h"

#include <cfloat>
#include <climits>
#include <cmath>

#include "DialogForm.h"
#include "SampleText.h"
#include "omu_PrimBool.h"
#include "omu_PrimString.h"
#include "sesC_PickOptions.h"

using namespace sample_text;

namespace {

bool IsOk(std::string const & line)
{
    std::string const word = Lower(line);
    return word == "ok" || word == "done";
}

// "1 A | 2 B" from the entries' texts, marking entry `marked` (0-based).
template <class TextOf>
std::string Listed(int count, TextOf const & textOf, int marked, char const * mark)
{
    std::string list;
    for (int i = 0; i < count; ++i) {
        list += (i ? " | " : "") + std::to_string(i + 1) + " " + textOf(i);
        if (i == marked)
            list += mark;
    }
    return list;
}

// The 1-based numbers in `line`, each from 1 to `count`; false when
// anything else is there.
bool EntryNumbers(std::string const & line, int count, std::vector<int> & numbers)
{
    std::vector<double> values;
    if (!ParseNumbers(line, values))
        return false;
    numbers.clear();
    for (double v : values) {
        if (v != std::floor(v) || v < 1 || v > count)
            return false;
        numbers.push_back(static_cast<int>(v));
    }
    return true;
}

// Flips the states numbered in `line` (1-based, up to `count`); false, with
// a message naming what a `noun` is and what the numbers `verb`, when the
// line holds anything else.
bool Flip(ConsoleStage & stage, std::string const & line, int count, cow_1DArray<int> & states,
          std::string const & noun, std::string const & verb)
{
    std::vector<int> numbers;
    if (!EntryNumbers(line, count, numbers)) {
        stage.Problem((line.empty() ? std::string("Nothing typed") : Quoted(line) + " is not a " + noun) +
                      "; type " + noun + " numbers from 1 to " + std::to_string(count) + " to " + verb +
                      " them, or ok when done.");
        return false;
    }
    for (int number : numbers) {
        int const index = number - 1;
        int const was = index < states.Length() ? states.ConstGet(index) : 0;
        states.Get(index) = was ? 0 : 1;
    }
    stage.Touch();
    return true;
}

std::string Ticked(int state)
{
    return state ? "[x] " : "[ ] ";
}

}  // namespace

// ---- ConsoleWidget ----

ConsoleWidget::ConsoleWidget(ConsoleStage & stage) : stage(stage), serial(stage.Arrive(this)) {}

ConsoleWidget::~ConsoleWidget()
{
    stage.Leave(this);
}

void ConsoleWidget::SetState(State next)
{
    state = next;
    if (next == State::Shown)
        showOrder = stage.NextShowOrder();
    stage.Touch();
}

void ConsoleWidget::Input(std::string const &)
{
    stage.Problem("This line only shows text; there is nothing to type here.");
}

// ---- ConsoleEntry ----

void ConsoleEntry::Execute()
{
    // The field opens on its starting text, so the step reads it back unchanged
    // until the user types something else.
    value = text;
    ConsoleImpl::Execute();
}

void ConsoleEntry::CommitData()
{
    SendValueChanged();
}

std::string ConsoleEntry::Describe() const
{
    std::string const shown = value.AsCharPtr();
    return Rule().What() + ": " + (kind == Kind::Text ? Quoted(shown) : shown);
}

EntryRule ConsoleEntry::Rule() const
{
    return EntryRule{kind, expectedCount, minimumInt, maximumInt, minimumFloat, maximumFloat};
}

void ConsoleEntry::Input(std::string const & line)
{
    if (line.empty()) {
        stage.Problem(std::string("Nothing typed; ") +
                      (kind == Kind::Text ? "type the text (\"\" for none)." : "type the value.") +
                      " The field shows " + Quoted(value.AsCharPtr()) + ".");
        return;
    }
    std::string accepted;
    std::string problem;
    if (!Rule().Check(line, accepted, problem)) {
        stage.Problem(problem);
        return;
    }
    value = omu_PrimString(cow_String(accepted));
    stage.Touch();
    SendDone();
}

// ---- ConsoleChoice ----

ConsoleChoice::ConsoleChoice(ConsoleStage & stage, Role role, char const ** labels, int count, int defaultChoice,
                             std::string title)
    : ConsoleImpl(stage, labels, count), role(role), defaultChoice(defaultChoice), title(std::move(title))
{
}

ConsoleChoice::ConsoleChoice(ConsoleStage & stage, unsigned int * images, int count, int defaultChoice)
    : ConsoleImpl(stage, images, count), role(Role::Buttons), defaultChoice(defaultChoice)
{
}

std::string ConsoleChoice::EntryText(int index) const
{
    if (char const * label = Label(index))
        return sample_text::Resolve(label);
    unsigned int const image = Image(index);
    return image ? "picture " + std::to_string(image) : "picture missing";
}

std::string ConsoleChoice::Describe() const
{
    auto const text = [this](int i) { return EntryText(i); };
    switch (role) {
    case Role::Buttons:
        return "buttons: " + Listed(Count(), text, -1, "");
    case Role::Menu:
        return "menu: " + Listed(Count(), text, -1, "");
    case Role::Titled: {
        std::string const heading = sample_text::Resolve(title.c_str());
        bool const colon = !heading.empty() && heading.back() == ':';
        return heading + (colon ? " " : ": ") + Listed(Count(), text, -1, "");
    }
    case Role::Options:
    case Role::Radio: {
        int const current = Selection() >= 0 ? Selection() : defaultChoice - 1;
        return std::string(role == Role::Options ? "option list: " : "radio buttons: ") +
               Listed(Count(), text, current, " (selected)");
    }
    }
    return "";
}

int ConsoleChoice::Find(std::string const & line) const
{
    long long number = 0;
    if (ParseInteger(line, number))
        return number >= 1 && number <= Count() ? static_cast<int>(number - 1) : -1;
    for (int i = 0; i < Count(); ++i)
        if (Lower(EntryText(i)) == Lower(line))
            return i;
    return -1;
}

void ConsoleChoice::Input(std::string const & line)
{
    int const index = Find(line);
    if (index < 0) {
        stage.Problem((line.empty() ? std::string("Nothing chosen") : Quoted(line) + " is not one of the choices") +
                      "; type a number from 1 to " + std::to_string(Count()) + " or a label.");
        return;
    }
    selection = index;
    if (role == Role::Options || role == Role::Radio)
        stage.Touch();  // they show the selection
    // The value change moves an option list; completing presses the entry.
    if (SendValueChanged())
        SendDone();
}

// ---- ConsoleToggle ----

ConsoleToggle::ConsoleToggle(ConsoleStage & stage, char const ** labels, cow_1DArray<int> const & states, int count)
    : ConsoleImpl(stage, labels, states, count)
{
}

std::string ConsoleToggle::Describe() const
{
    auto const text = [this](int i) {
        return Ticked(i < states.Length() ? states.ConstGet(i) : 0) + sample_text::Resolve(Label(i));
    };
    return "toggles: " + Listed(Count(), text, -1, "") + " (numbers flip them, ok when done)";
}

void ConsoleToggle::Input(std::string const & line)
{
    if (IsOk(line)) {
        SendDone();
        return;
    }
    if (Flip(stage, line, Count(), states, "toggle", "flip"))
        SendValueChanged();
}

// ---- ConsoleCombo ----

ConsoleCombo::ConsoleCombo(ConsoleStage & stage, cow_List<cow_String> const & entries, int defaultEntry)
    : ConsoleImpl(stage, entries, defaultEntry)
{
}

std::string ConsoleCombo::Describe() const
{
    auto const text = [this](int i) { return std::string(entries.ConstGet(i).AsCharPtr()); };
    return "combo box: " + Listed(entries.Size(), text, selection - 1, " (selected)") +
           " (a number chooses, ok when done)";
}

void ConsoleCombo::Input(std::string const & line)
{
    if (IsOk(line)) {
        SendDone();
        return;
    }
    int chosen = 0;
    long long number = 0;
    if (ParseInteger(line, number)) {
        if (number >= 1 && number <= entries.Size())
            chosen = static_cast<int>(number);
    } else {
        for (int i = 0; i < entries.Size() && !chosen; ++i)
            if (Lower(entries.ConstGet(i).Std()) == Lower(line))
                chosen = i + 1;
    }
    if (!chosen) {
        stage.Problem((line.empty() ? std::string("Nothing chosen") : Quoted(line) + " is not an entry") +
                      "; type a number from 1 to " + std::to_string(entries.Size()) +
                      ", an entry's text, or ok when done.");
        return;
    }
    selection = chosen;
    value = entries.ConstGet(chosen - 1);
    stage.Touch();
    SendValueChanged();
}

// ---- ConsoleFilter ----

ConsoleFilter::ConsoleFilter(ConsoleStage & stage, omu_PrimDictionary<cow_String> const & filters)
    : ConsoleImpl(stage, filters)
{
}

void ConsoleFilter::StartStates()
{
    states = cow_1DArray<int>(filters.Size());
}

void ConsoleFilter::Execute()
{
    if (states.Length() != filters.Size())
        StartStates();
    ConsoleImpl::Execute();
}

void ConsoleFilter::Reset(omu_PrimDictionary<cow_String> const & newFilters)
{
    filters = newFilters;
    StartStates();
    stage.Touch();
}

std::string ConsoleFilter::Describe() const
{
    auto const text = [this](int i) {
        return Ticked(i < states.Length() ? states.ConstGet(i) : 0) + filters.ValueAt(i).Std();
    };
    return "pick filters: " + Listed(filters.Size(), text, -1, "") + " (numbers switch them, ok when done)";
}

void ConsoleFilter::Input(std::string const & line)
{
    if (IsOk(line)) {
        SendDone();
        return;
    }
    if (Flip(stage, line, filters.Size(), states, "filter", "switch"))
        SendValueChanged();
}

// ---- ConsoleDialog ----

ConsoleDialog::ConsoleDialog(ConsoleStage & stage, char const * dialogName, omu_PrimTuple const & values)
    : ConsoleImpl(stage, dialogName, values)
{
}

bool ConsoleDialog::IsErrorForm() const
{
    return dialog_form::IsErrorForm(dialogName.AsCharPtr());
}

std::string ConsoleDialog::Describe() const
{
    if (IsErrorForm())
        return "error: " + dialog_form::ErrorMessage(values) + " (press Enter or type ok)";
    std::string const name = std::string(dialogName.AsCharPtr()) + " dialog: ";
    if (!dialog_form::IsForm(values))
        return name + values.AsString().Std() + " (ok closes it)";
    std::string fields;
    for (int i = 0; i < values.Length(); ++i) {
        auto const & pair = static_cast<omu_PrimTuple const &>(values.Index(i));
        fields += (i ? ", " : "") + dialog_form::FieldName(pair) + " = " + dialog_form::FieldValue(pair.Index(1));
    }
    return name + fields + " (name=value changes a field, ok closes it)";
}

void ConsoleDialog::Input(std::string const & line)
{
    if (IsErrorForm()) {
        if (line.empty() || IsOk(line))
            SendDone();
        else
            stage.Problem("The error dialog is waiting: press Enter or type ok.");
        return;
    }
    if (IsOk(line)) {
        SendDone();
        return;
    }
    std::size_t const equals = line.find('=');
    if (!dialog_form::IsForm(values) || equals == std::string::npos) {
        stage.Problem(dialog_form::IsForm(values) ? "Type name=value to change a field, or ok to close the dialog."
                               : "This dialog only shows its values; type ok to close it.");
        return;
    }
    std::string problem;
    if (!dialog_form::Assign(values, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), problem)) {
        stage.Problem(problem);
        return;
    }
    stage.Touch();
    SendValueChanged();
}

// ---- ConsolePrompt, ConsoleToolset ----

std::string ConsolePrompt::Describe() const
{
    return sample_text::Resolve(text.AsCharPtr());
}

std::string ConsoleToolset::Describe() const
{
    return "tool set " + toolsetName.Std() + " (ok uses it)";
}

void ConsoleToolset::Input(std::string const & line)
{
    if (IsOk(line))
        SendDone();
    else
        stage.Problem("Type ok to use the tool set " + toolsetName.Std() + ".");
}

// ---- ConsoleViewport ----

namespace {

double const reach = 1.0e6;  // beyond this a coordinate is a typing mistake

struct PointerWords {
    std::vector<double> numbers;
    int modifiers = 0;
    int button = 1;
    int shape = sesC_PickGC::NONE;
};

// Reads the numbers, then the words, of a pointer event; false with an
// explanation in `problem`.
bool ReadPointerWords(std::vector<std::string> const & words, std::size_t count, PointerWords & read,
                      std::string & problem)
{
    for (std::size_t i = 1; i < words.size(); ++i) {
        double v = 0.0;
        if (read.numbers.size() < count) {
            if (!ParseNumber(words[i], v)) {
                problem = Quoted(words[i]) + " is not a coordinate.";
                return false;
            }
            if (std::fabs(v) > reach) {
                problem = words[i] + " lies outside the viewport (-1000000 to 1000000).";
                return false;
            }
            read.numbers.push_back(v);
            continue;
        }
        std::string const word = Lower(words[i]);
        if (word == "shift")
            read.modifiers |= 1;
        else if (word == "ctrl" || word == "control")
            read.modifiers |= 4;
        else if (word == "right")
            read.button = 3;
        else if (word == "rectangle")
            read.shape = sesC_PickGC::RECTANGLE;
        else if (word == "circle")
            read.shape = sesC_PickGC::CIRCLE;
        else if (word == "polygon")
            read.shape = sesC_PickGC::POLYGON;
        else {
            problem = Quoted(words[i]) + " is not shift, ctrl, right or a shape.";
            return false;
        }
    }
    if (read.numbers.size() < count) {
        problem = "Not enough coordinates.";
        return false;
    }
    return true;
}

}  // namespace

std::string ConsoleViewport::Describe() const
{
    if (!forPick)
        return "viewport: click X Y";
    return "viewport: click X Y, or drag X0 Y0 X1 Y1 [rectangle|circle|polygon]; add shift, ctrl or right";
}

void ConsoleViewport::Place(float x, float y, int button, int modifiers, int event)
{
    mouse.Reset();
    mouse.x = x;
    mouse.y = y;
    mouse.z = 0.0f;
    mouse.pixelX = static_cast<int>(std::lround(x));
    mouse.pixelY = static_cast<int>(std::lround(y));
    mouse.pixelZ = 0;
    mouse.button = button;
    mouse.modifiers = modifiers;
    mouse.event = event;
}

void ConsoleViewport::MoveTo(float x, float y, int event)
{
    mouse.SetPosition(x, y);
    mouse.SetPixPosition(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    mouse.event = event;
}

bool ConsoleViewport::RowOpen() const
{
    for (ConsoleWidget const * widget : stage.Live()) {
        auto const * row = dynamic_cast<ConsoleChoice const *>(widget);
        if (row && row->GetRole() == ConsoleChoice::Role::Titled && row->IsShown() && row->Method() &&
            row->Method()->Receiver() == method)
            return true;
    }
    return false;
}

void ConsoleViewport::Input(std::string const & line)
{
    std::vector<std::string> const words = Words(line);
    std::string const what = words.empty() ? "" : Lower(words[0]);
    std::size_t const count = what == "drag" ? 4 : 2;
    std::string const usage = what == "drag" ? "drag X0 Y0 X1 Y1 [rectangle|circle|polygon] [shift] [ctrl] [right]"
                                             : what + " X Y [shift] [ctrl] [right]";
    if (what != "click" && what != "drag" && what != "move") {
        stage.Problem("The viewport takes click X Y, drag X0 Y0 X1 Y1 or move X Y.");
        return;
    }
    PointerWords read;
    std::string problem;
    if (!ReadPointerWords(words, count, read, problem)) {
        stage.Problem(problem + " Type " + usage + ".");
        return;
    }
    float const x = static_cast<float>(read.numbers[0]);
    float const y = static_cast<float>(read.numbers[1]);
    if (what == "move") {
        Place(x, y, mouse.button, read.modifiers, 0);
        SendValueChanged();
    } else if (what == "click") {
        Place(x, y, read.button, read.modifiers, 4);
        if (SendValueChanged() && !RowOpen())
            SendDone();
    } else {
        if (forPick) {
            sesC_PickGC & gc = sesC_PickOptions::Instance().GetPickGC();
            gc.SetShape(read.shape != sesC_PickGC::NONE ? read.shape : sesC_PickGC::RECTANGLE);
        }
        Place(x, y, read.button, read.modifiers, 1);
        if (!SendValueChanged())
            return;
        float const x1 = static_cast<float>(read.numbers[2]);
        float const y1 = static_cast<float>(read.numbers[3]);
        MoveTo(x1, y1, 2);
        if (!SendValueChanged())
            return;
        MoveTo(x1, y1, 3);
        if (SendValueChanged() && !RowOpen())
            SendDone();
    }
}
