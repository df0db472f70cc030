// Steps that offer commands or tools rather than a value: the choice menu,
// the tool box (a dialog that stays open beside a "Done" button) and the
// toolset, each driven through the scripted front end.
#include <gtest/gtest.h>


#include "StepSession.h"
#include "modC_ChoiceMenuStep.h"
#include "modC_DialogMethod.h"
#include "modC_ToolBoxStep.h"
#include "modC_ToolsetStep.h"
#include "support/TestTables.h"

namespace {

struct ChoiceSession : StepSession {
    explicit ChoiceSession(char const * modeName = "M") : StepSession(modeName) {}
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

// ---- choice menu ----

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

// ---- tool box ----

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
    modC_ToolBoxStep tools(s.procedure.get(), "modG_Tools", "sweep", 0), noButton(s.procedure.get(), "modG_Tools", "sweep", 0);
    tools.Execute(&s.factory, s.procedure.get());
    ExpectContractChecks("modC_ChoiceMenuStep", {
        {[&] { modC_ChoiceMenuStep(unnamed.procedure.get(), 2, "view", 0); }, "modeName != \"\""},
        {[&] { menu.setChoiceLabel(2, "x"); }, "num < numChoices && num >=0"},
        {[&] { menu.setChoiceLabel(-1, "x"); }, "num < numChoices && num >=0"},
        {[&] { menu.Execute(&failing, s.procedure.get()); }, "method != 0"},
        {[&] { tools.Done(nullptr); }, "0", "modC_ToolBoxStep"},
        {[&] { noButton.Execute(&failing, nullptr); }, "choiceMethod != 0", "modC_ToolBoxStep"},
    });
}

// ---- toolset ----

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
