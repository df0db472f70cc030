// Lets the user type a list of numbers. Every change is reported to the
// receiver; the list read last is what the entry shows when the step runs again.
#ifndef MODC_KEYINARRAYSTEP_H
#define MODC_KEYINARRAYSTEP_H

#include "cow_1DArrayList.h"
#include "modC_EntryStep.h"

class modC_KeyinArrayStep : public modC_EntryStep {
public:
    // The entry starts with `size` copies of `defaultValue`; a `count` of -1
    // expects as many numbers as that.
    modC_KeyinArrayStep(int size, int seq, double minimum, double maximum, bool f1, bool f2, bool f3, bool f4,
                        double defaultValue, int count);
    // The entry starts with `initial`; a `count` of -1 expects as many numbers as it holds.
    modC_KeyinArrayStep(cow_1DArrayList<double, double> const & initial, int seq, double minimum, double maximum,
                        bool f1, bool f2, bool f3, bool f4, double defaultValue, int count);

    // Takes over text typed but not confirmed; the value arrives through the
    // entry's report. Does nothing while the step is not running.
    void CommitData() override;

    // The list read last; the initial list before any.
    cow_1DArrayList<double, double> values;
    cow_1DArrayList<double, double> defaultValues;
    double defaultValue;
    int expectedCount;
    double minimum;
    double maximum;
    bool entryFlag1;
    bool entryFlag2;
    bool entryFlag3;
    bool entryFlag4;

private:
    modC_Method * MakeEntry(modC_MethodFactory const & factory) override;
    void TakeValue(modC_ScalarMethod const & entry) override;
};

#endif
