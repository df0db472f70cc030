// Steps that pick one of a fixed set of alternatives (the option and radio
// steps, the rotating option step choosing an extrusion's end condition) and
// steps that offer commands or tools rather than a value (the choice menu, the
// tool box: a dialog that stays open beside a "Done" button, the toolset).
#include <gtest/gtest.h>

#include <functional>

#include "StepSession.h"
#include "modC_ChoiceMenuStep.h"
#include "modC_DialogMethod.h"
#include "modC_OptionStep.h"
#include "modC_RadioStep.h"
#include "modC_RotatingOptionStep.h"
#include "modC_ToolBoxStep.h"
#include "modC_ToolsetStep.h"
#include "support/TestTables.h"

namespace {

struct ChoiceSession : StepSession {
    explicit ChoiceSession(char const * modeName = "M") : StepSession(modeName) {}
    ScriptedChoice & Options() { return *factory.Find<ScriptedChoice>("option1"); }
};

// A front end whose factory cannot make some kinds of method.
struct FailingFactory : ScriptedFactory {
    using ScriptedFactory::ScriptedFactory;
    modC_Method * MakeMenuChoiceMethod(char const **, int, modC_MethodReceiver *) const override { return nullptr; }
    modC_Method * MakeChoiceMethod(char const **, int, modC_MethodReceiver *, int, bool) const override
    {
        return nullptr;
    }
};

omu_PrimTuple Ints(std::initializer_list<int> values)
{
    omu_PrimTuple t;
    for (int v : values)
        t.Put(v);
    return t;
}

// The option list and the radio buttons: moving through them reports nothing,
// the one pressed ends the step and is the next default, and a finish without
// a selection keeps the step's choice.
TEST(OneOfSteps, TheOnePressedEndsTheStepAndIsTheNextDefault)
{
    struct Case {
        std::function<modC_OneOfStep *(modC_Procedure *)> make;
        std::string made, name;
    };
    Case const cases[] = {
        {[](modC_Procedure * p) {
             auto * step = new modC_OptionStep(p, "end", 3, 0, 1);
             step->setOptionLabel(2, "Up to Face");
             return step;
         },
         R"(MakeOptionMethod(["*promptArea.M_end.optionBtn1.labelString", )"
         R"("*promptArea.M_end.optionBtn2.labelString", "Up to Face"], 3, 1) -> option1)",
         "option"},
        {[](modC_Procedure * p) { return new modC_RadioStep(p, "mode", 3, 0, 1); },
         R"(MakeRadioMethod(["*promptArea.M_mode.radioBtn1.labelString", )"
         R"("*promptArea.M_mode.radioBtn2.labelString", "*promptArea.M_mode.radioBtn3.labelString"], 3, 1) -> radio1)",
         "radio"},
    };
    for (Case const & c : cases) {
        SCOPED_TRACE(c.name);
        ChoiceSession s;
        modC_OneOfStep * step = c.make(s.procedure.get());
        EXPECT_EQ(0, step->GetChoice());
        EXPECT_EQ((Lines{c.made, c.name + "1.Execute()"}), s.Run(*step));
        ScriptedChoice & list = *s.factory.LastChoice();
        list.Select(2);
        list.Select(0);
        EXPECT_TRUE(s.log.Take().empty());
        EXPECT_EQ(0, step->GetChoice());
        s.procedure->Suspend();
        s.procedure->Resume();
        list.Press(1);
        EXPECT_EQ((Lines{"SuspendHook(step)", c.name + "1.Suspend()", "ResumeHook(step)", c.name + "1.Resume()",
                         "SetBackupAvailable(0)", c.name + "1.Cancel()", c.name + "1 deleted",
                         "StepTerminatedHook(step)"}),
                  s.log.Take());
        EXPECT_EQ(1, step->GetChoice());
        EXPECT_EQ(2, step->GetDefChoice());
        s.procedure->Repeat();
        EXPECT_NE(std::string::npos, s.log.Take()[1].find("], 3, 2) -> " + c.name + "2"));

        // Finished while the list reports "none", or by a prompt option: the choice stays.
        s.factory.LastChoice()->Confirm();
        EXPECT_EQ(1, step->GetChoice());
        s.procedure->Repeat();
        step->Done(nullptr);
        EXPECT_EQ(2, step->GetDefChoice());
        EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back());
        step->Done(nullptr);
        EXPECT_TRUE(s.log.Take().empty()) << "nothing shown, nothing to finish";
    }
}

struct ExtrudeSession : ChoiceSession {
    ExtrudeSession() : ChoiceSession("Extrude") {}

    // Through All with a "Done" button, Specific Depth with a depth keyin, Up
    // to Face with a face pick.
    modC_RotatingOptionStep & Make(int defChoice)
    {
        modC_MethodTypeEnm types[] = {modC_CHOICE_METHOD, modC_INTEGER_METHOD, modC_PICK_METHOD};
        step = new modC_RotatingOptionStep(procedure.get(), "end", 3, types, 0, defChoice);
        return *step;
    }
    modC_RotatingOptionStep * step = nullptr;
};

TEST(RotatingOptionStep, TheExtrudeScenarioRotatesFromTheDepthKeyinToTheFacePick)
{
    ExtrudeSession s;
    EXPECT_EQ((Lines{R"(MakeOptionMethod(["Through All", "Specific Depth", "Up to Face"], 3, 2) -> option1)",
                     "option1.Execute()", R"(MakePromptMethod("") -> prompt1)",
                     R"(MakeChoiceMethod(["Done"], 1, 1, false) -> choice1)", R"(MakePromptMethod("") -> prompt2)",
                     "MakeIntegerMethod(0, 0, 99999, true, true, false, null, 20) -> integer1",
                     R"(MakePromptMethod("Select a face to extrude to") -> prompt3)", "MakePickMethod() -> pick1",
                     "prompt2.Execute()", "integer1.Execute()"}),
              s.Run(s.Make(2)));

    s.Options().Select(2);
    EXPECT_EQ((Lines{"prompt2.Cancel()", "integer1.Cancel()", "prompt3.Execute()", "pick1.Execute()"}),
              s.log.Take());
    EXPECT_EQ(2, s.step->GetChoice());
    s.procedure->Suspend();
    s.procedure->Resume();
    EXPECT_EQ((Lines{"SuspendHook(step)", "option1.Suspend()", "prompt3.Suspend()", "pick1.Suspend()",
                     "ResumeHook(step)", "option1.Resume()", "prompt3.Resume()", "pick1.Resume()",
                     "SetBackupAvailable(0)"}),
              s.log.Take());

    s.factory.LastPosition()->Click(12.5f, -3.25f);
    EXPECT_EQ((Lines{"option1.Cancel()", "option1 deleted", "prompt3.Cancel()", "pick1.Cancel()", "choice1 deleted",
                     "integer1 deleted", "pick1 deleted", "prompt1 deleted", "prompt2 deleted", "prompt3 deleted",
                     "StepTerminatedHook(step)"}),
              s.log.Take());
    EXPECT_EQ(3, s.step->GetDefChoice());
    EXPECT_EQ(12.5, s.step->GetPickX());
    EXPECT_EQ(-3.25, s.step->GetPickY());
    EXPECT_EQ(0, s.step->GetDepth());
}

TEST(RotatingOptionStep, TheDoneButtonOptionEndsTheStepLeavingDepthAndPickAlone)
{
    ExtrudeSession s;
    s.Run(s.Make(0));
    s.Options().ReportValueChanged();  // without a default no option runs; the list reports "none"
    EXPECT_TRUE(s.log.Take().empty());
    s.Options().Select(1);
    s.Options().Select(0);
    EXPECT_EQ((Lines{"prompt2.Execute()", "integer1.Execute()", "prompt2.Cancel()", "integer1.Cancel()",
                     "prompt1.Execute()", "choice1.Execute()"}),
              s.log.Take());
    s.factory.Find<ScriptedChoice>("choice1")->PressLabel("Done");
    EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back());
    EXPECT_EQ(1, s.step->GetDefChoice());
    EXPECT_EQ(0, s.step->GetDepth());
    EXPECT_EQ(0.0, s.step->GetPickX());
    EXPECT_EQ(0.0, s.step->GetPickY());
}

TEST(ChoiceMenuStep, PickingAnEntryEndsTheStepWithItsIndex)
{
    ChoiceSession s;
    auto * menu = new modC_ChoiceMenuStep(s.procedure.get(), 3, "view", 0);
    menu->setChoiceLabel(2, "Isometric");
    EXPECT_EQ(-1, menu->GetChoice());
    EXPECT_EQ((Lines{R"(MakeMenuChoiceMethod(["*promptArea.M_view.btn1.labelString", )"
                     R"("*promptArea.M_view.btn2.labelString", "Isometric"], 3) -> menuChoice1)",
                     "menuChoice1.Execute()"}),
              s.Run(*menu));
    s.factory.LastChoice()->Select(1);
    EXPECT_TRUE(s.log.Take().empty()) << "moving through the menu reports nothing";
    EXPECT_EQ(-1, menu->GetChoice());
    s.factory.LastChoice()->PressLabel("Isometric");
    EXPECT_EQ((Lines{"menuChoice1.Cancel()", "menuChoice1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(2, menu->GetChoice());
    menu->Done(nullptr);  // from outside while no menu is shown: nothing to finish
    EXPECT_TRUE(s.log.Take().empty());
}

// A tool box that reacts to each completion of its dialog.
class Tools : public modC_ToolBoxStep {
public:
    Tools(modC_Procedure * procedure, CallLog & log, omu_PrimTuple const & values)
        : modC_ToolBoxStep(procedure, "modG_Tools", "sweep", values, 0), log(log)
    {
    }
    void DialogChanged(modC_DialogMethod * dialog) override
    {
        log.Add("DialogChanged" + dialog->Values().AsString().Std());
    }

private:
    CallLog & log;
};

TEST(ToolBoxStep, TheDialogStaysOpenThroughItsCompletionsUntilDoneIsPressed)
{
    ChoiceSession s;
    auto * tools = new Tools(s.procedure.get(), s.log, Ints({1}));
    EXPECT_EQ((Lines{R"(MakeDialogMethod("modG_Tools", (1)) -> dialog1)", "dialog1.Execute()",
                     R"(MakeChoiceMethod(["Done"], 1, 1, false) -> choice1)", "choice1.Execute()"}),
              s.Run(*tools));
    EXPECT_STREQ("sweep", tools->ToolName());
    s.factory.LastDialog()->Finish(Ints({2}));
    s.factory.LastDialog()->Finish(Ints({3}));
    s.factory.LastDialog()->Finish(Ints({4}));
    EXPECT_EQ((Lines{"DialogChanged(2)", "DialogChanged(3)", "DialogChanged(4)"}), s.log.Take());
    EXPECT_TRUE(s.factory.LastDialog()->IsShown());

    s.factory.LastChoice()->Confirm();
    EXPECT_EQ((Lines{"choice1.Cancel()", "choice1 deleted", "dialog1.Cancel()", "dialog1 deleted",
                     "StepTerminatedHook(dialog:modG_Tools)"}),
              s.log.Take());
    EXPECT_TRUE(tools->GetValues() == Ints({4}));
    EXPECT_TRUE(s.factory.Live().empty());
}

TEST(ChoiceSteps, MisuseFailsItsContractCheck)
{
    ChoiceSession unnamed(""), s;
    FailingFactory failing(s.log);
    modC_ChoiceMenuStep menu(s.procedure.get(), 2, "view", 0);
    modC_ToolBoxStep tools(s.procedure.get(), "modG_Tools", "sweep", 0);
    modC_ToolBoxStep noButton(s.procedure.get(), "modG_Tools", "sweep", 0);
    modC_OptionStep step(s.procedure.get(), "end", 2, 0, 1);
    modC_MethodTypeEnm types[] = {modC_CHOICE_METHOD, modC_INTEGER_METHOD, modC_PICK_METHOD, modC_PICK_METHOD};
    modC_MethodTypeEnm wrong[] = {modC_CHOICE_METHOD, static_cast<modC_MethodTypeEnm>(3)};
    modC_Procedure * none = unnamed.procedure.get();
    tools.Execute(&s.factory, s.procedure.get());
    ExpectContractChecks("modC_ChoiceMenuStep", {
        {[&] { modC_ChoiceMenuStep(unnamed.procedure.get(), 2, "view", 0); }, "modeName != \"\""},
        {[&] { menu.setChoiceLabel(2, "x"); }, "num < numChoices && num >=0"},
        {[&] { menu.setChoiceLabel(-1, "x"); }, "num < numChoices && num >=0"},
        {[&] { menu.Execute(&failing, s.procedure.get()); }, "method != 0"},
        {[&] { tools.Done(nullptr); }, "0", "modC_ToolBoxStep"},
        {[&] { noButton.Execute(&failing, nullptr); }, "choiceMethod != 0", "modC_ToolBoxStep"},
        {[&] { modC_OptionStep(none, "end", 2, 0, 1); }, "modeName != \"\"", "modC_OptionStep"},
        {[&] { modC_RadioStep(none, "end", 2, 0, 1); }, "modeName != \"\"", "modC_RadioStep"},
        {[&] { step.setOptionLabel(2, "x"); }, "num < numberOptions && num >=0", "modC_OptionStep"},
        {[&] { step.setOptionLabel(-1, "x"); }, "num < numberOptions && num >=0", "modC_OptionStep"},
        {[&] { modC_RotatingOptionStep(none, "end", 3, types, 0, 1); }, "modeName != \"\"",
         "modC_RotatingOptionStep"},
        {[&] { modC_RotatingOptionStep(s.procedure.get(), "end", 4, types, 0, 1); },
         "numberOptions > 0 && numberOptions <= 3", "modC_RotatingOptionStep"},
        {[&] { modC_RotatingOptionStep(s.procedure.get(), "end", 2, wrong, 0, 1); },
         "type == modC_CHOICE_METHOD || type == modC_INTEGER_METHOD || type == modC_PICK_METHOD",
         "modC_RotatingOptionStep"},
    });
}

TEST(ToolsetStep, EitherTheToolsetOrTheDoneButtonEndsTheStepAndBothGo)
{
    ChoiceSession s;
    auto * toolset = new modC_ToolsetStep("sketchTools", 0);
    EXPECT_EQ((Lines{R"(MakeToolsetMethod("sketchTools") -> toolset1)",
                     R"(MakeChoiceMethod(["Done"], 1, 1, false) -> choice1)", "toolset1.Execute()",
                     "choice1.Execute()"}),
              s.Run(*toolset));
    s.factory.LastToolset()->ReportValueChanged();
    EXPECT_TRUE(s.log.Take().empty()) << "a value report of the toolset changes nothing";
    s.factory.LastToolset()->Confirm();
    EXPECT_EQ((Lines{"toolset1.Cancel()", "toolset1 deleted", "choice1.Cancel()", "choice1 deleted",
                     "StepTerminatedHook(step)"}),
              s.log.Take());
    EXPECT_TRUE(s.factory.Live().empty());

    // The Done button goes first on suspend and resume.
    s.procedure->Repeat();
    s.log.Take();
    s.procedure->Suspend();
    s.procedure->Resume();
    s.factory.LastChoice()->Confirm();
    EXPECT_EQ((Lines{"SuspendHook(step)", "choice2.Suspend()", "toolset2.Suspend()", "ResumeHook(step)",
                     "choice2.Resume()", "toolset2.Resume()", "SetBackupAvailable(0)", "toolset2.Cancel()",
                     "toolset2 deleted", "choice2.Cancel()", "choice2 deleted", "StepTerminatedHook(step)"}),
              s.log.Take());
    toolset->Done(nullptr);
    EXPECT_TRUE(s.log.Take().empty()) << "nothing shown, nothing to finish";
}

}  // namespace
