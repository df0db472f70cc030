// A check list of pick filters. The front end keeps `states`, one per filter word.
#ifndef MODC_FILTERMETHODIMPL_H
#define MODC_FILTERMETHODIMPL_H

#include "cow_1DArray.h"
#include "cow_String.h"
#include "modC_MethodImpl.h"
#include "omu_PrimDictionary.h"

class modC_FilterMethodImpl : public modC_MethodImpl {
public:
    cow_1DArray<int> GetFilterState() const { return states; }
    omu_PrimDictionary<cow_String> const & Filters() const { return filters; }

    // Shows another set of filters.
    virtual void Reset(omu_PrimDictionary<cow_String> const & filters) = 0;

protected:
    // Copies the filters; no states until the front end sets them.
    explicit modC_FilterMethodImpl(omu_PrimDictionary<cow_String> const & filters);

    cow_1DArray<int> states;
    omu_PrimDictionary<cow_String> filters;
};

#endif
