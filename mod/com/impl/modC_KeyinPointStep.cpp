#include "modC_KeyinPointStep.h"

#include "crt_Assert.h"
#include "modC_MethodFactory.h"
#include "modC_ScalarMethod.h"
#include "modC_StepReceiver.h"

modC_KeyinPointStep::modC_KeyinPointStep(double x, double y, int seq, double minimum, double maximum, bool f1,
                                         bool f2, bool f3, bool f4)
    : modC_KeyinPointStep(x, y, 0.0, seq, minimum, maximum, f1, f2, f3, f4)
{
    twoD = true;
}

modC_KeyinPointStep::modC_KeyinPointStep(double x, double y, double z, int seq, double minimum, double maximum,
                                         bool f1, bool f2, bool f3, bool f4)
    : modC_Step(seq), x(x), y(y), z(z), defaultX(x), defaultY(y), defaultZ(z), minimum(minimum), maximum(maximum),
      twoD(false), entryFlag1(f1), entryFlag2(f2), entryFlag3(f3), entryFlag4(f4)
{
}

modC_KeyinPointStep::modC_KeyinPointStep(bool twoD, int seq, double minimum, double maximum, bool f1, bool f2,
                                         bool f3, bool f4)
    : modC_KeyinPointStep(0.0, 0.0, 0.0, seq, minimum, maximum, f1, f2, f3, f4)
{
    this->twoD = twoD;
}

modC_KeyinPointStep::~modC_KeyinPointStep()
{
    modC_KeyinPointStep::Cancel();
}

void modC_KeyinPointStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    // Executed again while running: the old entry goes rather than staying orphaned on screen.
    Cancel();
    receiver = receiver_;
    modC_Method * made = factory->MakePointMethod(this, defaultX, defaultY, defaultZ, twoD, minimum, maximum,
                                                  entryFlag1, entryFlag2, entryFlag3, entryFlag4, 20);
    // Anything but an entry method cannot deliver a typed point.
    method.reset(dynamic_cast<modC_ScalarMethod *>(made));
    if (!method)
        delete made;
    QEL_ASSERT(method != 0);
    method->Execute();
}

void modC_KeyinPointStep::TakePoint()
{
    method->GetPointValue(x, y, z);
    defaultX = x;
    defaultY = y;
    defaultZ = z;
}

void modC_KeyinPointStep::ValueChanged(modC_Method *)
{
    if (!method)
        return;
    TakePoint();
    receiver->StepValueChanged(*this);
}

void modC_KeyinPointStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no entry is shown
        return;
    TakePoint();
    std::unique_ptr<modC_ScalarMethod> finished = std::move(method);
    finished->Cancel();
    finished.reset();
    receiver->StepTerminated(*this);
}

void modC_KeyinPointStep::CommitData()
{
    if (method)
        method->CommitData();
}

void modC_KeyinPointStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_KeyinPointStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_KeyinPointStep::Resume()
{
    if (method)
        method->Resume();
}
