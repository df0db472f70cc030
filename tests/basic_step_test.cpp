// The basic step: a procedure assembles it from toggles, a combo box, choice
// buttons or an option list and prompt lines, and the user answers through
// the scripted front end.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "StepSession.h"
#include "modC_BasicStep.h"
#include "support/TestTables.h"

namespace {

struct BasicSession : StepSession {
    BasicSession() : StepSession("PartCreate") {}
    // A new basic step of this session's procedure, for it to run (the step stack owns it then).
    modC_BasicStep & NewBasic() { return *new modC_BasicStep(procedure.get(), 0); }
};

TEST(BasicStep, LabelsAreResourceKeysNumberedOnlyWhereTheKindSaysSo)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.AddToggleMethod("solid", 1, true);
    step.AddChoiceMethod("solid", 3, 2, true, true);
    step.AddComboMethod("solid", 1, 0);
    step.AddPromptMethod("Pick the profile", 1);
    EXPECT_EQ((Lines{R"(MakeToggleMethod(["*promptArea.PartCreate_solid.toggle.labelString"], 1, [1]) -> toggle1)",
                     "toggle1.Execute()",
                     R"(MakeChoiceMethod(["*promptArea.PartCreate_solid.btn1.labelString", )"
                     R"("*promptArea.PartCreate_solid.btn2.labelString", )"
                     R"("*promptArea.PartCreate_solid.btn3.labelString"], 3, 2, true) -> choice1)",
                     "choice1.Execute()",
                     R"(MakeComboMethod(["*promptArea.PartCreate_solid.comboLine1.labelString"], 0) -> combo1)",
                     "combo1.Execute()", R"(MakePromptMethod("Pick the profile") -> prompt1)", "prompt1.Execute()"}),
              s.Run(step));

    // Literal labels replace the keys.
    modC_BasicStep & other = s.NewBasic();
    other.AddPromptMethod("p", 2);
    other.AddToggleMethod("lock", 2, false);
    other.AddChoiceMethod("end", 1, 0, false, false);
    other.AddComboMethod("c", 2, 1);
    other.setToggleLabel(1, "Reverse");
    other.setChoiceLabel(0, "Apply");
    other.SetComboString(0, "Blind");
    EXPECT_EQ((Lines{R"(MakePromptMethod("p.prompt1") -> prompt2)", "prompt2.Execute()",
                     R"(MakePromptMethod("p.prompt2") -> prompt3)", "prompt3.Execute()",
                     R"(MakeToggleMethod(["*promptArea.PartCreate_lock.toggle1.labelString", "Reverse"], 2, )"
                     R"([0, 0]) -> toggle2)",
                     "toggle2.Execute()", R"(MakeOptionMethod(["Apply"], 1, 0) -> option1)", "option1.Execute()",
                     R"(MakeComboMethod(["Blind", "*promptArea.PartCreate_c.comboLine2.labelString"], 1) -> combo2)",
                     "combo2.Execute()"}),
              s.Run(other));
}

TEST(BasicStep, AnswersBecomeTheDefaultsWhenTheUserBacksUpToTheStep)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.AddToggleMethod("t", 2, false);
    step.AddComboMethod("c", 3, 0);
    step.AddChoiceMethod("b", 3, 1, false, true);
    ScriptedStep & next = s.procedure->NewStep("next");
    s.procedure->onTerminated = [&](modC_Step const & done) {
        if (&done == &step)
            s.procedure->Execute(next);
    };
    s.Run(step);
    s.factory.LastToggle()->Toggle(1);
    s.factory.LastCombo()->Choose(3);
    s.factory.LastChoice()->Press(1);
    EXPECT_TRUE(step.GetToggleState(1));
    EXPECT_EQ(3, step.GetComboChoice());
    EXPECT_EQ(2, step.GetChoiceValue());
    s.log.Take();

    s.procedure->Backup();
    Lines const lines = s.log.Take();
    auto const made = [&](std::string const & line) { return std::count(lines.begin(), lines.end(), line); };
    EXPECT_EQ(1, made(R"(MakeToggleMethod(["*promptArea.PartCreate_t.toggle1.labelString", )"
                      R"("*promptArea.PartCreate_t.toggle2.labelString"], 2, [0, 1]) -> toggle2)"));
    EXPECT_EQ(1, made(R"(MakeComboMethod(["*promptArea.PartCreate_c.comboLine1.labelString", )"
                      R"("*promptArea.PartCreate_c.comboLine2.labelString", )"
                      R"("*promptArea.PartCreate_c.comboLine3.labelString"], 3) -> combo2)"));
    EXPECT_EQ(1, made(R"(MakeChoiceMethod(["*promptArea.PartCreate_b.btn1.labelString", )"
                      R"("*promptArea.PartCreate_b.btn2.labelString", )"
                      R"("*promptArea.PartCreate_b.btn3.labelString"], 3, 2, false) -> choice2)"));
    EXPECT_LT(std::find(lines.begin(), lines.end(), "next.Cancel"),
              std::find(lines.begin(), lines.end(), "toggle2.Execute()"));
}

TEST(BasicStep, ValueChangesAreReportedAndAnyFinishingMethodEndsTheWholeStep)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.AddToggleMethod("t", 1, false);
    step.AddComboMethod("c", 2, 0);
    step.AddChoiceMethod("b", 2, 0, false, false);
    step.AddPromptMethod("Choose", 1);
    s.Run(step);
    s.factory.LastToggle()->Toggle(0);
    s.factory.LastCombo()->Choose(2);
    s.factory.LastChoice()->Select(0);
    step.ValueChanged(nullptr);  // ignored
    EXPECT_EQ((Lines{"ValueChangedHook(step)", "ValueChangedHook(step)", "ValueChangedHook(step)"}), s.log.Take());
    EXPECT_TRUE(step.GetToggleState(0));
    EXPECT_EQ(2, step.GetComboChoice());
    EXPECT_EQ(1, step.GetChoiceValue());

    // The user finishes with the toggles: every method goes, the last added first.
    s.factory.LastToggle()->Confirm();
    EXPECT_EQ((Lines{"prompt1.Cancel()", "prompt1 deleted", "option1.Cancel()", "option1 deleted", "combo1.Cancel()",
                     "combo1 deleted", "toggle1.Cancel()", "toggle1 deleted", "StepTerminatedHook(step)"}),
              s.log.Take());
    EXPECT_TRUE(s.factory.Live().empty());
}

TEST(BasicStep, APromptStringChangedWhileExecutingReplacesItsLineOnly)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.SetPromptString("ignored before the prompt lines exist", 0);
    step.AddPromptMethod("p", 2);
    step.AddToggleMethod("t", 1, false);
    step.SetPromptString("First line", 0);  // not executing: only remembered
    EXPECT_EQ(R"(MakePromptMethod("First line") -> prompt1)", s.Run(step)[0]);

    step.SetPromptString("First line", 0);
    EXPECT_TRUE(s.log.Take().empty()) << "the line already shows that text";

    step.SetPromptString("Second line, new", 1);
    EXPECT_EQ((Lines{"toggle1.Suspend()", "prompt2.Suspend()", "prompt1.Suspend()", "prompt2.Cancel()",
                     "prompt2 deleted", R"(MakePromptMethod("Second line, new") -> prompt3)", "prompt3.Execute()",
                     "prompt3.Suspend()", "prompt1.Resume()", "prompt3.Resume()", "toggle1.Resume()"}),
              s.log.Take());
    EXPECT_TRUE(step.OwnsMethod(s.factory.LastPrompt()->Method()));

    // Executed again while it runs, it takes its running methods down first.
    step.Execute(&s.factory, s.procedure.get());
    EXPECT_EQ((std::vector<std::string>{"prompt4", "prompt5", "toggle2"}), s.factory.Live());
}

TEST(BasicStep, MisuseFailsItsContractCheck)
{
    BasicSession s;
    modC_BasicStep bare(s.procedure.get(), 0), full(s.procedure.get(), 0);
    bare.SetComboString(0, "ignored before the combo exists");
    full.AddChoiceMethod("b", 3, 3, false, true);  // the last button may be the default
    full.AddToggleMethod("t", 2, false);
    full.AddComboMethod("c", 2, 2);
    full.AddPromptMethod("p", 2);
    // Without a factory the first method to make fails its precondition.
    auto const executedAlone = [&](std::function<void(modC_BasicStep &)> add) {
        modC_BasicStep step(s.procedure.get(), 0);
        add(step);
        step.Execute(nullptr, nullptr);
    };
    ExpectContractChecks("modC_BasicStep", {
        {[&] { bare.AddToggleMethod("t", 0, false); }, "ntoggles > 0"},
        {[&] { bare.AddComboMethod("c", 0, 0); }, "nEntries > 0 && defChoice <= nEntries"},
        {[&] { bare.AddComboMethod("c", 2, 3); }, "nEntries > 0 && defChoice <= nEntries"},
        {[&] { bare.AddChoiceMethod("b", 3, 4, false, true); }, "nButtons > 0 && defChoice <= nButtons"},
        {[&] { bare.AddPromptMethod("p", 0); }, "nStrings > 0"},
        {[&] { bare.setToggleLabel(0, "x"); }, "num < _toggleState->Size() && num >=0"},
        {[&] { bare.setChoiceLabel(0, "x"); }, "num < _nChoiceButtons && num >=0"},
        {[&] { full.setToggleLabel(2, "x"); }, "num < _toggleState->Size() && num >=0"},
        {[&] { full.setToggleLabel(-1, "x"); }, "num < _toggleState->Size() && num >=0"},
        {[&] { full.setChoiceLabel(3, "x"); }, "num < _nChoiceButtons && num >=0"},
        {[&] { full.SetComboString(2, "x"); }, "num >= 0 && num < _comboStringList->Size()"},
        {[&] { full.SetPromptString("x", -1); }, "num >=0 && num < _promptStringList->Size()"},
        {[&] { full.Execute(nullptr, nullptr); }, "_choiceStringPtrs != 0 && _factory != 0 &&_choiceMethod == 0"},
        {[&] { executedAlone([](modC_BasicStep & b) { b.AddToggleMethod("t", 1, false); }); },
         "_factory && _toggleState && _toggleStringPtrs && !_toggleMethod"},
        {[&] { executedAlone([](modC_BasicStep & b) { b.AddComboMethod("c", 1, 0); }); },
         "_comboStringList != 0 && _factory != 0 && _comboMethod == 0"},
        {[&] { executedAlone([](modC_BasicStep & b) { b.AddPromptMethod("p", 1); }); },
         "_promptStringList != 0 && _factory != 0 &&_promptMethod == 0"},
    });
    EXPECT_EQ(3, full.GetChoiceValue());
}

}  // namespace
