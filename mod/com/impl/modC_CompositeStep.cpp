#include "modC_CompositeStep.h"

#include "crt_Assert.h"
#include "modC_Procedure.h"
#include "modC_Strategy.h"

modC_CompositeStep::modC_CompositeStep(modC_Procedure * procedure, char const * name, int maxNumSteps, int seq)
    : modC_Step(seq), steps(static_cast<std::size_t>(maxNumSteps > 0 ? maxNumSteps : 0)), name(name),
      procedure(procedure), numSteps(0), maxNumSteps(maxNumSteps), ctr(0)
{
}

modC_CompositeStep::~modC_CompositeStep()
{
    for (std::unique_ptr<modC_Step> & child : steps)
        child.reset();
    for (std::unique_ptr<modC_Step> & child : replaced)
        child.reset();
}

void modC_CompositeStep::Displace(int position)
{
    replaced.push_back(std::move(steps[static_cast<std::size_t>(position)]));
}

void modC_CompositeStep::AddStep(modC_Step * step, char const * stepName)
{
    QEL_ASSERT(numSteps < maxNumSteps);
    std::unique_ptr<modC_Step> & slot = steps[static_cast<std::size_t>(numSteps)];
    if (slot && slot.get() != step)
        Displace(numSteps);
    if (slot.get() != step)
        slot.reset(step);
    ++numSteps;
    stepNames.Append(cow_String(stepName));
}

void modC_CompositeStep::ReplaceStep(modC_Step * step, char const * stepName)
{
    QEL_ASSERT_TEXT(ctr == numSteps - 1, "!\"Only the last step which executed can be replaced.\"");
    stepNames.Get(ctr) = cow_String(stepName);
    std::unique_ptr<modC_Step> & slot = steps[static_cast<std::size_t>(ctr)];
    if (slot.get() != step) {
        if (slot)
            Displace(ctr);
        slot.reset(step);
    }
    --ctr;
}

cow_String modC_CompositeStep::ChildPrompt(int position) const
{
    cow_String prompt(steps[static_cast<std::size_t>(position)]->getPrompt());
    if (prompt.IsEmpty())
        prompt = cow_String("*promptArea.") + procedure->ModeName() + "_" + name + "_" +
                 stepNames.ConstGet(position) + ".labelString";
    return prompt;
}

void modC_CompositeStep::ShowChildPrompt(int position) const
{
    procedure->ModeContext()->SetPrompt(ChildPrompt(position).AsCharPtr());
}

void modC_CompositeStep::Execute(modC_MethodFactory const *, modC_StepReceiver * receiver_)
{
    QEL_ASSERT(steps[0] != nullptr);
    ctr = 0;
    numSteps = 1;
    stepNames.Truncate(1);
    receiver = receiver_;
    ShowChildPrompt(0);
    steps[0]->Execute(procedure->ModeContext()->GetMethodFactory(), this);
}

void modC_CompositeStep::StepTerminated(modC_Step const &)
{
    if (ctr < numSteps - 1) {
        ++ctr;
        procedure->ModeContext()->StepChanging();
        ShowChildPrompt(ctr);
        steps[static_cast<std::size_t>(ctr)]->Execute(procedure->ModeContext()->GetMethodFactory(), this);
    } else {
        receiver->StepTerminated(*this);
    }
}

void modC_CompositeStep::Cancel()
{
    QEL_ASSERT(ctr < numSteps);
    QEL_ASSERT(ctr >= 0);
    steps[static_cast<std::size_t>(ctr)]->Cancel();
}

void modC_CompositeStep::Suspend()
{
    QEL_ASSERT(ctr < numSteps);
    QEL_ASSERT(ctr >= 0);
    steps[static_cast<std::size_t>(ctr)]->Suspend();
}

void modC_CompositeStep::Resume()
{
    QEL_ASSERT(ctr < numSteps);
    QEL_ASSERT(ctr >= 0);
    ShowChildPrompt(ctr);
    steps[static_cast<std::size_t>(ctr)]->Resume();
}

char const * modC_CompositeStep::getPrompt() const
{
    if (ctr < 0 || ctr >= numSteps)
        return "";
    promptOfChild = steps[static_cast<std::size_t>(ctr)]->getPrompt();
    return promptOfChild.AsCharPtr();
}

int modC_CompositeStep::Backup()
{
    if (ctr != 0) {
        for (int position = numSteps - 1; position >= 1; --position) {
            steps[static_cast<std::size_t>(position)]->Cancel();
            stepNames.Truncate(position);
        }
        ctr = 0;
        numSteps = 1;
    }
    return 1;
}

void modC_CompositeStep::ClearHighlights() const
{
    for (std::unique_ptr<modC_Step> const & child : steps)
        if (child)
            child->ClearHighlights();
    for (std::unique_ptr<modC_Step> const & child : replaced)
        child->ClearHighlights();
}

void modC_CompositeStep::Done(modC_Method *)
{
    QEL_ASSERT(0);
}

void modC_CompositeStep::StepAbort(modC_Step const & step)
{
    receiver->StepAbort(step);
}

void modC_CompositeStep::SuspendOption()
{
    receiver->SuspendOption();
}

void modC_CompositeStep::ResumeOption()
{
    receiver->ResumeOption();
}

void modC_CompositeStep::EndMode()
{
    receiver->EndMode();
}

bool modC_CompositeStep::FirstStep(modC_Step const & step)
{
    return &step == steps[0].get() && receiver->FirstStep(*this);
}
