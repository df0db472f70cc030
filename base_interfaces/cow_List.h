// Ordered list with value semantics; copies share their elements until one of
// them writes.
#ifndef COW_LIST_H
#define COW_LIST_H

#include <vector>

#include "cow_Shared.h"

template <class T>
class cow_List {
public:
    cow_List() = default;

    int Size() const { return size; }

    void Append(T const & value)
    {
        NodeLookup(size);
        first.Write().push_back(value);
        ++size;
    }
    void Append(cow_List const & other)
    {
        cow_List const tail(other);  // `other` may be this list
        for (int i = 0; i < tail.size; ++i)
            Append(tail.ConstGet(i));
    }
    void Prepend(T const & value)
    {
        std::vector<T> & v = first.Write();
        v.insert(v.begin(), value);
        ++size;
    }
    void InsertAfter(int index, T const & value)
    {
        QEL_ASSERT((index<size) && (index>=0));
        std::vector<T> & v = first.Write();
        v.insert(v.begin() + index + 1, value);
        ++size;
    }

    T const & ConstGet(int index) const
    {
        QEL_ASSERT(!((!first.HasValue()) || (index >= size)));
        QEL_ASSERT(index >= 0);
        return (*first.Read())[static_cast<std::size_t>(index)];
    }
    // Writable element; `index` == size appends a default element.
    T & Get(int index)
    {
        NodeLookup(index);
        QEL_ASSERT(index >= 0);
        if (index == size) {
            first.Write().emplace_back();
            ++size;
        }
        return first.Write()[static_cast<std::size_t>(index)];
    }

    void Clear()
    {
        first.Reset();
        size = 0;
    }

    // Keeps the first `newSize` elements.
    void Truncate(int newSize)
    {
        QEL_ASSERT(newSize >= 0);
        if (newSize >= size)
            return;
        first.Write().resize(static_cast<std::size_t>(newSize));
        size = newSize;
    }

    bool operator==(cow_List const & other) const
    {
        if (size != other.size)
            return false;
        return size == 0 || *first.Read() == *other.first.Read();
    }

private:
    void NodeLookup(int index) const { QEL_ASSERT(!(index > size)); }

    cow_Shared<std::vector<T>> first;
    int size = 0;
};

#endif
