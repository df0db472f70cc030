// Lets the user type a point as two or three coordinates. Every change is
// reported to the receiver; the point read last is what the entry shows when
// the step runs again.
#ifndef MODC_KEYINPOINTSTEP_H
#define MODC_KEYINPOINTSTEP_H

#include "modC_EntryStep.h"

class modC_KeyinPointStep : public modC_EntryStep {
public:
    // A two-dimensional point starting at (x, y, 0).
    modC_KeyinPointStep(double x, double y, int seq, double minimum, double maximum, bool f1, bool f2, bool f3,
                        bool f4);
    // A three-dimensional point starting at (x, y, z).
    modC_KeyinPointStep(double x, double y, double z, int seq, double minimum, double maximum, bool f1, bool f2,
                        bool f3, bool f4);
    // A point starting at the origin.
    modC_KeyinPointStep(bool twoD, int seq, double minimum, double maximum, bool f1, bool f2, bool f3, bool f4);

    // Takes over text typed but not confirmed; the value arrives through the
    // entry's report. Does nothing while the step is not running.
    void CommitData() override;

    // The point read last; the default point before any.
    double x;
    double y;
    double z;
    double defaultX;
    double defaultY;
    double defaultZ;
    double minimum;
    double maximum;
    // Travels only to the entry: a point typed with three numbers keeps its z.
    bool twoD;
    bool entryFlag1;
    bool entryFlag2;
    bool entryFlag3;
    bool entryFlag4;

private:
    modC_Method * MakeEntry(modC_MethodFactory const & factory) override;
    void TakeValue(modC_ScalarMethod const & entry) override;
};

#endif
