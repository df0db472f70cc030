// The basic step: a procedure assembles it from toggles, a combo box, choice
// buttons or an option list and prompt lines, and the user answers through
// the scripted front end.
#include <gtest/gtest.h>

#include <algorithm>

#include "AssertCapture.h"
#include "ScriptedFactory.h"
#include "Session.h"
#include "modC_BasicStep.h"

namespace {

struct BasicSession : Session {
    BasicSession() : Session("PartCreate"), factory(log)
    {
        strategy.SetFactory(&factory);
        Installed();
    }

    // A new basic step of this session's procedure; the step stack owns it once executed.
    modC_BasicStep & NewBasic(int seq = 0)
    {
        made.push_back(std::make_unique<modC_BasicStep>(procedure.get(), seq));
        return *made.back();
    }
    // The procedure executes `step`; the lines the step itself caused.
    Lines Run(modC_BasicStep & step)
    {
        procedure->Execute(step);
        auto held = std::find_if(made.begin(), made.end(), [&](auto const & s) { return s.get() == &step; });
        if (held != made.end()) {
            held->release();  // the step stack owns it now
            made.erase(held);
        }
        return StepLines();
    }
    // The transcript without the back-button state the procedure sets for every step.
    Lines StepLines()
    {
        Lines lines = log.Take();
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](std::string const & l) {
                                       return l.rfind("SetBackupAvailable(", 0) == 0 ||
                                              l.rfind("SetStepFlag(", 0) == 0;
                                   }),
                    lines.end());
        return lines;
    }

    ScriptedFactory factory;
    std::vector<std::unique_ptr<modC_BasicStep>> made;
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
    Lines const lines = s.StepLines();
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

TEST(BasicStep, ALineOfThePromptEndsTheStepWithoutChangingAnAnswer)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.AddComboMethod("c", 3, 2);
    step.AddChoiceMethod("b", 2, 0, false, true);
    step.AddPromptMethod("Choose", 1);
    s.Run(step);
    s.factory.LastCombo()->Choose(3);
    s.factory.LastChoice()->Select(1);
    s.log.Take();
    step.Done(s.factory.LastPrompt()->Method());
    EXPECT_EQ(3, step.GetComboChoice());
    EXPECT_EQ(2, step.GetChoiceValue());
    EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back());

    // Finished from a prompt option without any method: nothing changes either.
    s.procedure->Repeat();
    s.log.Take();
    step.Done(nullptr);
    EXPECT_EQ(3, step.GetComboChoice());
    EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back());
}

TEST(BasicStep, ANoneChoiceIsZeroAndANullValueReportIsIgnored)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.AddChoiceMethod("b", 2, 2, false, true);
    s.Run(step);
    step.ValueChanged(nullptr);
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ(2, step.GetChoiceValue());
    s.factory.LastChoice()->Confirm();  // confirmed while nothing is selected
    EXPECT_EQ(0, step.GetChoiceValue());
}

TEST(BasicStep, CancelReportsNothingAndKeepsTheAnswersGivenSoFar)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.AddComboMethod("c", 3, 1);
    step.AddToggleMethod("t", 2, true);
    s.Run(step);
    s.factory.LastCombo()->Choose(2);
    s.factory.LastToggle()->Toggle(0);
    s.log.Take();
    step.Cancel();
    EXPECT_EQ((Lines{"toggle1.Cancel()", "toggle1 deleted", "combo1.Cancel()", "combo1 deleted"}), s.log.Take());
    EXPECT_EQ(2, step.GetComboChoice());
    EXPECT_FALSE(step.GetToggleState(0));
    EXPECT_TRUE(step.GetToggleState(1));
    step.Cancel();  // again, and before anything runs: harmless
    s.NewBasic().Cancel();
    EXPECT_TRUE(s.log.Take().empty());
}

TEST(BasicStep, SuspendHidesTheLastAddedFirstAndResumeShowsTheFirstAddedFirst)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.AddChoiceMethod("b", 2, 0, false, true);
    step.AddPromptMethod("p", 2);
    step.AddToggleMethod("t", 1, false);
    s.Run(step);
    s.procedure->Suspend();
    EXPECT_EQ((Lines{"SuspendHook(step)", "toggle1.Suspend()", "prompt2.Suspend()", "prompt1.Suspend()",
                     "choice1.Suspend()"}),
              s.log.Take());
    s.procedure->Resume();
    EXPECT_EQ((Lines{"ResumeHook(step)", "choice1.Resume()", "prompt1.Resume()", "prompt2.Resume()",
                     "toggle1.Resume()"}),
              s.StepLines());
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
}

// A step combining a basic step with a frame of its own: the frame receives
// the methods' reports and is what a prompt change hides and shows.
class FramedStep : public modC_BasicStep {
public:
    FramedStep(modC_Procedure const * procedure, modC_Step & frame) : modC_Step(5), modC_BasicStep(procedure, 5)
    {
        _thisStep = &frame;
    }
};

TEST(BasicStep, ACombiningClassChoosesTheStepThatReceivesTheMethods)
{
    BasicSession s;
    ScriptedStep frame("frame", s.log);
    FramedStep step(s.procedure.get(), frame);
    step.AddPromptMethod("p", 1);
    step.Execute(&s.factory, s.procedure.get());
    EXPECT_EQ(5, step.Seq());
    EXPECT_EQ(&frame, s.factory.LastPrompt()->Method()->Receiver());
    s.log.Take();
    step.SetPromptString("q", 0);
    EXPECT_EQ((Lines{"frame.Suspend", "prompt1.Cancel()", "prompt1 deleted", R"(MakePromptMethod("q") -> prompt2)",
                     "prompt2.Execute()", "prompt2.Suspend()", "frame.Resume"}),
              s.log.Take());
    EXPECT_EQ(&frame, s.factory.LastPrompt()->Method()->Receiver());
    step.Cancel();
    s.log.Take();
}

TEST(BasicStep, AddingTwiceIsIgnoredAndDefaultsBelowOneMeanNone)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.AddToggleMethod("t", 1, true);
    step.AddToggleMethod("t", 3, false);
    step.AddChoiceMethod("b", 3, -5, false, true);
    step.AddChoiceMethod("b", 1, 1, true, false);
    step.AddComboMethod("c", 2, -1);
    step.AddComboMethod("c", 5, 5);
    step.AddPromptMethod("p", 1);
    step.AddPromptMethod("q", 3);
    EXPECT_EQ(0, step.GetChoiceValue());
    EXPECT_EQ(0, step.GetComboChoice());
    EXPECT_FALSE(step.GetToggleState(1));
    Lines const lines = s.Run(step);
    EXPECT_EQ(8u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("], 1, [1]) -> toggle1"));
    EXPECT_NE(std::string::npos, lines[2].find("], 3, 0, false) -> choice1"));
    EXPECT_NE(std::string::npos, lines[4].find("comboLine2.labelString\"], 0) -> combo1"));
    EXPECT_EQ(R"(MakePromptMethod("p") -> prompt1)", lines[6]);
}

TEST(BasicStep, DefaultToggleStatesChangeOnlyBeforeTheToggleIsShown)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.SetDefToggleState(0, true);  // no toggles yet
    EXPECT_FALSE(step.GetToggleState(0));
    step.AddToggleMethod("t", 3, false);
    step.SetDefToggleState(2, true);
    step.SetDefToggleState(3, true);
    step.SetDefToggleState(-1, true);
    EXPECT_FALSE(step.GetToggleState(-1));
    EXPECT_FALSE(step.GetToggleState(3));
    EXPECT_NE(std::string::npos, s.Run(step)[0].find("], 3, [0, 0, 1]) -> toggle1"));
    step.SetDefToggleState(0, true);
    EXPECT_FALSE(step.GetToggleState(0)) << "ignored while the toggles are shown";
    step.Cancel();
    step.SetDefToggleState(0, true);
    EXPECT_TRUE(step.GetToggleState(0));
}

TEST(BasicStep, OwnsItsLiveMethodsOnly)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    modC_BasicStep & other = s.NewBasic();
    step.AddToggleMethod("t", 1, false);
    step.AddComboMethod("c", 1, 0);
    step.AddChoiceMethod("b", 1, 0, false, true);
    step.AddPromptMethod("p", 2);
    other.AddToggleMethod("t", 1, false);
    s.Run(step);
    std::vector<modC_Method *> methods = {s.factory.LastToggle()->Method(), s.factory.LastCombo()->Method(),
                                          s.factory.LastChoice()->Method(), s.factory.LastPrompt()->Method(),
                                          s.factory.Find<ScriptedPrompt>("prompt1")->Method()};
    for (modC_Method * method : methods)
        EXPECT_TRUE(step.OwnsMethod(method));
    EXPECT_FALSE(step.OwnsMethod(nullptr));
    s.Run(other);
    EXPECT_FALSE(step.OwnsMethod(s.factory.LastToggle()->Method()));
    EXPECT_TRUE(other.OwnsMethod(s.factory.LastToggle()->Method()));
}

TEST(BasicStep, DestroyingTheProcedureRemovesTheLiveMethodsOnce)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    step.AddComboMethod("c", 1, 0);
    step.AddPromptMethod("p", 1);
    s.Run(step);
    s.procedure.reset();
    EXPECT_EQ((Lines{"prompt1.Cancel()", "prompt1 deleted", "combo1.Cancel()", "combo1 deleted"}), s.log.Take());
}

TEST(BasicStep, MisuseFailsItsContractCheck)
{
    BasicSession s;
    modC_BasicStep & step = s.NewBasic();
    EXPECT_ASSERTION(step.AddToggleMethod("t", 0, false), "ntoggles > 0", "modC_BasicStep");
    EXPECT_ASSERTION(step.AddComboMethod("c", 0, 0), "nEntries > 0 && defChoice <= nEntries", "modC_BasicStep");
    EXPECT_ASSERTION(step.AddComboMethod("c", 2, 3), "nEntries > 0 && defChoice <= nEntries", "modC_BasicStep");
    EXPECT_ASSERTION(step.AddChoiceMethod("b", 3, 4, false, true), "nButtons > 0 && defChoice <= nButtons",
                     "modC_BasicStep");
    EXPECT_ASSERTION(step.AddPromptMethod("p", 0), "nStrings > 0", "modC_BasicStep");
    EXPECT_ASSERTION(step.setToggleLabel(0, "x"), "num < _toggleState->Size() && num >=0", "modC_BasicStep");
    EXPECT_ASSERTION(step.setChoiceLabel(0, "x"), "num < _nChoiceButtons && num >=0", "modC_BasicStep");
    step.SetComboString(0, "ignored before the combo exists");

    step.AddChoiceMethod("b", 3, 3, false, true);  // the last button may be the default
    step.AddToggleMethod("t", 2, false);
    step.AddComboMethod("c", 2, 2);
    step.AddPromptMethod("p", 2);
    EXPECT_ASSERTION(step.setToggleLabel(2, "x"), "num < _toggleState->Size() && num >=0", "modC_BasicStep");
    EXPECT_ASSERTION(step.setToggleLabel(-1, "x"), "num < _toggleState->Size() && num >=0", "modC_BasicStep");
    EXPECT_ASSERTION(step.setChoiceLabel(3, "x"), "num < _nChoiceButtons && num >=0", "modC_BasicStep");
    EXPECT_ASSERTION(step.SetComboString(2, "x"), "num >= 0 && num < _comboStringList->Size()", "modC_BasicStep");
    EXPECT_ASSERTION(step.SetPromptString("x", -1), "num >=0 && num < _promptStringList->Size()", "modC_BasicStep");
    EXPECT_EQ(3, step.GetChoiceValue());

    // Without a factory the first method to make fails its precondition.
    EXPECT_ASSERTION(step.Execute(nullptr, nullptr),
                     "_choiceStringPtrs != 0 && _factory != 0 &&_choiceMethod == 0", "modC_BasicStep");
    modC_BasicStep & toggles = s.NewBasic();
    toggles.AddToggleMethod("t", 1, false);
    EXPECT_ASSERTION(toggles.Execute(nullptr, nullptr),
                     "_factory && _toggleState && _toggleStringPtrs && !_toggleMethod", "modC_BasicStep");
    modC_BasicStep & combo = s.NewBasic();
    combo.AddComboMethod("c", 1, 0);
    EXPECT_ASSERTION(combo.Execute(nullptr, nullptr), "_comboStringList != 0 && _factory != 0 && _comboMethod == 0",
                     "modC_BasicStep");
    modC_BasicStep & prompts = s.NewBasic();
    prompts.AddPromptMethod("p", 1);
    EXPECT_ASSERTION(prompts.Execute(nullptr, nullptr),
                     "_promptStringList != 0 && _factory != 0 &&_promptMethod == 0", "modC_BasicStep");
}

}  // namespace
