// The shared representation behind the copy-on-write values: a reference-counted
// object that copies share until one of them writes.
#ifndef COW_SHARED_H
#define COW_SHARED_H

#include <utility>

#include "crt_Assert.h"

template <class T>
class cow_Shared {
public:
    cow_Shared() = default;
    explicit cow_Shared(T value) : count(new Rep{std::move(value), 1}) {}
    cow_Shared(cow_Shared const & other) : count(other.count) { Acquire(); }
    cow_Shared(cow_Shared && other) noexcept : count(other.count) { other.count = nullptr; }
    cow_Shared & operator=(cow_Shared const & other)
    {
        if (count != other.count) {
            Release();
            count = other.count;
            Acquire();
        }
        return *this;
    }
    cow_Shared & operator=(cow_Shared && other) noexcept
    {
        if (this != &other) {
            Release();
            count = other.count;
            other.count = nullptr;
        }
        return *this;
    }
    ~cow_Shared() { Release(); }

    bool HasValue() const { return count != nullptr; }
    T const * Read() const { return count ? &count->value : nullptr; }

    // The value to write to, made private to this holder first; created empty
    // when there is none.
    T & Write()
    {
        if (!count)
            count = new Rep{T(), 1};
        else if (count->refs > 1)
            Detach();
        return count->value;
    }

    void Reset() { Release(); }

private:
    struct Rep {
        T value;
        long refs;
        long References() const { return refs; }
    };

    void Acquire()
    {
        if (count)
            ++count->refs;
    }
    void Release()
    {
        if (!count)
            return;
        --count->refs;
        QEL_ASSERT(count->References() >= 0);
        if (count->refs == 0)
            delete count;
        count = nullptr;
    }
    void Detach()
    {
        Rep * copy = new Rep{count->value, 1};
        Release();
        count = copy;
    }

    Rep * count = nullptr;
};

#endif
