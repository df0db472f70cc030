// Growable array of values, used as a stack.
#ifndef COW_1DARRAYLIST_H
#define COW_1DARRAYLIST_H

#include <vector>

#include "cow_Shared.h"

template <class T, class Arg = T>
class cow_1DArrayList {
public:
    int Size() const { return elements.HasValue() ? static_cast<int>(elements.Read()->size()) : 0; }

    void Append(Arg value) { elements.Write().push_back(value); }

    // Appends `count` values at once, growing the storage once.
    void Append(T const * values, int count)
    {
        QEL_ASSERT(count >= 0);
        std::vector<T> & v = elements.Write();
        v.insert(v.end(), values, values + count);
    }

    T const & ConstGet(int index) const
    {
        QEL_ASSERT(index >= 0 && index < Size());
        return (*elements.Read())[static_cast<std::size_t>(index)];
    }
    T & Get(int index)
    {
        QEL_ASSERT(index >= 0 && index < Size());
        return elements.Write()[static_cast<std::size_t>(index)];
    }

    // Removes and returns the last value.
    T Pop()
    {
        QEL_ASSERT(Size() > 0);
        std::vector<T> & v = elements.Write();
        T last = v.back();
        v.pop_back();
        return last;
    }

    void ClearAll() { elements.Reset(); }

private:
    cow_Shared<std::vector<T>> elements;
};

#endif
