#include "ConsoleFactory.h"

#include <string>
#include <vector>

#include "SampleText.h"
#include "ConsoleWidgets.h"
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

// The entry flags and the column count tune a graphical field's editing and
// width; a console line has neither, so they are not used.

modC_Method * ConsoleFactory::MakeIntegerMethod(modC_MethodReceiver * receiver, int value, int minimum, int maximum,
                                                bool flag1, bool flag2, bool flag3, void *, int columns) const
{
    std::string const text = std::to_string(value);
    auto * field = new ConsoleEntry(stage, ConsoleEntry::Kind::Integer, 0, text.c_str(), minimum, maximum, flag1,
                                    flag2, flag3, columns);
    return new modC_ScalarMethod(text.c_str(), receiver, field);
}

modC_Method * ConsoleFactory::MakePointMethod(modC_MethodReceiver * receiver, double x, double y, double z,
                                              bool twoDimensional, double minimum, double maximum, bool flag1,
                                              bool flag2, bool flag3, bool, int columns) const
{
    std::string const text = twoDimensional ? ExactNumbers({x, y}) : ExactNumbers({x, y, z});
    auto const kind = twoDimensional ? ConsoleEntry::Kind::Point2 : ConsoleEntry::Kind::Point3;
    auto * field = new ConsoleEntry(stage, kind, 0, text.c_str(), minimum, maximum, flag1, flag2, flag3, columns);
    return new modC_ScalarMethod(text.c_str(), receiver, field);
}

modC_Method * ConsoleFactory::MakeArrayMethod(modC_MethodReceiver * receiver,
                                              cow_1DArrayList<double, double> const & values, double minimum,
                                              double maximum, bool flag1, bool flag2, double, int count, bool flag3,
                                              bool, int columns) const
{
    std::vector<double> numbers;
    for (int i = 0; i < values.Size(); ++i)
        numbers.push_back(values.ConstGet(i));
    std::string const text = ExactNumbers(numbers);
    auto * field = new ConsoleEntry(stage, ConsoleEntry::Kind::List, count > 0 ? count : 0, text.c_str(), minimum,
                                    maximum, flag1, flag2, flag3, columns);
    return new modC_ScalarMethod(text.c_str(), receiver, field);
}

modC_Method * ConsoleFactory::MakeFloatMethod(modC_MethodReceiver * receiver, double value, double minimum,
                                              double maximum, bool flag1, bool flag2, bool flag3, void *,
                                              int columns) const
{
    std::string const text = ExactNumber(value);
    auto * field = new ConsoleEntry(stage, ConsoleEntry::Kind::Number, 0, text.c_str(), minimum, maximum, flag1,
                                    flag2, flag3, columns);
    return new modC_ScalarMethod(text.c_str(), receiver, field);
}

modC_Method * ConsoleFactory::MakeStringMethod(modC_MethodReceiver * receiver, char const * text, int columns) const
{
    auto * field = new ConsoleEntry(stage, ConsoleEntry::Kind::Text, 0, text, columns);
    return new modC_ScalarMethod(text, receiver, field);
}

modC_Method * ConsoleFactory::MakePositionMethod(modC_MethodReceiver * receiver) const
{
    return new modC_ClickAndDragMethod(receiver, new ConsoleViewport(stage, false));
}

modC_Method * ConsoleFactory::MakeTitledChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                                     char const * title, int, int defaultChoice) const
{
    return new modC_ChoiceMethod(receiver, new ConsoleChoice(stage, ConsoleChoice::Role::Titled, labels, count,
                                                             defaultChoice, title ? title : ""));
}

modC_Method * ConsoleFactory::MakeImageChoiceMethod(unsigned long * pixmaps, int count,
                                                    modC_MethodReceiver * receiver, int defaultButton, bool) const
{
    std::vector<unsigned int> images;
    for (int i = 0; pixmaps && i < count; ++i)
        images.push_back(static_cast<unsigned int>(pixmaps[i]));
    images.resize(static_cast<std::size_t>(count > 0 ? count : 0));
    return new modC_ChoiceMethod(receiver, new ConsoleChoice(stage, images.data(), count, defaultButton));
}

modC_Method * ConsoleFactory::MakeChoiceMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                               int defaultChoice, bool) const
{
    return new modC_ChoiceMethod(
        receiver, new ConsoleChoice(stage, ConsoleChoice::Role::Buttons, labels, count, defaultChoice));
}

modC_Method * ConsoleFactory::MakeMenuChoiceMethod(char const ** labels, int count,
                                                   modC_MethodReceiver * receiver) const
{
    return new modC_ChoiceMethod(receiver, new ConsoleChoice(stage, ConsoleChoice::Role::Menu, labels, count, 0));
}

modC_Method * ConsoleFactory::MakeOptionMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                               int defaultChoice) const
{
    return new modC_ChoiceMethod(
        receiver, new ConsoleChoice(stage, ConsoleChoice::Role::Options, labels, count, defaultChoice));
}

modC_Method * ConsoleFactory::MakeRadioMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                              int defaultChoice) const
{
    return new modC_ChoiceMethod(receiver,
                                 new ConsoleChoice(stage, ConsoleChoice::Role::Radio, labels, count, defaultChoice));
}

modC_Method * ConsoleFactory::MakeDialogMethod(char const * dialogName, omu_PrimTuple const & values,
                                               modC_MethodReceiver * receiver) const
{
    return new modC_DialogMethod(receiver, new ConsoleDialog(stage, dialogName ? dialogName : "", values));
}

modC_Method * ConsoleFactory::MakePickMethod(modC_MethodReceiver * receiver) const
{
    return new modC_PickMethod(receiver, new ConsoleViewport(stage, true), this);
}

modC_Method * ConsoleFactory::MakeToggleMethod(char const ** labels, int count, modC_MethodReceiver * receiver,
                                               cow_1DArray<int> * states) const
{
    return new modC_ToggleMethod(receiver,
                                 new ConsoleToggle(stage, labels, states ? *states : cow_1DArray<int>(), count));
}

modC_Method * ConsoleFactory::MakeComboMethod(modC_MethodReceiver * receiver, cow_List<cow_String> const & entries,
                                              int defaultEntry) const
{
    // An entry that does not exist opens the combo on none rather than failing.
    int const entry = defaultEntry >= 1 && defaultEntry <= entries.Size() ? defaultEntry : 0;
    return new modC_ComboMethod(receiver, new ConsoleCombo(stage, entries, entry));
}

modC_Method * ConsoleFactory::MakeFilterMethod(modC_MethodReceiver * receiver,
                                               omu_PrimDictionary<cow_String> const & filters) const
{
    return new modC_FilterMethod(receiver, new ConsoleFilter(stage, filters));
}

modC_Method * ConsoleFactory::MakePromptMethod(modC_MethodReceiver * receiver, cow_String const & text) const
{
    return new modC_PromptMethod(receiver, new ConsolePrompt(stage, text));
}

modC_Method * ConsoleFactory::MakeToolsetMethod(modC_MethodReceiver * receiver, cow_String const & toolsetName) const
{
    return new modC_ToolsetMethod(receiver, new ConsoleToolset(stage, toolsetName));
}
