// A hub with its sub-procedure, the hub's built-in messages and the label maps.
#include <gtest/gtest.h>

#include "AssertCapture.h"
#include "ScriptedFactory.h"
#include "ScriptedStrategy.h"
#include "ScriptedStep.h"
#include "modC_SubProcedure.h"
#include "modC_SubProceduresHub.h"
#include "sesC_PickOptions.h"

namespace {

using Lines = std::vector<std::string>;

class Sketch : public modC_SubProcedure {
public:
    explicit Sketch(modC_SubProceduresHub * hub) : modC_SubProcedure(hub, "sketch", "Sketch", false) {}
    void StepTerminatedHook(modC_Step const &) override {}
    void Run(modC_Step * step) { ExecuteStep("point", step, false); }
    void Fail(char const * message) { showStepErrorDialog(message, true, 0); }
    void Finish() { EndMode(); }
    void Drop(bool all) { all ? ClearStepStk() : PopStepStk(); }
};

class Hub : public modC_SubProceduresHub {
public:
    explicit Hub(CallLog & log) : log(log)
    {
        modeName = "Hub";
        SetSubProcedure(new Sketch(this));
    }
    void Start() override {}
    void StepTerminatedHook(modC_Step const &) override { log.Add("Hub.StepTerminatedHook"); }
    Sketch & sketch() { return static_cast<Sketch &>(*SubProcedure()); }
    using modC_Procedure::StepStkDepth;

private:
    CallLog & log;
};

struct HubSession {
    HubSession() : strategy(log), factory(log), hub(log)
    {
        strategy.SetFactory(&factory);
        hub.Install(&strategy, nullptr);
        log.Take();
    }
    CallLog log;
    ScriptedStrategy strategy;
    ScriptedFactory factory;
    Hub hub;
};

TEST(SubProceduresHub, TheSubProceduresStepsRunOnTheHubsStackInAFreshPickContext)
{
    sesC_PickOptions & options = sesC_PickOptions::Instance();
    options.GetPickGC().SetShape(sesC_PickGC::CIRCLE);
    int const before = options.InitializeCount();
    HubSession s;
    EXPECT_EQ(before + 1, options.InitializeCount());
    EXPECT_EQ(sesC_PickGC::NONE, options.GetPickGC().GetShape());

    auto * step = new ScriptedStep("P", s.log);
    s.hub.sketch().Run(step);
    EXPECT_EQ(1, s.hub.StepStkDepth());
    EXPECT_EQ("SetPrompt(\"*promptArea.Hub_point.labelString\")", s.log.Take()[0]);
    step->Terminate();
    EXPECT_EQ((Lines{"Hub.StepTerminatedHook"}), s.log.Take());
    s.hub.sketch().Finish();
    EXPECT_EQ((Lines{"P.Cancel", "ModeEnded()"}), s.log.Take());
    EXPECT_EQ(99, s.hub.Bailout());
}

TEST(SubProceduresHub, ASubProceduresErrorDialogGoesThroughTheHub)
{
    HubSession s;
    s.hub.sketch().Run(new ScriptedStep("P", s.log));
    s.hub.sketch().Fail("No profile");
    EXPECT_EQ(2, s.hub.StepStkDepth());
    s.log.Take();
    s.factory.LastDialog()->Finish(s.factory.LastDialog()->Values());
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted", "ModeEnded()"}), s.log.Take());
}

TEST(SubProceduresHub, BuiltInMessagesUseTheirResourcesOrDefaults)
{
    HubSession s;
    s.hub.StartErrorDialogStep(995);
    Lines lines = s.log.Take();
    EXPECT_EQ("SetPrompt(\"*promptArea.Hub_errorStep.labelString\")", lines[0]);
    EXPECT_EQ("SetStepFlag(true)", lines[2]);
    EXPECT_NE(std::string::npos,
              lines[3].find("The assembly does not contain any part instances or reference points.\n\nA part must"));
    EXPECT_EQ(995, s.hub.CurrentStep()->Seq());
    s.hub.StartErrorDialogStep(996);
    EXPECT_NE(std::string::npos, s.log.Take()[3].find("\"The editor dialog of the selected\ntype is not yet"));

    uti_ResourceManager::Instance().SetStringResource("modC_SubProceduresHub_MSGID_02", "Gemischte Dimensionen");
    s.hub.StartErrorDialogStep(997);
    EXPECT_NE(std::string::npos, s.log.Take()[3].find("\"Gemischte Dimensionen\""));
    s.hub.sketch().Drop(false);
    EXPECT_EQ(2, s.hub.StepStkDepth());
    s.hub.sketch().Drop(true);
    EXPECT_EQ(0, s.hub.StepStkDepth());
    uti_ResourceManager::Instance().Clear();
    EXPECT_ASSERTION(s.hub.StartErrorDialogStep(42), "\"Incorrect error step\" == 0", "modC_SubProceduresHub");
}

TEST(LabelMap, LooksUpByKeyTextAndResourceName)
{
    using Messages = modC_SubProceduresHub::Messages;
    using PickLabels = uti_LabelMap<int, 268>;
    uti_ResourceManager::Instance().Clear();
    EXPECT_EQ(nullptr, Messages::LabelString(static_cast<modC_SubProceduresHubEnm>(7)));
    EXPECT_EQ(MixedDimensionMessage, Messages::ResourceKey("modC_SubProceduresHub_MSGID_02"));
    EXPECT_EQ(NoEditorMessage, Messages::DefaultLabelKey(Messages::DefaultLabelString(NoEditorMessage)));
    EXPECT_ASSERTION(Messages::LabelKey("no such text"), "\"Unable to find key given label string\" == 0",
                     "uti_LabelMap");
    EXPECT_ASSERTION(Messages::ResourceKey("no_such_resource"), "\"Unable to find key given resource string\" == 0",
                     "uti_LabelMap");

    // A configured text replaces the default and is found again by its text.
    uti_ResourceManager::Instance().SetStringResource("modC_PickMethod_Polygon", "Polygonpunkte");
    EXPECT_STREQ("Polygonpunkte", PickLabels::LabelString(0));
    EXPECT_EQ(0, PickLabels::LabelKey("Polygonpunkte"));
    EXPECT_STREQ("Pick the points for the polygon", PickLabels::DefaultLabelString(0));
    uti_ResourceManager::Instance().Clear();
}

}  // namespace
