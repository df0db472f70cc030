#ifndef OMU_PRIMTYPE_H
#define OMU_PRIMTYPE_H

#include "omu_Primitive.h"

// Names an object type of the modeller by its object-to-display type value.
class omu_PrimType : public omu_Primitive {
public:
    explicit omu_PrimType(int type = 0) : type(type) {}

    int GetType() const { return type; }
    static cow_String ConverTypeToString(int type);

    Kind GetKind() const override { return TYPE; }
    omu_Primitive * Copy() const override { return new omu_PrimType(*this); }
    bool Equals(omu_Primitive const & other) const override
    {
        return other.GetKind() == TYPE && static_cast<omu_PrimType const &>(other).type == type;
    }
    cow_String AsString() const override { return ConverTypeToString(type); }
    void WritePayload(bio_Ofilter & out) const override;

private:
    int type;
};

#endif
