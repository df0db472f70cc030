// The dialog step through the scripted factory: plain tuples, commands and
// targets described to the dialog and written back, and the error form.
#include <gtest/gtest.h>

#include "AssertCapture.h"
#include "ScriptedFactory.h"
#include "Session.h"
#include "WFXCommand.h"
#include "WFXTarget.h"
#include "modC_DialogStep.h"
#include "modC_ErrorStep.h"

namespace {

struct DialogSession : Session {
    DialogSession() : factory(log) { strategy.SetFactory(&factory); }
    ScriptedFactory factory;
};

omu_PrimTuple Ints(std::initializer_list<int> values)
{
    omu_PrimTuple t;
    for (int v : values)
        t.Put(v);
    return t;
}

TEST(DialogStep, APlainDialogGetsTheValuesAndTheStepKeepsTheReturnedTupleWhole)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_DialogStep("modG_Params", Ints({5, 6}), 0);
    p.Execute(*step);
    EXPECT_EQ((Lines{"SetBackupAvailable(0)", "SetStepFlag(false)",
                     "MakeDialogMethod(\"modG_Params\", (5, 6)) -> dialog1", "dialog1.Execute()"}),
              s.log.Take());
    omu_PrimTuple answer = Ints({7});
    answer.Put(cow_String("extra"));
    s.factory.LastDialog()->Finish(answer);
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted", "StepTerminatedHook(dialog:modG_Params)"}),
              s.log.Take());
    EXPECT_TRUE(step->GetValues() == answer);
}

TEST(DialogStep, CancelRestoresTheConstructionValuesAfterChanges)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_DialogStep("modG_Params", Ints({1}), 0);
    p.Execute(*step);
    s.factory.LastDialog()->Change(Ints({2}));
    s.factory.LastDialog()->Change(Ints({3}));
    EXPECT_TRUE(step->GetValues() == Ints({3}));
    s.log.Take();
    step->Cancel();
    EXPECT_TRUE(step->GetValues() == Ints({1}));
    EXPECT_EQ((Lines{"dialog1.Cancel()", "dialog1 deleted"}), s.log.Take());
}

TEST(DialogStep, ExecutingTwiceShowsTheSameDialogAgain)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    auto * step = new modC_DialogStep("modG_Params", 0);
    p.Execute(*step);
    p.Repeat();
    auto lines = s.log.Take();
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "MakeDialogMethod(\"\", ()) -> dialog1") +
                     std::count(lines.begin(), lines.end(), "MakeDialogMethod(\"modG_Params\", ()) -> dialog1"));
    EXPECT_EQ(2, std::count(lines.begin(), lines.end(), "dialog1.Execute()"));
    EXPECT_EQ((std::vector<std::string>{"dialog1"}), s.factory.Live());
}

// A command with one keyword of every kind, and one target of every kind.
struct Toolkit {
    Toolkit()
    {
        command.addKeyword(new WFXIntKeyword("count", 3, true, false));
        command.addKeyword(new WFXFloatKeyword("depth", 2.5));
        command.addKeyword(new WFXStringKeyword("label", "top"));
        command.addKeyword(new WFXBoolKeyword("reverse", true));
        command.addKeyword(new WFXSymConstKeyword("end", "Blind", "ThroughAll"));
        command.addKeyword(new WFXTupleKeyword("vector", "1 0 0", "0 0 1", 4u, 5u, 3, 3));
        command.addKeyword(new WFXTableKeyword("points", "1 2;3 4", "", 6u, 7u, 2, 9, 2));
        commands.append(&command);
        targets.append(&intTarget);
        targets.append(&floatTarget);
        targets.append(&stringTarget);
    }
    WFXCommand command{"Part1", "Assembly/Part1", "Extrude", true, false};
    WFXIntTarget intTarget{4};
    WFXFloatTarget floatTarget{0.5};
    WFXStringTarget stringTarget{"name"};
    FXObjectList commands;
    FXObjectList targets;
};

TEST(DialogStep, CommandsAndTargetsAreDescribedInOneTupleAndWrittenBack)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    Toolkit kit;
    auto * step = new modC_DialogStep("modG_Extrude", Ints({9}), 0);
    step->setCommandsAndTargets(&kit.commands, &kit.targets);
    p.Execute(*step);
    std::string const made = s.log.Take()[2];
    EXPECT_EQ("MakeDialogMethod(\"modG_Extrude\", (((\"Part1\", \"Assembly/Part1\", \"Extrude\", 1, 0, "
              "((\"Int\", \"count\", 1, 0, 3), (\"Float\", \"depth\", 0, 0, 2.5), (\"String\", \"label\", 0, 0, \"top\"), "
              "(\"Bool\", \"reverse\", 0, 0, 1), (\"SymConst\", \"end\", 0, 0, \"Blind\", \"ThroughAll\"), "
              "(\"Tuple\", \"vector\", 0, 0, \"1 0 0\", \"0 0 1\", 4, 5, 3, 3), "
              "(\"Table\", \"points\", 0, 0, \"1 2;3 4\", \"\", 6, 7, 2, 9, 2)))), "
              "((\"WFXIntTarget\", 4), (\"WFXFloatTarget\", 0.5), (\"WFXStringTarget\", \"name\")), (9))) -> dialog1",
              made);

    auto keyword = [](char const * type, char const * name, auto value) {
        omu_PrimTuple k;
        k.Put(type);
        k.Put(name);
        k.Put(value);
        return k;
    };
    omu_PrimTuple keywords;
    keywords.Put(keyword("Int", "count", 8));
    keywords.Put(keyword("Float", "depth", 7.25));
    keywords.Put(keyword("String", "label", cow_String("bottom")));
    keywords.Put(keyword("Bool", "reverse", false));
    keywords.Put(keyword("SymConst", "end", cow_String("UpToFace")));
    keywords.Put(keyword("Tuple", "vector", cow_String("0 1 0")));
    keywords.Put(keyword("Table", "points", cow_String("5 6")));
    omu_PrimTuple commandBack;
    commandBack.Put("Part1");
    commandBack.Put("Assembly/Part1");
    commandBack.Put("Extrude");
    commandBack.Put(true);
    commandBack.Put(false);
    commandBack.Put(keywords);
    omu_PrimTuple commandsBack;
    commandsBack.Put(commandBack);
    auto target = [](char const * type, auto value) {
        omu_PrimTuple t;
        t.Put(type);
        t.Put(value);
        return t;
    };
    omu_PrimTuple targetsBack;
    targetsBack.Put(target("WFXIntTarget", 11));
    targetsBack.Put(target("WFXFloatTarget", 1.75));
    targetsBack.Put(target("WFXStringTarget", cow_String("renamed")));
    omu_PrimTuple answer;
    answer.Put(commandsBack);
    answer.Put(targetsBack);
    answer.Put(Ints({10}));
    s.factory.LastDialog()->Change(answer);

    auto const & kw = kit.command;
    EXPECT_EQ(8, static_cast<WFXIntKeyword *>(kw.getKeyword(0))->getValue());
    EXPECT_EQ(7.25, static_cast<WFXFloatKeyword *>(kw.getKeyword(1))->getValue());
    EXPECT_STREQ("bottom", static_cast<WFXStringKeyword *>(kw.getKeyword(2))->getValue().text());
    EXPECT_FALSE(static_cast<WFXBoolKeyword *>(kw.getKeyword(3))->getValue());
    EXPECT_STREQ("UpToFace", static_cast<WFXSymConstKeyword *>(kw.getKeyword(4))->getValue().text());
    EXPECT_STREQ("0 1 0", static_cast<WFXTupleKeyword *>(kw.getKeyword(5))->getValues().text());
    EXPECT_STREQ("5 6", static_cast<WFXTableKeyword *>(kw.getKeyword(6))->getValues().text());
    EXPECT_EQ(11, kit.intTarget.getValue());
    EXPECT_EQ(1.75, kit.floatTarget.getValue());
    EXPECT_STREQ("renamed", kit.stringTarget.getValue().text());
    EXPECT_TRUE(step->GetValues() == Ints({10}));
    EXPECT_EQ((Lines{"ValueChangedHook(dialog:modG_Extrude)"}), s.log.Take());

    // Cancel restores the step's values; keywords and targets keep what was written.
    step->Cancel();
    EXPECT_TRUE(step->GetValues() == Ints({9}));
    EXPECT_EQ(11, kit.intTarget.getValue());
}

TEST(DialogStep, TargetsWithoutCommandsSendAnEmptyCommandTuple)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    Toolkit kit;
    auto * step = new modC_DialogStep("modG_Form", 0);
    step->setCommandsAndTargets(nullptr, &kit.targets);
    p.Execute(*step);
    EXPECT_EQ("MakeDialogMethod(\"modG_Form\", ((), ((\"WFXIntTarget\", 4), (\"WFXFloatTarget\", 0.5), "
              "(\"WFXStringTarget\", \"name\")), ())) -> dialog1",
              s.log.Take()[2]);
}

TEST(DialogStep, AReturnedTupleThatDoesNotMatchIsAContractViolation)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    Toolkit kit;
    auto * step = new modC_DialogStep("modG_Extrude", 0);
    step->setCommandsAndTargets(&kit.commands, &kit.targets);
    p.Execute(*step);
    omu_PrimTuple empty;
    omu_PrimTuple wrongLength;
    wrongLength.Put(empty);
    wrongLength.Put(empty);
    wrongLength.Put(empty);
    EXPECT_ASSERTION(s.factory.LastDialog()->Change(wrongLength), "cmdTp.Length() == cmdList->no()",
                     "modC_DialogStep");

    omu_PrimTuple badKeyword;
    badKeyword.Put("Float");
    badKeyword.Put("count");
    badKeyword.Put(1.0);
    omu_PrimTuple keywords;
    keywords.Put(badKeyword);
    omu_PrimTuple commandBack;
    commandBack.Put("a");
    commandBack.Put("b");
    commandBack.Put("c");
    commandBack.Put(true);
    commandBack.Put(true);
    commandBack.Put(keywords);
    omu_PrimTuple commandsBack;
    commandsBack.Put(commandBack);
    omu_PrimTuple answer;
    answer.Put(commandsBack);
    answer.Put(empty);
    answer.Put(empty);
    EXPECT_ASSERTION(s.factory.LastDialog()->Change(answer),
                     "typeName == \"Int\" && kwdName == intKw->getName().text()", "modC_DialogStep");

    FXObjectList onlyString;
    onlyString.append(&kit.stringTarget);
    step->setCommandsAndTargets(nullptr, &onlyString);
    omu_PrimTuple wrongTarget;
    wrongTarget.Put("WFXIntTarget");
    wrongTarget.Put(3);
    omu_PrimTuple targetsBack;
    targetsBack.Put(wrongTarget);
    omu_PrimTuple answer2;
    answer2.Put(empty);
    answer2.Put(targetsBack);
    answer2.Put(empty);
    EXPECT_ASSERTION(s.factory.LastDialog()->Change(answer2), "typeName == \"WFXStringTarget\"", "modC_DialogStep");
}

TEST(ErrorStep, TheErrorFormCarriesItsMessageAndModalFlagInTwoTargets)
{
    DialogSession s;
    ScriptedProcedure & p = s.Installed();
    omu_PrimTuple values;
    values.Put(cow_String("Depth must be positive"));
    auto * error = new modC_ErrorStep(&p, "modG_ErrorForm", values, -1);
    EXPECT_STREQ("Depth must be positive", error->MessageTarget().getValue().text());
    EXPECT_EQ(1, error->ModalTarget().getValue());
    p.Execute(*error);
    EXPECT_EQ("MakeDialogMethod(\"modG_ErrorForm\", ((), ((\"WFXStringTarget\", \"Depth must be positive\"), "
              "(\"WFXIntTarget\", 1)), (\"Depth must be positive\"))) -> dialog1",
              s.log.Take()[2]);

    modC_ErrorStep other(&p, "modG_OtherForm", values, 3);
    EXPECT_STREQ("", other.MessageTarget().getValue().text());
    EXPECT_EQ(0, other.ModalTarget().getValue());
}

}  // namespace
