// A session whose front end makes scripted input methods, installed and ready
// to run one step after another.
#ifndef STEPSESSION_H
#define STEPSESSION_H

#include "ScriptedFactory.h"
#include "Session.h"
#include "modC_Step.h"

struct StepSession : Session {
    explicit StepSession(char const * modeName) : Session(modeName), factory(log)
    {
        strategy.SetFactory(&factory);
        Installed();
    }

    // The procedure executes `step` (the step stack owns it from then on);
    // the lines the step itself caused.
    Lines Run(modC_Step & step)
    {
        procedure->Execute(step);
        Lines lines = log.Take();
        lines.erase(lines.begin(), lines.begin() + 2);  // the procedure's back-button state
        return lines;
    }

    ScriptedFactory factory;
};

#endif
