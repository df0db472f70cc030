// One interactive operation of the front end, as the front end sees it.
#ifndef MODC_MODE_H
#define MODC_MODE_H

#include "cow_COW.h"
#include "cow_String.h"
#include "modC_ModePreReq.h"

class modC_Strategy;
class omu_Primitive;

class modC_Mode {
public:
    virtual ~modC_Mode();

    virtual void Install(modC_Strategy * strategy, omu_Primitive const * primitive) = 0;
    // Called by the mode context once the prerequisite is verified: the
    // concrete mode begins its work (a procedure executes its first step).
    virtual void Start() = 0;
    virtual void Cancel() = 0;
    virtual void Suspend() = 0;
    virtual void Resume() = 0;
    virtual int CheckPrompt(char const * prompt);
    virtual int CommandIsSent() const;

    cow_String const & ModeName() const { return modeName; }
    modC_ModePreReq const & PreReq() const { return prerequisite.ConstGet(); }

protected:
    explicit modC_Mode(modC_ModePreReq * prerequisite);  // takes ownership

    cow_String modeName;
    cow_COW<modC_ModePreReq> prerequisite;
};

#endif
