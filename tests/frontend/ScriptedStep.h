// A step a test drives by hand: it logs what the procedure asks of it and
// terminates, changes value or aborts on command, as if its user had.
#ifndef SCRIPTEDSTEP_H
#define SCRIPTEDSTEP_H

#include <string>

#include "CallLog.h"
#include "modC_Step.h"

class ScriptedStep : public modC_Step {
public:
    ScriptedStep(std::string name, CallLog & log, int seq = 0, char const * prompt = nullptr);
    ~ScriptedStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void Done(modC_Method * method) override;
    int Backup() override;
    void ClearHighlights() const override;

    // The user completes, changes or aborts the step's input.
    void Terminate();
    void ChangeValue(int newValue);
    void Abort();

    void RefuseBackup(bool refuse) { refuseBackup = refuse; }
    std::string const & Name() const { return name; }
    int Value() const { return value; }
    int Executions() const { return executions; }
    bool Running() const { return running; }

private:
    std::string name;
    CallLog & log;
    int value = 0;
    int executions = 0;
    bool running = false;
    bool refuseBackup = false;
};

#endif
