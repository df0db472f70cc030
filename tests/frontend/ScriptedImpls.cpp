#include "ScriptedImpls.h"

#include <algorithm>

std::string ScriptedStage::NewName(std::string const & kind)
{
    auto counter = std::find_if(counters.begin(), counters.end(), [&](auto const & c) { return c.first == kind; });
    if (counter == counters.end())
        counter = counters.insert(counters.end(), {kind, 0});
    return kind + std::to_string(++counter->second);
}

void ScriptedStage::Leave(ScriptedWidget * widget)
{
    live.erase(std::remove(live.begin(), live.end(), widget), live.end());
}

ScriptedWidget::ScriptedWidget(std::shared_ptr<ScriptedStage> stage, std::string name)
    : stage(std::move(stage)), name(std::move(name))
{
    this->stage->Arrive(this);
}

ScriptedWidget::~ScriptedWidget()
{
    stage->Leave(this);
    stage->Log().Add(name + " deleted");
}

void ScriptedWidget::Told(std::string const & operation, State next)
{
    state = next;
    stage->Log().Add(name + "." + operation);
}

void ScriptedWidget::ExpectShown(char const * action) const
{
    if (state != State::Shown)
        throw std::logic_error("the user cannot " + std::string(action) + " on " + name + ": it is not shown");
}

void ScriptedEntry::Execute()
{
    Put(Text());
    Scripted::Execute();
}

void ScriptedEntry::CommitData()
{
    Told("CommitData()", GetState());
    ReportValueChanged();
}

void ScriptedEntry::Type(std::string const & text)
{
    ExpectShown("type");
    Put(text);
    ReportValueChanged();
}

void ScriptedEntry::Edit(std::string const & text)
{
    ExpectShown("type");
    Put(text);
}

void ScriptedEntry::Enter(std::string const & text)
{
    ExpectShown("type");
    Put(text);
    ReportDone();
}

void ScriptedPosition::PlaceAt(float x, float y, int button, int modifiers, int event)
{
    mouse.Reset();
    mouse.x = x;
    mouse.y = y;
    mouse.z = 0.0f;
    mouse.button = button;
    mouse.modifiers = modifiers;
    mouse.event = event;
}

void ScriptedPosition::MoveTo(float x, float y)
{
    ExpectShown("move the pointer");
    PlaceAt(x, y, mouse.button, mouse.modifiers, 0);
    ReportValueChanged();
}

void ScriptedPosition::Click(float x, float y, int button, int modifiers)
{
    ExpectShown("click");
    PlaceAt(x, y, button, modifiers, 4);
    ReportValueChanged();
}

void ScriptedPosition::StartDrag(float x, float y, int button, int modifiers)
{
    ExpectShown("drag");
    PlaceAt(x, y, button, modifiers, 1);
    ReportValueChanged();
}

void ScriptedPosition::DragTo(float x, float y)
{
    ExpectShown("drag");
    mouse.SetPosition(x, y);
    mouse.event = 2;
    ReportValueChanged();
}

void ScriptedPosition::EndDrag(float x, float y)
{
    ExpectShown("drag");
    mouse.SetPosition(x, y);
    mouse.event = 3;
    ReportValueChanged();
}

void ScriptedPosition::Manipulate(int phase, modC_MethodReceiver::DirectManipReason reason)
{
    ExpectShown("manipulate");
    mouse.phase = phase;
    ReportDirectManipulation(reason);
}

void ScriptedChoice::Choose(int index)
{
    ExpectShown("choose");
    if (index < 0 || index >= Count())
        throw std::logic_error(Name() + " has no entry " + std::to_string(index));
    selection = index;
}

void ScriptedChoice::Press(int index)
{
    Choose(index);
    ReportDone();
}

void ScriptedChoice::PressLabel(std::string const & label)
{
    std::vector<std::string> const labels = Labels();
    auto const found = std::find(labels.begin(), labels.end(), label);
    if (found == labels.end())
        throw std::logic_error(Name() + " has no button \"" + label + "\"");
    Press(static_cast<int>(found - labels.begin()));
}

void ScriptedChoice::Select(int index)
{
    Choose(index);
    ReportValueChanged();
}

std::vector<std::string> ScriptedChoice::Labels() const
{
    std::vector<std::string> labels;
    for (int i = 0; i < Count(); ++i)
        if (char const * label = Label(i))
            labels.emplace_back(label);
    return labels;
}

void ScriptedToggle::Toggle(int index)
{
    ExpectShown("toggle");
    if (index < 0 || index >= Count())
        throw std::logic_error(Name() + " has no toggle " + std::to_string(index));
    int & state = states.Get(index);
    state = state ? 0 : 1;
    ReportValueChanged();
}

void ScriptedCombo::Choose(int entry)
{
    ExpectShown("choose");
    if (entry < 0 || entry > entries.Size())
        throw std::logic_error(Name() + " has no entry " + std::to_string(entry));
    selection = entry;
    value = entry ? entries.ConstGet(entry - 1) : cow_String();
    ReportValueChanged();
}

void ScriptedFilter::Reset(omu_PrimDictionary<cow_String> const & newFilters)
{
    Told("Reset(" + newFilters.AsString().Std() + ")", GetState());
    filters = newFilters;
    states.Clear();
}

void ScriptedFilter::Check(int index, int state)
{
    ExpectShown("check");
    if (index < 0 || index >= filters.Size())
        throw std::logic_error(Name() + " has no filter " + std::to_string(index));
    states.Get(index) = state;
    ReportValueChanged();
}

void ScriptedDialog::Change(omu_PrimTuple const & newValues)
{
    ExpectShown("change");
    values = newValues;
    ReportValueChanged();
}

void ScriptedDialog::Finish(omu_PrimTuple const & newValues)
{
    ExpectShown("finish");
    values = newValues;
    ReportDone();
}

void ScriptedReceiver::DirectManipulation(DirectManipReason reason, modC_Method * method)
{
    Record("DirectManipulation(" + std::to_string(reason) + ")", method);
}

void ScriptedReceiver::ValueChanged(modC_Method * method)
{
    Record("ValueChanged()", method);
}

void ScriptedReceiver::Done(modC_Method * method)
{
    Record("Done()", method);
}

void ScriptedReceiver::Record(std::string const & report, modC_Method * method)
{
    log.Add(name + "." + report);
    if (onReport)
        onReport(report, method);
}
