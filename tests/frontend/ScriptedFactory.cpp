#include "ScriptedFactory.h"

#include <cstdio>
#include <initializer_list>

#include "modC_ChoiceMethod.h"
#include "modC_ClickAndDragMethod.h"
#include "modC_ComboMethod.h"
#include "modC_DialogMethod.h"
#include "modC_FilterMethod.h"
#include "modC_PickMethod.h"
#include "modC_PromptMethod.h"
#include "modC_ScalarMethod.h"
#include "modC_ToggleMethod.h"
#include "modC_ToolsetMethod.h"

namespace {

std::string Join(std::initializer_list<std::string> parts)
{
    std::string joined;
    for (std::string const & part : parts)
        joined += (joined.empty() ? "" : ", ") + part;
    return joined;
}

std::string Call(char const * operation, std::initializer_list<std::string> arguments)
{
    return std::string(operation) + "(" + Join(arguments) + ")";
}

std::string Int(int value)
{
    return std::to_string(value);
}

std::string Bool(bool value)
{
    return value ? "true" : "false";
}

// How the transcript shows a number: short, as a person reads it.
std::string Num(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// How an entry field shows a number: every digit that matters.
std::string FieldText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string Pointer(void const * pointer)
{
    return pointer ? "pointer" : "null";
}

std::string Str(cow_String const & text)
{
    return Quote(text.AsCharPtr());
}

std::string LabelList(char const ** labels, int count)
{
    if (!labels)
        return "null";
    std::string list;
    for (int i = 0; i < count; ++i)
        list += (i ? ", " : "") + Quote(labels[i]);
    return "[" + list + "]";
}

template <class At, class Show>
std::string Items(int count, At const & at, Show const & show)
{
    std::string items;
    for (int i = 0; i < count; ++i)
        items += (i ? ", " : "") + show(at(i));
    return items;
}

template <class At, class Show>
std::string List(int count, At const & at, Show const & show)
{
    return "[" + Items(count, at, show) + "]";
}

}  // namespace

ScriptedFactory::ScriptedFactory() : ownLog(new CallLog), stage(std::make_shared<ScriptedStage>(*ownLog)) {}

ScriptedFactory::ScriptedFactory(CallLog & log) : stage(std::make_shared<ScriptedStage>(log)) {}

void ScriptedFactory::Record(std::string const & call, std::string const & made) const
{
    stage->Log().Add(call + " -> " + made);
}

std::vector<std::string> ScriptedFactory::Live() const
{
    std::vector<std::string> names;
    for (ScriptedWidget const * widget : stage->Live())
        names.push_back(widget->Name());
    return names;
}

modC_Method * ScriptedFactory::MakeIntegerMethod(modC_MethodReceiver * receiver, int value, int minimum, int maximum,
                                                 bool flag1, bool flag2, bool flag3, void * reserved,
                                                 int columns) const
{
    std::string const text = std::to_string(value);
    std::string const name = NewName("integer");
    Record(Call("MakeIntegerMethod", {Int(value), Int(minimum), Int(maximum), Bool(flag1), Bool(flag2), Bool(flag3),
                                      Pointer(reserved), Int(columns)}),
           name);
    auto * impl = new ScriptedEntry(stage, name, text.c_str(), minimum, maximum, flag1, flag2, flag3, columns);
    return new modC_ScalarMethod(text.c_str(), receiver, impl);
}

modC_Method * ScriptedFactory::MakePointMethod(modC_MethodReceiver * receiver, double x, double y, double z,
                                               bool twoDimensional, double minimum, double maximum, bool flag1,
                                               bool flag2, bool flag3, bool flag4, int columns) const
{
    std::string text = FieldText(x) + ", " + FieldText(y);
    if (!twoDimensional)
        text += ", " + FieldText(z);
    std::string const name = NewName("point");
    Record(Call("MakePointMethod", {Num(x), Num(y), Num(z), Bool(twoDimensional), Num(minimum), Num(maximum),
                                    Bool(flag1), Bool(flag2), Bool(flag3), Bool(flag4), Int(columns)}),
           name);
    auto * impl = new ScriptedEntry(stage, name, text.c_str(), minimum, maximum, flag1, flag2, flag3, columns);
    return new modC_ScalarMethod(text.c_str(), receiver, impl);
}

modC_Method * ScriptedFactory::MakeArrayMethod(modC_MethodReceiver * receiver,
                                               cow_1DArrayList<double, double> const & values, double minimum,
                                               double maximum, bool flag1, bool flag2, double defaultValue, int count,
                                               bool flag3, bool flag4, int columns) const
{
    auto const at = [&](int i) { return values.ConstGet(i); };
    std::string const text = Items(values.Size(), at, FieldText);
    std::string const name = NewName("array");
    Record(Call("MakeArrayMethod", {List(values.Size(), at, Num), Num(minimum), Num(maximum), Bool(flag1),
                                    Bool(flag2), Num(defaultValue), Int(count), Bool(flag3), Bool(flag4),
                                    Int(columns)}),
           name);
    auto * impl = new ScriptedEntry(stage, name, text.c_str(), minimum, maximum, flag1, flag2, flag3, columns);
    return new modC_ScalarMethod(text.c_str(), receiver, impl);
}

modC_Method * ScriptedFactory::MakeFloatMethod(modC_MethodReceiver * receiver, double value, double minimum,
                                               double maximum, bool flag1, bool flag2, bool flag3, void * reserved,
                                               int columns) const
{
    std::string const text = FieldText(value);
    std::string const name = NewName("float");
    Record(Call("MakeFloatMethod", {Num(value), Num(minimum), Num(maximum), Bool(flag1), Bool(flag2), Bool(flag3),
                                    Pointer(reserved), Int(columns)}),
           name);
    auto * impl = new ScriptedEntry(stage, name, text.c_str(), minimum, maximum, flag1, flag2, flag3, columns);
    return new modC_ScalarMethod(text.c_str(), receiver, impl);
}

modC_Method * ScriptedFactory::MakeStringMethod(modC_MethodReceiver * receiver, char const * text, int columns) const
{
    std::string const name = NewName("string");
    Record(Call("MakeStringMethod", {Quote(text), Int(columns)}), name);
    auto * impl = new ScriptedEntry(stage, name, text, columns);
    return new modC_ScalarMethod(text, receiver, impl);
}

modC_Method * ScriptedFactory::MakePositionMethod(modC_MethodReceiver * receiver) const
{
    std::string const name = NewName("position");
    Record("MakePositionMethod()", name);
    auto * impl = new ScriptedPosition(stage, name);
    return new modC_ClickAndDragMethod(receiver, impl);
}

modC_Method * ScriptedFactory::MakeChoice(char const * operation, char const * kind, char const ** labels, int count,
                                          modC_MethodReceiver * receiver, std::string const & arguments) const
{
    std::string const name = NewName(kind);
    std::string const call = std::string(operation) + "(" + LabelList(labels, count) + ", " + Int(count);
    Record(call + (arguments.empty() ? "" : ", " + arguments) + ")", name);
    auto * impl = new ScriptedChoice(stage, name, labels, count);
    return new modC_ChoiceMethod(receiver, impl);
}

modC_Method * ScriptedFactory::MakeTitledChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                                      char const * title, int visibleCount, int defaultChoice) const
{
    return MakeChoice("MakeTitledChoiceMethod", "titledChoice", labels, count, receiver,
                      Join({Quote(title), Int(visibleCount), Int(defaultChoice)}));
}

modC_Method * ScriptedFactory::MakeImageChoiceMethod(unsigned long * pixmaps, int count,
                                                     modC_MethodReceiver * receiver, int defaultButton,
                                                     bool flag) const
{
    // The front end keeps pictures as the choice implementation's identifiers.
    std::vector<unsigned int> images;
    for (int i = 0; pixmaps && i < count; ++i)
        images.push_back(static_cast<unsigned int>(pixmaps[i]));
    auto const at = [&](int i) { return images[static_cast<std::size_t>(i)]; };
    auto const show = [](unsigned int id) { return std::to_string(id); };
    std::string const name = NewName("imageChoice");
    Record(Call("MakeImageChoiceMethod", {pixmaps ? List(count, at, show) : "null", Int(count), Int(defaultButton),
                                          Bool(flag)}),
           name);
    auto * impl = new ScriptedChoice(stage, name, pixmaps ? images.data() : nullptr, count);
    return new modC_ChoiceMethod(receiver, impl);
}

modC_Method * ScriptedFactory::MakeChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                                int defaultChoice, bool flag) const
{
    return MakeChoice("MakeChoiceMethod", "choice", labels, count, receiver, Join({Int(defaultChoice), Bool(flag)}));
}

modC_Method * ScriptedFactory::MakeMenuChoiceMethod(char const ** labels, int count,
                                                    modC_MethodReceiver * receiver) const
{
    return MakeChoice("MakeMenuChoiceMethod", "menuChoice", labels, count, receiver, "");
}

modC_Method * ScriptedFactory::MakeOptionMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                                int defaultChoice) const
{
    return MakeChoice("MakeOptionMethod", "option", labels, count, receiver, Int(defaultChoice));
}

modC_Method * ScriptedFactory::MakeRadioMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                               int defaultChoice) const
{
    return MakeChoice("MakeRadioMethod", "radio", labels, count, receiver, Int(defaultChoice));
}

modC_Method * ScriptedFactory::MakeDialogMethod(char const * dialogName, omu_PrimTuple const & values,
                                                modC_MethodReceiver * receiver) const
{
    std::string const name = NewName("dialog");
    Record(Call("MakeDialogMethod", {Quote(dialogName), values.AsString().Std()}), name);
    auto * impl = new ScriptedDialog(stage, name, dialogName, values);
    return new modC_DialogMethod(receiver, impl);
}

modC_Method * ScriptedFactory::MakePickMethod(modC_MethodReceiver * receiver) const
{
    std::string const name = NewName("pick");
    Record("MakePickMethod()", name);
    auto * impl = new ScriptedPosition(stage, name);
    auto * pick = new modC_PickMethod(receiver, impl, this);
    impl->SetPickMethod(pick);
    return pick;
}

modC_Method * ScriptedFactory::MakeToggleMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                                cow_1DArray<int> * states) const
{
    cow_1DArray<int> const shown = states ? *states : cow_1DArray<int>();
    auto const at = [&](int i) { return shown.ConstGet(i); };
    auto const show = [](int state) { return std::to_string(state); };
    std::string const name = NewName("toggle");
    Record(Call("MakeToggleMethod",
                {LabelList(labels, count), Int(count), states ? List(shown.Length(), at, show) : "null"}),
           name);
    auto * impl = new ScriptedToggle(stage, name, labels, shown, count);
    return new modC_ToggleMethod(receiver, impl);
}

modC_Method * ScriptedFactory::MakeComboMethod(modC_MethodReceiver * receiver, cow_List<cow_String> const & entries,
                                               int defaultEntry) const
{
    std::string const name = NewName("combo");
    auto const at = [&](int i) { return entries.ConstGet(i); };
    Record(Call("MakeComboMethod", {List(entries.Size(), at, Str), Int(defaultEntry)}), name);
    auto * impl = new ScriptedCombo(stage, name, entries, defaultEntry);
    return new modC_ComboMethod(receiver, impl);
}

modC_Method * ScriptedFactory::MakeFilterMethod(modC_MethodReceiver * receiver,
                                                omu_PrimDictionary<cow_String> const & filters) const
{
    std::string const name = NewName("filter");
    Record(Call("MakeFilterMethod", {filters.AsString().Std()}), name);
    auto * impl = new ScriptedFilter(stage, name, filters);
    return new modC_FilterMethod(receiver, impl);
}

modC_Method * ScriptedFactory::MakePromptMethod(modC_MethodReceiver * receiver, cow_String const & text) const
{
    std::string const name = NewName("prompt");
    Record(Call("MakePromptMethod", {Str(text)}), name);
    auto * impl = new ScriptedPrompt(stage, name, text);
    return new modC_PromptMethod(receiver, impl);
}

modC_Method * ScriptedFactory::MakeToolsetMethod(modC_MethodReceiver * receiver, cow_String const & toolsetName) const
{
    std::string const name = NewName("toolset");
    Record(Call("MakeToolsetMethod", {Str(toolsetName)}), name);
    auto * impl = new ScriptedToolset(stage, name, toolsetName);
    return new modC_ToolsetMethod(receiver, impl);
}
