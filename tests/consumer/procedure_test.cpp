// A front end's own test of its procedure, written with the installed test kit.
#include <gtest/gtest.h>

#include "Session.h"

namespace {

TEST(Extrude, BacksUpFromTheDepthToTheProfile)
{
    Session s("Extrude");
    ScriptedProcedure & extrude = s.Installed();
    ScriptedStep & profile = extrude.NewStep("profile", 1, "Select the profile");
    ScriptedStep & depth = extrude.NewStep("depth", 2, "Key in the depth");
    extrude.onTerminated = [&](modC_Step const & step) {
        if (&step == &profile)
            extrude.Execute(depth);
    };
    extrude.Execute(profile);
    profile.Terminate();
    s.log.Take();
    extrude.Backup();
    EXPECT_EQ((Lines{"depth.Backup", "BackupHook(depth)", "depth.Cancel", "StepChanging()",
                     "SetPrompt(\"Select the profile\")", "SetBackupAvailable(0)", "SetStepFlag(false)",
                     "profile.Execute"}),
              s.log.Take());
}

}  // namespace
