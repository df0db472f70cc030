#include "modC_BasicStep.h"

#include <string>

#include "crt_Assert.h"
#include "modC_ChoiceMethod.h"
#include "modC_ComboMethod.h"
#include "modC_LiveMethods.h"
#include "modC_MethodFactory.h"
#include "modC_Procedure.h"
#include "modC_StepReceiver.h"
#include "modC_ToggleMethod.h"

namespace {

// The factory takes labels as an array of character pointers.
std::vector<char const *> CharsOf(std::vector<cow_String> const & strings)
{
    std::vector<char const *> chars;
    for (cow_String const & s : strings)
        chars.push_back(s.AsCharPtr());
    return chars;
}

void Start(std::unique_ptr<modC_Method> & method)
{
    if (method)
        method->Execute();
}

}  // namespace

modC_BasicStep::modC_BasicStep(modC_Procedure const * procedure, int seq)
    : modC_Step(seq), _procedure(procedure), _thisStep(nullptr), _factory(nullptr), _comboChoice(0),
      _choiceValue(0), _nChoiceButtons(0), _choiceFlag(false), _asButtons(true)
{
}

modC_BasicStep::~modC_BasicStep()
{
    DeleteMethods();
}

cow_String modC_BasicStep::LabelKey(char const * name, char const * part, int number, bool numbered) const
{
    cow_String key = cow_String("*promptArea.") + _procedure->ModeName() + "_" + name + part;
    if (numbered)
        key += cow_String(std::to_string(number));
    key += ".labelString";
    return key;
}

void modC_BasicStep::AddToggleMethod(char const * name, int ntoggles, bool defState)
{
    if (_toggleState)
        return;
    QEL_ASSERT(ntoggles > 0);
    _methodKinds.push_back(Toggle);
    _toggleState = std::make_unique<cow_1DArray<int>>(ntoggles);
    for (int i = 0; i < ntoggles; ++i) {
        _toggleStrings.push_back(LabelKey(name, ".toggle", i + 1, ntoggles >= 2));
        _toggleState->Get(i) = defState ? 1 : 0;
    }
    _toggleStringPtrs = CharsOf(_toggleStrings);
}

void modC_BasicStep::AddComboMethod(char const * name, int nEntries, int defChoice)
{
    if (_comboStringList)
        return;
    QEL_ASSERT(nEntries > 0 && defChoice <= nEntries);
    _methodKinds.push_back(Combo);
    _comboStringList = std::make_unique<cow_List<cow_String>>();
    for (int k = 1; k <= nEntries; ++k)
        _comboStringList->Append(LabelKey(name, ".comboLine", k, true));
    _comboChoice = defChoice < 0 ? 0 : defChoice;
}

void modC_BasicStep::AddChoiceMethod(char const * name, int nButtons, int defChoice, bool flag, bool asButtons)
{
    if (_nChoiceButtons > 0)
        return;
    QEL_ASSERT(nButtons > 0 && defChoice <= nButtons);
    _methodKinds.push_back(Choice);
    _choiceFlag = flag;
    _asButtons = asButtons;
    _nChoiceButtons = nButtons;
    _choiceValue = defChoice < 0 ? 0 : defChoice;
    for (int k = 1; k <= nButtons; ++k)
        _choiceStrings.push_back(LabelKey(name, ".btn", k, nButtons >= 2));
    _choiceStringPtrs = CharsOf(_choiceStrings);
}

void modC_BasicStep::AddPromptMethod(char const * name, int nStrings)
{
    if (_promptStringList)
        return;
    QEL_ASSERT(nStrings > 0);
    _methodKinds.push_back(Prompt);
    _promptStringList = std::make_unique<cow_List<cow_String>>();
    if (nStrings == 1) {
        _promptStringList->Append(cow_String(name));
        return;
    }
    for (int k = 1; k <= nStrings; ++k)
        _promptStringList->Append(cow_String(name) + ".prompt" + cow_String(std::to_string(k)));
}

void modC_BasicStep::SetDefToggleState(int num, bool state)
{
    if (!_toggleState || _toggleMethod || num < 0 || num >= _toggleState->Length())
        return;
    _toggleState->Get(num) = state ? 1 : 0;
}

bool modC_BasicStep::GetToggleState(int num) const
{
    return _toggleState && num >= 0 && num < _toggleState->Length() && _toggleState->ConstGet(num) != 0;
}

void modC_BasicStep::setToggleLabel(int num, char const * label)
{
    QEL_ASSERT_TEXT(_toggleState && num < _toggleState->Length() && num >= 0, "num < _toggleState->Size() && num >=0");
    std::size_t const i = static_cast<std::size_t>(num);
    _toggleStrings[i] = label;
    _toggleStringPtrs[i] = _toggleStrings[i].AsCharPtr();
}

void modC_BasicStep::SetComboString(int num, char const * text)
{
    if (!_comboStringList)
        return;
    QEL_ASSERT(num >= 0 && num < _comboStringList->Size());
    _comboStringList->Get(num) = cow_String(text);
}

void modC_BasicStep::setChoiceLabel(int num, char const * label)
{
    QEL_ASSERT(num < _nChoiceButtons && num >=0);
    std::size_t const i = static_cast<std::size_t>(num);
    _choiceStrings[i] = label;
    _choiceStringPtrs[i] = _choiceStrings[i].AsCharPtr();
}

void modC_BasicStep::SetPromptString(char const * text, int num)
{
    if (!_promptStringList)
        return;
    QEL_ASSERT(num >=0 && num < _promptStringList->Size());
    cow_String const newText(text);
    if (_promptStringList->ConstGet(num) == newText)
        return;
    _promptStringList->Get(num) = newText;
    if (_promptMethod.empty())
        return;
    QEL_ASSERT(_factory && _thisStep);
    // The whole step is hidden while one line is swapped, so the new line
    // comes back together with the others.
    _thisStep->Suspend();
    std::unique_ptr<modC_Method> & slot = _promptMethod[static_cast<std::size_t>(num)];
    Drop(slot);
    slot.reset(_factory->MakePromptMethod(_thisStep, newText));
    if (slot) {
        slot->Execute();
        slot->Suspend();
    }
    _thisStep->Resume();
}

bool modC_BasicStep::OwnsMethod(modC_Method * method) const
{
    if (!method)
        return false;
    if (method == _toggleMethod.get() || method == _comboMethod.get() || method == _choiceMethod.get())
        return true;
    for (std::unique_ptr<modC_Method> const & prompt : _promptMethod)
        if (method == prompt.get())
            return true;
    return false;
}

void modC_BasicStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    DeleteMethods();
    _factory = factory;
    receiver = stepReceiver;
    if (!_thisStep)
        _thisStep = this;
    for (ExecutionMethodKind kind : _methodKinds) {
        switch (kind) {
        case Toggle:
            QEL_ASSERT_TEXT(_factory && _toggleState && !_toggleStringPtrs.empty() && !_toggleMethod,
                            "_factory && _toggleState && _toggleStringPtrs && !_toggleMethod");
            _toggleMethod.reset(_factory->MakeToggleMethod(_toggleStringPtrs.data(),
                                                           static_cast<int>(_toggleStringPtrs.size()), _thisStep,
                                                           _toggleState.get()));
            Start(_toggleMethod);
            break;
        case Combo:
            QEL_ASSERT(_comboStringList != 0 && _factory != 0 && _comboMethod == 0);
            _comboMethod.reset(_factory->MakeComboMethod(_thisStep, *_comboStringList, _comboChoice));
            Start(_comboMethod);
            break;
        case Choice:
            QEL_ASSERT_TEXT(!_choiceStringPtrs.empty() && _factory != 0 && _choiceMethod == 0,
                            "_choiceStringPtrs != 0 && _factory != 0 &&_choiceMethod == 0");
            if (_asButtons)
                _choiceMethod.reset(_factory->MakeChoiceMethod(_choiceStringPtrs.data(), _nChoiceButtons,
                                                               _thisStep, _choiceValue, _choiceFlag));
            else
                _choiceMethod.reset(
                    _factory->MakeOptionMethod(_choiceStringPtrs.data(), _nChoiceButtons, _thisStep, _choiceValue));
            Start(_choiceMethod);
            break;
        case Prompt:
            QEL_ASSERT_TEXT(_promptStringList != 0 && _factory != 0 && _promptMethod.empty(),
                            "_promptStringList != 0 && _factory != 0 &&_promptMethod == 0");
            _promptMethod.resize(static_cast<std::size_t>(_promptStringList->Size()));
            for (int i = 0; i < _promptStringList->Size(); ++i) {
                std::unique_ptr<modC_Method> & slot = _promptMethod[static_cast<std::size_t>(i)];
                slot.reset(_factory->MakePromptMethod(_thisStep, _promptStringList->ConstGet(i)));
                Start(slot);
            }
            break;
        default:
            QEL_ASSERT(!"Unknown execution method");
        }
    }
}

void modC_BasicStep::TakeValue(modC_Method * method)
{
    if (!method)
        return;
    if (method == _toggleMethod.get()) {
        QEL_ASSERT(_toggleState);
        if (auto const * toggle = dynamic_cast<modC_ToggleMethod const *>(method))
            *_toggleState = toggle->GetToggleState();
    } else if (method == _comboMethod.get()) {
        if (auto const * combo = dynamic_cast<modC_ComboMethod const *>(method))
            _comboChoice = combo->Selection();
    } else if (method == _choiceMethod.get()) {
        // The method's -1 for "none" becomes 0.
        if (auto const * choice = dynamic_cast<modC_ChoiceMethod const *>(method))
            _choiceValue = choice->Value() + 1;
    }
}

void modC_BasicStep::Done(modC_Method * method)
{
    TakeValue(method);
    DeleteMethods();
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_BasicStep::ValueChanged(modC_Method * method)
{
    if (!method)
        return;
    TakeValue(method);
    if (receiver)
        receiver->StepValueChanged(*this);
}

void modC_BasicStep::Cancel()
{
    DeleteMethods();
}

std::unique_ptr<modC_Method> * modC_BasicStep::SingleMethod(ExecutionMethodKind kind)
{
    switch (kind) {
    case Toggle:
        return &_toggleMethod;
    case Combo:
        return &_comboMethod;
    case Choice:
        return &_choiceMethod;
    default:
        return nullptr;
    }
}

void modC_BasicStep::DeleteMethods()
{
    for (auto kind = _methodKinds.rbegin(); kind != _methodKinds.rend(); ++kind) {
        if (std::unique_ptr<modC_Method> * single = SingleMethod(*kind)) {
            Drop(*single);
        } else if (!_promptMethod.empty()) {
            QEL_ASSERT(_promptStringList);
            for (auto slot = _promptMethod.rbegin(); slot != _promptMethod.rend(); ++slot)
                Drop(*slot);
            _promptMethod.clear();
        }
    }
}

void modC_BasicStep::Suspend()
{
    for (auto kind = _methodKinds.rbegin(); kind != _methodKinds.rend(); ++kind) {
        if (std::unique_ptr<modC_Method> * single = SingleMethod(*kind)) {
            if (*single)
                (*single)->Suspend();
        } else if (!_promptMethod.empty()) {
            QEL_ASSERT(_promptStringList);
            for (auto slot = _promptMethod.rbegin(); slot != _promptMethod.rend(); ++slot)
                if (*slot)
                    (*slot)->Suspend();
        }
    }
}

void modC_BasicStep::Resume()
{
    for (ExecutionMethodKind kind : _methodKinds) {
        if (std::unique_ptr<modC_Method> * single = SingleMethod(kind)) {
            if (*single)
                (*single)->Resume();
        } else if (!_promptMethod.empty()) {
            QEL_ASSERT(_promptStringList);
            for (std::unique_ptr<modC_Method> & slot : _promptMethod)
                if (slot)
                    slot->Resume();
        }
    }
}
