// Every step a procedure executed, with a snapshot of what the prompt area
// showed. Entries are only ever marked popped; they and their steps live until
// the stack is destroyed, and each step is destroyed exactly once.
#ifndef STEPSTACK_H
#define STEPSTACK_H

#include <unordered_map>

#include "cow_1DArray.h"
#include "cow_String.h"
#include "modC_Fox.h"

class modC_Step;

class StepStack {
public:
    struct StepStackEntry {
        modC_Step * step;
        cow_String prompt;
        bool stepFlag;
        cow_1DArray<cow_String> names;
        cow_1DArray<cow_String> labels;
        cow_1DArray<cow_String> prompts;
        cow_1DArray<int> kinds;
        cow_1DArray<int> endsStep;
        FXObjectList * commands[4];
        FXObjectList * targets[4];
        StepStackEntry * next;  // pushed before this one, popped or not
        bool popped;
        // The top entry when this one was pushed: the top again once this one
        // is popped, found without walking over popped entries.
        StepStackEntry * below;
    };

    StepStack();
    StepStack(StepStack const &) = delete;
    StepStack & operator=(StepStack const &) = delete;
    // Destroys every entry and every step; cancels none.
    ~StepStack();

    void Push(modC_Step * step, char const * prompt, cow_1DArray<cow_String> names,
              cow_1DArray<cow_String> labels, cow_1DArray<cow_String> prompts, cow_1DArray<int> kinds,
              cow_1DArray<int> endsStep, bool stepFlag);
    // Pops the top entry; the step of the new top entry, or null when empty.
    modC_Step * Pop();
    // Destroys the newest entry of the whole chain (and its step at its last
    // entry); the step of the next entry, or null.
    modC_Step * PopFirst();
    // Asks every distinct step once, at its oldest entry.
    void CancelHighlights();
    int Depth() const { return depth; }

    // The newest entry not popped; null when the stack is empty.
    StepStackEntry * Top() const { return top; }
    modC_Step * FirstStep() const { return firstStep; }

private:
    StepStackEntry * top;
    StepStackEntry * all;
    modC_Step * firstStep;
    int depth;
    // Entries in the chain per step, so that a step is found at its last
    // entry without walking the chain (a mode may push steps for hours).
    std::unordered_map<modC_Step const *, int> entriesOfStep;
};

#endif
