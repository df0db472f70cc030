// The multi step in a session: an integer, then a float and a string or a
// string only, run as one step of the procedure.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ScriptedFactory.h"
#include "Session.h"
#include "modC_MultiStep.h"
#include "utl_tr.h"

namespace {

struct MultiSession : Session {
    MultiSession() : Session("Pattern"), factory(log) { strategy.SetFactory(&factory); }

    ScriptedEntry & Entry(std::string const & name)
    {
        ScriptedEntry * entry = factory.Find<ScriptedEntry>(name);
        if (!entry)
            throw std::logic_error("no entry " + name + " is shown");
        return *entry;
    }

    ScriptedFactory factory;
};

std::string const intLine = "MakeIntegerMethod(10, -2147483648, 2147483647, true, true, false, null, 20)";
std::string const floatLine = "MakeFloatMethod(20, -1.79769e+308, 1.79769e+308, true, true, false, null, 20)";

TEST(MultiStep, BeforeAnyInputTheValuesAreTheMarkers)
{
    MultiSession s;
    modC_MultiStep multi(s.procedure.get(), "holes", 5);
    EXPECT_EQ(-99, multi.intValue);
    EXPECT_EQ(-99.0, multi.floatValue);
    EXPECT_TRUE(multi.stringValue.IsEmpty());
    EXPECT_EQ(1, multi.NumSteps());
    EXPECT_STREQ("keyin an integer", multi.getPrompt());
}

TEST(MultiStep, BelowFiftyAsksForAFloatAndThenAString)
{
    MultiSession s;
    ScriptedProcedure & p = s.Installed();
    auto * multi = new modC_MultiStep(&p, "holes", 5);
    p.Execute(*multi);
    EXPECT_EQ((Lines{"SetPrompt(\"keyin an integer\")", "SetBackupAvailable(0)", "SetStepFlag(false)",
                     "SetPrompt(\"keyin an integer\")", intLine + " -> integer1", "integer1.Execute()"}),
              s.log.Take());
    s.Entry("integer1").Enter("49");
    EXPECT_EQ((Lines{"integer1.Cancel()", "integer1 deleted", "StepChanging()", "SetPrompt(\"keyin a float\")",
                     floatLine + " -> float1", "float1.Execute()"}),
              s.log.Take());
    EXPECT_EQ(49, multi->intValue);
    s.Entry("float1").Enter("2.5");
    EXPECT_EQ((Lines{"float1.Cancel()", "float1 deleted", "StepChanging()", "SetPrompt(\"keyin a string\")",
                     "MakeStringMethod(\"DEFAULT STRING\", 20) -> string1", "string1.Execute()"}),
              s.log.Take());
    EXPECT_EQ(2.5, multi->floatValue);
    s.Entry("string1").Enter("pattern A");
    EXPECT_EQ((Lines{"string1.Cancel()", "string1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_STREQ("pattern A", multi->stringValue.AsCharPtr());
    EXPECT_EQ(5, p.CurrentSeq());
    EXPECT_EQ(1, p.StepStkDepth());
}

TEST(MultiStep, FiftyGoesStraightToTheString)
{
    MultiSession s;
    ScriptedProcedure & p = s.Installed();
    auto * multi = new modC_MultiStep(&p, "holes", 5);
    p.Execute(*multi);
    s.log.Take();
    s.Entry("integer1").Enter("50");
    Lines const lines = s.log.Take();
    EXPECT_EQ("SetPrompt(\"keyin a string\")", lines.at(3));
    EXPECT_EQ("MakeStringMethod(\"DEFAULT STRING\", 20) -> string1", lines.at(4));
    s.Entry("string1").Enter("x");
    EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back());
    EXPECT_EQ(50, multi->intValue);
    EXPECT_EQ(-99.0, multi->floatValue) << "no float was asked for";
    EXPECT_EQ(2, multi->NumSteps());
}

TEST(MultiStep, RunningAgainStartsWithTheIntegerAndMakesNewChildren)
{
    MultiSession s;
    ScriptedProcedure & p = s.Installed();
    auto * multi = new modC_MultiStep(&p, "holes", 5);
    p.Execute(*multi);
    s.Entry("integer1").Enter("1");
    s.Entry("float1").Enter("1.5");
    s.Entry("string1").Enter("first");
    s.log.Take();

    p.Repeat();
    s.log.Take();
    s.Entry("integer2").Enter("2");
    // A new float child: the entry shows the child's own default, not the value of the first run.
    EXPECT_EQ(floatLine + " -> float2", s.log.Take().at(4));
    EXPECT_EQ(2, multi->NumSteps());
    s.Entry("float2").Type("7.5");
    s.Entry("float2").Enter("8.5");
    s.Entry("string2").Confirm();
    EXPECT_EQ(2, multi->intValue);
    EXPECT_EQ(8.5, multi->floatValue);
    EXPECT_STREQ("DEFAULT STRING", multi->stringValue.AsCharPtr());

    p.Repeat();
    s.Entry("integer3").Enter("70");
    s.Entry("string3").Enter("third");
    EXPECT_EQ(70, multi->intValue);
    EXPECT_EQ(8.5, multi->floatValue) << "kept from the run that asked for it";
    EXPECT_STREQ("third", multi->stringValue.AsCharPtr());
    s.log.Take();
    s.procedure.reset();  // every child of every run is destroyed once, none is running
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_TRUE(s.factory.Live().empty());
}

TEST(MultiStep, BackingUpFromALaterChildComesBackToTheIntegerShowingTheValueTyped)
{
    MultiSession s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 1, "Select the sketch");
    auto * multi = new modC_MultiStep(&p, "holes", 5);
    p.onTerminated = [&](modC_Step const & done) {
        if (&done == &a)
            p.Execute(*multi);
    };
    p.Execute(a);
    a.Terminate();
    s.Entry("integer1").Enter("12");
    s.log.Take();

    p.Backup();
    EXPECT_EQ((Lines{"float1.Cancel()", "float1 deleted", "BackupHook(step)", "StepChanging()",
                     "SetPrompt(\"Select the sketch\")", "SetBackupAvailable(0)", "SetStepFlag(false)", "A.Execute"}),
              s.log.Take());
    EXPECT_EQ(1, multi->NumSteps());
    a.Terminate();
    EXPECT_EQ("MakeIntegerMethod(12, -2147483648, 2147483647, true, true, false, null, 20) -> integer2",
              s.log.Take().at(5));
}

TEST(MultiStep, SuspendAndResumeReachTheRunningChildWithItsPrompt)
{
    MultiSession s;
    ScriptedProcedure & p = s.Installed();
    auto * multi = new modC_MultiStep(&p, "holes", 5);
    p.Execute(*multi);
    s.Entry("integer1").Enter("3");
    s.log.Take();
    p.Suspend();
    p.Resume();
    EXPECT_EQ((Lines{"SuspendHook(step)", "float1.Suspend()", "ResumeHook(step)",
                     "SetPrompt(\"keyin an integer\")", "SetPrompt(\"keyin a float\")", "float1.Resume()",
                     "SetBackupAvailable(0)"}),
              s.log.Take());
}

TEST(MultiStep, AValueChangeOfAChildReachesNobodyAndChangesNoChild)
{
    MultiSession s;
    ScriptedProcedure & p = s.Installed();
    auto * multi = new modC_MultiStep(&p, "holes", 5);
    p.Execute(*multi);
    s.Entry("integer1").Enter("3");
    s.log.Take();
    multi->StepValueChanged(*multi);
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ(2, multi->NumSteps());
    EXPECT_EQ(1, multi->Current());
    s.Entry("float1").Enter("4");
    EXPECT_EQ("MakeStringMethod(\"DEFAULT STRING\", 20) -> string1", s.log.Take().at(4));
}

TEST(MultiStep, PromptsAndTheDefaultTextAreTranslated)
{
    utl_SetTranslation("keyin an integer", "Ganzzahl eingeben");
    utl_SetTranslation("keyin a string", "Text eingeben");
    utl_SetTranslation("DEFAULT STRING", "VORGABE");
    MultiSession s;
    ScriptedProcedure & p = s.Installed();
    auto * multi = new modC_MultiStep(&p, "holes", 5);
    p.Execute(*multi);
    s.Entry("integer1").Enter("60");
    utl_ClearTranslations();
    Lines const lines = s.log.Take();
    EXPECT_EQ("SetPrompt(\"Ganzzahl eingeben\")", lines.at(0));
    EXPECT_EQ("SetPrompt(\"Text eingeben\")", lines.at(9));
    EXPECT_EQ("MakeStringMethod(\"VORGABE\", 20) -> string1", lines.at(10));
}

}  // namespace
