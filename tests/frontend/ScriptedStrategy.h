// A mode context that records every call it receives and keeps the prompt
// options shown, so that a test can use them as the user would.
#ifndef SCRIPTEDSTRATEGY_H
#define SCRIPTEDSTRATEGY_H

#include <map>
#include <string>

#include "CallLog.h"
#include "modC_Strategy.h"

class ScriptedStrategy : public modC_Strategy {
public:
    explicit ScriptedStrategy(CallLog & log, modC_MethodFactory const * factory = nullptr);

    void ModeEnded() override;
    modC_MethodFactory const * GetMethodFactory() override;
    void SetBackupAvailable(int flag) override;
    void SetStepFlag(bool flag) override;
    void SetBackupShown(int flag) override;
    void SetPrompt(char const * text) override;
    void StepChanging() override;
    void SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData) override;
    void SetOption(int optNum, char const * name, char const * label) override;
    void VerifyPreReq(modC_ModePreReq * preReq) const override;

    void SetColors(unsigned long background, unsigned long foreground);
    void SetFactory(modC_MethodFactory const * f) { factory = f; }
    // When set, VerifyPreReq starts the mode as a real mode context would.
    void StartModeOnVerify(bool start) { startOnVerify = start; }

    // The user presses the data option `optNum` shown now.
    void UseOption(int optNum);
    bool OptionShown(int optNum) const;
    std::string const & Prompt() const { return prompt; }
    int ModeEndedCount() const { return modeEnded; }
    modC_ModePreReq const * LastPreReq() const { return lastPreReq; }

private:
    struct ShownOption {
        std::string label;
        OptionCallback callback = nullptr;
        void * clientData = nullptr;
    };

    CallLog & log;
    modC_MethodFactory const * factory;
    bool startOnVerify = false;
    std::string prompt;
    std::map<int, ShownOption> options;
    int modeEnded = 0;
    mutable modC_ModePreReq const * lastPreReq = nullptr;
};

#endif
