#include "StepStack.h"

#include "crt_Assert.h"
#include "modC_Step.h"

StepStack::StepStack() : top(nullptr), all(nullptr), firstStep(nullptr), depth(0) {}

StepStack::~StepStack()
{
    while (all)
        PopFirst();
}

void StepStack::Push(modC_Step * step, char const * prompt, cow_1DArray<cow_String> names,
                     cow_1DArray<cow_String> labels, cow_1DArray<cow_String> prompts, cow_1DArray<int> kinds,
                     cow_1DArray<int> endsStep, bool stepFlag)
{
    StepStackEntry * entry = new StepStackEntry{step,
                                                cow_String(prompt),
                                                stepFlag,
                                                std::move(names),
                                                std::move(labels),
                                                std::move(prompts),
                                                std::move(kinds),
                                                std::move(endsStep),
                                                {},
                                                {},
                                                all,
                                                false,
                                                top};
    if (!top)
        firstStep = step;
    top = all = entry;
    ++entriesOfStep[step];
    ++depth;
}

modC_Step * StepStack::Pop()
{
    if (top) {
        top->popped = true;
        top = top->below;
        --depth;
    }
    if (top) {
        QEL_ASSERT(depth);
        return top->step;
    }
    firstStep = nullptr;
    QEL_ASSERT(depth == 0);
    return nullptr;
}

modC_Step * StepStack::PopFirst()
{
    if (!all)
        return nullptr;
    StepStackEntry * entry = all;
    all = entry->next;
    if (entry == top) {
        // Keep the live view consistent with the chain that remains.
        top = entry->below;
        --depth;
        if (!top)
            firstStep = nullptr;
    }
    auto counted = entriesOfStep.find(entry->step);
    if (--counted->second == 0) {
        entriesOfStep.erase(counted);
        delete entry->step;
    }
    delete entry;
    return all ? all->step : nullptr;
}

void StepStack::CancelHighlights()
{
    std::unordered_map<modC_Step const *, int> remaining(entriesOfStep);
    for (StepStackEntry const * entry = all; entry; entry = entry->next)
        if (--remaining[entry->step] == 0 && entry->step)
            entry->step->ClearHighlights();
}
