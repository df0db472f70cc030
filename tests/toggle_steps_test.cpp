// Steps that switch a set of toggles: alone, beside a text field whose value
// takes the labels of the toggles that are on, and beside a dialog.
#include <gtest/gtest.h>


#include "StepSession.h"
#include "modC_DialogToggleStep.h"
#include "modC_StringToggleStep.h"
#include "modC_ToggleStep.h"
#include "support/TestTables.h"

namespace {

cow_1DArray<int> States(std::initializer_list<int> values)
{
    cow_1DArray<int> states;
    int i = 0;
    for (int v : values)
        states.Get(i++) = v;
    return states;
}

omu_PrimTuple Tuple(int value)
{
    omu_PrimTuple t;
    t.Put(value);
    return t;
}

TEST(ToggleStep, SwitchingReportsNothingAndTheStatesCarryIntoTheNextExecution)
{
    StepSession s("M");
    auto * step = new modC_ToggleStep(s.procedure.get(), "sides", 3, States({1, 0, 0}), 0);
    step->setToggleLabel(1, "Both sides");
    EXPECT_EQ((Lines{R"(MakeToggleMethod(["*promptArea.M_sides.toggleBtn1.labelString", "Both sides", )"
                     R"("*promptArea.M_sides.toggleBtn3.labelString"], 3, [1, 0, 0]) -> toggle1)",
                     "toggle1.Execute()"}),
              s.Run(*step));
    s.factory.LastToggle()->Toggle(1);
    s.factory.LastToggle()->Toggle(0);
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ((std::vector<int>{0, 1, 0}), Elements(step->GetState()));
    s.factory.LastToggle()->Toggle(2);
    s.factory.LastToggle()->Confirm();
    EXPECT_EQ((Lines{"toggle1.Cancel()", "toggle1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    s.procedure->Repeat();
    EXPECT_NE(std::string::npos, s.log.Take()[1].find("], 3, [0, 1, 1]) -> toggle2"));

    // A prompt option finishes the step before the toggles reported: the states stay.
    step->Done(nullptr);
    EXPECT_EQ((Lines{"toggle2.Cancel()", "toggle2 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ((std::vector<int>{0, 1, 1}), Elements(step->GetState()));
    step->Done(nullptr);
    EXPECT_TRUE(s.log.Take().empty()) << "nothing shown, nothing to finish";

    // Suspend, resume and cancel reach the toggles and report nothing; a single switch is kept.
    auto * one = new modC_ToggleStep(s.procedure.get(), "lock", 1, States({0}), 0);
    s.Run(*one);
    one->Suspend();
    one->Resume();
    s.factory.LastToggle()->Toggle(0);
    one->Cancel();
    one->Cancel();
    EXPECT_EQ((Lines{"toggle3.Suspend()", "toggle3.Resume()", "toggle3.Cancel()", "toggle3 deleted"}), s.log.Take());
    EXPECT_EQ((std::vector<int>{1}), Elements(one->GetState()));

    // Executed again while it runs, it takes its running toggles down first.
    s.Run(*one);
    one->Execute(&s.factory, s.procedure.get());
    EXPECT_EQ((Lines{"toggle4.Cancel()", "toggle4 deleted",
                     R"(MakeToggleMethod(["*promptArea.M_lock.toggleBtn1.labelString"], 1, [1]) -> toggle5)",
                     "toggle5.Execute()"}),
              s.log.Take());
}

TEST(StringToggleStep, TheLabelsOfTheTogglesOnAreAppendedToTheText)
{
    StepSession s("M");
    auto * step = new modC_StringToggleStep(s.procedure.get(), "unit", 2, "10", 0);
    step->setToggleLabel(0, "mm");
    step->setToggleLabel(1, "deg");
    // The toggles start off, except the second.
    EXPECT_EQ((Lines{R"(MakeStringMethod("10", 20) -> string1)",
                     R"(MakeToggleMethod(["mm", "deg"], 2, [0, 1]) -> toggle1)", "string1.Execute()",
                     "toggle1.Execute()"}),
              s.Run(*step));
    // The user confirms the text untouched; the toggles never reported.
    s.factory.LastEntry()->Confirm();
    EXPECT_EQ((Lines{"string1.Cancel()", "string1 deleted", "toggle1.Cancel()", "toggle1 deleted",
                     "StepTerminatedHook(step)"}),
              s.log.Take());
    EXPECT_EQ("10deg", step->GetValue().Std());

    s.procedure->Repeat();
    s.factory.LastEntry()->Type("12");
    s.factory.LastToggle()->Toggle(0);
    s.log.Take();
    EXPECT_EQ("12", step->GetValue().Std()) << "edits are taken quietly";
    EXPECT_EQ((std::vector<int>{1, 1}), Elements(step->GetState()));
    s.factory.LastToggle()->Confirm();
    EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back());
    EXPECT_EQ("12mmdeg", step->GetValue().Std());
    EXPECT_EQ("12", step->GetText().Std());
    s.procedure->Repeat();
    Lines const lines = s.log.Take();
    EXPECT_EQ(R"(MakeStringMethod("12mmdeg", 20) -> string3)", lines[1]);
    EXPECT_EQ(R"(MakeToggleMethod(["mm", "deg"], 2, [1, 1]) -> toggle3)", lines[2]);

}

TEST(StringToggleStep, SuspendResumeAndCancelGoToTheFieldFirstAndAForeignReportFails)
{
    StepSession s("M");
    auto * step = new modC_StringToggleStep(s.procedure.get(), "unit", 1, "5", 0);
    s.Run(*step);
    s.factory.LastToggle()->Toggle(0);
    EXPECT_EQ((std::vector<int>{1}), Elements(step->GetState())) << "a single toggle's report is taken";
    step->Suspend();
    step->Resume();
    EXPECT_ASSERTION(step->ValueChanged(nullptr), "_m == method2", "modC_StringToggleStep");
    step->Cancel();
    EXPECT_EQ((Lines{"string1.Suspend()", "toggle1.Suspend()", "string1.Resume()", "toggle1.Resume()",
                     "string1.Cancel()", "string1 deleted", "toggle1.Cancel()", "toggle1 deleted"}),
              s.log.Take());
    step->Done(nullptr);
    EXPECT_TRUE(s.log.Take().empty()) << "nothing shown, nothing to finish";
    EXPECT_EQ("5", step->GetValue().Std());
}

TEST(DialogToggleStep, TogglesRunBesideTheDialogAndOnlyTheDialogsChangesAreReported)
{
    StepSession s("M");
    auto * step = new modC_DialogToggleStep(s.procedure.get(), Tuple(4), "show", "modG_Display", 3, 0);
    EXPECT_EQ((Lines{R"(MakeDialogMethod("modG_Display", (4)) -> dialog1)", "dialog1.Execute()",
                     R"(MakeToggleMethod(["*promptArea.M_show.toggleBtn1.labelString", )"
                     R"("*promptArea.M_show.toggleBtn2.labelString", )"
                     R"("*promptArea.M_show.toggleBtn3.labelString"], 3, [0, 1, 0]) -> toggle1)",
                     "toggle1.Execute()"}),
              s.Run(*step));
    s.factory.LastToggle()->Toggle(2);
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_TRUE(step->GetToggleState(2));
    s.factory.LastDialog()->Change(Tuple(5));
    EXPECT_EQ((Lines{"ValueChangedHook(dialog:modG_Display)"}), s.log.Take());
    EXPECT_TRUE(step->GetValues() == Tuple(5));

    // Done reports change nothing: the step keeps running.
    s.factory.LastDialog()->Finish(Tuple(6));
    s.factory.LastToggle()->Confirm();
    step->Done(nullptr);
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_TRUE(step->GetValues() == Tuple(5));
    EXPECT_EQ((std::vector<std::string>{"dialog1", "toggle1"}), s.factory.Live());
}

TEST(DialogToggleStep, TheDialogGoesFirstOnSuspendResumeAndTheTogglesFirstOnCancel)
{
    StepSession s("M");
    auto * step = new modC_DialogToggleStep(s.procedure.get(), Tuple(1), "show", "modG_Display", 1, 0);
    s.Run(*step);
    EXPECT_FALSE(step->GetToggleState(0)) << "a single toggle starts off";
    s.factory.LastDialog()->Change(Tuple(2));
    s.factory.LastToggle()->Toggle(0);
    s.log.Take();
    s.procedure->Suspend();
    s.procedure->Resume();
    step->Cancel();
    EXPECT_EQ((Lines{"SuspendHook(dialog:modG_Display)", "dialog1.Suspend()", "toggle1.Suspend()",
                     "ResumeHook(dialog:modG_Display)", "dialog1.Resume()", "toggle1.Resume()",
                     "SetBackupAvailable(0)", "toggle1.Cancel()", "toggle1 deleted", "dialog1.Cancel()",
                     "dialog1 deleted"}),
              s.log.Take());
    EXPECT_TRUE(step->GetValues() == Tuple(1)) << "cancelling restores the construction values";
    EXPECT_TRUE(step->GetToggleState(0)) << "the toggles keep their states";

    // Built without values it sends an empty tuple; destruction takes both down.
    EXPECT_EQ(R"(MakeDialogMethod("modG_Display", ()) -> dialog2)",
              s.Run(*new modC_DialogToggleStep(s.procedure.get(), "show", "modG_Display", 2, 0))[0]);
    s.procedure.reset();
    EXPECT_EQ((Lines{"toggle2.Cancel()", "toggle2 deleted", "dialog2.Cancel()", "dialog2 deleted"}), s.log.Take());
}

TEST(ToggleSteps, MisuseFailsItsContractCheck)
{
    StepSession unnamed(""), s("M");
    modC_Procedure * none = unnamed.procedure.get();
    modC_ToggleStep toggles(s.procedure.get(), "sides", 2, States({0, 0}), 0);
    modC_StringToggleStep text(s.procedure.get(), "unit", 2, "5", 0);
    modC_DialogToggleStep dialog(s.procedure.get(), "show", "modG_Display", 2, 0);
    dialog.Execute(&s.factory, s.procedure.get());
    ExpectContractChecks("modC_ToggleStep", {
        {[&] { modC_ToggleStep(none, "sides", 1, States({0}), 0); }, "modeName != \"\""},
        {[&] { toggles.setToggleLabel(2, "x"); }, "num <numberButtons && num >=0"},
        {[&] { toggles.setToggleLabel(-1, "x"); }, "num <numberButtons && num >=0"},
        {[&] { modC_StringToggleStep(none, "u", 1, "", 0); }, "modeName != \"\"", "modC_StringToggleStep"},
        {[&] { text.setToggleLabel(2, "x"); }, "num <numberButtons && num >=0", "modC_StringToggleStep"},
        {[&] { modC_DialogToggleStep(none, "show", "modG_Display", 2, 0); }, "modeName != \"\"",
         "modC_DialogToggleStep"},
        {[&] { dialog.setToggleLabel(2, "x"); }, "num <numberButtons && num >=0", "modC_DialogToggleStep"},
        {[&] { dialog.ValueChanged(nullptr); }, "_m == methodT", "modC_DialogToggleStep"},
    });
}

}  // namespace
