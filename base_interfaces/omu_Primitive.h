// Primitive values passed between the framework, the front end and the command
// layer. Every primitive can be copied, compared, printed and streamed.
#ifndef OMU_PRIMITIVE_H
#define OMU_PRIMITIVE_H

#include <memory>

#include "cow_String.h"

class bio_Ofilter;
class bio_Ifilter;

class omu_Primitive {
public:
    // Stream tags; stable, they are part of the object stream format.
    enum Kind { INT = 1, UINT = 2, DOUBLE = 3, STRING = 4, TUPLE = 5, BOOL = 6, TYPE = 7, DICTIONARY = 8 };

    virtual ~omu_Primitive() = default;

    virtual Kind GetKind() const = 0;
    virtual omu_Primitive * Copy() const = 0;  // caller owns
    virtual bool Equals(omu_Primitive const & other) const = 0;
    virtual cow_String AsString() const = 0;
    // Writes the payload only; `Write` below adds the kind tag.
    virtual void WritePayload(bio_Ofilter & out) const = 0;

    void Write(bio_Ofilter & out) const;
    // Reads one tagged primitive; null when the stream is bad or the tag unknown.
    static std::unique_ptr<omu_Primitive> Read(bio_Ifilter & in);

    bool operator==(omu_Primitive const & other) const { return Equals(other); }
    bool operator!=(omu_Primitive const & other) const { return !Equals(other); }

protected:
    omu_Primitive() = default;
    omu_Primitive(omu_Primitive const &) = default;
    omu_Primitive & operator=(omu_Primitive const &) = default;
};

// A scalar primitive of a plain C++ type.
template <class T, omu_Primitive::Kind K>
class omu_PrimScalar : public omu_Primitive {
public:
    explicit omu_PrimScalar(T v = T()) : value(v) {}

    T GetValue() const { return value; }
    void SetValue(T v) { value = v; }

    Kind GetKind() const override { return K; }
    omu_Primitive * Copy() const override { return new omu_PrimScalar(*this); }
    bool Equals(omu_Primitive const & other) const override
    {
        return other.GetKind() == K && static_cast<omu_PrimScalar const &>(other).value == value;
    }
    cow_String AsString() const override;
    void WritePayload(bio_Ofilter & out) const override;

private:
    T value;
};

using omu_PrimInt = omu_PrimScalar<int, omu_Primitive::INT>;
using omu_PrimUInt = omu_PrimScalar<unsigned int, omu_Primitive::UINT>;
using omu_PrimDouble = omu_PrimScalar<double, omu_Primitive::DOUBLE>;

template <> cow_String omu_PrimInt::AsString() const;
template <> cow_String omu_PrimUInt::AsString() const;
template <> cow_String omu_PrimDouble::AsString() const;
template <> void omu_PrimInt::WritePayload(bio_Ofilter &) const;
template <> void omu_PrimUInt::WritePayload(bio_Ofilter &) const;
template <> void omu_PrimDouble::WritePayload(bio_Ofilter &) const;

#endif
