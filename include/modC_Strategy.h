/// \file modC_Strategy.h
/// The mode context: the front end's object through which a procedure shows
/// prompts, options and the back button and obtains the method factory.
#ifndef MODC_STRATEGY_H
#define MODC_STRATEGY_H

class modC_MethodFactory;
class modC_ModePreReq;

/// The mode context, implemented by the front end and given to
/// modC_Mode::Install. The procedure and its compound steps call it for
/// everything they show; none of the calls returns anything the library
/// checks, and every one is made from the front end's user-interface thread,
/// usually from inside a call the front end made itself (a widget's report,
/// Backup, Cancel), so an implementation must not destroy the procedure
/// while it is being called: ModeEnded is the moment after which it may.
class modC_Strategy {
public:
    /// The callback of a data option: called with the client data and a
    /// pointer to an int holding the option number.
    using OptionCallback = void (*)(void * clientData, void * callData);

    virtual ~modC_Strategy() = default;

    /// The last call of modC_Procedure::EndMode: the mode has ended (it was
    /// finished, cancelled, or backed out of its first step). The front end
    /// may now destroy the mode, once the call that ended it has returned;
    /// destroying it destroys every step it executed.
    virtual void ModeEnded() = 0;
    /// Called by the procedure each time it executes a step (and again by
    /// Backup and Repeat): must return the factory the step makes its input
    /// methods with, never null while the mode runs.
    virtual modC_MethodFactory const * GetMethodFactory() = 0;
    /// After every change of the current step (executing, backing up,
    /// cancelling a step, resuming, returning from an option's dialog): 1
    /// when the stack holds two or more steps, so that the back button can
    /// call modC_Procedure::Backup; 0 when it holds one. Not sent by
    /// procedures built with noBackup (see SetBackupShown).
    virtual void SetBackupAvailable(int flag) = 0;
    /// The stepFlag the procedure's concrete code gave ExecuteStep for the
    /// step just executed or restored (true for an error dialog); its
    /// meaning is the front end's.
    virtual void SetStepFlag(bool flag) = 0;
    /// Sent with 0 instead of SetBackupAvailable by procedures that never
    /// back up: hide the back button.
    virtual void SetBackupShown(int flag) = 0;
    /// Show `text` in the prompt area: when a step with a prompt, or a
    /// prompt name, is executed or restored. `text` is literal, or a
    /// "*promptArea.<mode>_<name>.labelString" resource key the front end
    /// resolves to the text to show (the key itself is a fine fallback).
    virtual void SetPrompt(char const * text) = 0;
    /// The step in the prompt area changes by other means than ExecuteStep:
    /// backing up, a compound step moving to its next child, an error dialog
    /// just started, an option's dialog finishing the interrupted step. A
    /// front end that redraws on the calls that follow may do nothing.
    virtual void StepChanging() = 0;
    /// Show data option `optNum` (1 to 3) with `label` (literal or a resource
    /// key); when the user uses it, call `callback(clientData, &n)` with an
    /// int n holding `optNum` (the library then opens the option's dialog
    /// step, which hides the option while it runs). All null removes the
    /// option; sent when the step changes, the mode is suspended or ends.
    virtual void SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData) = 0;
    /// Show plain option `optNum` (1 to 3) named `name` with `label`; what
    /// using it does is the front end's (the library only shows it). Null
    /// name and label remove it.
    virtual void SetOption(int optNum, char const * name, char const * label) = 0;
    /// Called once by modC_Mode::Install, after the mode became active, with
    /// the mode's prerequisite (its object type, flag, mode and the
    /// primitive given to Install): decide whether the mode can run, and
    /// start it (modC_Mode::Start), which executes its first step.
    virtual void VerifyPreReq(modC_ModePreReq * preReq) const = 0;

    /// The colours of pictured yes/no buttons: transparent pixels take the
    /// background, bitmaps are drawn in the foreground on the background.
    /// The concrete mode context sets both (as X pixel values) before a
    /// procedure builds such a step; reading one never set fails a check.
    unsigned long GetBgColor() const;
    unsigned long GetFgColor() const;

protected:
    modC_Strategy();

    unsigned long bgColor;
    unsigned long fgColor;
};

#endif
