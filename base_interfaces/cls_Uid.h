#ifndef CLS_UID_H
#define CLS_UID_H

#include <cstdint>

// A process-wide unique identifier.
class cls_Uid {
public:
    static cls_Uid AllocateUid();

    std::uint64_t Value() const { return value; }
    bool operator==(cls_Uid const & o) const { return value == o.value; }
    bool operator!=(cls_Uid const & o) const { return value != o.value; }

private:
    explicit cls_Uid(std::uint64_t v) : value(v) {}
    std::uint64_t value;
};

#endif
