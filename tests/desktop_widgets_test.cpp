// Every widget of the desktop's method factory under real input: each case
// makes a method the way a step does, shows it, and works it with XTest
// events; what reaches the receiver, and the value the step would read,
// must follow.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <functional>

#include "DesktopHarness.h"
#include "SampleText.h"
#include "modC_ChoiceMethod.h"
#include "modC_ComboMethod.h"
#include "modC_DialogMethod.h"
#include "modC_FilterMethod.h"
#include "modC_MethodFactory.h"
#include "modC_MethodReceiver.h"
#include "modC_ScalarMethod.h"
#include "modC_ToggleMethod.h"
#include "omu_PrimBool.h"

namespace {

// A step as far as a method sees it: the reports it gets.
struct Receiver : modC_MethodReceiver {
    void DirectManipulation(DirectManipReason, modC_Method *) override { reports += "M"; }
    void ValueChanged(modC_Method *) override { reports += "V"; }
    void Done(modC_Method *) override { reports += "D"; }
    std::string reports;
};

using Use = std::function<std::vector<Action>(DesktopSession &)>;

struct WidgetCase {
    char const * name;
    std::function<modC_Method *(modC_MethodFactory const &, Receiver &)> make;
    Use use;  // what the user does
    std::string reports;
    std::function<std::string(modC_Method &)> value;  // what the step would read
    std::string expected;
};

// Types what ends in a line end, presses the button showing anything else.
Use Inputs(std::vector<std::string> inputs)
{
    return [inputs](DesktopSession & s) {
        std::vector<Action> actions;
        for (std::string const & input : inputs)
            actions.push_back(input.back() == '\n' ? s.Type(input) : s.Press(input));
        return actions;
    };
}

// The visible widget of class W, showing `text` when given.
template <class W>
W * Shown(DesktopSession & s, std::string const & text = "")
{
    for (FX::FXWindow * w : s.Driver().VisibleWindows())
        if (auto * widget = dynamic_cast<W *>(w)) {
            auto * label = dynamic_cast<FX::FXLabel *>(w);
            auto * caption = dynamic_cast<FX::FXMenuCaption *>(w);
            if (text.empty() || (label ? label->getText() : caption ? caption->getText() : "") == text.c_str())
                return widget;
        }
    return nullptr;
}

// Opens the popup of the visible Opener and clicks at `y` in its Item: the
// pointer first goes there and clicks once the popup saw it come, as a popup
// takes over the pointer from the button that opened it then.
template <class Opener, class Item>
Use Popup(char const * item, std::function<int(FX::FXWindow *)> y)
{
    return [item, y](DesktopSession & s) {
        auto const at = [&s, item, y](bool click) {
            return [&s, item, y, click] {
                FX::FXWindow * w = Shown<Item>(s, item);
                ASSERT_NE(nullptr, w);
                click ? s.Driver().Click(w, 10, y(w)) : s.Driver().Move(w, 10, y(w));
            };
        };
        return std::vector<Action>{[&s] { s.Driver().Press(Shown<Opener>(s)); }, at(false), at(true)};
    };
}

std::string Text(modC_Method & m)
{
    return static_cast<modC_ScalarMethod &>(m).GetStringValue().Std();
}

std::string Choice(modC_Method & m)
{
    return std::to_string(static_cast<modC_ChoiceMethod &>(m).Value());
}

std::string States(cow_1DArray<int> const & states)
{
    std::string text;
    for (int i = 0; i < states.Length(); ++i)
        text += std::to_string(states.ConstGet(i));
    return text;
}

char const * labels[] = {"First", "Second", "Third"};

WidgetCase const cases[] = {
    {"WholeNumberRefusesTooLargeThenTakes",
     [](auto const & f, auto & r) { return f.MakeIntegerMethod(&r, 5, 0, 10, true, true, false, nullptr, 20); },
     Inputs({"12\n", "7\n"}), "VD", Text, "7"},
    {"NumberTakesADecimal",
     [](auto const & f, auto & r) { return f.MakeFloatMethod(&r, 2.5, 0, 10, true, true, false, nullptr, 20); },
     Inputs({"3.25\n"}), "VD", Text, "3.25"},
    {"PointTakesThreeCoordinates",
     [](auto const & f, auto & r) { return f.MakePointMethod(&r, 0, 0, 0, false, -100, 100, true, true, false, false, 20); },
     Inputs({"1 2 x\n", "1 2 3\n"}), "VD", Text, "1, 2, 3"},
    {"ListTakesItsCount",
     [](auto const & f, auto & r) {
         return f.MakeArrayMethod(&r, cow_1DArrayList<double, double>(), 0, 9, true, true, 0, 2, false, false, 20);
     },
     Inputs({"4\n", "4, 5\n"}), "VD", Text, "4, 5"},
    {"TextTakesAnything", [](auto const & f, auto & r) { return f.MakeStringMethod(&r, "old", 20); },
     Inputs({"new text\n"}), "VD", Text, "new text"},
    {"ButtonsReportTheButtonPressed", [](auto const & f, auto & r) { return f.MakeChoiceMethod(labels, 3, &r, 1, false); },
     Inputs({"Second"}), "VD", Choice, "1"},
    {"TitledRowReportsItsButton",
     [](auto const & f, auto & r) { return f.MakeTitledChoiceMethod(labels, 3, &r, "Choose:", 3, 0); },
     Inputs({"Third"}), "VD", Choice, "2"},
    {"RadioButtonsReportTheOnePressedAndOkTakesTheDefault",
     [](auto const & f, auto & r) { return f.MakeRadioMethod(labels, 3, &r, 3); },
     [](DesktopSession & s) { return std::vector<Action>{s.Press("OK", s.Window().Bar().MethodArea())}; }, "VD",
     Choice, "2"},
    {"MenuReportsTheEntryChosen", [](auto const & f, auto & r) { return f.MakeMenuChoiceMethod(labels, 3, &r); },
     Popup<FX::FXMenuButton, FX::FXMenuCommand>("Second", [](FX::FXWindow * w) { return w->getHeight() / 2; }), "VD",
     Choice, "1"},
    {"OptionListReportsTheEntryPicked", [](auto const & f, auto & r) { return f.MakeOptionMethod(labels, 3, &r, 1); },
     // The middle of the third entry.
     Popup<FX::FXListBox, FX::FXList>("", [](FX::FXWindow * w) { return static_cast<FX::FXList *>(w)->getItemHeight(2) * 5 / 2; }),
     "VD", Choice, "2"},
    {"TogglesReportEachFlipAndOkCompletes", [](auto const & f, auto & r) { return f.MakeToggleMethod(labels, 3, &r, nullptr); },
     Inputs({"Second", "Third", "Second", "OK"}), "VVVD",
     [](modC_Method & m) { return States(static_cast<modC_ToggleMethod &>(m).GetToggleState()); }, "001"},
    {"FilterChecksReportAndOkCompletes",
     [](auto const & f, auto & r) {
         omu_PrimDictionary<cow_String> filters;
         filters.Put(omu_PrimInt(1), cow_String("pickFace"));
         filters.Put(omu_PrimInt(2), cow_String("pickEdge"));
         return f.MakeFilterMethod(&r, filters);
     },
     Inputs({"pickEdge", "OK"}), "VD",
     [](modC_Method & m) { return States(static_cast<modC_FilterMethod &>(m).GetFilterState()); }, "01"},
    {"ComboReportsTheEntryPickedAndOkCompletes",
     [](auto const & f, auto & r) {
         cow_List<cow_String> entries;
         for (char const * label : labels)
             entries.Append(cow_String(label));
         return f.MakeComboMethod(&r, entries, 1);
     },
     [](DesktopSession & s) {
         // The wheel over the combo box steps through its entries.
         auto const wheel = [&s] {
             FX::FXComboBox * combo = Shown<FX::FXComboBox>(s);
             ASSERT_NE(nullptr, combo);
             s.Driver().Wheel(combo, 8, combo->getHeight() / 2, false);
         };
         return std::vector<Action>{wheel, wheel, s.Press("OK")};
     },
     "VVD", [](modC_Method & m) { return static_cast<modC_ComboMethod &>(m).GetValueAsString().Std(); }, "Third"},
    // A tool set has no value of its own: its reports are what the step gets.
    {"ToolsetReportsItsToolsAndUse", [](auto const & f, auto & r) { return f.MakeToolsetMethod(&r, cow_String("pickFilter")); },
     Inputs({"Edges", "Use"}), "VD", [](modC_Method &) { return std::string(); }, ""},
    {"DialogFieldsGoBackInTheirTuple",
     [](auto const & f, auto & r) {
         omu_PrimTuple pair, values;
         pair.Put(cow_String("depth"));
         pair.Put(2.0);
         values.Put(pair);
         return f.MakeDialogMethod("sizes", values, &r);
     },
     [](DesktopSession & s) {
         return std::vector<Action>{[&s] {
                                        auto * field = Shown<FX::FXTextField>(s);
                                        ASSERT_NE(nullptr, field);
                                        s.Driver().Click(field, field->getWidth() - 3, field->getHeight() / 2);
                                        s.Driver().Key(XK_BackSpace);
                                        s.Driver().Type("7\n");
                                    },
                                    s.Press("OK")};
     },
     "VD",
     [](modC_Method & m) {
         auto const & pair = static_cast<omu_PrimTuple const &>(static_cast<modC_DialogMethod &>(m).Values().Index(0));
         return sample_text::Number(static_cast<omu_PrimDouble const &>(pair.Index(1)).GetValue());
     },
     "7"},
};

void PrintTo(WidgetCase const & c, std::ostream * os)
{
    *os << c.name;
}

class DesktopWidgets : public ::testing::TestWithParam<WidgetCase> {};

TEST_P(DesktopWidgets, ReportWhatTheUserDid)
{
    REQUIRE_DISPLAY();
    WidgetCase const & c = GetParam();
    DesktopSession s;
    Receiver receiver;
    std::unique_ptr<modC_Method> method;
    std::vector<Action> actions = {[&] {
        method.reset(c.make(*s.Window().Strategy().GetMethodFactory(), receiver));
        method->Execute();
    }};
    for (Action const & a : c.use(s))
        actions.push_back(a);
    actions.push_back(s.Shoot("done"));
    s.Play(actions);
    ASSERT_NE(nullptr, method);
    EXPECT_EQ(c.reports, receiver.reports) << s.Window().Stage().StatusText();
    EXPECT_EQ(c.expected, c.value(*method));
    method->Cancel();
}

INSTANTIATE_TEST_SUITE_P(EveryFactoryOperation, DesktopWidgets, ::testing::ValuesIn(cases),
                         [](auto const & info) { return std::string(info.param.name); });

}  // namespace
