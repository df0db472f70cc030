// The choice of an extrusion's end condition: an option list ("Through All",
// "Specific Depth", "Up to Face") whose entry decides how the step continues.
// Each option has its own prompt line and input method; switching the option
// swaps the live pair, so the step rotates among its options. The input
// method of the current option ends the step.
#ifndef MODC_ROTATINGOPTIONSTEP_H
#define MODC_ROTATINGOPTIONSTEP_H

#include <memory>
#include <vector>

#include "cow_String.h"
#include "modC_Step.h"

class modC_Procedure;

// How an option of a rotating option step takes its input.
enum modC_MethodTypeEnm {
    modC_CHOICE_METHOD = 0,   // a single "Done" button
    modC_INTEGER_METHOD = 1,  // a depth keyin
    modC_PICK_METHOD = 2,     // a face pick
};

class modC_RotatingOptionStep : public modC_Step {
public:
    // `types` holds one entry per option; at most three options. `defChoice`
    // is 1-based. `name` names the step like the other option steps; the
    // labels are fixed.
    modC_RotatingOptionStep(modC_Procedure * procedure, char const * name, int numberOptions,
                            modC_MethodTypeEnm * types, int seq, int defChoice);
    ~modC_RotatingOptionStep() override;

    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;
    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;

    // 0-based; -1 for none.
    int GetChoice() const { return choice; }
    // 1-based option completed last; 0 for none.
    int GetDefChoice() const { return defChoice; }
    // The depth keyed in last, also the start of the next depth keyin.
    int GetDepth() const { return depth; }
    // Where the face was picked last.
    double GetPickX() const { return pickX; }
    double GetPickY() const { return pickY; }

private:
    // The method of the current option in `methods`, or null.
    modC_Method * Current(std::vector<std::unique_ptr<modC_Method>> const & methods) const;
    modC_Method * MakeInput(modC_MethodFactory const & factory, modC_MethodTypeEnm type);
    void StartCurrent();
    void StopCurrent();

    std::unique_ptr<modC_Method> method;
    std::vector<cow_String> labels;
    int numberOptions;
    int choice;
    int defChoice;
    std::vector<std::unique_ptr<modC_Method>> inputMethods;
    std::vector<std::unique_ptr<modC_Method>> promptMethods;
    std::vector<modC_MethodTypeEnm> methodTypes;
    int depth;
    double pickX;
    double pickY;
    // Empty unless an option is a "Done" button.
    cow_String doneLabel;
};

#endif
