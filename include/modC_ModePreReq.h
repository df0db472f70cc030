// What a mode needs before it can start. Handed to the mode context for
// checking when the mode is installed.
#ifndef MODC_MODEPREREQ_H
#define MODC_MODEPREREQ_H

#include "omu_PrimType.h"

class modC_Mode;
class modC_Strategy;

class modC_ModePreReq {
public:
    modC_ModePreReq(modC_Mode * mode, omu_PrimType type, bool flag);
    virtual ~modC_ModePreReq() = default;

    // Remembers `primitive` and hands this prerequisite to the mode context.
    virtual void CheckPreReq(modC_Strategy const & strategy, omu_Primitive const * primitive);
    // A new prerequisite with the same four fields; the caller owns it.
    virtual modC_ModePreReq * Copy() const;

    omu_PrimType const & GetType() const { return type; }
    bool GetFlag() const { return flag; }
    modC_Mode * GetMode() const { return mode; }
    omu_Primitive const * GetPrimitive() const { return primitive; }

private:
    omu_PrimType type;
    bool flag;
    modC_Mode * mode;
    omu_Primitive const * primitive;
};

#endif
