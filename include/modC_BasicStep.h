// The general-purpose step: its procedure assembles its input from up to four
// execution methods (toggles, a combo box, choice buttons or an option list,
// prompt strings), each added once before the step runs. Whichever method
// finishes ends the step. The answers outlive each execution, so a step
// executed again after a backup offers the last answers as its defaults.
//
// Labels default to prompt-area resource keys built from the mode name and
// the caller's name; the front end resolves them, a caller may set literal text.
#ifndef MODC_BASICSTEP_H
#define MODC_BASICSTEP_H

#include <memory>
#include <vector>

#include "cow_1DArray.h"
#include "cow_List.h"
#include "cow_String.h"
#include "modC_Step.h"

class modC_Procedure;

// Virtual base, so that a class combining a basic step with other step
// classes holds a single modC_Step.
class modC_BasicStep : public virtual modC_Step {
public:
    enum ExecutionMethodKind { Toggle = 1, Combo = 2, Choice = 3, Prompt = 4 };

    modC_BasicStep(modC_Procedure const * procedure, int seq);
    ~modC_BasicStep() override;

    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;
    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;

    // Each adding operation acts on its first call only; a repeated call is
    // ignored, parameters included. Methods are made in the order of adding.
    void AddToggleMethod(char const * name, int ntoggles, bool defState);
    void AddComboMethod(char const * name, int nEntries, int defChoice);
    // `defChoice` is 1-based, 0 or negative for none; `flag` goes to the
    // factory unchanged; `asButtons` false shows an option list instead.
    void AddChoiceMethod(char const * name, int nButtons, int defChoice, bool flag, bool asButtons);
    void AddPromptMethod(char const * name, int nStrings);

    // Ignored without toggles, out of range, or while the toggles are shown.
    void SetDefToggleState(int num, bool state);
    // False without toggles or out of range.
    bool GetToggleState(int num) const;
    void setToggleLabel(int num, char const * label);
    // Ignored before AddComboMethod.
    void SetComboString(int num, char const * text);
    void setChoiceLabel(int num, char const * label);
    // Ignored before AddPromptMethod; while executing, replaces the shown
    // prompt line unless it already shows `text`.
    void SetPromptString(char const * text, int num);

    bool OwnsMethod(modC_Method * method) const;

    // 1-based number of the button or option chosen last; 0 for none.
    int GetChoiceValue() const { return _choiceValue; }
    // 1-based number of the combo entry chosen last; 0 for none.
    int GetComboChoice() const { return _comboChoice; }

protected:
    modC_Procedure const * _procedure;
    // Receiver of every method and the step that SetPromptString suspends and
    // resumes; a combining class may set it before the first Execute.
    modC_Step * _thisStep;

private:
    cow_String LabelKey(char const * name, char const * part, int number, bool numbered) const;
    void TakeValue(modC_Method * method);
    // The live-method slot of a toggle, combo or choice kind; null for prompts.
    std::unique_ptr<modC_Method> * SingleMethod(ExecutionMethodKind kind);
    void DeleteMethods();

    modC_MethodFactory const * _factory;
    std::vector<ExecutionMethodKind> _methodKinds;

    std::unique_ptr<modC_Method> _toggleMethod;
    std::vector<cow_String> _toggleStrings;
    // What the factory receives: the characters of _toggleStrings.
    std::vector<char const *> _toggleStringPtrs;
    std::unique_ptr<cow_1DArray<int>> _toggleState;

    std::unique_ptr<modC_Method> _comboMethod;
    std::unique_ptr<cow_List<cow_String>> _comboStringList;
    int _comboChoice;

    std::unique_ptr<modC_Method> _choiceMethod;
    std::vector<cow_String> _choiceStrings;
    std::vector<char const *> _choiceStringPtrs;
    int _choiceValue;
    int _nChoiceButtons;
    bool _choiceFlag;
    bool _asButtons;

    // One slot per prompt string while executing; empty otherwise.
    std::vector<std::unique_ptr<modC_Method>> _promptMethod;
    std::unique_ptr<cow_List<cow_String>> _promptStringList;
};

#endif
