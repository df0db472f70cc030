// The multi step in a session: an integer, then a float and a string or a
// string only, run as one step of the procedure.
#include <gtest/gtest.h>

#include <string>

#include "ScriptedFactory.h"
#include "Session.h"
#include "modC_MultiStep.h"
#include "utl_tr.h"

namespace {

struct MultiSession : Session {
    MultiSession() : Session("Pattern"), factory(log)
    {
        strategy.SetFactory(&factory);
        Installed();
    }
    // The user enters `text` in the entry the front end shows as `name`.
    void Enter(std::string const & name, char const * text)
    {
        ScriptedEntry * entry = factory.Find<ScriptedEntry>(name);
        ASSERT_NE(nullptr, entry) << name;
        entry->Enter(text);
    }

    ScriptedFactory factory;
    ScriptedProcedure & p = *procedure;
    modC_MultiStep * multi = new modC_MultiStep(&p, "holes", 5);
};

std::string const intLine = "MakeIntegerMethod(10, -2147483648, 2147483647, true, true, false, null, 20)";
std::string const floatLine = "MakeFloatMethod(20, -1.79769e+308, 1.79769e+308, true, true, false, null, 20)";


TEST(MultiStep, BelowFiftyAsksForAFloatAndThenAString)
{
    MultiSession s;
    EXPECT_EQ(-99, s.multi->intValue);  // the markers before any input
    EXPECT_EQ(-99.0, s.multi->floatValue);
    EXPECT_TRUE(s.multi->stringValue.IsEmpty());
    s.p.Execute(*s.multi);
    EXPECT_EQ((Lines{"SetPrompt(\"keyin an integer\")", "SetBackupAvailable(0)", "SetStepFlag(false)",
                     "SetPrompt(\"keyin an integer\")", intLine + " -> integer1", "integer1.Execute()"}),
              s.log.Take());
    s.Enter("integer1", "49");
    EXPECT_EQ((Lines{"integer1.Cancel()", "integer1 deleted", "StepChanging()", "SetPrompt(\"keyin a float\")",
                     floatLine + " -> float1", "float1.Execute()"}),
              s.log.Take());
    s.Enter("float1", "2.5");
    EXPECT_EQ((Lines{"float1.Cancel()", "float1 deleted", "StepChanging()", "SetPrompt(\"keyin a string\")",
                     "MakeStringMethod(\"DEFAULT STRING\", 20) -> string1", "string1.Execute()"}),
              s.log.Take());
    s.Enter("string1", "pattern A");
    EXPECT_EQ((Lines{"string1.Cancel()", "string1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(49, s.multi->intValue);
    EXPECT_EQ(2.5, s.multi->floatValue);
    EXPECT_STREQ("pattern A", s.multi->stringValue.AsCharPtr());
    EXPECT_EQ(5, s.p.CurrentSeq());
}

TEST(MultiStep, FiftyGoesStraightToTheStringAndPromptsAndTheDefaultTextAreTranslated)
{
    utl_SetTranslation("keyin an integer", "Ganzzahl eingeben");
    utl_SetTranslation("keyin a string", "Text eingeben");
    utl_SetTranslation("DEFAULT STRING", "VORGABE");
    MultiSession s;
    s.p.Execute(*s.multi);
    s.Enter("integer1", "50");
    utl_ClearTranslations();
    Lines const lines = s.log.Take();
    EXPECT_EQ("SetPrompt(\"Ganzzahl eingeben\")", lines.at(0));
    EXPECT_EQ("SetPrompt(\"Text eingeben\")", lines.at(9));
    EXPECT_EQ("MakeStringMethod(\"VORGABE\", 20) -> string1", lines.at(10));
    s.Enter("string1", "x");
    EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back());
    EXPECT_EQ(-99.0, s.multi->floatValue) << "no float was asked for";
    EXPECT_EQ(2, s.multi->NumSteps());
}

TEST(MultiStep, RunningAgainStartsWithTheIntegerAndMakesNewChildren)
{
    MultiSession s;
    s.p.Execute(*s.multi);
    s.Enter("integer1", "1");
    s.Enter("float1", "1.5");
    s.Enter("string1", "first");
    s.p.Repeat();
    s.log.Take();
    s.Enter("integer2", "2");
    // A new float child: the entry shows the child's own default, not the value of the first run.
    EXPECT_EQ(floatLine + " -> float2", s.log.Take().at(4));
    s.Enter("float2", "8.5");
    s.factory.Find<ScriptedEntry>("string2")->Confirm();
    EXPECT_EQ(8.5, s.multi->floatValue);
    EXPECT_STREQ("DEFAULT STRING", s.multi->stringValue.AsCharPtr());

    s.p.Repeat();
    s.Enter("integer3", "70");
    s.Enter("string3", "third");
    EXPECT_EQ(8.5, s.multi->floatValue) << "kept from the run that asked for it";
    s.log.Take();
    s.procedure.reset();  // every child of every run is destroyed once, none is running
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_TRUE(s.factory.Live().empty());
}

TEST(MultiStep, BackingUpFromALaterChildComesBackToTheIntegerShowingTheValueTyped)
{
    MultiSession s;
    ScriptedStep & a = s.p.NewStep("A", 1, "Select the sketch");
    s.p.onTerminated = [&](modC_Step const & done) {
        if (&done == &a)
            s.p.Execute(*s.multi);
    };
    s.p.Execute(a);
    a.Terminate();
    s.Enter("integer1", "12");
    s.log.Take();
    s.p.Backup();
    EXPECT_EQ((Lines{"float1.Cancel()", "float1 deleted", "BackupHook(step)", "StepChanging()",
                     "SetPrompt(\"Select the sketch\")", "SetBackupAvailable(0)", "SetStepFlag(false)", "A.Execute"}),
              s.log.Take());
    EXPECT_EQ(1, s.multi->NumSteps());
    a.Terminate();
    EXPECT_EQ("MakeIntegerMethod(12, -2147483648, 2147483647, true, true, false, null, 20) -> integer2",
              s.log.Take().at(5));
}

}  // namespace
