// The desktop's method factory: every input method gets a FOX widget as its
// implementation: entries, buttons and lists in the prompt area, dialog
// boxes over the main window, and trackers of the viewport.
#ifndef DESKTOPFACTORY_H
#define DESKTOPFACTORY_H

#include "DesktopStage.h"
#include "modC_MethodFactory.h"

class DesktopFactory : public modC_MethodFactory {
public:
    // `stage` must outlive every method this factory makes.
    explicit DesktopFactory(DesktopStage & stage) : stage(stage) {}

    modC_Method * MakeIntegerMethod(modC_MethodReceiver * receiver, int value, int minimum, int maximum, bool flag1,
                                    bool flag2, bool flag3, void * reserved, int columns) const override;
    modC_Method * MakePointMethod(modC_MethodReceiver * receiver, double x, double y, double z, bool twoDimensional,
                                  double minimum, double maximum, bool flag1, bool flag2, bool flag3, bool flag4,
                                  int columns) const override;
    modC_Method * MakeArrayMethod(modC_MethodReceiver * receiver, cow_1DArrayList<double, double> const & values,
                                  double minimum, double maximum, bool flag1, bool flag2, double defaultValue,
                                  int count, bool flag3, bool flag4, int columns) const override;
    modC_Method * MakeFloatMethod(modC_MethodReceiver * receiver, double value, double minimum, double maximum,
                                  bool flag1, bool flag2, bool flag3, void * reserved, int columns) const override;
    modC_Method * MakeStringMethod(modC_MethodReceiver * receiver, char const * text, int columns) const override;
    modC_Method * MakePositionMethod(modC_MethodReceiver * receiver) const override;
    modC_Method * MakeTitledChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                         char const * title, int visibleCount, int defaultChoice) const override;
    modC_Method * MakeImageChoiceMethod(unsigned long * pixmaps, int count, modC_MethodReceiver * receiver,
                                        int defaultButton, bool flag) const override;
    modC_Method * MakeChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                   int defaultChoice, bool flag) const override;
    modC_Method * MakeMenuChoiceMethod(char const ** labels, int count,
                                       modC_MethodReceiver * receiver) const override;
    modC_Method * MakeOptionMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                   int defaultChoice) const override;
    modC_Method * MakeRadioMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                  int defaultChoice) const override;
    modC_Method * MakeDialogMethod(char const * dialogName, omu_PrimTuple const & values,
                                   modC_MethodReceiver * receiver) const override;
    modC_Method * MakePickMethod(modC_MethodReceiver * receiver) const override;
    modC_Method * MakeToggleMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                   cow_1DArray<int> * states) const override;
    modC_Method * MakeComboMethod(modC_MethodReceiver * receiver, cow_List<cow_String> const & entries,
                                  int defaultEntry) const override;
    modC_Method * MakeFilterMethod(modC_MethodReceiver * receiver,
                                   omu_PrimDictionary<cow_String> const & filters) const override;
    modC_Method * MakePromptMethod(modC_MethodReceiver * receiver, cow_String const & text) const override;
    modC_Method * MakeToolsetMethod(modC_MethodReceiver * receiver, cow_String const & toolsetName) const override;

private:
    DesktopStage & stage;
};

#endif
