#include "omu_PrimTuple.h"

#include <algorithm>

#include "bio_Ifilter.h"
#include "bio_Ofilter.h"
#include "omu_PrimBool.h"
#include "omu_PrimString.h"

void omu_PrimTuple::Put(omu_Primitive const & value)
{
    elements.emplace_back(value.Copy());
}
void omu_PrimTuple::Put(cow_String const & value)
{
    elements.emplace_back(std::make_shared<omu_PrimString>(value));
}
void omu_PrimTuple::Put(int value)
{
    elements.emplace_back(std::make_shared<omu_PrimInt>(value));
}
void omu_PrimTuple::Put(unsigned int value)
{
    elements.emplace_back(std::make_shared<omu_PrimUInt>(value));
}
void omu_PrimTuple::Put(double value)
{
    elements.emplace_back(std::make_shared<omu_PrimDouble>(value));
}
void omu_PrimTuple::Put(bool value)
{
    elements.emplace_back(std::make_shared<omu_PrimBool<2>>(value));
}

omu_Primitive const & omu_PrimTuple::Next() const
{
    QEL_ASSERT(readPos < Length());
    return *elements[static_cast<std::size_t>(readPos++)];
}

void omu_PrimTuple::Get(int & out) const
{
    omu_Primitive const & e = Next();
    QEL_ASSERT(e.GetKind() == INT || e.GetKind() == UINT);
    out = e.GetKind() == INT ? static_cast<omu_PrimInt const &>(e).GetValue()
                             : static_cast<int>(static_cast<omu_PrimUInt const &>(e).GetValue());
}

void omu_PrimTuple::Get(unsigned int & out) const
{
    omu_Primitive const & e = Next();
    QEL_ASSERT(e.GetKind() == INT || e.GetKind() == UINT);
    out = e.GetKind() == UINT ? static_cast<omu_PrimUInt const &>(e).GetValue()
                              : static_cast<unsigned int>(static_cast<omu_PrimInt const &>(e).GetValue());
}

void omu_PrimTuple::Get(double & out) const
{
    omu_Primitive const & e = Next();
    QEL_ASSERT(e.GetKind() == DOUBLE || e.GetKind() == INT);
    out = e.GetKind() == DOUBLE ? static_cast<omu_PrimDouble const &>(e).GetValue()
                                : static_cast<omu_PrimInt const &>(e).GetValue();
}

void omu_PrimTuple::Get(float & out) const
{
    double value = 0;
    Get(value);
    out = static_cast<float>(value);
}

void omu_PrimTuple::Get(bool & out) const
{
    omu_Primitive const & e = Next();
    QEL_ASSERT(e.GetKind() == BOOL || e.GetKind() == INT);
    out = e.GetKind() == BOOL ? static_cast<omu_PrimBool<2> const &>(e).GetValue()
                              : static_cast<omu_PrimInt const &>(e).GetValue() != 0;
}

void omu_PrimTuple::Get(cow_String & out) const
{
    omu_Primitive const & e = Next();
    QEL_ASSERT(e.GetKind() == STRING);
    out = static_cast<omu_PrimString const &>(e).GetValue();
}

void omu_PrimTuple::Get(omu_PrimTuple & out) const
{
    omu_Primitive const & e = Next();
    QEL_ASSERT(e.GetKind() == TUPLE);
    out = static_cast<omu_PrimTuple const &>(e);
    out.readPos = 0;
}

bool omu_PrimTuple::End() const
{
    bool const complete = readPos == Length();
    readPos = 0;
    return complete;
}

omu_Primitive const & omu_PrimTuple::Index(int index) const
{
    QEL_ASSERT(index >= 0 && index < Length());
    return *elements[static_cast<std::size_t>(index)];
}

omu_PrimTuple omu_PrimTuple::Slice(int start, int end) const
{
    omu_PrimTuple result;
    start = std::max(start, 0);
    end = std::min(end, Length());
    for (int i = start; i < end; ++i)
        result.elements.push_back(elements[static_cast<std::size_t>(i)]);
    return result;
}

omu_PrimTuple omu_PrimTuple::Concat(omu_PrimTuple const & other) const
{
    omu_PrimTuple result(*this);
    result.readPos = 0;
    result.elements.insert(result.elements.end(), other.elements.begin(), other.elements.end());
    return result;
}

omu_PrimTuple omu_PrimTuple::Repeat(int times) const
{
    omu_PrimTuple result;
    for (int i = 0; i < times; ++i)
        result.elements.insert(result.elements.end(), elements.begin(), elements.end());
    return result;
}

bool omu_PrimTuple::Equals(omu_Primitive const & other) const
{
    if (other.GetKind() != TUPLE)
        return false;
    auto const & o = static_cast<omu_PrimTuple const &>(other);
    if (o.Length() != Length())
        return false;
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (!elements[i]->Equals(*o.elements[i]))
            return false;
    return true;
}

cow_String omu_PrimTuple::AsString() const
{
    cow_String text("(");
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i)
            text += ", ";
        bool const quoted = elements[i]->GetKind() == STRING;
        if (quoted)
            text += "\"";
        text += elements[i]->AsString();
        if (quoted)
            text += "\"";
    }
    text += ")";
    return text;
}

void omu_PrimTuple::WritePayload(bio_Ofilter & out) const
{
    out << static_cast<unsigned int>(elements.size());
    for (auto const & e : elements)
        out << *e;
}

bool omu_PrimTuple::ReadPayload(bio_Ifilter & in)
{
    elements.clear();
    readPos = 0;
    unsigned int count = 0;
    in >> count;
    if (count > bio_Ifilter::maxLength)
        in.SetBad();
    for (unsigned int i = 0; i < count && in.Good(); ++i) {
        std::unique_ptr<omu_Primitive> e = omu_Primitive::Read(in);
        if (e)
            elements.emplace_back(std::move(e));
    }
    return in.Good();
}
