// Output object stream: a portable binary format (little-endian, IEEE floats,
// length-prefixed strings, tagged primitives) over a std::ostream.
#ifndef BIO_OFILTER_H
#define BIO_OFILTER_H

#include <cstdint>
#include <ostream>

class cow_String;
class omu_Primitive;

class bio_Ofilter {
public:
    explicit bio_Ofilter(std::ostream & stream) : stream(stream) {}

    bio_Ofilter & operator<<(int value);
    bio_Ofilter & operator<<(unsigned int value);
    bio_Ofilter & operator<<(float value);
    bio_Ofilter & operator<<(double value);
    bio_Ofilter & operator<<(bool value);
    bio_Ofilter & operator<<(cow_String const & value);
    // A primitive with its kind tag, so that it can be read back as such.
    bio_Ofilter & operator<<(omu_Primitive const & value);

    bool Good() const { return stream.good(); }

private:
    void Bytes(std::uint64_t bits, int count);

    std::ostream & stream;
};

#endif
