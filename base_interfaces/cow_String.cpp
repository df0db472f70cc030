#include "cow_String.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {
std::string const emptyString;
}

cow_String::cow_String(char const * text)
{
    if (text && *text)
        chars = cow_Shared<std::string>(std::string(text));
}

cow_String::cow_String(std::string text)
{
    if (!text.empty())
        chars = cow_Shared<std::string>(std::move(text));
}

cow_String & cow_String::operator=(char const * text)
{
    // `text` may point into this string's own characters.
    cow_String copy(text);
    *this = std::move(copy);
    return *this;
}

cow_String & cow_String::Append(char const * text)
{
    if (text && *text) {
        std::string tail(text);
        chars.Write() += tail;
    }
    return *this;
}

int cow_String::Find(char const * text, int start) const
{
    if (!text || start < 0 || start > Length())
        return -1;
    std::string::size_type at = Std().find(text, static_cast<std::string::size_type>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

cow_String cow_String::Substr(int start, int length) const
{
    int const size = Length();
    if (start < 0)
        start = 0;
    if (start >= size || length <= 0)
        return cow_String();
    length = std::min(length, size - start);
    return cow_String(Std().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
}

void cow_String::Erase(int start, int length)
{
    int const size = Length();
    if (start < 0 || start >= size || length <= 0)
        return;
    length = std::min(length, size - start);
    chars.Write().erase(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

void cow_String::ToLower()
{
    if (IsEmpty())
        return;
    std::string & s = chars.Write();
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
}

char cow_String::operator[](int index) const
{
    QEL_ASSERT(index >= 0 && index < Length());
    return (*chars.Read())[static_cast<std::size_t>(index)];
}

std::string const & cow_String::Std() const
{
    return chars.HasValue() ? *chars.Read() : emptyString;
}

bool cow_String::operator==(char const * text) const
{
    return std::strcmp(AsCharPtr(), text ? text : "") == 0;
}

cow_String operator+(cow_String const & a, cow_String const & b)
{
    cow_String result(a);
    result.Append(b);
    return result;
}
