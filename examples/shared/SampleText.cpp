#include "SampleText.h"

#include <cstdio>

namespace sample_text {

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Quoted(std::string const & text)
{
    return "\"" + text + "\"";
}

}  // namespace sample_text
