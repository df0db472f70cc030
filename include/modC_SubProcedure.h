// A procedure of a hub's family. It is not a mode: what it runs goes through
// its hub.
#ifndef MODC_SUBPROCEDURE_H
#define MODC_SUBPROCEDURE_H

#include "cow_String.h"

class modC_Step;
class modC_SubProceduresHub;

class modC_SubProcedure {
public:
    modC_SubProcedure(modC_SubProceduresHub * hub, cow_String const & name, cow_String const & description,
                      bool flag);
    virtual ~modC_SubProcedure() = default;

    virtual void InstallHook();
    // What follows `step`; the concrete hub passes its steps' terminations on.
    virtual void StepTerminatedHook(modC_Step const & step) = 0;
    virtual void BackupHook(int seq);
    virtual void ValueChangedHook(int seq);
    virtual void OptionDataHook(modC_Step const & step);

    cow_String const & Name() const { return name; }
    cow_String const & Description() const { return description; }
    bool Flag() const { return flag; }

protected:
    void ExecuteStep(modC_Step * step, bool stepFlag);
    void ExecuteStep(char const * promptName, modC_Step * step, bool stepFlag);
    void EndMode();
    void PopStepStk();
    void ClearStepStk();
    void showStepErrorDialog(char const * message, bool endTheMode, int backupAmount);

    modC_SubProceduresHub * Hub() const { return hub; }

private:
    cow_String name;
    cow_String description;
    modC_SubProceduresHub * hub;
    bool flag;
};

#endif
