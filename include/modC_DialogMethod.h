// Runs a named dialog of the front end and keeps the last tuple it reported.
#ifndef MODC_DIALOGMETHOD_H
#define MODC_DIALOGMETHOD_H

#include <memory>

#include "modC_DialogMethodImpl.h"
#include "modC_Method.h"
#include "omu_PrimTuple.h"

class modC_DialogMethod : public modC_Method {
public:
    // Takes ownership of `impl`.
    modC_DialogMethod(modC_MethodReceiver * receiver, modC_DialogMethodImpl * impl);

    void Execute() override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // Empty until the first report.
    omu_PrimTuple const & Values() const { return values; }

private:
    std::unique_ptr<modC_DialogMethodImpl> impl;
    omu_PrimTuple values;
};

#endif
