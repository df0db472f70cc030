#include "modC_ScalarMethod.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// `atof` of the characters [from, to); strtod because it, unlike atof, defines
// the result of a number out of range.
double ReadNumber(std::string const & chars, int from, int to)
{
    std::string const piece(chars, static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    return std::strtod(piece.c_str(), nullptr);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

modC_ScalarMethod::modC_ScalarMethod(char const * text, modC_MethodReceiver * receiver, modC_StringMethodImpl * impl)
    : modC_Method(receiver), value(cow_String(text)), impl(impl)
{
    if (impl)
        impl->SetMethod(this);
}

void modC_ScalarMethod::Execute()
{
    impl->Execute();
}

void modC_ScalarMethod::Cancel()
{
    impl->Cancel();
}

void modC_ScalarMethod::Suspend()
{
    impl->Suspend();
}

void modC_ScalarMethod::Resume()
{
    impl->Resume();
}

void modC_ScalarMethod::ValueChanged(modC_Method *)
{
    value = impl->GetValue();
    receiver->ValueChanged(this);
}

void modC_ScalarMethod::Done(modC_Method *)
{
    value = impl->GetValue();
    receiver->Done(this);
}

void modC_ScalarMethod::CommitData()
{
    impl->CommitData();
}

int modC_ScalarMethod::GetIntegerValue() const
{
    long const number = std::strtol(value.AsCharPtr(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}

double modC_ScalarMethod::GetFloatValue() const
{
    return std::strtod(value.AsCharPtr(), nullptr);
}

cow_String modC_ScalarMethod::GetStringValue() const
{
    return value.GetValue();
}

void modC_ScalarMethod::GetPointValue(double & x, double & y, double & z) const
{
    char const * const text = value.AsCharPtr();
    double px = 0.0;
    double py = 0.0;
    double pz = 0.0;
    // Each format starts again from the start of the text; what a failed scan
    // converted stays in place for the next one.
    if (std::sscanf(text, " %lf , %lf , %lf ", &px, &py, &pz) < 2 &&
        std::sscanf(text, " %lf  %lf  %lf ", &px, &py, &pz) < 2)
        std::sscanf(text, " (%lf,%lf,%lf) ", &px, &py, &pz);
    x = px;
    y = py;
    z = pz;
}

void modC_ScalarMethod::GetArrayValue(cow_1DArrayList<double, double> & values) const
{
    values.ClearAll();
    int const length = value.Length();
    int position = 0;
    do {
        double number = 0.0;
        parseFloat(value, position, length, number);
        values.Append(number);
    } while (position < length);
}

void modC_ScalarMethod::parseFloat(omu_PrimString const & text, int & position, int length, double & result)
{
    std::string const & chars = text.GetValue().Std();
    int const end = std::min(length, text.Length());
    position = std::max(position, 0);
    int afterDigit = 0;  // non-zero once a digit was seen since `position`
    for (int i = position; i < end; ++i) {
        char const c = chars[static_cast<std::size_t>(i)];
        if (IsDigit(c))
            afterDigit = i + 1;
        if (c == ',' || (c == ' ' && afterDigit != 0)) {
            result = ReadNumber(chars, position, i);
            position = i + 1;
            return;
        }
        if (i == end - 1) {
            result = ReadNumber(chars, position, end);
            position = end;
            return;
        }
    }
}
