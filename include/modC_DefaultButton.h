// The button a choice starts on: a 1-based button number, or no default.
// A step with n buttons accepts 1 ... n and modC_NoDefaultButton; other
// numbers are formed with static_cast.
#ifndef MODC_DEFAULTBUTTON_H
#define MODC_DEFAULTBUTTON_H

enum modC_DefaultButton : int {
    modC_NoDefaultButton = -1,
    modC_Button1 = 1,
    modC_Button2 = 2,
    modC_Button3 = 3,
};

#endif
