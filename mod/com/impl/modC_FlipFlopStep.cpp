#include "modC_FlipFlopStep.h"

#include "modC_Procedure.h"
#include "modC_Strategy.h"

modC_FlipFlopStep::modC_FlipFlopStep(modC_Procedure * procedure, char const * name1, char const * name2,
                                     modC_Step * step1, modC_Step * step2, int seq, bool flipOnce,
                                     bool commitFirst)
    : modC_Step(seq), firstActive(true), name1(name1), name2(name2), step1(step1), step2(step2),
      procedure(procedure), flipOnce(flipOnce), flipped(false), commitFirst(commitFirst), committed(false)
{
}

modC_FlipFlopStep::~modC_FlipFlopStep()
{
    // A procedure never installed has no mode context to take the button from.
    if (procedure && procedure->ModeContext())
        RemoveButton();
    step1.reset();
    step2.reset();
}

void modC_FlipFlopStep::SetSteps(modC_Step * newStep1, modC_Step * newStep2)
{
    step1.reset(newStep1);
    step2.reset(newStep2);
}

void modC_FlipFlopStep::SetStepNames(char const * newName1, char const * newName2)
{
    name1 = newName1;
    name2 = newName2;
}

void modC_FlipFlopStep::setOptBtnLabels(char const * newLabel1, char const * newLabel2)
{
    label1 = newLabel1;
    label2 = newLabel2;
}

void modC_FlipFlopStep::ShowPrompt() const
{
    cow_String prompt(Running().getPrompt());
    if (prompt.IsEmpty())
        prompt = cow_String("*promptArea.") + procedure->ModeName() + "_" + RunningName() + ".labelString";
    procedure->ModeContext()->SetPrompt(prompt.AsCharPtr());
}

void modC_FlipFlopStep::ShowButton() const
{
    cow_String label = RunningLabel();
    if (label.IsEmpty())
        label = cow_String("*promptArea.") + procedure->ModeName() + "_" + RunningName() + ".btn1.labelString";
    procedure->ModeContext()->SetOptionCallback(0, label.AsCharPtr(), &modC_Procedure::Option2DataCB, procedure);
}

void modC_FlipFlopStep::RemoveButton() const
{
    procedure->ModeContext()->SetOptionCallback(0, nullptr, nullptr, nullptr);
}

void modC_FlipFlopStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    receiver = receiver_;
    ShowPrompt();
    if (flipOnce && flipped)
        RemoveButton();
    else
        ShowButton();
    Running().Execute(factory, this);
}

void modC_FlipFlopStep::Resume()
{
    ShowPrompt();
    Running().Resume();
    ShowButton();
}

void modC_FlipFlopStep::Flip()
{
    Running().Cancel();
    if (receiver)
        receiver->FlippingHook(*this, Running());
    firstActive = !firstActive;
    flipped = true;
    procedure->ModeContext()->StepChanging();
    Execute(procedure->ModeContext()->GetMethodFactory(), receiver);
}

void modC_FlipFlopStep::Done(modC_Method *)
{
    if (commitFirst && !committed) {
        Running().CommitData();
        committed = true;
        return;
    }
    Flip();
}

void modC_FlipFlopStep::StepValueChanged(modC_Step const & step)
{
    if (committed) {
        committed = false;
        Flip();
    }
    if (receiver)
        receiver->StepValueChanged(step);
}

void modC_FlipFlopStep::StepTerminated(modC_Step const & step)
{
    RemoveButton();
    if (receiver)
        receiver->StepTerminated(step);
}

void modC_FlipFlopStep::StepAbort(modC_Step const & step)
{
    if (receiver)
        receiver->StepAbort(step);
}

void modC_FlipFlopStep::SuspendOption()
{
    if (receiver)
        receiver->SuspendOption();
}

void modC_FlipFlopStep::ResumeOption()
{
    if (receiver)
        receiver->ResumeOption();
}

void modC_FlipFlopStep::EndMode()
{
    if (receiver)
        receiver->EndMode();
}

bool modC_FlipFlopStep::FirstStep(modC_Step const & step)
{
    return &step == step1.get() && !flipped && receiver && receiver->FirstStep(*this);
}

void modC_FlipFlopStep::Cancel()
{
    Running().Cancel();
    RemoveButton();
}

void modC_FlipFlopStep::Suspend()
{
    Running().Suspend();
    RemoveButton();
}

int modC_FlipFlopStep::Backup()
{
    return Running().Backup();
}

void modC_FlipFlopStep::ClearHighlights() const
{
    if (step1)
        step1->ClearHighlights();
    if (step2)
        step2->ClearHighlights();
}

char const * modC_FlipFlopStep::getPrompt() const
{
    return Running().getPrompt();
}
