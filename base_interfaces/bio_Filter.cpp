#include <cstring>
#include <string>

#include "bio_Ifilter.h"
#include "bio_Ofilter.h"
#include "omu_PrimString.h"
#include "omu_PrimTuple.h"

void bio_Ofilter::Bytes(std::uint64_t bits, int count)
{
    char buffer[8];
    for (int i = 0; i < count; ++i)
        buffer[i] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
    stream.write(buffer, count);
}

bio_Ofilter & bio_Ofilter::operator<<(int value)
{
    Bytes(static_cast<std::uint32_t>(value), 4);
    return *this;
}

bio_Ofilter & bio_Ofilter::operator<<(unsigned int value)
{
    Bytes(value, 4);
    return *this;
}

bio_Ofilter & bio_Ofilter::operator<<(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Bytes(bits, 4);
    return *this;
}

bio_Ofilter & bio_Ofilter::operator<<(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Bytes(bits, 8);
    return *this;
}

bio_Ofilter & bio_Ofilter::operator<<(bool value)
{
    Bytes(value ? 1 : 0, 1);
    return *this;
}

bio_Ofilter & bio_Ofilter::operator<<(cow_String const & value)
{
    Bytes(static_cast<std::uint32_t>(value.Length()), 4);
    stream.write(value.AsCharPtr(), value.Length());
    return *this;
}

bio_Ofilter & bio_Ofilter::operator<<(omu_Primitive const & value)
{
    value.Write(*this);
    return *this;
}

std::uint64_t bio_Ifilter::Bytes(int count)
{
    unsigned char buffer[8] = {};
    if (good && !stream.read(reinterpret_cast<char *>(buffer), count))
        good = false;
    if (!good)
        return 0;
    std::uint64_t bits = 0;
    for (int i = 0; i < count; ++i)
        bits |= static_cast<std::uint64_t>(buffer[i]) << (8 * i);
    return bits;
}

bio_Ifilter & bio_Ifilter::operator>>(int & value)
{
    value = static_cast<int>(static_cast<std::uint32_t>(Bytes(4)));
    return *this;
}

bio_Ifilter & bio_Ifilter::operator>>(unsigned int & value)
{
    value = static_cast<unsigned int>(Bytes(4));
    return *this;
}

bio_Ifilter & bio_Ifilter::operator>>(float & value)
{
    std::uint32_t bits = static_cast<std::uint32_t>(Bytes(4));
    std::memcpy(&value, &bits, sizeof value);
    return *this;
}

bio_Ifilter & bio_Ifilter::operator>>(double & value)
{
    std::uint64_t bits = Bytes(8);
    std::memcpy(&value, &bits, sizeof value);
    return *this;
}

bio_Ifilter & bio_Ifilter::operator>>(bool & value)
{
    std::uint64_t byte = Bytes(1);
    if (byte > 1)
        good = false;
    value = good && byte == 1;
    return *this;
}

bio_Ifilter & bio_Ifilter::operator>>(cow_String & value)
{
    std::uint32_t length = static_cast<std::uint32_t>(Bytes(4));
    if (length > maxLength)
        good = false;
    if (!good) {
        value = "";
        return *this;
    }
    std::string text(length, '\0');
    if (length && !stream.read(&text[0], length))
        good = false;
    value = good ? cow_String(std::move(text)) : cow_String();
    return *this;
}

bio_Ifilter & bio_Ifilter::operator>>(omu_PrimString & value)
{
    std::unique_ptr<omu_Primitive> read = omu_Primitive::Read(*this);
    if (read && read->GetKind() == omu_Primitive::STRING)
        value = static_cast<omu_PrimString &>(*read);
    else {
        good = false;
        value = omu_PrimString();
    }
    return *this;
}

bio_Ifilter & bio_Ifilter::operator>>(omu_PrimTuple & value)
{
    std::unique_ptr<omu_Primitive> read = omu_Primitive::Read(*this);
    if (read && read->GetKind() == omu_Primitive::TUPLE)
        value = static_cast<omu_PrimTuple &>(*read);
    else {
        good = false;
        value = omu_PrimTuple();
    }
    return *this;
}
