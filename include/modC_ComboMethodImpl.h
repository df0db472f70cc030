// A combo box. The front end keeps `selection` (1-based, 0 for none) and
// `value`, the text of the selected entry.
#ifndef MODC_COMBOMETHODIMPL_H
#define MODC_COMBOMETHODIMPL_H

#include "cow_List.h"
#include "cow_String.h"
#include "modC_MethodImpl.h"

class modC_ComboMethodImpl : public modC_MethodImpl {
public:
    cow_String GetValueAsString() const { return value; }
    int Selection() const { return selection; }
    cow_List<cow_String> const & Entries() const { return entries; }

protected:
    // Opens on entry `defaultEntry` (1-based), or on none when it is 0; an
    // entry that does not exist fails the list's index check.
    modC_ComboMethodImpl(cow_List<cow_String> const & entries, int defaultEntry);

    cow_List<cow_String> entries;
    int selection;
    cow_String value;
};

#endif
