#include "modC_ToggleMethodImpl.h"

#include <algorithm>

modC_ToggleMethodImpl::modC_ToggleMethodImpl(char const ** labels, cow_1DArray<int> const & states, int count)
    : states(states), count(std::max(count, 0))
{
    if (labels)
        for (int i = 0; i < this->count; ++i)
            this->labels.emplace_back(labels[i] ? labels[i] : "");
}

char const * modC_ToggleMethodImpl::Label(int index) const
{
    if (index < 0 || index >= static_cast<int>(labels.size()))
        return nullptr;
    return labels[static_cast<std::size_t>(index)].c_str();
}
