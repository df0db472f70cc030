// Steps that pick one of a fixed set of alternatives: the option and radio
// steps, and the rotating option step choosing an extrusion's end condition.
#include <gtest/gtest.h>

#include <algorithm>

#include "StepSession.h"
#include "modC_OptionStep.h"
#include "modC_RadioStep.h"
#include "modC_RotatingOptionStep.h"
#include "support/TestTables.h"

namespace {

struct OptionSession : StepSession {
    explicit OptionSession(char const * modeName = "M") : StepSession(modeName) {}
    ScriptedChoice & Options() { return *factory.Find<ScriptedChoice>("option1"); }
};

// ---- option and radio steps ----

TEST(OptionStep, MovingThroughTheOptionsReportsNothingAndTheLastChoiceIsTheNextDefault)
{
    OptionSession s;
    auto * step = new modC_OptionStep(s.procedure.get(), "end", 3, 0, 1);
    step->setOptionLabel(2, "Up to Face");
    EXPECT_EQ(0, step->GetChoice());
    EXPECT_EQ((Lines{R"(MakeOptionMethod(["*promptArea.M_end.optionBtn1.labelString", )"
                     R"("*promptArea.M_end.optionBtn2.labelString", "Up to Face"], 3, 1) -> option1)",
                     "option1.Execute()"}),
              s.Run(*step));
    s.Options().Select(2);
    s.Options().Select(1);
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ(1, step->GetChoice());
    EXPECT_EQ(1, step->GetDefChoice());
    s.Options().Press(2);
    EXPECT_EQ((Lines{"option1.Cancel()", "option1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(2, step->GetChoice());
    EXPECT_EQ(3, step->GetDefChoice());
    s.procedure->Repeat();
    EXPECT_NE(std::string::npos, s.log.Take()[1].find("], 3, 3) -> option2"));

    // Finished while the list reports "none", or by a prompt option: the choice stays.
    s.factory.LastChoice()->Confirm();
    EXPECT_EQ(2, step->GetChoice());
    s.procedure->Repeat();
    step->Done(nullptr);
    EXPECT_EQ(3, step->GetDefChoice());
    EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back());
    step->Done(nullptr);
    EXPECT_TRUE(s.log.Take().empty()) << "nothing shown, nothing to finish";
}

TEST(RadioStep, ReportsOnlyWhenDoneAndKeepsTheButtonAsNextDefault)
{
    OptionSession s;
    auto * step = new modC_RadioStep(s.procedure.get(), "mode", 4, 0, 4);
    EXPECT_EQ(3, step->GetChoice());
    EXPECT_EQ(R"(MakeRadioMethod(["*promptArea.M_mode.radioBtn1.labelString", )"
              R"("*promptArea.M_mode.radioBtn2.labelString", "*promptArea.M_mode.radioBtn3.labelString", )"
              R"("*promptArea.M_mode.radioBtn4.labelString"], 4, 4) -> radio1)",
              s.Run(*step)[0]);
    ScriptedChoice & radio = *s.factory.LastChoice();
    radio.Select(0);
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ(0, step->GetChoice());
    s.procedure->Suspend();
    s.procedure->Resume();
    radio.Press(1);
    EXPECT_EQ((Lines{"SuspendHook(step)", "radio1.Suspend()", "ResumeHook(step)", "radio1.Resume()",
                     "SetBackupAvailable(0)", "radio1.Cancel()", "radio1 deleted", "StepTerminatedHook(step)"}),
              s.log.Take());
    EXPECT_EQ(2, step->GetDefChoice());
    s.procedure->Repeat();
    EXPECT_NE(std::string::npos, s.log.Take()[1].find("], 4, 2) -> radio2"));
    step->Done(nullptr);
    EXPECT_EQ(2, step->GetDefChoice()) << "no selection reported: the choice stays";
}

// ---- rotating option step ----

struct ExtrudeSession : OptionSession {
    ExtrudeSession() : OptionSession("Extrude") {}

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
}

TEST(OneOfSteps, MisuseFailsItsContractCheck)
{
    OptionSession unnamed(""), s;
    modC_MethodTypeEnm types[] = {modC_CHOICE_METHOD, modC_INTEGER_METHOD, modC_PICK_METHOD, modC_PICK_METHOD};
    modC_MethodTypeEnm wrong[] = {modC_CHOICE_METHOD, static_cast<modC_MethodTypeEnm>(3)};
    modC_OptionStep step(s.procedure.get(), "end", 2, 0, 1);
    modC_Procedure * none = unnamed.procedure.get();
    ExpectContractChecks("modC_OptionStep", {
        {[&] { modC_OptionStep(none, "end", 2, 0, 1); }, "modeName != \"\""},
        {[&] { modC_RadioStep(none, "end", 2, 0, 1); }, "modeName != \"\"", "modC_RadioStep"},
        {[&] { step.setOptionLabel(2, "x"); }, "num < numberOptions && num >=0"},
        {[&] { step.setOptionLabel(-1, "x"); }, "num < numberOptions && num >=0"},
        {[&] { modC_RotatingOptionStep(none, "end", 3, types, 0, 1); }, "modeName != \"\"",
         "modC_RotatingOptionStep"},
        {[&] { modC_RotatingOptionStep(s.procedure.get(), "end", 4, types, 0, 1); },
         "numberOptions > 0 && numberOptions <= 3", "modC_RotatingOptionStep"},
        {[&] { modC_RotatingOptionStep(s.procedure.get(), "end", 2, wrong, 0, 1); },
         "type == modC_CHOICE_METHOD || type == modC_INTEGER_METHOD || type == modC_PICK_METHOD",
         "modC_RotatingOptionStep"},
    });
}

}  // namespace
