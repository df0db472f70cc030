#include "modC_ComboStep.h"

#include <utility>
#include <vector>

#include "crt_Assert.h"
#include "modC_ComboMethod.h"
#include "modC_FilterMethod.h"
#include "modC_LiveMethods.h"
#include "modC_MethodFactory.h"
#include "modC_StepReceiver.h"
#include "omu_PrimBool.h"
#include "omu_PrimDictionary.h"
#include "utl_tr.h"

namespace {

// Which set of filter words the next filtering execution offers, shared by
// every combo step of the process.
int filterSetCounter = 0;
int const numFilterSets = 8;

std::vector<char const *> const & FilterWords(int set)
{
    static std::vector<std::vector<char const *>> const sets = {
        {"pickFace", "pickCell", "pickSkin", "pickDrag"},
        {"pickEdge", "pickVert", "pickSkin", "pickDrag", "pickFace"},
        {"pickSkin", "pickVisible", "pickExterior"},
        {"pickFace", "pickCell", "pickLine", "pickShell", "pickSolid", "pickEdge", "pickVert", "pickSkin",
         "pickVisible", "pickExterior", "pickInterior", "pickIP", "pickDrag"},
        {"pickCell", "pickLine", "pickSolid", "pickVert", "pickSkin", "pickVisible", "pickInterior", "pickIP"},
        {"pickFace", "pickShell", "pickEdge", "pickExterior", "pickDrag"},
        {"pickFace", "pickCell", "pickLine", "pickShell", "pickVisible", "pickExterior", "pickInterior", "pickIP",
         "pickDrag"},
        {"pickCell", "pickEdge", "pickVisible", "pickExterior"},
    };
    return sets[static_cast<std::size_t>(set - 1)];
}

}  // namespace

modC_ComboStep::modC_ComboStep(cow_List<cow_String> entries, int defChoice, int seq, bool withFilters,
                               bool withDoneButton)
    : modC_Step(seq), entries(std::move(entries)), defChoice(defChoice), withFilters(withFilters),
      withDoneButton(withDoneButton), doneLabel(utl_tr("Done"))
{
    if (defChoice != 0)
        currentText = this->entries.ConstGet(defChoice - 1);
}

modC_ComboStep::~modC_ComboStep()
{
    Cancel();
}

void modC_ComboStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    receiver = stepReceiver;
    comboMethod.reset(factory->MakeComboMethod(this, entries, defChoice));
    if (withFilters) {
        int const set = ++filterSetCounter;
        if (filterSetCounter == numFilterSets)
            filterSetCounter = 0;
        // Every word is "on" under the same key; the dictionary keeps them all, in order.
        omu_PrimBool<2> const on(true);
        omu_PrimDictionary<cow_String> dictionary;
        for (char const * word : FilterWords(set))
            dictionary.Put(on, cow_String(word));
        filterMethod.reset(factory->MakeFilterMethod(this, dictionary));
        if (filterMethod)
            filterMethod->Execute();
    }
    if (withDoneButton) {
        char const * labels[] = {doneLabel.AsCharPtr()};
        choiceMethod.reset(factory->MakeChoiceMethod(labels, 1, this, 1, false));
        QEL_ASSERT(choiceMethod != 0);
        choiceMethod->Execute();
    }
    if (comboMethod)
        comboMethod->Execute();
}

void modC_ComboStep::TakeCombo()
{
    auto const * combo = dynamic_cast<modC_ComboMethod const *>(comboMethod.get());
    if (!combo)
        return;
    defChoice = combo->Selection();
    currentText = combo->GetValueAsString();
    // The method holds the selection from the start but copies the text only
    // when it reports; until then the selection names the entry.
    if (currentText.IsEmpty() && defChoice > 0 && defChoice <= entries.Size())
        currentText = entries.ConstGet(defChoice - 1);
}

void modC_ComboStep::ValueChanged(modC_Method * method)
{
    if (method && method == choiceMethod.get())
        return;
    if (method && method == comboMethod.get()) {
        TakeCombo();
        return;
    }
    if (auto const * filter = dynamic_cast<modC_FilterMethod const *>(filterMethod.get()))
        filterState = filter->GetFilterState();
}

void modC_ComboStep::Done(modC_Method *)
{
    if (!comboMethod && !filterMethod && !choiceMethod)  // finished from outside while nothing is shown
        return;
    TakeCombo();
    if (auto const * filter = dynamic_cast<modC_FilterMethod const *>(filterMethod.get()))
        filterState = filter->GetFilterState();
    else
        filterState = cow_1DArray<int>(1);
    Drop(choiceMethod);
    Drop(filterMethod);
    Drop(comboMethod);
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_ComboStep::Cancel()
{
    Drop(filterMethod);
    Drop(comboMethod);
    Drop(choiceMethod);
}

void modC_ComboStep::Suspend()
{
    SuspendEach({filterMethod.get(), comboMethod.get(), choiceMethod.get()});
}

void modC_ComboStep::Resume()
{
    ResumeEach({filterMethod.get(), comboMethod.get(), choiceMethod.get()});
}
