// Character string with value semantics; copies share their characters until
// one of them changes.
#ifndef COW_STRING_H
#define COW_STRING_H

#include <string>

#include "cow_Shared.h"

class cow_String {
public:
    cow_String() = default;
    cow_String(char const * text);  // null gives the empty string
    explicit cow_String(std::string text);

    cow_String & operator=(char const * text);

    cow_String & Append(char const * text);
    cow_String & Append(cow_String const & other) { return Append(other.AsCharPtr()); }
    cow_String & operator+=(char const * text) { return Append(text); }
    cow_String & operator+=(cow_String const & other) { return Append(other); }

    // Position of `text` at or after `start`, or -1.
    int Find(char const * text, int start = 0) const;
    // At most `length` characters from `start`; out-of-range parts are empty.
    cow_String Substr(int start, int length) const;
    void Erase(int start, int length);
    void ToLower();

    char operator[](int index) const;
    int Length() const { return chars.HasValue() ? static_cast<int>(chars.Read()->size()) : 0; }
    bool IsEmpty() const { return Length() == 0; }

    // Never null: the empty string yields "".
    char const * AsCharPtr() const { return chars.HasValue() ? chars.Read()->c_str() : ""; }
    std::string const & Std() const;

    bool operator==(char const * text) const;
    bool operator!=(char const * text) const { return !(*this == text); }
    bool operator==(cow_String const & other) const { return Std() == other.Std(); }
    bool operator!=(cow_String const & other) const { return !(*this == other); }
    bool operator<(cow_String const & other) const { return Std() < other.Std(); }

private:
    cow_Shared<std::string> chars;
};

cow_String operator+(cow_String const & a, cow_String const & b);

#endif
