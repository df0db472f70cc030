// The viewport's pointer tracker. The front end fills `mouse` from the window
// system's events and reports to the method that executed it last.
#ifndef MODC_POSITIONMETHODIMPL_H
#define MODC_POSITIONMETHODIMPL_H

#include "modC_MethodImpl.h"
#include "modC_MouseInfo.h"

class modC_PositionMethodImpl : public modC_MethodImpl {
public:
    modC_MouseInfo const & Mouse() const { return mouse; }

protected:
    modC_PositionMethodImpl() = default;

    modC_MouseInfo mouse;
};

#endif
