// A row of buttons, a menu or an option list, labelled by texts or pictures.
// The front end sets `selection` to the 0-based index of what the user chose.
#ifndef MODC_CHOICEMETHODIMPL_H
#define MODC_CHOICEMETHODIMPL_H

#include <string>
#include <vector>

#include "modC_MethodImpl.h"

class modC_ChoiceMethodImpl : public modC_MethodImpl {
public:
    // -1 until the user chooses.
    int Selection() const { return selection; }
    int Count() const { return count; }
    // Label of entry `index`, or null when there is none.
    char const * Label(int index) const;
    // Picture of entry `index`, or 0 when there is none.
    unsigned int Image(int index) const;
    // Label of the selected entry; null when nothing is selected or the
    // entries are pictures.
    char const * GetLabel() const;

protected:
    // Copies the labels; a null label becomes the empty text.
    modC_ChoiceMethodImpl(char const ** labels, int count);
    // Copies the picture identifiers.
    modC_ChoiceMethodImpl(unsigned int * images, int count);

    int selection;

private:
    std::vector<std::string> labels;
    int count;
    std::vector<unsigned int> images;
};

#endif
