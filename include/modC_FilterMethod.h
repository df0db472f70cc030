// The pick-filter check list: the step reads one state per filter word.
#ifndef MODC_FILTERMETHOD_H
#define MODC_FILTERMETHOD_H

#include <memory>

#include "cow_1DArray.h"
#include "cow_String.h"
#include "modC_FilterMethodImpl.h"
#include "modC_Method.h"
#include "omu_PrimDictionary.h"

class modC_FilterMethod : public modC_Method {
public:
    // Takes ownership of `impl` and attaches to it.
    modC_FilterMethod(modC_MethodReceiver * receiver, modC_FilterMethodImpl * impl);

    void Execute() override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // Shows other filters; the states read here change only with the next report.
    void Reset(omu_PrimDictionary<cow_String> const & filters);
    // The states as of the last report; empty before the first.
    cow_1DArray<int> GetFilterState() const { return states; }

private:
    std::unique_ptr<modC_FilterMethodImpl> impl;
    cow_1DArray<int> states;
};

#endif
