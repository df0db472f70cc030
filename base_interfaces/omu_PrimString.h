#ifndef OMU_PRIMSTRING_H
#define OMU_PRIMSTRING_H

#include "omu_Primitive.h"

class omu_PrimString : public omu_Primitive {
public:
    omu_PrimString() = default;
    explicit omu_PrimString(cow_String const & text) : value(text) {}

    char const * AsCharPtr() const { return value.AsCharPtr(); }
    int Length() const { return value.Length(); }
    cow_String const & GetValue() const { return value; }
    void SetValue(cow_String const & text) { value = text; }

    Kind GetKind() const override { return STRING; }
    omu_Primitive * Copy() const override { return new omu_PrimString(*this); }
    bool Equals(omu_Primitive const & other) const override;
    cow_String AsString() const override { return value; }
    void WritePayload(bio_Ofilter & out) const override;

private:
    cow_String value;
};

#endif
