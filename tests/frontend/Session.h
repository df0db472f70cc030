// A user session with one procedure: the transcript, the mode context and the
// procedure, installed and ready for its first step.
#ifndef SESSION_H
#define SESSION_H

#include <memory>

#include "CallLog.h"
#include "ScriptedProcedure.h"
#include "ScriptedStrategy.h"

struct Session {
    explicit Session(char const * modeName = "Extrude", bool noBackup = false)
        : strategy(log), procedure(new ScriptedProcedure(log, modeName, noBackup))
    {
    }

    // Installs the procedure and forgets what installing told the front end.
    ScriptedProcedure & Installed()
    {
        procedure->Install(&strategy, nullptr);
        log.Take();
        return *procedure;
    }

    CallLog log;
    ScriptedStrategy strategy;
    std::unique_ptr<ScriptedProcedure> procedure;
};

using Lines = std::vector<std::string>;

#endif
