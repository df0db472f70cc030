// The labels of a step's row of buttons. Private to the library's sources.
#ifndef MODC_BUTTONLABELS_H
#define MODC_BUTTONLABELS_H

#include <string>
#include <vector>

#include "cow_String.h"

// The resource keys "*promptArea.<mode>_<name>.toggleBtn<k>.labelString",
// k = 1 to count, which stand as the labels until a setter replaces them.
inline std::vector<cow_String> ToggleLabelKeys(cow_String const & modeName, char const * name, int count)
{
    std::vector<cow_String> keys;
    for (int k = 1; k <= count; ++k)
        keys.push_back(cow_String("*promptArea.") + modeName + "_" + name + ".toggleBtn" +
                       cow_String(std::to_string(k)) + ".labelString");
    return keys;
}

// The labels as the array of texts a factory takes; valid while the labels stay.
inline std::vector<char const *> LabelTexts(std::vector<cow_String> const & labels)
{
    std::vector<char const *> texts;
    texts.reserve(labels.size());
    for (cow_String const & label : labels)
        texts.push_back(label.AsCharPtr());
    return texts;
}

#endif
