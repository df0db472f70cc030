// One-dimensional array with value semantics; copies share their elements
// until one of them writes. `Get` grows the array to reach its index.
#ifndef COW_1DARRAY_H
#define COW_1DARRAY_H

#include <vector>

#include "cow_Shared.h"

template <class T>
class cow_1DArray {
public:
    cow_1DArray() = default;
    explicit cow_1DArray(int length)
    {
        if (length > 0)
            elements = cow_Shared<std::vector<T>>(std::vector<T>(static_cast<std::size_t>(length)));
    }

    int Length() const { return elements.HasValue() ? static_cast<int>(elements.Read()->size()) : 0; }

    T & Get(int index)
    {
        QEL_ASSERT(index >= 0);
        std::vector<T> & v = elements.Write();
        if (static_cast<std::size_t>(index) >= v.size())
            v.resize(static_cast<std::size_t>(index) + 1);
        return v[static_cast<std::size_t>(index)];
    }

    T const & ConstGet(int index) const
    {
        QEL_ASSERT(index >= 0 && index < Length());
        return (*elements.Read())[static_cast<std::size_t>(index)];
    }
    T const & PartialArrayConstGet(int index) const { return ConstGet(index); }

    void Clear() { elements.Reset(); }

    bool operator==(cow_1DArray const & other) const
    {
        if (Length() != other.Length())
            return false;
        return Length() == 0 || *elements.Read() == *other.elements.Read();
    }
    bool operator!=(cow_1DArray const & other) const { return !(*this == other); }

private:
    cow_Shared<std::vector<T>> elements;
};

#endif
