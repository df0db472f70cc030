// Input object stream reading what bio_Ofilter writes. A short or corrupt
// stream sets the stream bad; reads then yield zeros and empty values.
#ifndef BIO_IFILTER_H
#define BIO_IFILTER_H

#include <cstdint>
#include <istream>

class cow_String;
class omu_PrimString;
class omu_PrimTuple;

class bio_Ifilter {
public:
    explicit bio_Ifilter(std::istream & stream) : stream(stream) {}

    bio_Ifilter & operator>>(int & value);
    bio_Ifilter & operator>>(unsigned int & value);
    bio_Ifilter & operator>>(float & value);
    bio_Ifilter & operator>>(double & value);
    bio_Ifilter & operator>>(bool & value);
    bio_Ifilter & operator>>(cow_String & value);
    bio_Ifilter & operator>>(omu_PrimString & value);
    bio_Ifilter & operator>>(omu_PrimTuple & value);

    bool Good() const { return good; }
    void SetBad() { good = false; }

    // Longest string or sequence a stream may announce; a longer one is corrupt.
    static constexpr std::uint32_t maxLength = 1u << 26;

private:
    std::uint64_t Bytes(int count);

    std::istream & stream;
    bool good = true;
};

#endif
