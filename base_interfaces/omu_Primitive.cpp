#include "omu_Primitive.h"

#include <cstdio>
#include <string>

#include "bio_Ifilter.h"
#include "bio_Ofilter.h"
#include "omu_PrimBool.h"
#include "omu_PrimDictionary.h"
#include "omu_PrimString.h"
#include "omu_PrimTuple.h"
#include "omu_PrimType.h"

namespace {

// Nesting deeper than this in a stream is taken as corrupt rather than recursed into.
constexpr int maxNesting = 64;
int readNesting = 0;

cow_String Format(char const * format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return cow_String(buffer);
}

}  // namespace

void omu_Primitive::Write(bio_Ofilter & out) const
{
    out << static_cast<int>(GetKind());
    WritePayload(out);
}

std::unique_ptr<omu_Primitive> omu_Primitive::Read(bio_Ifilter & in)
{
    int kind = 0;
    in >> kind;
    if (!in.Good() || readNesting >= maxNesting) {
        in.SetBad();
        return nullptr;
    }
    std::unique_ptr<omu_Primitive> result;
    switch (kind) {
    case INT: {
        int v = 0;
        in >> v;
        result.reset(new omu_PrimInt(v));
        break;
    }
    case UINT: {
        unsigned int v = 0;
        in >> v;
        result.reset(new omu_PrimUInt(v));
        break;
    }
    case DOUBLE: {
        double v = 0;
        in >> v;
        result.reset(new omu_PrimDouble(v));
        break;
    }
    case STRING: {
        cow_String v;
        in >> v;
        result.reset(new omu_PrimString(v));
        break;
    }
    case BOOL: {
        bool v = false;
        in >> v;
        result.reset(new omu_PrimBool<2>(v));
        break;
    }
    case TYPE: {
        int v = 0;
        in >> v;
        result.reset(new omu_PrimType(v));
        break;
    }
    case TUPLE: {
        auto tuple = std::make_unique<omu_PrimTuple>();
        ++readNesting;
        tuple->ReadPayload(in);
        --readNesting;
        result = std::move(tuple);
        break;
    }
    case DICTIONARY: {
        auto dictionary = std::make_unique<omu_PrimDictionary<cow_String>>();
        ++readNesting;
        dictionary->ReadPayload(in);
        --readNesting;
        result = std::move(dictionary);
        break;
    }
    default:
        in.SetBad();
        return nullptr;
    }
    if (!in.Good())
        return nullptr;
    return result;
}

template <>
cow_String omu_PrimInt::AsString() const
{
    return cow_String(std::to_string(value));
}
template <>
cow_String omu_PrimUInt::AsString() const
{
    return cow_String(std::to_string(value));
}
template <>
cow_String omu_PrimDouble::AsString() const
{
    return Format("%.17g", value);
}
template <>
void omu_PrimInt::WritePayload(bio_Ofilter & out) const
{
    out << value;
}
template <>
void omu_PrimUInt::WritePayload(bio_Ofilter & out) const
{
    out << value;
}
template <>
void omu_PrimDouble::WritePayload(bio_Ofilter & out) const
{
    out << value;
}

bool omu_PrimString::Equals(omu_Primitive const & other) const
{
    return other.GetKind() == STRING && static_cast<omu_PrimString const &>(other).value == value;
}

void omu_PrimString::WritePayload(bio_Ofilter & out) const
{
    out << value;
}

void omu_PrimEnum<bool, 2>::WritePayload(bio_Ofilter & out) const
{
    out << value;
}

cow_String omu_PrimType::ConverTypeToString(int type)
{
    return cow_String(("type " + std::to_string(type)).c_str());
}

void omu_PrimType::WritePayload(bio_Ofilter & out) const
{
    out << type;
}

template <>
void omu_PrimDictionary<cow_String>::WritePayload(bio_Ofilter & out) const
{
    out << static_cast<unsigned int>(entries.size());
    for (auto const & entry : entries) {
        out << *entry.first;
        out << entry.second;
    }
}

template <>
bool omu_PrimDictionary<cow_String>::ReadPayload(bio_Ifilter & in)
{
    entries.clear();
    unsigned int count = 0;
    in >> count;
    if (count > bio_Ifilter::maxLength)
        in.SetBad();
    for (unsigned int i = 0; i < count && in.Good(); ++i) {
        std::unique_ptr<omu_Primitive> key = omu_Primitive::Read(in);
        cow_String text;
        in >> text;
        if (key && in.Good())
            entries.emplace_back(std::shared_ptr<omu_Primitive const>(std::move(key)), text);
    }
    return in.Good();
}
