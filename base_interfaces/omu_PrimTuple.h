// Ordered sequence of primitives. Written with `Put` in order; read with
// `Begin` and a `Get` per element.
#ifndef OMU_PRIMTUPLE_H
#define OMU_PRIMTUPLE_H

#include <memory>
#include <vector>

#include "omu_Primitive.h"

class omu_PrimTuple : public omu_Primitive {
public:
    omu_PrimTuple() = default;
    // Reserves room only; the elements come from `Put`.
    explicit omu_PrimTuple(int count) { elements.reserve(count > 0 ? static_cast<std::size_t>(count) : 0); }

    int Length() const { return static_cast<int>(elements.size()); }

    void Put(omu_Primitive const & value);
    void Put(cow_String const & value);
    void Put(char const * value) { Put(cow_String(value)); }
    void Put(int value);
    void Put(unsigned int value);
    void Put(double value);
    void Put(bool value);

    // Rewinds the read position.
    void Begin() const { readPos = 0; }
    // Each reads the next element; the element must be of a kind that converts
    // (int from int or unsigned, float from double or int, bool from bool or int).
    void Get(int & out) const;
    void Get(unsigned int & out) const;
    void Get(float & out) const;
    void Get(double & out) const;
    void Get(bool & out) const;
    void Get(cow_String & out) const;
    void Get(omu_PrimTuple & out) const;
    // Closes the read sequence; true when every element was read.
    bool End() const;

    omu_Primitive const & Index(int index) const;
    omu_PrimTuple Slice(int start, int end) const;  // elements [start, end)
    omu_PrimTuple Concat(omu_PrimTuple const & other) const;
    omu_PrimTuple Repeat(int times) const;

    Kind GetKind() const override { return TUPLE; }
    omu_Primitive * Copy() const override { return new omu_PrimTuple(*this); }
    bool Equals(omu_Primitive const & other) const override;
    cow_String AsString() const override;
    void WritePayload(bio_Ofilter & out) const override;
    // Reads a payload written by `WritePayload`; false on a bad stream.
    bool ReadPayload(bio_Ifilter & in);

private:
    omu_Primitive const & Next() const;

    // Elements never change once put, so copies of a tuple share them.
    std::vector<std::shared_ptr<omu_Primitive const>> elements;
    mutable int readPos = 0;
};

#endif
