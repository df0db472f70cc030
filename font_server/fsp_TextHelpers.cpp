#include "fsp_TextHelpers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace fsp_text {

std::string Lower(std::string text)
{
    for (char & c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Blanked(std::string text)
{
    std::replace(text.begin(), text.end(), '-', ' ');
    return text;
}

bool StartsWith(std::string const & text, char const * prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool StartsWithNoCase(std::string const & text, std::string const & prefix)
{
    return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == Lower(prefix);
}

bool Contains(std::string const & text, std::string const & word)
{
    return text.find(word) != std::string::npos;
}

bool ContainsAny(std::string const & text, std::initializer_list<char const *> words)
{
    return std::any_of(words.begin(), words.end(), [&](char const * word) { return Contains(text, word); });
}

void RemoveFirst(std::string & text, char const * word)
{
    std::size_t const at = text.find(word);
    if (at != std::string::npos)
        text.erase(at, std::strlen(word));
}

bool TakeWord(std::string & text, char const * word)
{
    std::size_t at = text.find(word);
    if (at == std::string::npos)
        return false;
    std::size_t length = std::strlen(word);
    if (at > 0 && text[at - 1] == ' ') {
        --at;
        ++length;
    }
    text.erase(at, length);
    return true;
}

std::string TitleCase(std::string text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 0 || text[i - 1] == ' ')
            text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    }
    return text;
}

std::vector<std::string> Split(std::string const & text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t const end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::optional<std::string> Env(char const * name)
{
    char const * value = std::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

std::optional<float> Number(std::string const & text)
{
    char const * begin = text.c_str();
    char * end = nullptr;
    float const value = std::strtof(begin, &end);
    if (end == begin || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace fsp_text
