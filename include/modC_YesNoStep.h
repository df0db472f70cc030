// Puts a row of buttons in front of the user, labelled by resource keys or by
// pictures, and reports which one was pressed. The button pressed last is the
// default button of the next execution.
//
// Pictures are made on the display of the running FOX application; without
// one (no application, or its display not open) every picture is 0 and the
// step still runs.
#ifndef MODC_YESNOSTEP_H
#define MODC_YESNOSTEP_H

#include <memory>
#include <string>
#include <vector>

#include "modC_DefaultButton.h"
#include "modC_Step.h"

class modC_ChoiceMethod;
class modC_Procedure;

class modC_YesNoStep : public modC_Step {
public:
    // Button k is labelled "*promptArea.<mode>_<name>.btn<k>.labelString".
    modC_YesNoStep(modC_Procedure * procedure, char const * name, int numberButtons, int seq,
                   modC_DefaultButton defChoice, bool choiceFlag);
    // Button k shows the XPM image images[k]; its transparent pixels take the
    // mode context's background colour.
    modC_YesNoStep(modC_Procedure * procedure, int numberButtons, char *** images, int seq,
                   modC_DefaultButton defChoice, bool choiceFlag);
    // Button k shows the width x height bitmap bitmaps[k] in the mode
    // context's foreground colour on its background colour.
    modC_YesNoStep(modC_Procedure * procedure, int numberButtons, char ** bitmaps, int width, int height, int seq,
                   modC_DefaultButton defChoice, bool choiceFlag);
    ~modC_YesNoStep() override;

    // Replaces the label of button `num` (0-based) of a step built from a name.
    void setButtonLabel(int num, char const * label);
    void SetDefaultButton(modC_DefaultButton new_dfb);

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // 0-based index of the button pressed last; -1 while none.
    int Choice() const { return choice; }
    modC_DefaultButton DefaultButton() const { return defChoice; }
    // The X pixmap of button `num` (0-based); 0 where none could be made, and
    // for a step whose buttons are labelled.
    unsigned long Pixmap(int num) const;

private:
    modC_YesNoStep(bool pictured, int numberButtons, int seq, modC_DefaultButton defChoice, bool choiceFlag);
    void TakeChoice();

    bool const pictured;  // the buttons show pictures rather than labels
    std::vector<std::string> labels;  // for a step built from a name
    std::vector<unsigned long> pixmaps;  // for a step built from pictures
    void * display;  // where the pixmaps live; null when none were made
    int numberButtons;
    bool choiceFlag;
    int choice;
    modC_DefaultButton defChoice;
    std::unique_ptr<modC_ChoiceMethod> method;
};

#endif
