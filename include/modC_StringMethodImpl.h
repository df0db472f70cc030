// The entry field of a typed value. The front end's field shows `text`, keeps
// `value` up to date with what the user entered, and applies the limits.
#ifndef MODC_STRINGMETHODIMPL_H
#define MODC_STRINGMETHODIMPL_H

#include "modC_MethodImpl.h"
#include "omu_PrimString.h"

class modC_StringMethodImpl : public modC_MethodImpl {
public:
    // What the user entered so far.
    omu_PrimString GetValue() const { return value; }

    char const * Text() const { return text.AsCharPtr(); }
    double MinimumFloat() const { return minimumFloat; }
    double MaximumFloat() const { return maximumFloat; }
    int MinimumInt() const { return minimumInt; }
    int MaximumInt() const { return maximumInt; }
    int Columns() const { return columns; }
    // The flags are the entry field's own; the framework only passes them on.
    bool EntryFlag1() const { return entryFlag1; }
    bool EntryFlag2() const { return entryFlag2; }
    bool IntegerOnly() const { return integerOnly; }
    bool EntryFlag3() const { return entryFlag3; }

protected:
    // A floating-point entry; the integer limits are the extremes of int.
    modC_StringMethodImpl(char const * text, double minimum, double maximum, bool f1, bool f2, bool f3,
                          int columns);
    // An integer entry; the floating-point limits are the extremes of double.
    modC_StringMethodImpl(char const * text, int minimum, int maximum, bool f1, bool f2, bool f3, int columns);
    // A text entry, unlimited.
    modC_StringMethodImpl(char const * text, int columns);

    omu_PrimString text;
    omu_PrimString value;
    double minimumFloat;
    double maximumFloat;
    int minimumInt;
    int maximumInt;
    int columns;
    bool entryFlag1;
    bool entryFlag2;
    bool integerOnly;
    bool entryFlag3;
};

#endif
