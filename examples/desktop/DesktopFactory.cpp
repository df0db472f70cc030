#include "DesktopFactory.h"

#include <string>
#include <vector>

#include "DesktopChoice.h"
#include "DesktopDialog.h"
#include "DesktopEntry.h"
#include "DesktopLists.h"
#include "DesktopTracker.h"
#include "SampleText.h"
#include "modC_ChoiceMethod.h"
#include "modC_ClickAndDragMethod.h"
#include "modC_ComboMethod.h"
#include "modC_DialogMethod.h"
#include "modC_FilterMethod.h"
#include "modC_PickMethod.h"
#include "modC_PromptMethod.h"
#include "modC_ScalarMethod.h"
#include "modC_ToggleMethod.h"
#include "modC_ToolsetMethod.h"

using sample_text::ExactNumber;
using sample_text::ExactNumbers;
using Kind = EntryRule::Kind;

// The entry flags tune a field's editing the desktop does not distinguish;
// the column count is the field's width.

//! [integer-entry]
modC_Method * DesktopFactory::MakeIntegerMethod(modC_MethodReceiver * receiver, int value, int minimum, int maximum,
                                                bool flag1, bool flag2, bool flag3, void *, int columns) const
{
    std::string const text = std::to_string(value);
    auto * field = new DesktopEntry(stage, Kind::Integer, 0, text.c_str(), minimum, maximum, flag1, flag2, flag3,
                                    columns);
    return new modC_ScalarMethod(text.c_str(), receiver, field);
}
//! [integer-entry]

modC_Method * DesktopFactory::MakePointMethod(modC_MethodReceiver * receiver, double x, double y, double z,
                                              bool twoDimensional, double minimum, double maximum, bool flag1,
                                              bool flag2, bool flag3, bool, int columns) const
{
    std::string const text = twoDimensional ? ExactNumbers({x, y}) : ExactNumbers({x, y, z});
    auto * field = new DesktopEntry(stage, twoDimensional ? Kind::Point2 : Kind::Point3, 0, text.c_str(), minimum,
                                    maximum, flag1, flag2, flag3, columns);
    return new modC_ScalarMethod(text.c_str(), receiver, field);
}

modC_Method * DesktopFactory::MakeArrayMethod(modC_MethodReceiver * receiver,
                                              cow_1DArrayList<double, double> const & values, double minimum,
                                              double maximum, bool flag1, bool flag2, double, int count, bool flag3,
                                              bool, int columns) const
{
    std::vector<double> numbers;
    for (int i = 0; i < values.Size(); ++i)
        numbers.push_back(values.ConstGet(i));
    std::string const text = ExactNumbers(numbers);
    auto * field = new DesktopEntry(stage, Kind::List, count > 0 ? count : 0, text.c_str(), minimum, maximum, flag1,
                                    flag2, flag3, columns);
    return new modC_ScalarMethod(text.c_str(), receiver, field);
}

modC_Method * DesktopFactory::MakeFloatMethod(modC_MethodReceiver * receiver, double value, double minimum,
                                              double maximum, bool flag1, bool flag2, bool flag3, void *,
                                              int columns) const
{
    std::string const text = ExactNumber(value);
    auto * field = new DesktopEntry(stage, Kind::Number, 0, text.c_str(), minimum, maximum, flag1, flag2, flag3,
                                    columns);
    return new modC_ScalarMethod(text.c_str(), receiver, field);
}

modC_Method * DesktopFactory::MakeStringMethod(modC_MethodReceiver * receiver, char const * text, int columns) const
{
    auto * field = new DesktopEntry(stage, Kind::Text, 0, text, columns);
    return new modC_ScalarMethod(text, receiver, field);
}

modC_Method * DesktopFactory::MakePositionMethod(modC_MethodReceiver * receiver) const
{
    return new modC_ClickAndDragMethod(receiver, new DesktopTracker(stage, false));
}

modC_Method * DesktopFactory::MakeTitledChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                                     char const * title, int, int defaultChoice) const
{
    return new modC_ChoiceMethod(receiver, new DesktopChoice(stage, DesktopChoice::Role::Titled, labels, count,
                                                             defaultChoice, title ? title : ""));
}

//! [picture-buttons]
modC_Method * DesktopFactory::MakeImageChoiceMethod(unsigned long * pixmaps, int count,
                                                    modC_MethodReceiver * receiver, int defaultButton, bool) const
{
    std::vector<unsigned int> images(static_cast<std::size_t>(count > 0 ? count : 0));
    for (std::size_t i = 0; pixmaps && i < images.size(); ++i)
        images[i] = static_cast<unsigned int>(pixmaps[i]);
    return new modC_ChoiceMethod(receiver, new DesktopChoice(stage, images.data(), count, defaultButton));
}
//! [picture-buttons]

modC_Method * DesktopFactory::MakeChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                               int defaultChoice, bool) const
{
    return new modC_ChoiceMethod(
        receiver, new DesktopChoice(stage, DesktopChoice::Role::Buttons, labels, count, defaultChoice));
}

modC_Method * DesktopFactory::MakeMenuChoiceMethod(char const ** labels, int count,
                                                   modC_MethodReceiver * receiver) const
{
    return new modC_ChoiceMethod(receiver, new DesktopChoice(stage, DesktopChoice::Role::Menu, labels, count, 0));
}

modC_Method * DesktopFactory::MakeOptionMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                               int defaultChoice) const
{
    return new modC_ChoiceMethod(
        receiver, new DesktopChoice(stage, DesktopChoice::Role::Options, labels, count, defaultChoice));
}

modC_Method * DesktopFactory::MakeRadioMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                              int defaultChoice) const
{
    return new modC_ChoiceMethod(receiver,
                                 new DesktopChoice(stage, DesktopChoice::Role::Radio, labels, count, defaultChoice));
}

//! [dialog]
modC_Method * DesktopFactory::MakeDialogMethod(char const * dialogName, omu_PrimTuple const & values,
                                               modC_MethodReceiver * receiver) const
{
    return new modC_DialogMethod(receiver, new DesktopDialog(stage, dialogName ? dialogName : "", values));
}
//! [dialog]

//! [pick]
modC_Method * DesktopFactory::MakePickMethod(modC_MethodReceiver * receiver) const
{
    // The pick method opens its button rows through this factory.
    return new modC_PickMethod(receiver, new DesktopTracker(stage, true), this);
}
//! [pick]

modC_Method * DesktopFactory::MakeToggleMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                               cow_1DArray<int> * states) const
{
    return new modC_ToggleMethod(receiver,
                                 new DesktopToggle(stage, labels, states ? *states : cow_1DArray<int>(), count));
}

modC_Method * DesktopFactory::MakeComboMethod(modC_MethodReceiver * receiver, cow_List<cow_String> const & entries,
                                              int defaultEntry) const
{
    // An entry that does not exist opens the combo on none rather than failing.
    int const entry = defaultEntry >= 1 && defaultEntry <= entries.Size() ? defaultEntry : 0;
    return new modC_ComboMethod(receiver, new DesktopCombo(stage, entries, entry));
}

modC_Method * DesktopFactory::MakeFilterMethod(modC_MethodReceiver * receiver,
                                               omu_PrimDictionary<cow_String> const & filters) const
{
    return new modC_FilterMethod(receiver, new DesktopFilter(stage, filters));
}

modC_Method * DesktopFactory::MakePromptMethod(modC_MethodReceiver * receiver, cow_String const & text) const
{
    return new modC_PromptMethod(receiver, new DesktopPrompt(stage, text));
}

modC_Method * DesktopFactory::MakeToolsetMethod(modC_MethodReceiver * receiver, cow_String const & toolsetName) const
{
    return new modC_ToolsetMethod(receiver, new DesktopToolset(stage, toolsetName));
}
