#include "modC_ChoiceMethodImpl.h"

#include <algorithm>

modC_ChoiceMethodImpl::modC_ChoiceMethodImpl(char const ** labels, int count)
    : selection(-1), count(std::max(count, 0))
{
    if (labels)
        for (int i = 0; i < this->count; ++i)
            this->labels.emplace_back(labels[i] ? labels[i] : "");
}

modC_ChoiceMethodImpl::modC_ChoiceMethodImpl(unsigned int * images, int count)
    : selection(-1), count(std::max(count, 0))
{
    if (images)
        this->images.assign(images, images + this->count);
}

char const * modC_ChoiceMethodImpl::Label(int index) const
{
    if (index < 0 || index >= static_cast<int>(labels.size()))
        return nullptr;
    return labels[static_cast<std::size_t>(index)].c_str();
}

unsigned int modC_ChoiceMethodImpl::Image(int index) const
{
    if (index < 0 || index >= static_cast<int>(images.size()))
        return 0;
    return images[static_cast<std::size_t>(index)];
}

char const * modC_ChoiceMethodImpl::GetLabel() const
{
    return Label(selection);
}
