// Every typed value (integer, floating point, text, point, list of numbers)
// comes through this method. It keeps the text; the step picks the accessor
// that reads it the way it needs.
#ifndef MODC_SCALARMETHOD_H
#define MODC_SCALARMETHOD_H

#include <memory>

#include "cow_1DArrayList.h"
#include "cow_String.h"
#include "modC_Method.h"
#include "modC_StringMethodImpl.h"
#include "omu_PrimString.h"

class modC_ScalarMethod : public modC_Method {
public:
    // Starts with `text` as its value; takes ownership of `impl` and attaches to it.
    modC_ScalarMethod(char const * text, modC_MethodReceiver * receiver, modC_StringMethodImpl * impl);

    void Execute() override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;
    // Makes the entry field report what was typed but not confirmed.
    void CommitData() override;

    // As `atoi` reads the text, except that a number beyond the range of int
    // gives the nearest int.
    int GetIntegerValue() const;
    // As `atof` reads the text.
    double GetFloatValue() const;
    cow_String GetStringValue() const;
    // Three numbers separated by commas, by blanks, or in parentheses separated
    // by commas; a missing z is 0. Never fails: unreadable parts stay 0.
    void GetPointValue(double & x, double & y, double & z) const;
    // Numbers separated by commas or blanks; replaces the contents of `values`.
    // Yields at least one number: the empty text reads as [0.0].
    void GetArrayValue(cow_1DArrayList<double, double> & values) const;
    // Reads the number of a list that starts at `position` and moves `position`
    // past its separator; leaves `result` alone when `position` is at or beyond
    // `length`. Never reads beyond the text, whatever `length` says.
    static void parseFloat(omu_PrimString const & text, int & position, int length, double & result);

private:
    omu_PrimString value;
    std::unique_ptr<modC_StringMethodImpl> impl;
};

#endif
