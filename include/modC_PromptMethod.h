// A line of prompt text. It never reports: a report from its implementation
// is a programming error.
#ifndef MODC_PROMPTMETHOD_H
#define MODC_PROMPTMETHOD_H

#include <memory>

#include "modC_Method.h"
#include "modC_PromptMethodImpl.h"

class modC_PromptMethod : public modC_Method {
public:
    // Takes ownership of `impl` and attaches to it.
    modC_PromptMethod(modC_MethodReceiver * receiver, modC_PromptMethodImpl * impl);

    void Execute() override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

private:
    std::unique_ptr<modC_PromptMethodImpl> impl;
};

#endif
