// Base of procedures whose steps pick entities: each new one starts with a
// fresh pick graphics context.
#ifndef MODC_PICKPROCEDURE_H
#define MODC_PICKPROCEDURE_H

#include "modC_Procedure.h"

class modC_PickProcedure : public modC_Procedure {
protected:
    explicit modC_PickProcedure(bool noBackup);
    modC_PickProcedure(modC_ModePreReq const & preReq, bool noBackup);

private:
    void InitializePick();
};

#endif
