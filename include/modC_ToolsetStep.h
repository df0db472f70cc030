// A toolset of the front end, named by a string, together with a single
// "Done" button: the step ends when either reports done.
#ifndef MODC_TOOLSETSTEP_H
#define MODC_TOOLSETSTEP_H

#include <memory>

#include "cow_String.h"
#include "modC_Step.h"

class modC_ToolsetStep : public modC_Step {
public:
    modC_ToolsetStep(cow_String toolsetName, int seq);
    ~modC_ToolsetStep() override;

    void Done(modC_Method * method) override;
    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;

private:
    std::unique_ptr<modC_Method> toolsetMethod;
    std::unique_ptr<modC_Method> choiceMethod;
    cow_String toolsetName;
    cow_String doneLabel;
};

#endif
