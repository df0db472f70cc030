#include "modC_SubProcedure.h"

#include "modC_SubProceduresHub.h"
#include "sesC_PickOptions.h"

modC_SubProcedure::modC_SubProcedure(modC_SubProceduresHub * hub, cow_String const & name,
                                     cow_String const & description, bool flag)
    : name(name), description(description), hub(hub), flag(flag)
{
    omi_Singleton<sesC_PickOptions>::Instance().InitializePickGC();
}

void modC_SubProcedure::InstallHook() {}
void modC_SubProcedure::BackupHook(int) {}
void modC_SubProcedure::ValueChangedHook(int) {}
void modC_SubProcedure::OptionDataHook(modC_Step const &) {}

void modC_SubProcedure::ExecuteStep(modC_Step * step, bool stepFlag)
{
    hub->SubProcExecuteStep(step, stepFlag);
}

void modC_SubProcedure::ExecuteStep(char const * promptName, modC_Step * step, bool stepFlag)
{
    hub->SubProcExecuteStep(promptName, step, stepFlag);
}

void modC_SubProcedure::EndMode()
{
    hub->SubProcEndMode();
}

void modC_SubProcedure::PopStepStk()
{
    hub->SubProcPopStepStk();
}

void modC_SubProcedure::ClearStepStk()
{
    hub->SubProcClearStepStk();
}

void modC_SubProcedure::showStepErrorDialog(char const * message, bool endTheMode, int backupAmount)
{
    hub->SubProcShowStepErrorDialog(message, endTheMode, backupAmount);
}
