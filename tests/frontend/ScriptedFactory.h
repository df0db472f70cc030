// The scripted front end's method factory. Every operation writes one line to
// the transcript, "MakeIntegerMethod(42, 0, 100, true, true, false, null, 20) -> integer1",
// and builds the library's method around a drivable implementation named by
// its kind and a running number. The implementations add their lifecycle
// ("integer1.Execute()", "integer1 deleted"), so one transcript shows
// everything the front end was told, in order.
#ifndef SCRIPTEDFACTORY_H
#define SCRIPTEDFACTORY_H

#include <memory>
#include <string>
#include <vector>

#include "CallLog.h"
#include "ScriptedImpls.h"
#include "modC_MethodFactory.h"

class ScriptedFactory : public modC_MethodFactory {
public:
    // Writes to its own transcript.
    ScriptedFactory();
    // Writes to `log`, shared with the mode context; `log` must outlive every
    // implementation this factory makes.
    explicit ScriptedFactory(CallLog & log);
    ScriptedFactory(ScriptedFactory const &) = delete;
    ScriptedFactory & operator=(ScriptedFactory const &) = delete;

    CallLog & Log() { return stage->Log(); }

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

    // Names of the implementations alive, oldest first.
    std::vector<std::string> Live() const;
    // The implementation alive under `name`, if it is a T; else null.
    template <class T>
    T * Find(std::string const & name) const
    {
        for (ScriptedWidget * widget : stage->Live())
            if (widget->Name() == name)
                return dynamic_cast<T *>(widget);
        return nullptr;
    }
    // The most recently made T still alive, or null.
    template <class T>
    T * Last() const
    {
        auto const & live = stage->Live();
        for (auto widget = live.rbegin(); widget != live.rend(); ++widget)
            if (T * found = dynamic_cast<T *>(*widget))
                return found;
        return nullptr;
    }
    ScriptedEntry * LastEntry() const { return Last<ScriptedEntry>(); }
    ScriptedPosition * LastPosition() const { return Last<ScriptedPosition>(); }
    ScriptedChoice * LastChoice() const { return Last<ScriptedChoice>(); }
    ScriptedToggle * LastToggle() const { return Last<ScriptedToggle>(); }
    ScriptedCombo * LastCombo() const { return Last<ScriptedCombo>(); }
    ScriptedFilter * LastFilter() const { return Last<ScriptedFilter>(); }
    ScriptedDialog * LastDialog() const { return Last<ScriptedDialog>(); }
    ScriptedPrompt * LastPrompt() const { return Last<ScriptedPrompt>(); }
    ScriptedToolset * LastToolset() const { return Last<ScriptedToolset>(); }

private:
    std::string NewName(char const * kind) const { return stage->NewName(kind); }
    void Record(std::string const & call, std::string const & made) const;
    modC_Method * MakeChoice(char const * operation, char const * kind, char const ** labels, int count,
                             modC_MethodReceiver * receiver, std::string const & arguments) const;

    std::unique_ptr<CallLog> ownLog;
    std::shared_ptr<ScriptedStage> stage;
};

#endif
