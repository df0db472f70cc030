// Copy-on-write holder of one polymorphic object. Copies share the object
// until one asks to write; the object is then copied through its own `Copy()`.
#ifndef COW_COW_H
#define COW_COW_H

#include <memory>

#include "crt_Assert.h"

template <class T>
class cow_COW {
public:
    cow_COW() = default;
    explicit cow_COW(T * owned) : object(owned) {}  // takes ownership

    bool HasValue() const { return object != nullptr; }

    T const & ConstGet() const
    {
        QEL_ASSERT(object != nullptr);
        return *object;
    }
    T & Get()
    {
        QEL_ASSERT(object != nullptr);
        if (object.use_count() > 1)
            object.reset(object->Copy());
        return *object;
    }

    void Reset(T * owned) { object.reset(owned); }

private:
    std::shared_ptr<T> object;
};

#endif
