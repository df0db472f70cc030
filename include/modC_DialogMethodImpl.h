// The dialog box of a dialog method; the front end keeps `values` up to date.
#ifndef MODC_DIALOGMETHODIMPL_H
#define MODC_DIALOGMETHODIMPL_H

#include "cow_String.h"
#include "modC_MethodImpl.h"
#include "omu_PrimTuple.h"

class modC_DialogMethodImpl : public modC_MethodImpl {
public:
    omu_PrimTuple const & Values() const { return values; }
    char const * DialogName() const { return dialogName.AsCharPtr(); }
    omu_PrimTuple const & InitialValues() const { return initialValues; }

protected:
    modC_DialogMethodImpl(char const * dialogName, omu_PrimTuple const & values);

    omu_PrimTuple values;
    cow_String dialogName;
    omu_PrimTuple initialValues;
};

#endif
