// The front end's factory of input methods. Each operation builds a new
// implementation and the method around it, and returns the method, not yet
// executed and owned by the caller. The factory copies what it keeps of the
// arrays and strings it is given.
#ifndef MODC_METHODFACTORY_H
#define MODC_METHODFACTORY_H

#include "cow_1DArray.h"
#include "cow_1DArrayList.h"
#include "cow_List.h"
#include "cow_String.h"
#include "omu_PrimDictionary.h"
#include "omu_PrimTuple.h"

class modC_Method;
class modC_MethodReceiver;

class modC_MethodFactory {
public:
    virtual ~modC_MethodFactory() = default;

    // Integer entry field; the three flags and the null pointer are the entry field's own.
    virtual modC_Method * MakeIntegerMethod(modC_MethodReceiver * receiver, int value, int minimum, int maximum,
                                            bool flag1, bool flag2, bool flag3, void * reserved,
                                            int columns) const = 0;
    virtual modC_Method * MakePointMethod(modC_MethodReceiver * receiver, double x, double y, double z,
                                          bool twoDimensional, double minimum, double maximum, bool flag1,
                                          bool flag2, bool flag3, bool flag4, int columns) const = 0;
    virtual modC_Method * MakeArrayMethod(modC_MethodReceiver * receiver,
                                          cow_1DArrayList<double, double> const & values, double minimum,
                                          double maximum, bool flag1, bool flag2, double defaultValue, int count,
                                          bool flag3, bool flag4, int columns) const = 0;
    virtual modC_Method * MakeFloatMethod(modC_MethodReceiver * receiver, double value, double minimum,
                                          double maximum, bool flag1, bool flag2, bool flag3, void * reserved,
                                          int columns) const = 0;
    virtual modC_Method * MakeStringMethod(modC_MethodReceiver * receiver, char const * text,
                                           int columns) const = 0;
    virtual modC_Method * MakePositionMethod(modC_MethodReceiver * receiver) const = 0;
    virtual modC_Method * MakeTitledChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                                 char const * title, int visibleCount, int defaultChoice) const = 0;
    // `pixmaps`: one picture per button, 0 where none could be made.
    virtual modC_Method * MakeImageChoiceMethod(unsigned long * pixmaps, int count, modC_MethodReceiver * receiver,
                                                int defaultButton, bool flag) const = 0;
    virtual modC_Method * MakeChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                           int defaultChoice, bool flag) const = 0;
    virtual modC_Method * MakeMenuChoiceMethod(char const ** labels, int count,
                                               modC_MethodReceiver * receiver) const = 0;
    virtual modC_Method * MakeOptionMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                           int defaultChoice) const = 0;
    virtual modC_Method * MakeRadioMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                          int defaultChoice) const = 0;
    virtual modC_Method * MakeDialogMethod(char const * dialogName, omu_PrimTuple const & values,
                                           modC_MethodReceiver * receiver) const = 0;
    virtual modC_Method * MakePickMethod(modC_MethodReceiver * receiver) const = 0;
    virtual modC_Method * MakeToggleMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                           cow_1DArray<int> * states) const = 0;
    virtual modC_Method * MakeComboMethod(modC_MethodReceiver * receiver, cow_List<cow_String> const & entries,
                                          int defaultEntry) const = 0;
    virtual modC_Method * MakeFilterMethod(modC_MethodReceiver * receiver,
                                           omu_PrimDictionary<cow_String> const & filters) const = 0;
    virtual modC_Method * MakePromptMethod(modC_MethodReceiver * receiver, cow_String const & text) const = 0;
    virtual modC_Method * MakeToolsetMethod(modC_MethodReceiver * receiver,
                                            cow_String const & toolsetName) const = 0;
};

#endif
