// The combo step: one entry of a list, optionally with pick filters and a
// "Done" button. The filtering executions of all combo steps in a process
// take turns through eight sets of filter words.
#include <gtest/gtest.h>

#include <cstdlib>

#include "StepSession.h"
#include "modC_ComboStep.h"
#include "support/TestTables.h"

namespace {

cow_List<cow_String> Curves()
{
    cow_List<cow_String> entries;
    entries.Append("Line");
    entries.Append("Arc");
    entries.Append("Spline");
    return entries;
}

// How the factory shows the filter dictionary of `words`, every one "on".
std::string Filters(std::vector<std::string> const & words)
{
    std::string shown;
    for (std::string const & word : words)
        shown += (shown.empty() ? "" : ", ") + std::string("true: ") + word;
    return "MakeFilterMethod({" + shown + "})";
}

std::vector<std::vector<std::string>> const filterSets = {
    {"pickFace", "pickCell", "pickSkin", "pickDrag"},
    {"pickEdge", "pickVert", "pickSkin", "pickDrag", "pickFace"},
    {"pickSkin", "pickVisible", "pickExterior"},
    {"pickFace", "pickCell", "pickLine", "pickShell", "pickSolid", "pickEdge", "pickVert", "pickSkin", "pickVisible",
     "pickExterior", "pickInterior", "pickIP", "pickDrag"},
    {"pickCell", "pickLine", "pickSolid", "pickVert", "pickSkin", "pickVisible", "pickInterior", "pickIP"},
    {"pickFace", "pickShell", "pickEdge", "pickExterior", "pickDrag"},
    {"pickFace", "pickCell", "pickLine", "pickShell", "pickVisible", "pickExterior", "pickInterior", "pickIP",
     "pickDrag"},
    {"pickCell", "pickEdge", "pickVisible", "pickExterior"},
};

// The filter set (0-based) that `line` offers; -1 when it offers none of them.
int SetOffered(std::string const & line)
{
    for (std::size_t set = 0; set < filterSets.size(); ++set)
        if (line.rfind(Filters(filterSets[set]) + " -> ", 0) == 0)
            return static_cast<int>(set);
    return -1;
}

// The filter line of one filtering execution of a new combo step.
std::string FilterLine(StepSession & s)
{
    for (std::string const & line : s.Run(*new modC_ComboStep(Curves(), 0, 0, true, false)))
        if (line.rfind("MakeFilterMethod(", 0) == 0)
            return line;
    return "";
}

TEST(ComboStep, FiltersAreAllOfferedInOrderAndTheirStatesKeptWhenDone)
{
    StepSession s("Extrude");
    auto * step = new modC_ComboStep(Curves(), 1, 0, true, true);
    Lines const lines = s.Run(*step);
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ(R"(MakeComboMethod(["Line", "Arc", "Spline"], 1) -> combo1)", lines[0]);
    int const set = SetOffered(lines[1]);
    EXPECT_NE(-1, set) << lines[1];
    EXPECT_EQ((Lines{"filter1.Execute()", R"(MakeChoiceMethod(["Done"], 1, 1, false) -> choice1)",
                     "choice1.Execute()", "combo1.Execute()"}),
              Lines(lines.begin() + 2, lines.end()));

    s.factory.LastFilter()->Check(0, 1);
    s.factory.LastFilter()->Check(2, 1);
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ((std::vector<int>{1, 0, 1}), Elements(step->GetFilterState()));
    s.factory.LastFilter()->Check(0, 0);
    s.factory.LastCombo()->Confirm();
    EXPECT_EQ((Lines{"choice1.Cancel()", "choice1 deleted", "filter1.Cancel()", "filter1 deleted", "combo1.Cancel()",
                     "combo1 deleted", "StepTerminatedHook(step)"}),
              s.log.Take());
    EXPECT_EQ((std::vector<int>{0, 0, 1}), Elements(step->GetFilterState()));
    EXPECT_EQ("Line", step->GetCurrentText().Std());
}

TEST(ComboStep, FilteringExecutionsTakeTurnsThroughTheEightSetsAcrossSteps)
{
    StepSession s("Extrude");
    int const first = SetOffered(FilterLine(s));
    ASSERT_NE(-1, first);
    for (int i = 1; i <= 8; ++i) {
        // A combo step without filters does not take a turn.
        s.Run(*new modC_ComboStep(Curves(), 0, 0, false, true));
        EXPECT_EQ((first + i) % 8, SetOffered(FilterLine(s))) << "execution " << i + 1;
    }
}

TEST(ComboStepDeathTest, TheFirstFilteringExecutionOfAProcessOffersTheFirstSet)
{
    // A fresh process runs the statement, whatever this one has offered already.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            StepSession s("Extrude");
            std::_Exit(SetOffered(FilterLine(s)) == 0 && SetOffered(FilterLine(s)) == 1 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(ComboStep, SuspendResumeAndCancelGoFiltersFirstAndKeepTheRecordedValues)
{
    StepSession s("Extrude");
    auto * step = new modC_ComboStep(Curves(), 1, 0, true, true);
    s.Run(*step);
    s.factory.LastCombo()->Choose(2);
    s.factory.LastFilter()->Check(1, 1);
    s.procedure->Suspend();
    s.procedure->Resume();
    step->Cancel();
    EXPECT_EQ((Lines{"SuspendHook(step)", "filter1.Suspend()", "combo1.Suspend()", "choice1.Suspend()",
                     "ResumeHook(step)", "filter1.Resume()", "combo1.Resume()", "choice1.Resume()",
                     "SetBackupAvailable(0)", "filter1.Cancel()", "filter1 deleted", "combo1.Cancel()",
                     "combo1 deleted", "choice1.Cancel()", "choice1 deleted"}),
              s.log.Take());
    EXPECT_EQ(2, step->GetDefChoice());
    EXPECT_EQ("Arc", step->GetCurrentText().Std());
    EXPECT_EQ((std::vector<int>{0, 1}), Elements(step->GetFilterState()));
}

struct NoButtonFactory : ScriptedFactory {
    using ScriptedFactory::ScriptedFactory;
    modC_Method * MakeChoiceMethod(char const **, int, modC_MethodReceiver *, int, bool) const override
    {
        return nullptr;
    }
};

TEST(ComboStep, MisuseFailsItsContractCheck)
{
    EXPECT_ASSERTION(modC_ComboStep(Curves(), 4, 0, false, false), "!((!first.HasValue()) || (index >= size))",
                     "cow_List");
    StepSession s("Extrude");
    NoButtonFactory noButton(s.log);
    modC_ComboStep step(Curves(), 0, 0, false, true);
    EXPECT_ASSERTION(step.Execute(&noButton, s.procedure.get()), "choiceMethod != 0", "modC_ComboStep");
}

}  // namespace
