// The dialog step through the scripted factory: plain tuples, commands and
// targets described to the dialog and written back, and the error form.
#include <gtest/gtest.h>

#include "AssertCapture.h"
#include "StepSession.h"
#include "WFXCommand.h"
#include "WFXTarget.h"
#include "modC_DialogStep.h"
#include "modC_ErrorStep.h"

namespace {

template <class... Values>
omu_PrimTuple Tuple(Values const &... values)
{
    omu_PrimTuple t;
    (t.Put(values), ...);
    return t;
}

struct DialogSession : StepSession {
    DialogSession() : StepSession("Extrude") {}
    ScriptedDialog & Dialog() { return *factory.LastDialog(); }
    ScriptedProcedure & p = *procedure;
};

TEST(DialogStep, APlainDialogGetsTheValuesCancelRestoresThemAndTheStepKeepsTheReturnedTupleWhole)
{
    DialogSession s;
    auto * step = new modC_DialogStep("modG_Params", Tuple(5, 6), 0);
    s.p.Execute(*step);
    EXPECT_EQ((Lines{"SetBackupAvailable(0)", "SetStepFlag(false)",
                     "MakeDialogMethod(\"modG_Params\", (5, 6)) -> dialog1", "dialog1.Execute()"}),
              s.log.Take());
    s.Dialog().Change(Tuple(2));
    s.Dialog().Change(Tuple(3));
    EXPECT_TRUE(step->GetValues() == Tuple(3));
    step->Cancel();
    EXPECT_TRUE(step->GetValues() == Tuple(5, 6));
    EXPECT_EQ((Lines{"ValueChangedHook(dialog:modG_Params)", "ValueChangedHook(dialog:modG_Params)",
                     "dialog1.Cancel()", "dialog1 deleted"}),
              s.log.Take());

    s.p.Repeat();
    s.log.Take();
    omu_PrimTuple const answer = Tuple(7, "extra");
    s.Dialog().Finish(answer);
    EXPECT_EQ((Lines{"dialog2.Cancel()", "dialog2 deleted", "StepTerminatedHook(dialog:modG_Params)"}),
              s.log.Take());
    EXPECT_TRUE(step->GetValues() == answer);
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
    template <class K>
    K & Keyword(int k) { return *static_cast<K *>(command.getKeyword(k)); }

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
    Toolkit kit;
    auto * step = new modC_DialogStep("modG_Extrude", Tuple(9), 0);
    step->setCommandsAndTargets(&kit.commands, &kit.targets);
    s.p.Execute(*step);
    EXPECT_EQ("MakeDialogMethod(\"modG_Extrude\", (((\"Part1\", \"Assembly/Part1\", \"Extrude\", 1, 0, "
              "((\"Int\", \"count\", 1, 0, 3), (\"Float\", \"depth\", 0, 0, 2.5), (\"String\", \"label\", 0, 0, \"top\"), "
              "(\"Bool\", \"reverse\", 0, 0, 1), (\"SymConst\", \"end\", 0, 0, \"Blind\", \"ThroughAll\"), "
              "(\"Tuple\", \"vector\", 0, 0, \"1 0 0\", \"0 0 1\", 4, 5, 3, 3), "
              "(\"Table\", \"points\", 0, 0, \"1 2;3 4\", \"\", 6, 7, 2, 9, 2)))), "
              "((\"WFXIntTarget\", 4), (\"WFXFloatTarget\", 0.5), (\"WFXStringTarget\", \"name\")), (9))) -> dialog1",
              s.log.Take()[2]);

    omu_PrimTuple const keywords =
        Tuple(Tuple("Int", "count", 8), Tuple("Float", "depth", 7.25), Tuple("String", "label", "bottom"),
              Tuple("Bool", "reverse", false), Tuple("SymConst", "end", "UpToFace"), Tuple("Tuple", "vector", "0 1 0"),
              Tuple("Table", "points", "5 6"));
    omu_PrimTuple const targets =
        Tuple(Tuple("WFXIntTarget", 11), Tuple("WFXFloatTarget", 1.75), Tuple("WFXStringTarget", "renamed"));
    s.Dialog().Change(
        Tuple(Tuple(Tuple("Part1", "Assembly/Part1", "Extrude", true, false, keywords)), targets, Tuple(10)));
    EXPECT_EQ(8, kit.Keyword<WFXIntKeyword>(0).getValue());
    EXPECT_EQ(7.25, kit.Keyword<WFXFloatKeyword>(1).getValue());
    EXPECT_STREQ("bottom", kit.Keyword<WFXStringKeyword>(2).getValue().text());
    EXPECT_FALSE(kit.Keyword<WFXBoolKeyword>(3).getValue());
    EXPECT_STREQ("UpToFace", kit.Keyword<WFXSymConstKeyword>(4).getValue().text());
    EXPECT_STREQ("0 1 0", kit.Keyword<WFXTupleKeyword>(5).getValues().text());
    EXPECT_EQ(0, kit.Keyword<WFXTupleKeyword>(5).handle(nullptr, FXSEL(FX::SEL_COMMAND, 0), nullptr)) << "no map";
    EXPECT_STREQ("5 6", kit.Keyword<WFXTableKeyword>(6).getValues().text());
    EXPECT_EQ(11, kit.intTarget.getValue());
    EXPECT_EQ(1.75, kit.floatTarget.getValue());
    EXPECT_STREQ("renamed", kit.stringTarget.getValue().text());
    EXPECT_TRUE(step->GetValues() == Tuple(10));
    EXPECT_EQ((Lines{"ValueChangedHook(dialog:modG_Extrude)"}), s.log.Take());

    // Cancel restores the step's values; keywords and targets keep what was written.
    step->Cancel();
    EXPECT_TRUE(step->GetValues() == Tuple(9));
    EXPECT_EQ(11, kit.intTarget.getValue());

    // Targets without commands send an empty command tuple.
    step->setCommandsAndTargets(nullptr, &kit.targets);
    s.log.Take();
    s.p.Repeat();
    EXPECT_EQ("MakeDialogMethod(\"modG_Extrude\", ((), ((\"WFXIntTarget\", 11), (\"WFXFloatTarget\", 1.75), "
              "(\"WFXStringTarget\", \"renamed\")), (9))) -> dialog2",
              s.log.Take()[1]);
}

TEST(DialogStep, AReturnedTupleThatDoesNotMatchIsAContractViolation)
{
    DialogSession s;
    Toolkit kit;
    auto * step = new modC_DialogStep("modG_Extrude", 0);
    step->setCommandsAndTargets(&kit.commands, &kit.targets);
    s.p.Execute(*step);
    omu_PrimTuple const empty;
    EXPECT_ASSERTION(s.Dialog().Change(Tuple(empty, empty, empty)), "cmdTp.Length() == cmdList->no()",
                     "modC_DialogStep");
    omu_PrimTuple const floatForInt = Tuple(Tuple("a", "b", "c", true, true, Tuple(Tuple("Float", "count", 1.0))));
    EXPECT_ASSERTION(s.Dialog().Change(Tuple(floatForInt, empty, empty)),
                     "typeName == \"Int\" && kwdName == intKw->getName().text()", "modC_DialogStep");
    FXObjectList onlyString;
    onlyString.append(&kit.stringTarget);
    step->setCommandsAndTargets(nullptr, &onlyString);
    EXPECT_ASSERTION(s.Dialog().Change(Tuple(empty, Tuple(Tuple("WFXIntTarget", 3)), empty)),
                     "typeName == \"WFXStringTarget\"", "modC_DialogStep");
}

TEST(ErrorStep, OnlyTheErrorFormCarriesTheMessageAndTheModalFlag)
{
    omu_PrimTuple const values = Tuple("Depth must be positive");
    modC_ErrorStep form(nullptr, "modG_ErrorForm", values, -1);
    EXPECT_STREQ("Depth must be positive", form.MessageTarget().getValue().text());
    EXPECT_EQ(1, form.ModalTarget().getValue());
    modC_ErrorStep other(nullptr, "modG_OtherForm", values, 3);
    EXPECT_STREQ("", other.MessageTarget().getValue().text());
    EXPECT_EQ(0, other.ModalTarget().getValue());
}

}  // namespace
