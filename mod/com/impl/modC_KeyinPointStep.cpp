#include "modC_KeyinPointStep.h"

#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"

modC_KeyinPointStep::modC_KeyinPointStep(double x, double y, int seq, double minimum, double maximum, bool f1,
                                         bool f2, bool f3, bool f4)
    : modC_KeyinPointStep(x, y, 0.0, seq, minimum, maximum, f1, f2, f3, f4)
{
    twoD = true;
}

modC_KeyinPointStep::modC_KeyinPointStep(double x, double y, double z, int seq, double minimum, double maximum,
                                         bool f1, bool f2, bool f3, bool f4)
    : modC_EntryStep(seq, true), x(x), y(y), z(z), defaultX(x), defaultY(y), defaultZ(z), minimum(minimum), maximum(maximum),
      twoD(false), entryFlag1(f1), entryFlag2(f2), entryFlag3(f3), entryFlag4(f4)
{
}

modC_KeyinPointStep::modC_KeyinPointStep(bool twoD, int seq, double minimum, double maximum, bool f1, bool f2,
                                         bool f3, bool f4)
    : modC_KeyinPointStep(0.0, 0.0, 0.0, seq, minimum, maximum, f1, f2, f3, f4)
{
    this->twoD = twoD;
}

modC_Method * modC_KeyinPointStep::MakeEntry(modC_MethodFactory const & factory)
{
    return factory.MakePointMethod(this, defaultX, defaultY, defaultZ, twoD, minimum, maximum, entryFlag1,
                                   entryFlag2, entryFlag3, entryFlag4, 20);
}

void modC_KeyinPointStep::TakeValue(modC_ScalarMethod const & entry)
{
    entry.GetPointValue(x, y, z);
    defaultX = x;
    defaultY = y;
    defaultZ = z;
}

void modC_KeyinPointStep::CommitData()
{
    if (modC_ScalarMethod * entry = Entry())
        entry->CommitData();
}
