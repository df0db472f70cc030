// The yes/no step with labelled buttons and, without an X display, with
// pictures; and the warning step. The pictures made on a display are tested
// in yesno_pictures_test.
#include <gtest/gtest.h>

#include <fx.h>

#include <string>

#include "StepSession.h"
#include "modC_WarningStep.h"
#include "modC_YesNoStep.h"
#include "support/TestTables.h"

namespace {

struct ChoiceSession : StepSession {
    explicit ChoiceSession(char const * modeName = "Extrude") : StepSession(modeName) {}
    ScriptedChoice & Buttons() { return *factory.LastChoice(); }
};

std::string const yesNoLabels =
    "[\"*promptArea.Extrude_confirm.btn1.labelString\", \"*promptArea.Extrude_confirm.btn2.labelString\"]";

// A front end whose buttons come out as prompt lines, or not at all.
class NoButtonsFactory : public ScriptedFactory {
public:
    using ScriptedFactory::ScriptedFactory;
    modC_Method * MakeChoiceMethod(char const **, int, modC_MethodReceiver * receiver, int, bool) const override
    {
        return MakePromptMethod(receiver, "no buttons");
    }
    modC_Method * MakeImageChoiceMethod(unsigned long *, int, modC_MethodReceiver *, int, bool) const override
    {
        return nullptr;
    }
};

TEST(YesNoStep, ButtonsAreLabelledByResourceKeysAndThePressedOneIsReported)
{
    ChoiceSession s;
    ScriptedProcedure & p = *s.procedure;
    auto * step = new modC_YesNoStep(&p, "confirm", 2, 8, modC_Button1, true);
    step->setPrompt("Delete the faces?");
    p.Execute(*step);
    EXPECT_EQ((Lines{"SetPrompt(\"Delete the faces?\")", "SetBackupAvailable(0)", "SetStepFlag(false)",
                     "MakeChoiceMethod(" + yesNoLabels + ", 2, 1, true) -> choice1", "choice1.Execute()"}),
              s.log.Take());
    EXPECT_EQ(-1, step->Choice());

    s.Buttons().Press(1);
    EXPECT_EQ((Lines{"choice1.Cancel()", "choice1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(1, step->Choice());
    EXPECT_EQ(modC_Button2, step->DefaultButton());
    EXPECT_EQ(8, p.CurrentSeq());

    // The button pressed last is the default of the next execution.
    p.Repeat();
    EXPECT_EQ((Lines{"SetPrompt(\"Delete the faces?\")", "SetBackupAvailable(0)",
                     "MakeChoiceMethod(" + yesNoLabels + ", 2, 2, true) -> choice2", "choice2.Execute()"}),
              s.log.Take());

    // A report of no button leaves no default rather than an invalid one.
    s.Buttons().ReportDone();
    EXPECT_EQ(-1, step->Choice());
    EXPECT_EQ(modC_NoDefaultButton, step->DefaultButton());
    s.log.Take();
    p.Repeat();
    EXPECT_EQ("MakeChoiceMethod(" + yesNoLabels + ", 2, -1, true) -> choice3", s.log.Take().at(2));
}

TEST(YesNoStep, ASelectionIsReportedAsAValueChangeAndBecomesTheDefault)
{
    ChoiceSession s;
    ScriptedProcedure & p = *s.procedure;
    auto * step = new modC_YesNoStep(&p, "side", 3, 0, modC_NoDefaultButton, false);
    p.Execute(*step);
    EXPECT_EQ(R"(MakeChoiceMethod(["*promptArea.Extrude_side.btn1.labelString", )"
              R"("*promptArea.Extrude_side.btn2.labelString", "*promptArea.Extrude_side.btn3.labelString"], 3, -1, )"
              R"(false) -> choice1)",
              s.log.Take().at(2));
    s.Buttons().Select(2);
    EXPECT_EQ((Lines{"ValueChangedHook(step)"}), s.log.Take());
    EXPECT_EQ(2, step->Choice());
    EXPECT_EQ(modC_Button3, step->DefaultButton());
    EXPECT_EQ((std::vector<std::string>{"choice1"}), s.factory.Live());

    p.Suspend();
    p.Resume();
    EXPECT_EQ((Lines{"SuspendHook(step)", "choice1.Suspend()", "ResumeHook(step)", "choice1.Resume()",
                     "SetBackupAvailable(0)"}),
              s.log.Take());

    // A finish from outside ends the step on the button selected now.
    modC_Procedure::Option2DataCB(&p, nullptr);
    EXPECT_EQ((Lines{"choice1.Cancel()", "choice1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(2, step->Choice());
    modC_Procedure::Option2DataCB(&p, nullptr);
    step->ValueChanged(nullptr);
    step->Cancel();
    step->Suspend();
    step->Resume();
    EXPECT_TRUE(s.log.Take().empty()) << "nothing shown, nothing to do";
    step->SetDefaultButton(modC_Button1);
    step->setButtonLabel(0, "Left");
    p.Repeat();
    EXPECT_EQ(0u, s.log.Take().at(1).find("MakeChoiceMethod([\"Left\", "));
}

TEST(YesNoStep, MisuseFailsItsContractCheck)
{
    ChoiceSession s, unnamed("");
    ScriptedProcedure & p = *s.procedure;
    NoButtonsFactory noButtons(s.log);
    modC_YesNoStep step(&p, "confirm", 2, 0, modC_Button1, false);
    modC_YesNoStep pictured(&p, 1, static_cast<char ***>(nullptr), 0, modC_NoDefaultButton, false);
    char const * const defaultText = "defChoice >=1 && defChoice <= numberButtons || defChoice == -1";
    char const * const newDefaultText = "new_dfb >=1 && new_dfb <= numberButtons || new_dfb == -1";
    auto const button = [](int b) { return static_cast<modC_DefaultButton>(b); };
    ExpectContractChecks("modC_YesNoStep", {
        {[&] { modC_YesNoStep(&p, "confirm", 2, 0, modC_Button3, false); }, defaultText},
        {[&] { modC_YesNoStep(&p, "confirm", 2, 0, button(0), false); }, defaultText},
        {[&] { modC_YesNoStep(&p, 2, static_cast<char ***>(nullptr), 0, button(-2), false); }, defaultText},
        {[&] { modC_YesNoStep(&p, 1, static_cast<char **>(nullptr), 8, 8, 0, modC_Button2, false); }, defaultText},
        {[&] { modC_YesNoStep(&p, "confirm", -2, 0, modC_NoDefaultButton, false); }, "numberButtons >= 0"},
        {[&] { modC_YesNoStep(unnamed.procedure.get(), "confirm", 2, 0, modC_Button1, false); }, "modeName != \"\""},
        {[&] { step.setButtonLabel(2, "x"); }, "num < numberButtons && num >=0"},
        {[&] { step.setButtonLabel(-1, "x"); }, "num < numberButtons && num >=0"},
        {[&] { step.SetDefaultButton(modC_Button3); }, newDefaultText},
        {[&] { step.SetDefaultButton(button(0)); }, newDefaultText},
        {[&] { pictured.setButtonLabel(0, "x"); }, "!pictured"},
        {[&] { step.Execute(&noButtons, &p); }, "method != 0"},
        {[&] { pictured.Execute(&noButtons, &p); }, "method != 0"},
    });
    EXPECT_EQ(modC_Button1, step.DefaultButton());
    EXPECT_EQ((Lines{"MakePromptMethod(\"no buttons\") -> prompt1", "prompt1 deleted"}), s.log.Take())
        << "buttons that are none are not kept";
}

// No FOX application, or one whose display is not open: every picture is 0,
// the mode context's colours are not needed (they are not even set here),
// and the step runs as with labels.
TEST(YesNoStep, WithoutADisplayPicturesAre0AndTheStepStillRuns)
{
    ASSERT_EQ(nullptr, FX::FXApp::instance());
    ChoiceSession s;
    ScriptedProcedure & p = *s.procedure;
    static char const * const dot[] = {"1 1 1 1", ". c #FF0000", "."};
    char ** images[] = {const_cast<char **>(dot), const_cast<char **>(dot), nullptr};
    char bits[] = {0x01};
    char * bitmaps[] = {bits, bits};

    auto * fromXpm = new modC_YesNoStep(&p, 3, images, 0, modC_Button3, true);
    p.Execute(*fromXpm);
    EXPECT_EQ("MakeImageChoiceMethod([0, 0, 0], 3, 3, true) -> imageChoice1", s.log.Take().at(2));
    s.factory.LastChoice()->Press(0);
    EXPECT_EQ((Lines{"imageChoice1.Cancel()", "imageChoice1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(modC_Button1, fromXpm->DefaultButton());

    FX::FXApp app("yesno_step_test", "QELmodC");  // made, but its display is not open
    auto * fromBits = new modC_YesNoStep(&p, 2, bitmaps, 8, 1, 0, modC_NoDefaultButton, false);
    p.Execute(*fromBits);
    EXPECT_EQ("MakeImageChoiceMethod([0, 0], 2, -1, false) -> imageChoice2", s.log.Take().at(2));
    EXPECT_EQ(0u, fromBits->Pixmap(0));
    EXPECT_EQ(0u, fromBits->Pixmap(1));
    EXPECT_EQ(0u, fromBits->Pixmap(2));
    s.procedure.reset();  // the steps go before the application
    EXPECT_EQ((Lines{"imageChoice2.Cancel()", "imageChoice2 deleted"}), s.log.Take());
}

template <class T>
omu_PrimTuple One(T value)
{
    omu_PrimTuple t;
    t.Put(value);
    return t;
}

TEST(WarningStep, ShowsItsFormAndTellsWhetherTheUserConfirmed)
{
    ChoiceSession s;
    ScriptedProcedure & p = *s.procedure;
    auto * warning = new modC_WarningStep(&p, "modG_WarningForm", One("Delete 3 faces?"), 2);
    EXPECT_FALSE(warning->GetOk()) << "the message is not an answer";
    EXPECT_EQ((Lines{"MakeDialogMethod(\"modG_WarningForm\", (\"Delete 3 faces?\")) -> dialog1", "dialog1.Execute()"}),
              s.Run(*warning));
    s.factory.LastDialog()->Finish(One(1));
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted", "StepTerminatedHook(dialog:modG_WarningForm)"}),
              s.log.Take());
    EXPECT_TRUE(warning->GetOk());

    p.Repeat();
    s.factory.LastDialog()->Finish(One(0));
    EXPECT_FALSE(warning->GetOk());
    p.Repeat();
    s.factory.LastDialog()->Change(One(7));
    EXPECT_TRUE(warning->GetOk());
    s.log.Take();
    p.Suspend();
    p.Resume();
    EXPECT_EQ((Lines{"SuspendHook(dialog:modG_WarningForm)", "dialog3.Suspend()",
                     "ResumeHook(dialog:modG_WarningForm)", "dialog3.Resume()", "SetBackupAvailable(0)"}),
              s.log.Take());
    warning->Cancel();  // back to the construction values
    EXPECT_FALSE(warning->GetOk());
    EXPECT_EQ((Lines{"dialog3.Cancel()", "dialog3 deleted"}), s.log.Take());
}

}  // namespace
