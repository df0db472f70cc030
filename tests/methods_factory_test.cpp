// Every factory operation of the scripted front end: what it records, which
// method it builds around which implementation, and the implementation's
// lifecycle as the method passes it on.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "ScriptedFactory.h"
#include "modC_ChoiceMethod.h"
#include "modC_ClickAndDragMethod.h"
#include "modC_ComboMethod.h"
#include "modC_DialogMethod.h"
#include "modC_FilterMethod.h"
#include "modC_PickMethod.h"
#include "modC_PromptMethod.h"
#include "modC_ScalarMethod.h"
#include "modC_ToggleMethod.h"
#include "modC_ToolsetMethod.h"
#include "omu_PrimBool.h"

namespace {

using Lines = std::vector<std::string>;

struct Operation {
    std::string call;  // the transcript line, up to " -> "
    std::string implementation;
    std::type_info const & method;
    std::function<modC_Method *(ScriptedFactory const &, modC_MethodReceiver *)> make;
    bool attachesOnExecute = false;
};

std::vector<Operation> Operations()
{
    static char const * labels[] = {"A", "B"};
    static unsigned long pixmaps[] = {5, 6};
    return {
        {"MakeIntegerMethod(7, -1, 9, true, true, false, null, 20)", "integer1", typeid(modC_ScalarMethod),
         [](auto & f, auto * r) { return f.MakeIntegerMethod(r, 7, -1, 9, true, true, false, nullptr, 20); }},
        {"MakePointMethod(1, 2, 3, false, -10, 10, true, false, true, false, 20)", "point1",
         typeid(modC_ScalarMethod),
         [](auto & f, auto * r) {
             return f.MakePointMethod(r, 1, 2, 3, false, -10, 10, true, false, true, false, 20);
         }},
        {"MakeArrayMethod([1.5, 2], 0, 5, true, true, 0.5, 3, false, true, 20)", "array1", typeid(modC_ScalarMethod),
         [](auto & f, auto * r) {
             cow_1DArrayList<double, double> values;
             values.Append(1.5);
             values.Append(2);
             return f.MakeArrayMethod(r, values, 0, 5, true, true, 0.5, 3, false, true, 20);
         }},
        {"MakeFloatMethod(0.25, -1, 1, false, true, false, null, 20)", "float1", typeid(modC_ScalarMethod),
         [](auto & f, auto * r) { return f.MakeFloatMethod(r, 0.25, -1, 1, false, true, false, nullptr, 20); }},
        {R"(MakeStringMethod("name", 20))", "string1", typeid(modC_ScalarMethod),
         [](auto & f, auto * r) { return f.MakeStringMethod(r, "name", 20); }},
        {"MakePositionMethod()", "position1", typeid(modC_ClickAndDragMethod),
         [](auto & f, auto * r) { return f.MakePositionMethod(r); }, true},
        {R"(MakeTitledChoiceMethod(["A", "B"], 2, "Title", 2, 0))", "titledChoice1", typeid(modC_ChoiceMethod),
         [](auto & f, auto * r) { return f.MakeTitledChoiceMethod(labels, 2, r, "Title", 2, 0); }},
        {"MakeImageChoiceMethod([5, 6], 2, 1, false)", "imageChoice1", typeid(modC_ChoiceMethod),
         [](auto & f, auto * r) { return f.MakeImageChoiceMethod(pixmaps, 2, r, 1, false); }},
        {R"(MakeChoiceMethod(["A", "B"], 2, 2, true))", "choice1", typeid(modC_ChoiceMethod),
         [](auto & f, auto * r) { return f.MakeChoiceMethod(labels, 2, r, 2, true); }},
        {R"(MakeMenuChoiceMethod(["A", "B"], 2))", "menuChoice1", typeid(modC_ChoiceMethod),
         [](auto & f, auto * r) { return f.MakeMenuChoiceMethod(labels, 2, r); }},
        {R"(MakeOptionMethod(["A", "B"], 2, 1))", "option1", typeid(modC_ChoiceMethod),
         [](auto & f, auto * r) { return f.MakeOptionMethod(labels, 2, r, 1); }},
        {R"(MakeRadioMethod(["A", "B"], 2, 2))", "radio1", typeid(modC_ChoiceMethod),
         [](auto & f, auto * r) { return f.MakeRadioMethod(labels, 2, r, 2); }},
        {R"(MakeDialogMethod("modG_Dialog", (4, "x")))", "dialog1", typeid(modC_DialogMethod),
         [](auto & f, auto * r) {
             omu_PrimTuple values;
             values.Put(4);
             values.Put("x");
             return f.MakeDialogMethod("modG_Dialog", values, r);
         }},
        {"MakePickMethod()", "pick1", typeid(modC_PickMethod), [](auto & f, auto * r) { return f.MakePickMethod(r); },
         true},
        {R"(MakeToggleMethod(["A", "B"], 2, null))", "toggle1", typeid(modC_ToggleMethod),
         [](auto & f, auto * r) { return f.MakeToggleMethod(labels, 2, r, nullptr); }},
        {R"(MakeComboMethod(["a", "b"], 1))", "combo1", typeid(modC_ComboMethod),
         [](auto & f, auto * r) {
             cow_List<cow_String> entries;
             entries.Append("a");
             entries.Append("b");
             return f.MakeComboMethod(r, entries, 1);
         }},
        {"MakeFilterMethod({true: pickFace})", "filter1", typeid(modC_FilterMethod),
         [](auto & f, auto * r) {
             omu_PrimDictionary<cow_String> filters;
             filters.Put(omu_PrimBool<2>(true), "pickFace");
             return f.MakeFilterMethod(r, filters);
         }},
        {R"(MakePromptMethod("Pick a face"))", "prompt1", typeid(modC_PromptMethod),
         [](auto & f, auto * r) { return f.MakePromptMethod(r, "Pick a face"); }},
        {R"(MakeToolsetMethod("tools"))", "toolset1", typeid(modC_ToolsetMethod),
         [](auto & f, auto * r) { return f.MakeToolsetMethod(r, "tools"); }},
    };
}

TEST(ScriptedFactory, EveryOperationBuildsItsMethodAroundADrivableImplementation)
{
    for (Operation const & op : Operations()) {
        SCOPED_TRACE(op.call);
        ScriptedFactory factory;
        ScriptedReceiver step(factory.Log());
        std::unique_ptr<modC_Method> method(op.make(factory, &step));
        ASSERT_NE(nullptr, method);
        EXPECT_EQ(op.method, typeid(*method));
        EXPECT_EQ(&step, method->Receiver());
        EXPECT_EQ((Lines{op.implementation}), factory.Live());
        auto * impl = factory.Find<modC_MethodImpl>(op.implementation);
        ASSERT_NE(nullptr, impl);
        EXPECT_EQ(op.attachesOnExecute ? nullptr : method.get(), impl->Method());

        method->Execute();
        EXPECT_EQ(method.get(), impl->Method());
        method->Suspend();
        method->Resume();
        method->Cancel();
        method.reset();
        std::string const & name = op.implementation;
        EXPECT_EQ((Lines{op.call + " -> " + name, name + ".Execute()", name + ".Suspend()", name + ".Resume()",
                         name + ".Cancel()", name + " deleted"}),
                  factory.Log().Take());
        EXPECT_TRUE(factory.Live().empty());
    }
}

}  // namespace
