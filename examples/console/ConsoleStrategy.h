// The console's mode context: it keeps what the running procedure shows (the
// prompt, whether backing up is possible, the prompt options) for the panel,
// and tells the console when the mode has ended.
#ifndef CONSOLESTRATEGY_H
#define CONSOLESTRATEGY_H

#include <map>
#include <string>

#include "ConsoleStage.h"
#include "modC_Strategy.h"

class ConsoleStrategy : public modC_Strategy {
public:
    enum class Back { NotAvailable, Available, Never };

    // A prompt option as the procedure showed it.
    struct Option {
        std::string name;   // plain options only
        std::string label;  // resolved
        OptionCallback callback = nullptr;  // data options only
        void * clientData = nullptr;
    };

    ConsoleStrategy(ConsoleStage & stage, modC_MethodFactory const & factory);

    void ModeEnded() override;
    modC_MethodFactory const * GetMethodFactory() override { return &factory; }
    void SetBackupAvailable(int flag) override;
    void SetStepFlag(bool) override {}
    void SetBackupShown(int flag) override;
    void SetPrompt(char const * text) override;
    // The panel shows the new step anyway.
    void StepChanging() override {}
    void SetOptionCallback(int optNum, char const * label, OptionCallback callback, void * clientData) override;
    void SetOption(int optNum, char const * name, char const * label) override;
    // The console's modes need nothing selected beforehand: every mode starts.
    void VerifyPreReq(modC_ModePreReq * preReq) const override;

    std::string const & Prompt() const { return prompt; }
    Back GetBack() const { return back; }
    std::map<int, Option> const & Options() const { return options; }
    // True once after the mode ended; the console then destroys it.
    bool TakeEnded();
    // Forgets the ended mode's prompt, options and back state.
    void Clear();

private:
    ConsoleStage & stage;
    modC_MethodFactory const & factory;
    std::string prompt;
    Back back = Back::NotAvailable;
    std::map<int, Option> options;
    bool ended = false;
};

#endif
