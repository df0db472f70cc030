#include "modC_YesNoStep.h"

#include <fx.h>

#include "crt_Assert.h"
#include "modC_ChoiceMethod.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"
#include "modC_StepReceiver.h"
#include "modC_Strategy.h"

// Xlib's macros (None, Bool, Status, ...) come last so that they cannot clash
// with the names of the headers above.
#include <X11/Xlib.h>
#include <X11/xpm.h>

namespace {

// The display of the running application; null while there is none or it has
// not opened its display yet.
Display * ApplicationDisplay()
{
    FX::FXApp const * app = FX::FXApp::instance();
    return app ? static_cast<Display *>(app->getDisplay()) : nullptr;
}

// Transparent pixels take `background`; 0 when the image cannot be read.
unsigned long XpmPicture(Display * display, char ** image, unsigned long background)
{
    if (!image)
        return 0;
    int const screen = DefaultScreen(display);
    XpmColorSymbol transparent;
    transparent.name = nullptr;
    transparent.value = const_cast<char *>("none");
    transparent.pixel = background;
    XpmAttributes attributes;
    attributes.valuemask = XpmDepth | XpmColorSymbols;
    attributes.depth = static_cast<unsigned int>(DefaultDepth(display, screen));
    attributes.colorsymbols = &transparent;
    attributes.numsymbols = 1;
    Pixmap pixmap = 0;
    int const status =
        XpmCreatePixmapFromData(display, RootWindow(display, screen), image, &pixmap, nullptr, &attributes);
    XpmFreeAttributes(&attributes);
    // A positive status is a warning (a colour was substituted); the picture exists.
    return status < 0 ? 0 : pixmap;
}

unsigned long BitmapPicture(Display * display, char * bits, int width, int height, unsigned long foreground,
                            unsigned long background)
{
    // An empty picture is an X protocol error, which ends the client by default.
    if (!bits || width <= 0 || height <= 0)
        return 0;
    int const screen = DefaultScreen(display);
    return XCreatePixmapFromBitmapData(display, RootWindow(display, screen), bits, static_cast<unsigned int>(width),
                                       static_cast<unsigned int>(height), foreground, background,
                                       static_cast<unsigned int>(DefaultDepth(display, screen)));
}

}  // namespace

modC_YesNoStep::modC_YesNoStep(bool pictured, int numberButtons, int seq, modC_DefaultButton defChoice,
                               bool choiceFlag)
    : modC_Step(seq), pictured(pictured), display(nullptr), numberButtons(numberButtons), choiceFlag(choiceFlag),
      choice(-1), defChoice(defChoice)
{
    QEL_ASSERT_TEXT((defChoice >= 1 && defChoice <= numberButtons) || defChoice == -1,
                    "defChoice >=1 && defChoice <= numberButtons || defChoice == -1");
    QEL_ASSERT(numberButtons >= 0);
}

modC_YesNoStep::modC_YesNoStep(modC_Procedure * procedure, char const * name, int numberButtons, int seq,
                               modC_DefaultButton defChoice, bool choiceFlag)
    : modC_YesNoStep(false, numberButtons, seq, defChoice, choiceFlag)
{
    cow_String const modeName = procedure->ModeName();
    QEL_ASSERT(modeName != "");
    std::string const stem = std::string("*promptArea.") + modeName.AsCharPtr() + "_" + (name ? name : "") + ".btn";
    for (int k = 1; k <= numberButtons; ++k)
        labels.push_back(stem + std::to_string(k) + ".labelString");
}

modC_YesNoStep::modC_YesNoStep(modC_Procedure * procedure, int numberButtons, char *** images, int seq,
                               modC_DefaultButton defChoice, bool choiceFlag)
    : modC_YesNoStep(true, numberButtons, seq, defChoice, choiceFlag)
{
    pixmaps.assign(static_cast<std::size_t>(numberButtons), 0);
    Display * const x = ApplicationDisplay();
    if (!x || !images)
        return;
    display = x;
    unsigned long const background = procedure->ModeContext()->GetBgColor();
    for (int k = 0; k < numberButtons; ++k)
        pixmaps[static_cast<std::size_t>(k)] = XpmPicture(x, images[k], background);
    XFlush(x);
}

modC_YesNoStep::modC_YesNoStep(modC_Procedure * procedure, int numberButtons, char ** bitmaps, int width,
                               int height, int seq, modC_DefaultButton defChoice, bool choiceFlag)
    : modC_YesNoStep(true, numberButtons, seq, defChoice, choiceFlag)
{
    pixmaps.assign(static_cast<std::size_t>(numberButtons), 0);
    Display * const x = ApplicationDisplay();
    if (!x || !bitmaps)
        return;
    display = x;
    modC_Strategy const * const colours = procedure->ModeContext();
    unsigned long const foreground = colours->GetFgColor();
    unsigned long const background = colours->GetBgColor();
    for (int k = 0; k < numberButtons; ++k)
        pixmaps[static_cast<std::size_t>(k)] = BitmapPicture(x, bitmaps[k], width, height, foreground, background);
    XFlush(x);
}

modC_YesNoStep::~modC_YesNoStep()
{
    // The buttons go before the pictures they show.
    modC_YesNoStep::Cancel();
    // When the application has closed that display, the pixmaps went with the connection.
    if (!display || display != ApplicationDisplay())
        return;
    Display * const x = static_cast<Display *>(display);
    for (unsigned long pixmap : pixmaps)
        if (pixmap)
            XFreePixmap(x, pixmap);
    XFlush(x);
}

unsigned long modC_YesNoStep::Pixmap(int num) const
{
    return num >= 0 && num < static_cast<int>(pixmaps.size()) ? pixmaps[static_cast<std::size_t>(num)] : 0;
}

void modC_YesNoStep::setButtonLabel(int num, char const * label)
{
    QEL_ASSERT(num < numberButtons && num >=0);
    QEL_ASSERT(!pictured);
    labels[static_cast<std::size_t>(num)] = label ? label : "";
}

void modC_YesNoStep::SetDefaultButton(modC_DefaultButton new_dfb)
{
    QEL_ASSERT_TEXT((new_dfb >= 1 && new_dfb <= numberButtons) || new_dfb == -1,
                    "new_dfb >=1 && new_dfb <= numberButtons || new_dfb == -1");
    defChoice = new_dfb;
}

void modC_YesNoStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    // Executed again while running: the old buttons go rather than staying orphaned on screen.
    Cancel();
    receiver = receiver_;
    modC_Method * made = nullptr;
    if (pictured) {
        made = factory->MakeImageChoiceMethod(pixmaps.data(), numberButtons, this, defChoice, choiceFlag);
    } else {
        std::vector<char const *> texts;
        for (std::string const & label : labels)
            texts.push_back(label.c_str());
        made = factory->MakeChoiceMethod(texts.data(), numberButtons, this, defChoice, choiceFlag);
    }
    // Anything but a choice method cannot tell which button was pressed.
    method.reset(dynamic_cast<modC_ChoiceMethod *>(made));
    if (!method)
        delete made;
    QEL_ASSERT(method != 0);
    method->Execute();
}

void modC_YesNoStep::TakeChoice()
{
    int const pressed = method->Value();
    // No button, or one the step does not have, leaves no default rather than an invalid one.
    choice = pressed >= 0 && pressed < numberButtons ? pressed : -1;
    defChoice = static_cast<modC_DefaultButton>(choice >= 0 ? choice + 1 : -1);
}

void modC_YesNoStep::ValueChanged(modC_Method *)
{
    if (!method)
        return;
    TakeChoice();
    receiver->StepValueChanged(*this);
}

void modC_YesNoStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no buttons are shown
        return;
    TakeChoice();
    std::unique_ptr<modC_ChoiceMethod> finished = std::move(method);
    finished->Cancel();
    finished.reset();
    receiver->StepTerminated(*this);
}

void modC_YesNoStep::Cancel()
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

void modC_YesNoStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_YesNoStep::Resume()
{
    if (method)
        method->Resume();
}
