// The on-screen side of an input method. The front end derives the concrete
// widget classes, shows and removes them in Execute/Cancel/Suspend/Resume, and
// reports to `method` with itself as argument.
#ifndef MODC_METHODIMPL_H
#define MODC_METHODIMPL_H

#include "modC_Method.h"

class modC_MethodImpl : public modC_Method {
public:
    void CommitData() override;

    // Set by the method that owns this implementation.
    void SetMethod(modC_Method * owner) { method = owner; }
    modC_Method * Method() const { return method; }

protected:
    modC_MethodImpl();

    // Receives this implementation's reports; not owned.
    modC_Method * method;
};

#endif
