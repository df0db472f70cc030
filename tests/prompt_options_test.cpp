// Prompt options: showing, unsetting, hiding and restoring them, and the
// snapshot each step stack entry keeps for backing up.
#include <gtest/gtest.h>

#include "AssertCapture.h"
#include "Session.h"

namespace {

TEST(PromptOptions, EachIsShownOnceHiddenAndUnsetTheWayItWasShownAndEndModeEmptiesEverySlot)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    omu_PrimTuple data;
    p.setPromptOption(1, "flip", "Flip");
    p.setPromptOption(1, "flip", "Flip");
    p.setPromptOption(3, "depth", "Depth...", "Edit the depth", data, 0);
    Lines const shown = {"SetOption(1, \"flip\", \"Flip\")", "SetOptionCallback(3, \"Depth...\", OptionDataCB)"};
    Lines const hidden = {"SetOption(1, null, null)", "SetOptionCallback(3, null, null)"};
    EXPECT_EQ(shown, s.log.Take());
    EXPECT_TRUE(s.strategy.OptionShown(1));
    p.SuspendOption();
    EXPECT_EQ(hidden, s.log.Take());
    p.ResumeOption();
    EXPECT_EQ(shown, s.log.Take());

    p.UnsetPromptOption(1);
    p.UnsetPromptOption(3);
    p.UnsetPromptOption(2);  // an empty slot sends nothing
    EXPECT_EQ(hidden, s.log.Take());
    EXPECT_FALSE(s.strategy.OptionShown(1));
    EXPECT_FALSE(s.strategy.OptionShown(3));

    p.setPromptOption(1, "other", "Other");  // the slot is free for another option
    p.EndMode();
    EXPECT_EQ((Lines{"SetOption(1, \"other\", \"Other\")", "SetOption(1, null, null)", "ModeEnded()"}), s.log.Take());
    EXPECT_EQ(modC_Procedure::NONE, p.OptionKind(1));
}

TEST(PromptOptions, SlotNumbersAndOccupiedSlotsAreChecked)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    for (int slot : {0, 4})
        EXPECT_ASSERTION(p.setPromptOption(slot, "a", "A"), "_optNum > 0 && _optNum < numOptions", "modC_Procedure");
    for (int slot : {-1, 4})
        EXPECT_ASSERTION(p.UnsetPromptOption(slot), "_optNum >= 0 && _optNum < numOptions", "modC_Procedure");
    p.UnsetPromptOption(0);  // slot 0 exists and can be unset
    p.setPromptOption(2, "a", "A");
    EXPECT_ASSERTION(p.setPromptOption(2, "b", "B"), "0", "modC_Procedure");
    omu_PrimTuple data;
    p.setPromptOption(3, "d", "D", "Edit", data, 0);
    EXPECT_ASSERTION(p.setPromptOption(3, "e", "E", "Edit", data, 0), "0", "modC_Procedure");
    // A data option simply replaces a plain one, and the other way round.
    p.setPromptOption(2, "c", "C", "Edit", data, 0);
    p.setPromptOption(3, "plain", "Plain");
    EXPECT_EQ(modC_Procedure::CB, p.OptionKind(2));
    EXPECT_EQ(modC_Procedure::PLAIN, p.OptionKind(3));
}

TEST(PromptOptions, BackingUpShowsTheOptionsOfTheRestoredStepAgain)
{
    Session s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 0, "a");
    omu_PrimTuple data;
    data.Put(10);
    p.setPromptOption(1, "flip", "Flip");
    p.setPromptOption(2, "depth", "Depth...", "Edit the depth", data, 0);
    p.Execute(a);
    p.UnsetPromptOption(1);
    p.setPromptOption(3, "later", "Later");
    p.Execute(p.NewStep("B", 0, "b"));
    s.log.Take();

    p.Backup();
    EXPECT_EQ((Lines{"B.Backup", "SetOptionCallback(2, null, null)", "SetOption(3, null, null)", "BackupHook(B)",
                     "B.Cancel", "StepChanging()", "SetPrompt(\"a\")", "SetBackupAvailable(0)", "SetStepFlag(false)",
                     "SetOption(1, \"flip\", \"Flip\")", "SetOptionCallback(2, \"Depth...\", OptionDataCB)",
                     "A.Execute"}),
              s.log.Take());
    EXPECT_EQ(modC_Procedure::NONE, p.OptionKind(3));
    EXPECT_TRUE(p.OptionDialogData(2) == data);
}

}  // namespace
