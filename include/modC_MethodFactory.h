/// \file modC_MethodFactory.h
/// The front end's factory of input methods.
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

/// The front end's factory of input methods, returned by
/// modC_Strategy::GetMethodFactory. A step calls one of these operations
/// from its Execute, each time it starts (a method is never executed twice,
/// except the dialog step's). Every operation must build a new
/// implementation (the front end's subclass of the modC_*MethodImpl named
/// below, not shown yet) and the method around it, and return the method: not
/// null, not executed, owned by the caller, which calls Execute on it next and
/// deletes it when the input is complete or given up (deleting the method
/// deletes the implementation). The factory copies whatever it keeps of the
/// arrays and strings it is given. The implementation reports to its method
/// (ValueChanged, Done, DirectManipulation, with itself as argument); a
/// report can end in the step deleting the method and the implementation, so
/// the widget's code must not touch the implementation after a report that
/// may have destroyed it. Every step passes 20 as `columns`; the entry flags
/// and `reserved` are the entry field's own and the library never reads them.
class modC_MethodFactory {
public:
    virtual ~modC_MethodFactory() = default;

    /// A whole-number entry field from `minimum` to `maximum` opening on
    /// `value`, for the integer and pair-of-integers steps and the rotating
    /// option step. Returns a modC_ScalarMethod (made with the text of
    /// `value`) on a modC_StringMethodImpl built with the int limits; the
    /// field keeps its `value` up to date with the text entered and reports
    /// Done when the user completes it.
    virtual modC_Method * MakeIntegerMethod(modC_MethodReceiver * receiver, int value, int minimum, int maximum,
                                            bool flag1, bool flag2, bool flag3, void * reserved,
                                            int columns) const = 0;
    /// A point entry (x, y and, unless `twoDimensional`, z, each within
    /// `minimum` to `maximum`) for the keyed-in point step. Returns a
    /// modC_ScalarMethod on a floating-point modC_StringMethodImpl; the step
    /// reads the text with GetPointValue and calls CommitData, which the
    /// implementation must override to take over text typed but not
    /// confirmed.
    virtual modC_Method * MakePointMethod(modC_MethodReceiver * receiver, double x, double y, double z,
                                          bool twoDimensional, double minimum, double maximum, bool flag1,
                                          bool flag2, bool flag3, bool flag4, int columns) const = 0;
    /// A list of numbers (`count` of them, 0 for any) within `minimum` to
    /// `maximum`, opening on `values`, for the list step. Returns a
    /// modC_ScalarMethod read with GetArrayValue; CommitData as for points.
    virtual modC_Method * MakeArrayMethod(modC_MethodReceiver * receiver,
                                          cow_1DArrayList<double, double> const & values, double minimum,
                                          double maximum, bool flag1, bool flag2, double defaultValue, int count,
                                          bool flag3, bool flag4, int columns) const = 0;
    /// A number entry from `minimum` to `maximum` opening on `value`, for the
    /// float step. Returns a modC_ScalarMethod on a floating-point
    /// modC_StringMethodImpl, read with GetFloatValue.
    virtual modC_Method * MakeFloatMethod(modC_MethodReceiver * receiver, double value, double minimum,
                                          double maximum, bool flag1, bool flag2, bool flag3, void * reserved,
                                          int columns) const = 0;
    /// A text entry opening on `text`, for the string and string toggle
    /// steps. Returns a modC_ScalarMethod on a text modC_StringMethodImpl.
    virtual modC_Method * MakeStringMethod(modC_MethodReceiver * receiver, char const * text,
                                           int columns) const = 0;
    /// The viewport's pointer, for the point step. Returns a
    /// modC_ClickAndDragMethod on a modC_PositionMethodImpl whose record the
    /// front end fills from pointer events before each report.
    virtual modC_Method * MakePositionMethod(modC_MethodReceiver * receiver) const = 0;
    /// A titled row of buttons, called by the pick method for its ambiguity
    /// row ("Next", "Previous", "OK") and its polygon row ("Backup",
    /// "Abort", "Done"), with `visibleCount` 3 and `defaultChoice` 0.
    /// Returns a modC_ChoiceMethod; pressing a button sets the 0-based
    /// selection and reports ValueChanged, then Done.
    virtual modC_Method * MakeTitledChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                                 char const * title, int visibleCount, int defaultChoice) const = 0;
    /// Buttons showing pictures, for the yes/no step built from images:
    /// `pixmaps` holds one X pixmap per button, 0 where none could be made;
    /// `defaultButton` is 1-based, -1 for none. Returns a modC_ChoiceMethod
    /// on a modC_ChoiceMethodImpl built from the identifiers.
    virtual modC_Method * MakeImageChoiceMethod(unsigned long * pixmaps, int count, modC_MethodReceiver * receiver,
                                                int defaultButton, bool flag) const = 0;
    /// A row of buttons labelled `labels` (resource keys or texts),
    /// `defaultChoice` 1-based (0 for none), for the yes/no, basic, combo,
    /// rotating option, tool box and toolset steps. Returns a
    /// modC_ChoiceMethod; a press sets the 0-based selection and reports.
    virtual modC_Method * MakeChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                           int defaultChoice, bool flag) const = 0;
    /// A menu of `labels`, for the choice menu step. Returns a
    /// modC_ChoiceMethod.
    virtual modC_Method * MakeMenuChoiceMethod(char const ** labels, int count,
                                               modC_MethodReceiver * receiver) const = 0;
    /// An option list (one entry shown, the others on demand), for the
    /// option, rotating option and basic steps; `defaultChoice` 1-based.
    /// Returns a modC_ChoiceMethod.
    virtual modC_Method * MakeOptionMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                           int defaultChoice) const = 0;
    /// Radio buttons, for the radio step; `defaultChoice` 1-based. Returns a
    /// modC_ChoiceMethod.
    virtual modC_Method * MakeRadioMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                          int defaultChoice) const = 0;
    /// The dialog box `dialogName` with `values`, for the dialog step and
    /// the steps built on it (a prompt option's data, the error form
    /// "modG_ErrorForm", warnings, tool boxes). Returns a modC_DialogMethod
    /// on a modC_DialogMethodImpl; the dialog keeps the implementation's
    /// `values` up to date and reports ValueChanged on changes and Done when
    /// the user completes it. With commands or targets the tuple is
    /// (commands, targets, values) and must come back in the shape the
    /// dialog step reads.
    virtual modC_Method * MakeDialogMethod(char const * dialogName, omu_PrimTuple const & values,
                                           modC_MethodReceiver * receiver) const = 0;
    /// A pick in the viewport, for the rotating option step and the front
    /// end's own pick steps. Returns a modC_PickMethod built with a new
    /// modC_PositionMethodImpl and this factory, which it calls again for
    /// its button rows.
    virtual modC_Method * MakePickMethod(modC_MethodReceiver * receiver) const = 0;
    /// Check buttons labelled `labels`, starting from `states` (null: all
    /// off), for the toggle, string toggle, dialog toggle and basic steps.
    /// Returns a modC_ToggleMethod; the implementation keeps its states.
    virtual modC_Method * MakeToggleMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                           cow_1DArray<int> * states) const = 0;
    /// A combo box of `entries` opening on entry `defaultEntry` (1-based, 0
    /// for none), for the combo and basic steps. Returns a modC_ComboMethod;
    /// the implementation keeps its 1-based selection and the entry's text.
    virtual modC_Method * MakeComboMethod(modC_MethodReceiver * receiver, cow_List<cow_String> const & entries,
                                          int defaultEntry) const = 0;
    /// A check list of pick filters, for the combo step. Returns a
    /// modC_FilterMethod; the implementation keeps one state per filter and
    /// shows another set when reset.
    virtual modC_Method * MakeFilterMethod(modC_MethodReceiver * receiver,
                                           omu_PrimDictionary<cow_String> const & filters) const = 0;
    /// A line of prompt text beside the step's input, for the basic,
    /// pair-of-integers and rotating option steps. Returns a
    /// modC_PromptMethod; its implementation never reports.
    virtual modC_Method * MakePromptMethod(modC_MethodReceiver * receiver, cow_String const & text) const = 0;
    /// The tool set `toolsetName` of the front end, for the toolset step.
    /// Returns a modC_ToolsetMethod, which passes every report on as it is.
    virtual modC_Method * MakeToolsetMethod(modC_MethodReceiver * receiver,
                                            cow_String const & toolsetName) const = 0;
};

#endif
