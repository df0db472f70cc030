#include "modC_ModePreReq.h"

#include "modC_Strategy.h"

modC_ModePreReq::modC_ModePreReq(modC_Mode * mode, omu_PrimType type, bool flag)
    : type(type), flag(flag), mode(mode), primitive(nullptr)
{
}

void modC_ModePreReq::CheckPreReq(modC_Strategy const & strategy, omu_Primitive const * primitive_)
{
    primitive = primitive_;
    strategy.VerifyPreReq(this);
}

modC_ModePreReq * modC_ModePreReq::Copy() const
{
    return new modC_ModePreReq(*this);
}
