// The step stack on its own: popped entries stay in the chain until the stack
// goes (the procedure's sessions test the rest through the procedure).
#include <gtest/gtest.h>

#include "CallLog.h"
#include "ScriptedStep.h"
#include "StepStack.h"

namespace {

using Lines = std::vector<std::string>;

void Push(StepStack & stack, modC_Step * step, char const * prompt = "")
{
    stack.Push(step, prompt, cow_1DArray<cow_String>(4), cow_1DArray<cow_String>(4), cow_1DArray<cow_String>(4),
               cow_1DArray<int>(4), cow_1DArray<int>(4), false);
}

TEST(StepStack, PoppedEntriesStayInTheChainAndPopSkipsThem)
{
    CallLog log;
    auto * a = new ScriptedStep("A", log);
    auto * b = new ScriptedStep("B", log);
    auto * c = new ScriptedStep("C", log);
    {
        StepStack stack;
        Push(stack, a, "a");
        EXPECT_EQ(a, stack.FirstStep());
        Push(stack, b, "b");
        EXPECT_EQ(a, stack.Pop());
        Push(stack, c, "c");
        EXPECT_EQ(2, stack.Depth());
        EXPECT_EQ(b, stack.Top()->next->step);
        EXPECT_TRUE(stack.Top()->next->popped);
        EXPECT_EQ(a, stack.Pop());
        EXPECT_EQ("a", std::string(stack.Top()->prompt.AsCharPtr()));
        EXPECT_EQ(nullptr, stack.Pop());
        EXPECT_EQ(nullptr, stack.FirstStep());
        EXPECT_EQ(nullptr, stack.Pop());  // popping an empty stack stays empty
        EXPECT_EQ(0, stack.Depth());
        EXPECT_TRUE(log.Take().empty());
    }
    EXPECT_EQ((Lines{"C.~", "B.~", "A.~"}), log.Take());
}

}  // namespace
