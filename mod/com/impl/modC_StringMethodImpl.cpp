#include "modC_StringMethodImpl.h"

#include <limits>

namespace {
constexpr double lowestDouble = std::numeric_limits<double>::lowest();
constexpr double highestDouble = std::numeric_limits<double>::max();
constexpr int lowestInt = std::numeric_limits<int>::min();
constexpr int highestInt = std::numeric_limits<int>::max();
}  // namespace

modC_StringMethodImpl::modC_StringMethodImpl(char const * text, double minimum, double maximum, bool f1, bool f2,
                                             bool f3, int columns)
    : text(cow_String(text)), minimumFloat(minimum), maximumFloat(maximum), minimumInt(lowestInt),
      maximumInt(highestInt), columns(columns), entryFlag1(f1), entryFlag2(f2), integerOnly(false), entryFlag3(f3)
{
}

modC_StringMethodImpl::modC_StringMethodImpl(char const * text, int minimum, int maximum, bool f1, bool f2, bool f3,
                                             int columns)
    : text(cow_String(text)), minimumFloat(lowestDouble), maximumFloat(highestDouble), minimumInt(minimum),
      maximumInt(maximum), columns(columns), entryFlag1(f1), entryFlag2(f2), integerOnly(true), entryFlag3(f3)
{
}

modC_StringMethodImpl::modC_StringMethodImpl(char const * text, int columns)
    : text(cow_String(text)), minimumFloat(lowestDouble), maximumFloat(highestDouble), minimumInt(lowestInt),
      maximumInt(highestInt), columns(columns), entryFlag1(true), entryFlag2(true), integerOnly(false),
      entryFlag3(false)
{
}
