// Plain prompt options: showing, unsetting, hiding and restoring them, and the
// snapshot each step stack entry keeps for backing up.
#include <gtest/gtest.h>

#include "AssertCapture.h"
#include "Session.h"

namespace {

TEST(PromptOptions, SettingTheSamePlainOptionTwiceSendsItOnce)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    p.setPromptOption(1, "flip", "Flip direction");
    p.setPromptOption(1, "flip", "Flip direction");
    EXPECT_EQ((Lines{"SetOption(1, \"flip\", \"Flip direction\")"}), s.log.Take());
    EXPECT_TRUE(s.strategy.OptionShown(1));
}

TEST(PromptOptions, SlotNumbersAndOccupiedSlotsAreChecked)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    EXPECT_ASSERTION(p.setPromptOption(0, "a", "A"), "_optNum > 0 && _optNum < numOptions", "modC_Procedure");
    EXPECT_ASSERTION(p.setPromptOption(4, "a", "A"), "_optNum > 0 && _optNum < numOptions", "modC_Procedure");
    EXPECT_ASSERTION(p.UnsetPromptOption(4), "_optNum >= 0 && _optNum < numOptions", "modC_Procedure");
    EXPECT_ASSERTION(p.UnsetPromptOption(-1), "_optNum >= 0 && _optNum < numOptions", "modC_Procedure");
    p.UnsetPromptOption(0);  // slot 0 exists and can be unset
    p.setPromptOption(2, "a", "A");
    EXPECT_ASSERTION(p.setPromptOption(2, "b", "B"), "0", "modC_Procedure");
    omu_PrimTuple data;
    p.setPromptOption(3, "d", "D", "Edit", data, 0);
    EXPECT_ASSERTION(p.setPromptOption(3, "e", "E", "Edit", data, 0), "0", "modC_Procedure");
    // A data option simply replaces a plain one, and the other way round.
    p.setPromptOption(2, "c", "C", "Edit", data, 0);
    p.setPromptOption(3, "plain", "Plain");
    s.log.Take();
    EXPECT_EQ(modC_Procedure::CB, p.OptionKind(2));
    EXPECT_EQ(modC_Procedure::PLAIN, p.OptionKind(3));
}

TEST(PromptOptions, UnsetRemovesEachKindTheWayItWasShown)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    omu_PrimTuple data;
    p.setPromptOption(1, "flip", "Flip");
    p.setPromptOption(2, "depth", "Depth...", "Edit the depth", data, 0);
    s.log.Take();
    p.UnsetPromptOption(1);
    p.UnsetPromptOption(2);
    p.UnsetPromptOption(3);  // an empty slot sends nothing
    EXPECT_EQ((Lines{"SetOption(1, null, null)", "SetOptionCallback(2, null, null)"}), s.log.Take());
    EXPECT_FALSE(s.strategy.OptionShown(1));
    EXPECT_FALSE(s.strategy.OptionShown(2));
    // The slot is free for another option now.
    p.setPromptOption(1, "other", "Other");
    EXPECT_EQ((Lines{"SetOption(1, \"other\", \"Other\")"}), s.log.Take());
}

TEST(PromptOptions, SuspendAndResumeShowTheSameOptions)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    omu_PrimTuple data;
    p.setPromptOption(1, "flip", "Flip");
    p.setPromptOption(3, "depth", "Depth...", "Edit the depth", data, 0);
    s.log.Take();
    p.SuspendOption();
    EXPECT_EQ((Lines{"SetOption(1, null, null)", "SetOptionCallback(3, null, null)"}), s.log.Take());
    p.ResumeOption();
    EXPECT_EQ((Lines{"SetOption(1, \"flip\", \"Flip\")", "SetOptionCallback(3, \"Depth...\", OptionDataCB)"}),
              s.log.Take());
}

TEST(PromptOptions, EndModeHidesAndEmptiesEverySlot)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    p.setPromptOption(2, "flip", "Flip");
    s.log.Take();
    p.EndMode();
    EXPECT_EQ((Lines{"SetOption(2, null, null)", "ModeEnded()"}), s.log.Take());
    EXPECT_EQ(modC_Procedure::NONE, p.OptionKind(2));
}

TEST(PromptOptions, BackingUpShowsTheOptionsOfTheRestoredStepAgain)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    ScriptedStep & b = p.NewStep("B", 0, "b");
    omu_PrimTuple data;
    data.Put(10);
    p.setPromptOption(1, "flip", "Flip");
    p.setPromptOption(2, "depth", "Depth...", "Edit the depth", data, 0);
    p.Execute(a);
    p.UnsetPromptOption(1);
    p.setPromptOption(3, "later", "Later");
    p.Execute(b);
    s.log.Take();

    p.Backup();
    EXPECT_EQ((Lines{"B.Backup", "SetOptionCallback(2, null, null)", "SetOption(3, null, null)", "BackupHook(B)",
                     "B.Cancel", "StepChanging()", "SetPrompt(\"a\")", "SetBackupAvailable(0)", "SetStepFlag(false)",
                     "SetOption(1, \"flip\", \"Flip\")", "SetOptionCallback(2, \"Depth...\", OptionDataCB)",
                     "A.Execute"}),
              s.log.Take());
    EXPECT_EQ(modC_Procedure::PLAIN, p.OptionKind(1));
    EXPECT_EQ(modC_Procedure::NONE, p.OptionKind(3));
    EXPECT_TRUE(p.OptionDialogData(2) == data);
}

TEST(PromptOptions, Option2DataCBFinishesTheCurrentStepAsIfItsMethodHad)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A");
    p.Execute(a);
    s.log.Take();
    modC_Procedure::Option2DataCB(&p, nullptr);
    EXPECT_EQ((Lines{"A.Done", "StepTerminatedHook(A)"}), s.log.Take());
    p.ClearStepStk();
    modC_Procedure::Option2DataCB(&p, nullptr);  // no current step: nothing
    EXPECT_TRUE(s.log.Take().empty());
}

}  // namespace
