// A set of check buttons. The front end keeps `states`, one entry per toggle.
#ifndef MODC_TOGGLEMETHODIMPL_H
#define MODC_TOGGLEMETHODIMPL_H

#include <string>
#include <vector>

#include "cow_1DArray.h"
#include "modC_MethodImpl.h"

class modC_ToggleMethodImpl : public modC_MethodImpl {
public:
    cow_1DArray<int> GetToggleState() const { return states; }
    int Count() const { return count; }
    // Label of toggle `index`, or null when there is none.
    char const * Label(int index) const;

protected:
    // Copies the labels (a null label becomes the empty text) and the states.
    modC_ToggleMethodImpl(char const ** labels, cow_1DArray<int> const & states, int count);

    cow_1DArray<int> states;

private:
    std::vector<std::string> labels;
    int count;
};

#endif
