#include "SampleText.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "uti_ResourceManager.h"

namespace sample_text {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string Trim(std::string const & text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string Lower(std::string text)
{
    for (char & c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> Words(std::string const & text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

bool ParseInteger(std::string const & text, long long & value)
{
    std::string const t = Trim(text);
    // strtoll skips leading blanks and accepts a sign; require a digit right away.
    std::size_t const first = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    if (first >= t.size() || !std::isdigit(static_cast<unsigned char>(t[first])))
        return false;
    errno = 0;
    char * end = nullptr;
    long long const read = std::strtoll(t.c_str(), &end, 10);
    // A character the conversion stops at, a zero byte too, makes it no number.
    if (errno == ERANGE || end != t.c_str() + t.size())
        return false;
    value = read;
    return true;
}

bool ParseNumber(std::string const & text, double & value)
{
    std::string const t = Trim(text);
    if (t.empty())
        return false;
    // Only what people type as numbers: no "inf", "nan" or hexadecimal.
    for (char c : t)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.' && c != 'e' && c != 'E')
            return false;
    errno = 0;
    char * end = nullptr;
    double const read = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || errno == ERANGE || !std::isfinite(read))
        return false;
    value = read;
    return true;
}

bool ParseNumbers(std::string const & text, std::vector<double> & values)
{
    std::string t = Trim(text);
    if (t.size() >= 2 && t.front() == '(' && t.back() == ')')
        t = t.substr(1, t.size() - 2);
    values.clear();
    std::size_t start = 0;
    for (;;) {
        std::size_t const comma = t.find(',', start);
        std::vector<std::string> const words =
            Words(t.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (words.empty())
            return false;  // an empty field, also before or after a comma
        for (std::string const & word : words) {
            double value = 0.0;
            if (!ParseNumber(word, value))
                return false;
            values.push_back(value);
        }
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string ExactNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string ExactNumbers(std::vector<double> const & numbers)
{
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i ? ", " : "") + ExactNumber(numbers[i]);
    return text;
}

std::string Quoted(std::string const & text)
{
    return "\"" + text + "\"";
}

std::string Unquoted(std::string const & text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

std::string Resolve(char const * label)
{
    if (!label)
        return "";
    if (label[0] != '*')
        return label;
    return uti_ResourceManager::Instance().GetStringResource(label, label);
}

}  // namespace sample_text
