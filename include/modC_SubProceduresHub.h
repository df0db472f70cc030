// The mode the front end installs for a family of small procedures: it holds
// the sub-procedure at work, and every step, pop, error dialog and the end of
// the mode go through it, so the user sees one continuous mode.
#ifndef MODC_SUBPROCEDURESHUB_H
#define MODC_SUBPROCEDURESHUB_H

#include <memory>

#include "modC_Procedure.h"
#include "uti_LabelMap.h"

class modC_SubProcedure;

// Keys of the hub's built-in messages.
enum modC_SubProceduresHubEnm { NoInstancesMessage = 0, NoEditorMessage = 1, MixedDimensionMessage = 2 };

template <>
uti_LabelMap<modC_SubProceduresHubEnm, 1>::Row const uti_LabelMap<modC_SubProceduresHubEnm, 1>::table[];

class modC_SubProceduresHub : public modC_Procedure {
public:
    using Messages = uti_LabelMap<modC_SubProceduresHubEnm, 1>;

    modC_SubProceduresHub();
    ~modC_SubProceduresHub() override;

    void SubProcExecuteStep(modC_Step * step, bool stepFlag);
    void SubProcExecuteStep(char const * promptName, modC_Step * step, bool stepFlag);
    void SubProcEndMode();
    void SubProcPopStepStk();
    void SubProcClearStepStk();
    void SubProcShowStepErrorDialog(char const * message, bool endTheMode, int backupAmount);

    // Shows the built-in message of `errorCode` (995, 996 or 997).
    void StartErrorDialogStep(int errorCode);

    int BailoutHook() override;

protected:
    // Takes ownership of `sub`, destroying the previous one.
    void SetSubProcedure(modC_SubProcedure * sub);
    modC_SubProcedure * SubProcedure() const { return subProcedure.get(); }
    modC_Step * HubErrorStep() const { return hubErrorStep; }

    int mixedDimensionCode;
    int reserved;
    int noInstancesCode;
    int noEditorCode;

private:
    std::unique_ptr<modC_SubProcedure> subProcedure;
    modC_Step * hubErrorStep;
};

#endif
