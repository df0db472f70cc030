// Buttons, picture buttons, a menu, a titled row (the pick method's
// Next/Previous/OK and Backup/Abort/Done), an option list and radio buttons.
// Choosing reports a value change and, unless that ended the input, Done.
#ifndef DESKTOPCHOICE_H
#define DESKTOPCHOICE_H

#include <memory>
#include <string>
#include <vector>

#include "DesktopWidget.h"
#include "modC_ChoiceMethodImpl.h"

class DesktopChoice : public DesktopImpl<modC_ChoiceMethodImpl> {
public:
    enum class Role { Buttons, Menu, Titled, Options, Radio };

    // `defaultChoice` is 1-based; anything outside 1 ... count is no default.
    DesktopChoice(DesktopStage & stage, Role role, char const ** labels, int count, int defaultChoice,
                  std::string title = "");
    // Buttons showing the X pixmaps `pixmaps` (0: no picture).
    DesktopChoice(DesktopStage & stage, unsigned int * pixmaps, int count, int defaultChoice);
    ~DesktopChoice() override;

    bool IsRowOf(modC_Method const * pick) const override;

private:
    enum { ID_LIST = 1, ID_OK, ID_ENTRY = 100 };

    void Build(FX::FXComposite * frame) override;
    void Shown() override;
    long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data) override;
    std::string Text(int index) const;
    // The picture of X pixmap `pixmap` as an icon; null when it cannot be read.
    FX::FXIcon * Picture(unsigned int pixmap);
    void Choose(int index);

    Role role;
    int defaultChoice;
    std::string title;
    std::vector<FX::FXRadioButton *> radios;
    FX::FXWindow * initial = nullptr;
    FX::FXPopup * menuPane = nullptr;
    std::vector<std::unique_ptr<FX::FXObject>> icons;
};

#endif
