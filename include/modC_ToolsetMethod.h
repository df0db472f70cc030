// A tool set: it carries no value, its reports pass straight to the step.
#ifndef MODC_TOOLSETMETHOD_H
#define MODC_TOOLSETMETHOD_H

#include <memory>

#include "modC_Method.h"
#include "modC_ToolsetMethodImpl.h"

class modC_ToolsetMethod : public modC_Method {
public:
    // Takes ownership of `impl` and attaches to it.
    modC_ToolsetMethod(modC_MethodReceiver * receiver, modC_ToolsetMethodImpl * impl);

    void Execute() override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

private:
    std::unique_ptr<modC_ToolsetMethodImpl> impl;
};

#endif
