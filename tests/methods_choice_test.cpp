// Buttons, toggles, combo box, prompt line, filter list, tool set and dialog,
// each driven through its implementation as a front end would.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ScriptedFactory.h"
#include "modC_ChoiceMethod.h"
#include "modC_ComboMethod.h"
#include "modC_DialogMethod.h"
#include "modC_FilterMethod.h"
#include "modC_PromptMethod.h"
#include "modC_ToggleMethod.h"
#include "modC_ToolsetMethod.h"
#include "omu_PrimBool.h"
#include "support/TestTables.h"

namespace {

using Lines = std::vector<std::string>;

class ChoiceFamilyTest : public testing::Test {
protected:
    template <class M>
    M * Made(modC_Method * made)
    {
        method.reset(made);
        auto * typed = dynamic_cast<M *>(made);
        EXPECT_NE(nullptr, typed);
        return typed;
    }

    ScriptedFactory factory;
    ScriptedReceiver step{factory.Log()};
    std::unique_ptr<modC_Method> method;
};

TEST_F(ChoiceFamilyTest, ChoiceReportsTheZeroBasedIndexAtReportTime)
{
    char first[] = "Yes";
    char const * labels[] = {first, "No", "Cancel"};
    auto * choice = Made<modC_ChoiceMethod>(factory.MakeChoiceMethod(labels, 3, &step, 1, true));
    first[0] = 'X';  // the caller may reuse its labels after the call
    EXPECT_EQ(-1, choice->Value());
    method->Execute();

    std::vector<int> seen;
    step.onReport = [&](std::string const &, modC_Method * m) {
        seen.push_back(static_cast<modC_ChoiceMethod *>(m)->Value());
    };
    ScriptedChoice * buttons = factory.LastChoice();
    EXPECT_EQ((std::vector<std::string>{"Yes", "No", "Cancel"}), buttons->Labels());
    buttons->Select(2);
    buttons->PressLabel("No");
    EXPECT_STREQ("No", buttons->GetLabel());
    method.reset();
    EXPECT_EQ((std::vector<int>{2, 1}), seen);
    EXPECT_EQ((Lines{R"(MakeChoiceMethod(["Yes", "No", "Cancel"], 3, 1, true) -> choice1)", "choice1.Execute()",
                     "step.ValueChanged()", "step.Done()", "choice1 deleted"}),
              factory.Log().Take());
}

TEST_F(ChoiceFamilyTest, ToggleCopiesStatesOnEveryReport)
{
    char const * labels[] = {"Left", "Right"};
    cow_1DArray<int> states(2);
    states.Get(0) = 1;
    auto * toggle = Made<modC_ToggleMethod>(factory.MakeToggleMethod(labels, 2, &step, &states));
    states.Get(1) = 1;  // the factory took its own copy
    EXPECT_EQ(0, toggle->GetToggleState().Length()) << "empty until the first report";
    method->Execute();

    std::vector<std::vector<int>> seen;
    step.onReport = [&](std::string const &, modC_Method * m) {
        seen.push_back(Elements(static_cast<modC_ToggleMethod *>(m)->GetToggleState()));
    };
    ScriptedToggle * toggles = factory.LastToggle();
    EXPECT_STREQ("Right", toggles->Label(1));
    toggles->Confirm();
    toggles->Toggle(1);
    toggles->Toggle(0);
    EXPECT_EQ((std::vector<std::vector<int>>{{1, 0}, {1, 1}, {0, 1}}), seen);
    EXPECT_EQ((Lines{R"(MakeToggleMethod(["Left", "Right"], 2, [1, 0]) -> toggle1)", "toggle1.Execute()",
                     "step.Done()", "step.ValueChanged()", "step.ValueChanged()"}),
              factory.Log().Take());
}

TEST_F(ChoiceFamilyTest, FilterTakesTheStatesShownWhenDone)
{
    omu_PrimDictionary<cow_String> filters;
    filters.Put(omu_PrimBool<2>(true), "Faces");
    auto * filter = Made<modC_FilterMethod>(factory.MakeFilterMethod(&step, filters));
    method->Execute();
    factory.LastFilter()->Check(0, 1);
    filter->Reset(filters);  // the states start afresh, unreported
    factory.LastFilter()->Confirm();
    EXPECT_EQ(0, filter->GetFilterState().Length());
}

TEST_F(ChoiceFamilyTest, ComboWithDefaultHoldsItsSelectionFromTheStart)
{
    cow_List<cow_String> entries;
    entries.Append("first");
    entries.Append("second");
    auto * combo = Made<modC_ComboMethod>(factory.MakeComboMethod(&step, entries, 2));
    EXPECT_EQ(2, combo->Selection());
    EXPECT_STREQ("second", factory.LastCombo()->GetValueAsString().AsCharPtr());
    EXPECT_TRUE(combo->GetValueAsString().IsEmpty()) << "the text is copied by reports only";
    method->Execute();
    factory.LastCombo()->Confirm();
    EXPECT_STREQ("second", combo->GetValueAsString().AsCharPtr());
    EXPECT_EQ(R"(MakeComboMethod(["first", "second"], 2) -> combo1)", factory.Log().Take().front());
}

TEST_F(ChoiceFamilyTest, APromptNeverReportsAndAComboDefaultBeyondTheEntriesFailsTheListCheck)
{
    Made<modC_PromptMethod>(factory.MakePromptMethod(&step, "Select a face"));
    method->Execute();
    ScriptedPrompt * prompt = factory.LastPrompt();
    EXPECT_STREQ("Select a face", prompt->Text().AsCharPtr());
    cow_List<cow_String> entries;
    entries.Append("only");
    ExpectContractChecks("modC_PromptMethod", {
        {[&] { prompt->ReportValueChanged(); }, "0"},
        {[&] { prompt->ReportDone(); }, "0"},
        {[&] { factory.MakeComboMethod(&step, entries, 2); }, "!((!first.HasValue()) || (index >= size))", "cow_List"},
    });
    EXPECT_EQ((Lines{R"(MakePromptMethod("Select a face") -> prompt1)", "prompt1.Execute()",
                     R"(MakeComboMethod(["only"], 2) -> combo1)"}),
              factory.Log().Take());
    EXPECT_EQ((std::vector<std::string>{"prompt1"}), factory.Live()) << "the combo box that failed is not kept";
}

// The test kit refuses to act on a widget the user could not reach, so a
// front end's test cannot pass by pressing what was never shown.
TEST(ScriptedFactory, UserCannotActOnWidgetsThatAreNotShown)
{
    ScriptedFactory factory;
    ScriptedReceiver step(factory.Log());
    char const * labels[] = {"A"};
    std::unique_ptr<modC_Method> choice(factory.MakeChoiceMethod(labels, 1, &step, 0, false));
    EXPECT_THROW(factory.LastChoice()->Press(0), std::logic_error) << "never executed";
    choice->Execute();
    EXPECT_THROW(factory.LastChoice()->Press(1), std::logic_error) << "no such button";
    EXPECT_THROW(factory.LastChoice()->PressLabel("B"), std::logic_error);
    choice->Suspend();
    EXPECT_THROW(factory.LastChoice()->Press(0), std::logic_error) << "hidden";
    choice->Resume();
    choice->Cancel();
    EXPECT_THROW(factory.LastChoice()->Confirm(), std::logic_error) << "removed";
    for (std::string const & line : factory.Log().Take())
        EXPECT_EQ(std::string::npos, line.find("step.")) << "no report reached the step";
}

}  // namespace
