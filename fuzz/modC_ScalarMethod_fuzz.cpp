// The entry parsers of the scalar and string methods on text from the bytes:
// integers, floating-point numbers, points and lists, the list reader called
// with any position and length. The text reaches the method as an entry field
// reports it, so it may hold 0 bytes.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_Check.h"
#include "modC_MethodReceiver.h"
#include "modC_ScalarMethod.h"

namespace {

class Field : public modC_StringMethodImpl {
public:
    Field() : modC_StringMethodImpl("", 20) {}
    void Enter(std::string const & text)
    {
        value = omu_PrimString(cow_String(text));
        method->Done(this);
    }
    void Execute() override {}
    void Cancel() override {}
    void Suspend() override {}
    void Resume() override {}
};

class Receiver : public modC_MethodReceiver {
public:
    void DirectManipulation(DirectManipReason, modC_Method *) override {}
    void ValueChanged(modC_Method *) override {}
    void Done(modC_Method *) override {}
};

// The integer of `text` as atoi reads it, saturated to int: read here digit
// by digit, apart from the library.
int SaturatedInteger(char const * text)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool const negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    long long number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        number = number * 10 + (*text - '0');
        if (number > 1LL << 40)
            number = 1LL << 40;
    }
    number = negative ? -number : number;
    return number > INT_MAX ? INT_MAX : number < INT_MIN ? INT_MIN : static_cast<int>(number);
}

bool SameDouble(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    if (size < 2)
        return 0;
    std::string const text(reinterpret_cast<char const *>(data + 2), size - 2);
    Receiver receiver;
    Field * field = new Field;
    modC_ScalarMethod method("", &receiver, field);
    field->Enter(text);
    FUZZ_CHECK(method.GetStringValue().Std() == text);
    char const * const chars = text.c_str();  // the accessors read up to a 0 byte

    FUZZ_CHECK(method.GetIntegerValue() == SaturatedInteger(chars));
    FUZZ_CHECK(SameDouble(method.GetFloatValue(), std::atof(chars)));
    double x = 1, y = 1, z = 1;
    method.GetPointValue(x, y, z);

    cow_1DArrayList<double, double> values;
    method.GetArrayValue(values);
    // Every number ends at a comma or a blank, or at the end of the text.
    std::size_t separators = 0;
    for (char c : text)
        separators += c == ',' || c == ' ';
    FUZZ_CHECK(values.Size() >= 1 && static_cast<std::size_t>(values.Size()) <= separators + 1);

    // Any position and length: never a read outside the text, the position
    // only moves forward, and nothing is read from at or past the length.
    int position = static_cast<signed char>(data[0]);
    int const length = static_cast<signed char>(data[1]) * 4;
    int const before = position;
    double result = 42.0;
    modC_ScalarMethod::parseFloat(omu_PrimString(cow_String(text)), position, length, result);
    FUZZ_CHECK(position >= before);
    if (before >= length)
        FUZZ_CHECK(result == 42.0);
    return 0;
}
