// The integer, pair-of-integers, float and string steps in a session: what the
// front end is asked for, what the procedure hears, and the typed value that
// the entry shows again when the user comes back to the step.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

#include "AssertCapture.h"
#include "ScriptedFactory.h"
#include "Session.h"
#include "modC_FloatStep.h"
#include "modC_Int2Step.h"
#include "modC_IntStep.h"
#include "modC_StringStep.h"
#include "utl_tr.h"

namespace {

struct ValueSession : Session {
    ValueSession() : factory(log) { strategy.SetFactory(&factory); }
    ScriptedFactory factory;
};

ScriptedEntry & Entry(ValueSession & s, std::string const & name)
{
    ScriptedEntry * entry = s.factory.Find<ScriptedEntry>(name);
    if (!entry)
        throw std::logic_error("no entry " + name + " is shown");
    return *entry;
}

// A front end that has no entry fields: every entry it makes is a prompt line.
class PromptOnlyFactory : public ScriptedFactory {
public:
    using ScriptedFactory::ScriptedFactory;
    modC_Method * MakeIntegerMethod(modC_MethodReceiver * receiver, int, int, int, bool, bool, bool, void *,
                                    int) const override
    {
        return MakePromptMethod(receiver, "no entry");
    }
    modC_Method * MakeStringMethod(modC_MethodReceiver *, char const *, int) const override { return nullptr; }
};

TEST(IntStep, TypingIsKeptQuietlyAndConfirmingTerminatesWithTheEntryRemoved)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_IntStep(42, 7, -5, 100, true, false, true);
    step->setPrompt("Number of holes");
    p.Execute(*step);
    EXPECT_EQ((Lines{"SetPrompt(\"Number of holes\")", "SetBackupAvailable(0)", "SetStepFlag(false)",
                     "MakeIntegerMethod(42, -5, 100, true, false, true, null, 20) -> integer1", "integer1.Execute()"}),
              s.log.Take());
    EXPECT_EQ(42, step->value);

    Entry(s, "integer1").Type("17");
    Entry(s, "integer1").Type("18");
    EXPECT_TRUE(s.log.Take().empty()) << "value changes are not the receiver's business";
    EXPECT_EQ(18, step->value);
    EXPECT_EQ(18, step->defaultValue);

    Entry(s, "integer1").Enter("23");
    EXPECT_EQ((Lines{"integer1.Cancel()", "integer1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(23, step->value);
    EXPECT_EQ(23, step->defaultValue);
    EXPECT_EQ(7, p.CurrentSeq());
    EXPECT_TRUE(s.factory.Live().empty());
}

TEST(IntStep, BackingUpToTheStepShowsTheValueTypedLastConfirmedOrNot)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    ScriptedStep & a = p.NewStep("A", 1, "Select a face");
    auto * holes = new modC_IntStep(4, 2, 1, 50, true, true, false);
    ScriptedStep & b = p.NewStep("B", 3, "Select an edge");
    p.onTerminated = [&](modC_Step const & done) {
        if (&done == &a)
            p.Execute(*holes);
        else if (&done == holes)
            p.Execute(b);
    };
    p.Execute(a);
    a.Terminate();
    Entry(s, "integer1").Enter("12");
    s.log.Take();

    p.Backup();  // from B to the integer step
    EXPECT_EQ((Lines{"B.Backup", "BackupHook(B)", "B.Cancel", "StepChanging()", "SetBackupAvailable(1)", "SetStepFlag(false)",
                     "MakeIntegerMethod(12, 1, 50, true, true, false, null, 20) -> integer2", "integer2.Execute()"}),
              s.log.Take());

    Entry(s, "integer2").Type("31");  // typed, never confirmed
    p.Backup();                       // to A
    EXPECT_EQ((Lines{"BackupHook(step)", "integer2.Cancel()", "integer2 deleted", "StepChanging()",
                     "SetPrompt(\"Select a face\")", "SetBackupAvailable(0)", "SetStepFlag(false)", "A.Execute"}),
              s.log.Take());
    a.Terminate();
    EXPECT_EQ("MakeIntegerMethod(31, 1, 50, true, true, false, null, 20) -> integer3", s.log.Take().at(3));
    EXPECT_EQ(31, holes->value);
}

TEST(IntStep, CancelRemovesTheEntryOnceAndReportsNothing)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_IntStep(0, 0, 0, 9, true, true, false);
    step->Cancel();  // never ran
    EXPECT_TRUE(s.log.Take().empty());
    p.Execute(*step);
    s.log.Take();
    step->Cancel();
    step->Cancel();
    EXPECT_EQ((Lines{"integer1.Cancel()", "integer1 deleted"}), s.log.Take());
    EXPECT_EQ(0, step->value);
}

TEST(IntStep, ExecutedAgainWhileRunningReplacesItsEntryInsteadOfLeavingItShown)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_IntStep(3, 0, 0, 9, true, true, false);
    p.Execute(*step);
    Entry(s, "integer1").Type("5");
    s.log.Take();
    p.Repeat();
    EXPECT_EQ((Lines{"SetBackupAvailable(0)", "integer1.Cancel()", "integer1 deleted",
                     "MakeIntegerMethod(5, 0, 9, true, true, false, null, 20) -> integer2", "integer2.Execute()"}),
              s.log.Take());
    EXPECT_EQ((std::vector<std::string>{"integer2"}), s.factory.Live());
}

TEST(IntStep, SuspendAndResumeReachTheEntryAndDestructionRemovesARunningEntry)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    p.Execute(*new modC_IntStep(1, 0, 0, 9, true, true, false));
    s.log.Take();
    p.Suspend();
    p.Resume();
    EXPECT_EQ((Lines{"SuspendHook(step)", "integer1.Suspend()", "ResumeHook(step)", "integer1.Resume()",
                     "SetBackupAvailable(0)"}),
              s.log.Take());
    s.procedure.reset();
    EXPECT_EQ((Lines{"integer1.Cancel()", "integer1 deleted"}), s.log.Take());
}

TEST(IntStep, AFinishFromOutsideTakesTheShownValueAndIsIgnoredWhenNothingRuns)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_IntStep(8, 0, 0, 9, true, true, false);
    p.Execute(*step);
    Entry(s, "integer1").Type("6");
    s.log.Take();
    modC_Procedure::Option2DataCB(&p, nullptr);
    EXPECT_EQ((Lines{"integer1.Cancel()", "integer1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_EQ(6, step->value);
    modC_Procedure::Option2DataCB(&p, nullptr);
    step->ValueChanged(nullptr);
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_EQ(6, step->value);
}

TEST(IntStep, HostileTextReadsAsTheNearestIntegerOrZero)
{
    struct Case {
        char const * typed;
        int value;
    };
    Case const cases[] = {
        {"99999999999999999999", INT_MAX},
        {"-99999999999999999999", INT_MIN},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"  -7  ", -7},
        {"0x1F", 0},
        {"\x01\xff\x7f", 0},
        {"3.9", 3},
    };
    for (Case const & c : cases) {
        ValueSession s;
        ScriptedProcedure & p = s.Installed();
        auto * step = new modC_IntStep(1, 0, 0, 9, true, true, false);
        p.Execute(*step);
        Entry(s, "integer1").Enter(c.typed);
        EXPECT_EQ(c.value, step->value) << "typed: " << c.typed;
        s.log.Take();
        p.Repeat();  // the entry shows what was read, not what was typed
        EXPECT_EQ("MakeIntegerMethod(" + std::to_string(c.value) + ", 0, 9, true, true, false, null, 20) -> integer2",
                  s.log.Take().at(1))
            << "typed: " << c.typed;
    }
}

TEST(IntStep, AFactoryWithoutEntryFieldsIsAContractViolationAndLeaksNothing)
{
    CallLog log;
    PromptOnlyFactory factory(log);
    modC_IntStep step(1, 0, 0, 9, true, true, false);
    EXPECT_ASSERTION(step.Execute(&factory, nullptr), "method != 0", "modC_EntryStep");
    EXPECT_EQ((Lines{"MakePromptMethod(\"no entry\") -> prompt1", "prompt1 deleted"}), log.Take());
    modC_StringStep text("a", 0);
    EXPECT_ASSERTION(text.Execute(&factory, nullptr), "method != 0", "modC_EntryStep");
}

TEST(Int2Step, TwoEntriesWithAPromptBetweenThemAndTheSecondConfirmationEndsTheStep)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_Int2Step(3, 4, 0, 9, false, true, true);
    p.Execute(*step);
    EXPECT_EQ((Lines{"SetBackupAvailable(0)", "SetStepFlag(false)",
                     "MakeIntegerMethod(3, 0, 9, false, true, true, null, 20) -> integer1",
                     "MakeIntegerMethod(3, 0, 9, false, true, true, null, 20) -> integer2",
                     "MakePromptMethod(\"DUMMY PROMPT\") -> prompt1", "integer1.Execute()", "prompt1.Execute()",
                     "integer2.Execute()"}),
              s.log.Take());

    Entry(s, "integer1").Type("4");  // the first entry is never confirmed
    EXPECT_EQ(4, step->firstValue);
    EXPECT_EQ(4, step->defaultValue);
    Entry(s, "integer2").Type("5");
    EXPECT_EQ(5, step->secondValue);
    EXPECT_EQ(5, step->defaultValue);
    EXPECT_FALSE(step->firstDone);
    EXPECT_TRUE(s.log.Take().empty());

    Entry(s, "integer2").Enter("6");
    EXPECT_EQ((Lines{"integer2.Cancel()", "integer2 deleted", "prompt1.Cancel()", "prompt1 deleted",
                     "integer1.Cancel()", "integer1 deleted", "StepTerminatedHook(step)"}),
              s.log.Take());
    EXPECT_EQ(4, step->firstValue);
    EXPECT_EQ(6, step->secondValue);
    EXPECT_EQ(6, step->defaultValue);
    EXPECT_FALSE(step->firstDone);
    EXPECT_FALSE(step->secondDone);
}

TEST(Int2Step, ConfirmingTheFirstEntryOnlyMarksIt)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_Int2Step(0, 0, 0, 99, true, true, false);
    p.Execute(*step);
    s.log.Take();
    Entry(s, "integer1").Enter("11");
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_TRUE(step->firstDone);
    EXPECT_EQ(11, step->firstValue);
    EXPECT_EQ((std::vector<std::string>{"integer1", "integer2", "prompt1"}), s.factory.Live());
    step->Done(nullptr);  // a finish from outside names neither entry
    EXPECT_TRUE(s.log.Take().empty());

    Entry(s, "integer2").Enter("12");
    EXPECT_EQ("StepTerminatedHook(step)", s.log.Take().back());
    EXPECT_FALSE(step->firstDone);

    p.Repeat();  // both entries start with the value read last
    Lines const lines = s.log.Take();
    EXPECT_EQ("MakeIntegerMethod(12, 0, 99, true, true, false, null, 20) -> integer3", lines.at(1));
    EXPECT_EQ("MakeIntegerMethod(12, 0, 99, true, true, false, null, 20) -> integer4", lines.at(2));
}

TEST(Int2Step, CancelSuspendAndResumeKeepTheirOrder)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_Int2Step(0, 0, 0, 9, true, true, false);
    p.Execute(*step);
    s.log.Take();
    p.Suspend();
    p.Resume();
    EXPECT_EQ((Lines{"SuspendHook(step)", "integer2.Suspend()", "prompt1.Suspend()", "integer1.Suspend()",
                     "ResumeHook(step)", "integer1.Resume()", "prompt1.Resume()", "integer2.Resume()",
                     "SetBackupAvailable(0)"}),
              s.log.Take());
    step->Cancel();
    EXPECT_EQ((Lines{"integer2.Cancel()", "prompt1.Cancel()", "integer1.Cancel()", "integer1 deleted",
                     "integer2 deleted", "prompt1 deleted"}),
              s.log.Take());
    step->Cancel();
    step->Suspend();
    step->Resume();
    EXPECT_TRUE(s.log.Take().empty());
}

TEST(Int2Step, ThePromptLineIsTranslated)
{
    utl_SetTranslation("DUMMY PROMPT", "PLATZHALTER");
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    p.Execute(*new modC_Int2Step(0, 0, 0, 9, true, true, false));
    utl_ClearTranslations();
    EXPECT_EQ("MakePromptMethod(\"PLATZHALTER\") -> prompt1", s.log.Take().at(4));
}

TEST(FloatStep, TheLimitsTravelToTheEntryAndTheValueTypedIsShownNextTime)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_FloatStep(2.5, 9, -1.5, 1e6, true, true, false);
    p.Execute(*step);
    EXPECT_EQ("MakeFloatMethod(2.5, -1.5, 1e+06, true, true, false, null, 20) -> float1", s.log.Take().at(2));
    EXPECT_DOUBLE_EQ(2.5, step->value);
    Entry(s, "float1").Type("0.125");
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_DOUBLE_EQ(0.125, step->defaultValue);
    Entry(s, "float1").Confirm();  // the field still shows what was typed
    EXPECT_EQ((Lines{"float1.Cancel()", "float1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_DOUBLE_EQ(0.125, step->value);
    p.Repeat();
    EXPECT_EQ("MakeFloatMethod(0.125, -1.5, 1e+06, true, true, false, null, 20) -> float2", s.log.Take().at(1));
    EXPECT_EQ("0.125", Entry(s, "float2").FieldText());
}

TEST(FloatStep, HostileTextReadsAsStrtodReadsIt)
{
    struct Case {
        char const * typed;
        double value;
    };
    Case const cases[] = {
        {"1e999", HUGE_VAL}, {"-1e999", -HUGE_VAL}, {"1e-999", 0.0}, {"  3.5xyz", 3.5},
        {"", 0.0},           {",", 0.0},            {"\xff\xfe", 0.0}, {"-0x10", -16.0},
    };
    for (Case const & c : cases) {
        ValueSession s;
        ScriptedProcedure & p = s.Installed();
        auto * step = new modC_FloatStep(1.0, 0, -DBL_MAX, DBL_MAX, true, true, false);
        p.Execute(*step);
        Entry(s, "float1").Enter(c.typed);
        EXPECT_EQ(c.value, step->value) << "typed: " << c.typed;
        EXPECT_EQ(c.value, step->defaultValue) << "typed: " << c.typed;
    }
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_FloatStep(1.0, 0, -DBL_MAX, DBL_MAX, true, true, false);
    p.Execute(*step);
    Entry(s, "float1").Enter("nan");
    EXPECT_TRUE(std::isnan(step->value));
}

TEST(StringStep, GetValueGivesTheConstructorsTextUntilTheUserTypes)
{
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_StringStep("Part1", 0);
    EXPECT_STREQ("Part1", step->GetValue().AsCharPtr());
    p.Execute(*step);
    EXPECT_EQ("MakeStringMethod(\"Part1\", 20) -> string1", s.log.Take().at(2));
    Entry(s, "string1").Type("Bracket");
    EXPECT_TRUE(s.log.Take().empty());
    EXPECT_STREQ("Bracket", step->GetValue().AsCharPtr());
    Entry(s, "string1").Enter("");
    EXPECT_EQ((Lines{"string1.Cancel()", "string1 deleted", "StepTerminatedHook(step)"}), s.log.Take());
    EXPECT_TRUE(step->GetValue().IsEmpty());
    p.Repeat();
    EXPECT_EQ("MakeStringMethod(\"\", 20) -> string2", s.log.Take().at(1));
}

TEST(StringStep, AnyBytesAndAnyLengthComeBackUnchanged)
{
    std::string hostile(100000, 'x');
    hostile += "\x01\t\n\"%s%n\xff\xc3\xa9";
    ValueSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_StringStep(nullptr, 0);
    EXPECT_TRUE(step->GetValue().IsEmpty());
    p.Execute(*step);
    Entry(s, "string1").Enter(hostile);
    EXPECT_EQ(hostile, step->GetValue().Std());
    s.log.Take();
    p.Repeat();
    EXPECT_EQ(hostile, Entry(s, "string2").FieldText());
}

}  // namespace
