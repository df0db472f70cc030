#include "pnt_PrettyPrint.h"

#include <cstdio>

#include "omu_Primitive.h"

pnt_PrettyPrint & pnt_PrettyPrint::operator<<(int value)
{
    stream << value;
    return *this;
}

pnt_PrettyPrint & pnt_PrettyPrint::operator<<(float value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
    stream << buffer;
    return *this;
}

pnt_PrettyPrint & pnt_PrettyPrint::operator<<(omu_Primitive const & value)
{
    cow_String const text = value.AsString();
    return prettyprint(text.AsCharPtr(), text.Length());
}

pnt_PrettyPrint & pnt_PrettyPrint::prettyprint(char const * text, int length)
{
    if (text && length > 0)
        stream.write(text, length);
    return *this;
}

pnt_PrettyPrint & pnt_PrettyPrint::Control(char letter)
{
    char const pair[2] = {escape, letter};
    return prettyprint(pair, 2);
}
