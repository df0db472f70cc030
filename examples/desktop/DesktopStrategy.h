// The desktop's mode context: what the running procedure shows goes into
// the prompt bar (the prompt, echoed in the viewport's overlay, the back
// button, the step flag and the prompt options), and its end goes to the
// window, which destroys the mode once the call that ended it is over.
#ifndef DESKTOPSTRATEGY_H
#define DESKTOPSTRATEGY_H

#include <functional>
#include <map>
#include <string>

#include "PromptBar.h"
#include "modC_Strategy.h"

class Viewport;

class DesktopStrategy : public modC_Strategy {
public:
    // A prompt option as the procedure showed it.
    struct Option {
        std::string name;   // plain options only
        std::string label;  // resolved
        OptionCallback callback = nullptr;  // data options only
        void * clientData = nullptr;
    };

    DesktopStrategy(PromptBar & bar, Viewport & viewport, modC_MethodFactory const & factory);

    void ModeEnded() override;
    modC_MethodFactory const * GetMethodFactory() override { return &factory; }
    void SetBackupAvailable(int flag) override;
    void SetStepFlag(bool flag) override;
    void SetBackupShown(int flag) override;
    void SetPrompt(char const * text) override;
    // The prompt bar shows the new step as its calls arrive.
    void StepChanging() override {}
    void SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData) override;
    void SetOption(int optNum, char const * name, char const * label) override;
    // The sample modes need nothing selected beforehand: every mode starts.
    void VerifyPreReq(modC_ModePreReq * preReq) const override;

    // Called by ModeEnded.
    std::function<void()> onModeEnded;
    std::map<int, Option> const & Options() const { return options; }
    bool BackAvailable() const { return backAvailable; }
    // Empties the prompt bar after a mode.
    void Clear();

private:
    void ShowOption(int optNum);

    PromptBar & bar;
    Viewport & viewport;
    modC_MethodFactory const & factory;
    std::map<int, Option> options;
    bool backAvailable = false;
};

#endif
