// The mode context: the front end's object through which a procedure shows
// prompts, options and the back button and obtains the method factory.
#ifndef MODC_STRATEGY_H
#define MODC_STRATEGY_H

class modC_MethodFactory;
class modC_ModePreReq;

class modC_Strategy {
public:
    using OptionCallback = void (*)(void * clientData, void * callData);

    virtual ~modC_Strategy() = default;

    // The mode has ended; the front end may now destroy it.
    virtual void ModeEnded() = 0;
    virtual modC_MethodFactory const * GetMethodFactory() = 0;
    virtual void SetBackupAvailable(int flag) = 0;
    virtual void SetStepFlag(bool flag) = 0;
    // Sent with 0 instead of SetBackupAvailable by procedures that never back up.
    virtual void SetBackupShown(int flag) = 0;
    // `text` is literal or a "*promptArea. ... .labelString" resource key.
    virtual void SetPrompt(char const * text) = 0;
    // The prompt area's step changes by other means than executing a new step.
    virtual void StepChanging() = 0;
    // Shows data option `optNum`; the front end calls `callback(clientData, &optNum)`
    // when the user uses it. All null removes the option.
    virtual void SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData) = 0;
    // Shows plain option `optNum`; null name and label remove it.
    virtual void SetOption(int optNum, char const * name, char const * label) = 0;
    // Decides whether the mode can run and starts it (modC_Mode::Start).
    virtual void VerifyPreReq(modC_ModePreReq * preReq) const = 0;

    unsigned long GetBgColor() const;
    unsigned long GetFgColor() const;

protected:
    modC_Strategy();

    unsigned long bgColor;
    unsigned long fgColor;
};

#endif
