// The step stack on its own: the chain of entries, popping, destruction order
// and the one-call-per-step guarantees.
#include <gtest/gtest.h>

#include "AssertCapture.h"
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
        EXPECT_EQ(c, stack.Top()->step);
        EXPECT_EQ(b, stack.Top()->next->step);
        EXPECT_TRUE(stack.Top()->next->popped);
        EXPECT_EQ(a, stack.Pop());
        EXPECT_EQ("a", std::string(stack.Top()->prompt.AsCharPtr()));
        EXPECT_EQ(nullptr, stack.Pop());
        EXPECT_EQ(nullptr, stack.FirstStep());
        EXPECT_EQ(0, stack.Depth());
        EXPECT_EQ(nullptr, stack.Pop());  // popping an empty stack stays empty
        EXPECT_EQ(0, stack.Depth());
        EXPECT_TRUE(log.Take().empty());
    }
    EXPECT_EQ((Lines{"C.~", "B.~", "A.~"}), log.Take());
}

TEST(StepStack, AStepPushedThreeTimesIsDestroyedOnceAndAskedForHighlightsOnce)
{
    CallLog log;
    auto * a = new ScriptedStep("A", log);
    auto * b = new ScriptedStep("B", log);
    {
        StepStack stack;
        Push(stack, a);
        Push(stack, b);
        Push(stack, a);
        stack.Pop();
        Push(stack, a);
        stack.CancelHighlights();
        EXPECT_EQ((Lines{"B.ClearHighlights", "A.ClearHighlights"}), log.Take());
        EXPECT_EQ(a, stack.PopFirst());  // the newest entry goes; A still has older ones
        EXPECT_TRUE(log.Take().empty());
    }
    EXPECT_EQ((Lines{"B.~", "A.~"}), log.Take());
}

TEST(StepStack, PopFirstOfTheLiveTopKeepsTheStackConsistent)
{
    CallLog log;
    StepStack stack;
    auto * a = new ScriptedStep("A", log);
    auto * b = new ScriptedStep("B", log);
    Push(stack, a);
    Push(stack, b);
    EXPECT_EQ(a, stack.PopFirst());
    EXPECT_EQ((Lines{"B.~"}), log.Take());
    EXPECT_EQ(1, stack.Depth());
    EXPECT_EQ(a, stack.Top()->step);
    EXPECT_EQ(nullptr, stack.PopFirst());
    EXPECT_EQ(0, stack.Depth());
    EXPECT_EQ(nullptr, stack.Top());
    EXPECT_EQ(nullptr, stack.FirstStep());
    EXPECT_EQ(nullptr, stack.PopFirst());
}

TEST(StepStack, EntriesKeepTheirOwnSnapshotOfTheOptionArrays)
{
    CallLog log;
    StepStack stack;
    cow_1DArray<cow_String> names(4);
    names.Get(1) = "flip";
    cow_1DArray<int> kinds(4);
    kinds.Get(1) = 1;
    stack.Push(new ScriptedStep("A", log), "a", names, names, names, kinds, kinds, true);
    names.Get(1) = "changed";
    kinds.Get(1) = 2;
    EXPECT_EQ(cow_String("flip"), stack.Top()->names.ConstGet(1));
    EXPECT_EQ(1, stack.Top()->kinds.ConstGet(1));
    EXPECT_TRUE(stack.Top()->stepFlag);
}

}  // namespace
