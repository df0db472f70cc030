#ifndef OMU_PRIMBOOL_H
#define OMU_PRIMBOOL_H

#include "omu_Primitive.h"

// An enumeration primitive with `N` values; the boolean one is the only one used.
template <class E, int N>
class omu_PrimEnum;

template <>
class omu_PrimEnum<bool, 2> : public omu_Primitive {
public:
    explicit omu_PrimEnum(bool v = false) : value(v) {}

    bool GetValue() const { return value; }
    void SetValue(bool v) { value = v; }

    Kind GetKind() const override { return BOOL; }
    omu_Primitive * Copy() const override { return new omu_PrimEnum(*this); }
    bool Equals(omu_Primitive const & other) const override
    {
        return other.GetKind() == BOOL && static_cast<omu_PrimEnum const &>(other).value == value;
    }
    cow_String AsString() const override { return value ? "true" : "false"; }
    void WritePayload(bio_Ofilter & out) const override;

private:
    bool value;
};

template <int N>
using omu_PrimBool = omu_PrimEnum<bool, N>;

#endif
