#include "modC_PickProcedure.h"

#include "sesC_PickOptions.h"

modC_PickProcedure::modC_PickProcedure(bool noBackup) : modC_Procedure(noBackup)
{
    InitializePick();
}

modC_PickProcedure::modC_PickProcedure(modC_ModePreReq const & preReq, bool noBackup)
    : modC_Procedure(preReq, noBackup)
{
    InitializePick();
}

void modC_PickProcedure::InitializePick()
{
    omi_Singleton<sesC_PickOptions>::Instance().InitializePickGC();
}
