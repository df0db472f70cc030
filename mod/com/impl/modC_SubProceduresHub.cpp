#include "modC_SubProceduresHub.h"

#include "crt_Assert.h"
#include "modC_ErrorStep.h"
#include "modC_SubProcedure.h"

template <>
uti_LabelMap<modC_SubProceduresHubEnm, 1>::Row const uti_LabelMap<modC_SubProceduresHubEnm, 1>::table[] = {
    {"The assembly does not contain any part instances or reference points.\n\nA part must be instanced or a "
     "reference point must be created\nin the assembly before you can access this function.",
     "modC_SubProceduresHub_MSGID_00", NoInstancesMessage},
    {"The editor dialog of the selected\ntype is not yet implemented.", "modC_SubProceduresHub_MSGID_01",
     NoEditorMessage},
    {"The selected region contains mixed dimensionalities.\nApplying the selected type on such a region \nis not "
     "yet implemented.",
     "modC_SubProceduresHub_MSGID_02", MixedDimensionMessage},
    {nullptr, nullptr, NoInstancesMessage},
};

modC_SubProceduresHub::modC_SubProceduresHub()
    : modC_Procedure(false), mixedDimensionCode(997), reserved(0), noInstancesCode(995), noEditorCode(996),
      hubErrorStep(nullptr)
{
}

modC_SubProceduresHub::~modC_SubProceduresHub()
{
    subProcedure.reset();
}

void modC_SubProceduresHub::SetSubProcedure(modC_SubProcedure * sub)
{
    subProcedure.reset(sub);
}

void modC_SubProceduresHub::SubProcExecuteStep(modC_Step * step, bool stepFlag)
{
    ExecuteStep(step, stepFlag);
}

void modC_SubProceduresHub::SubProcExecuteStep(char const * promptName, modC_Step * step, bool stepFlag)
{
    ExecuteStep(promptName, step, stepFlag);
}

void modC_SubProceduresHub::SubProcEndMode()
{
    EndMode();
}

void modC_SubProceduresHub::SubProcPopStepStk()
{
    PopStepStk();
}

void modC_SubProceduresHub::SubProcClearStepStk()
{
    ClearStepStk();
}

void modC_SubProceduresHub::SubProcShowStepErrorDialog(char const * message, bool endTheMode, int backupAmount)
{
    showStepErrorDialog(message, endTheMode, backupAmount);
}

void modC_SubProceduresHub::StartErrorDialogStep(int errorCode)
{
    char const * message = nullptr;
    if (errorCode == noInstancesCode)
        message = Messages::LabelString(NoInstancesMessage);
    else if (errorCode == noEditorCode)
        message = Messages::LabelString(NoEditorMessage);
    else if (errorCode == mixedDimensionCode)
        message = Messages::LabelString(MixedDimensionMessage);
    else
        QEL_ASSERT_TEXT(false, "\"Incorrect error step\" == 0");
    omu_PrimTuple values(1);
    values.Put(cow_String(message));
    hubErrorStep = new modC_ErrorStep(this, "modG_ErrorForm", values, errorCode);
    ExecuteStep("errorStep", hubErrorStep, true);
}

int modC_SubProceduresHub::BailoutHook()
{
    return 99;
}
