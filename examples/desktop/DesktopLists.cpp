#include "DesktopLists.h"

#include "SampleText.h"

namespace {

FX::FXuint const centred = FX::LAYOUT_CENTER_Y;

FX::FXString Resolved(char const * label)
{
    return FX::FXString(sample_text::Resolve(label).c_str());
}

void OkButton(FX::FXComposite * frame, FX::FXObject * target, FX::FXSelector id, char const * text = "OK")
{
    new FX::FXButton(frame, text, nullptr, target, id, FX::BUTTON_NORMAL | centred);
}

// The tools of the tool sets the desktop knows; any other set is one tool
// named after it.
std::vector<std::string> Tools(std::string const & toolset)
{
    if (toolset == "pickFilter")
        return {"Faces", "Edges", "Vertices"};
    if (toolset == "view")
        return {"Shaded", "Edges", "Labels"};
    return {toolset};
}

}  // namespace

// ---- DesktopToggle ----

void DesktopToggle::Build(FX::FXComposite * frame)
{
    for (int i = 0; i < Count(); ++i) {
        auto * check = new FX::FXCheckButton(frame, Resolved(Label(i)), Target(), ID_TOGGLE + i,
                                             FX::CHECKBUTTON_NORMAL | centred);
        check->setCheck(i < states.Length() && states.ConstGet(i) != 0);
    }
    OkButton(frame, Target(), ID_OK);
}

long DesktopToggle::OnMessage(FX::FXObject * sender, FX::FXSelector selector, void *)
{
    if (FXSELTYPE(selector) != FX::SEL_COMMAND)
        return 0;
    if (FXSELID(selector) == ID_OK) {
        SendDone();
        return 1;
    }
    int const index = static_cast<int>(FXSELID(selector)) - ID_TOGGLE;
    states.Get(index) = static_cast<FX::FXCheckButton *>(sender)->getCheck() ? 1 : 0;
    SendValueChanged();
    return 1;
}

// ---- DesktopCombo ----

void DesktopCombo::Build(FX::FXComposite * frame)
{
    auto * combo = new FX::FXComboBox(frame, 16, Target(), ID_COMBO,
                                      FX::COMBOBOX_STATIC | FX::FRAME_SUNKEN | FX::FRAME_THICK | centred);
    for (int i = 0; i < entries.Size(); ++i)
        combo->appendItem(FX::FXString(entries.ConstGet(i).AsCharPtr()));
    combo->setNumVisible(entries.Size() < 10 ? entries.Size() : 10);
    if (selection >= 1 && selection <= entries.Size())
        combo->setCurrentItem(selection - 1);
    OkButton(frame, Target(), ID_OK);
}

long DesktopCombo::OnMessage(FX::FXObject * sender, FX::FXSelector selector, void *)
{
    if (FXSELTYPE(selector) != FX::SEL_COMMAND)
        return 0;
    if (FXSELID(selector) == ID_OK) {
        SendDone();
        return 1;
    }
    // The combo box shows the entry picked; its current item may follow later.
    FX::FXString const shown = static_cast<FX::FXComboBox *>(sender)->getText();
    int item = 0;
    while (item < entries.Size() && shown != entries.ConstGet(item).AsCharPtr())
        ++item;
    if (item >= entries.Size())
        return 1;
    selection = item + 1;
    value = entries.ConstGet(item);
    SendValueChanged();
    return 1;
}

// ---- DesktopFilter ----

void DesktopFilter::Execute()
{
    if (states.Length() != filters.Size())
        states = cow_1DArray<int>(filters.Size());
    DesktopImpl::Execute();
}

void DesktopFilter::Reset(omu_PrimDictionary<cow_String> const & newFilters)
{
    filters = newFilters;
    states = cow_1DArray<int>(filters.Size());
    // Shown again from the new filters.
    bool const shown = IsShown();
    Remove();
    checks.clear();
    if (shown)
        Show();
}

void DesktopFilter::Build(FX::FXComposite * frame)
{
    new FX::FXLabel(frame, "Pick:", nullptr, centred);
    for (int i = 0; i < filters.Size(); ++i) {
        checks.push_back(new FX::FXCheckButton(frame, FX::FXString(filters.ValueAt(i).AsCharPtr()), Target(),
                                               ID_FILTER + i, FX::CHECKBUTTON_NORMAL | centred));
        checks.back()->setCheck(i < states.Length() && states.ConstGet(i) != 0);
    }
    OkButton(frame, Target(), ID_OK);
}

long DesktopFilter::OnMessage(FX::FXObject * sender, FX::FXSelector selector, void *)
{
    if (FXSELTYPE(selector) != FX::SEL_COMMAND)
        return 0;
    if (FXSELID(selector) == ID_OK) {
        SendDone();
        return 1;
    }
    int const index = static_cast<int>(FXSELID(selector)) - ID_FILTER;
    states.Get(index) = static_cast<FX::FXCheckButton *>(sender)->getCheck() ? 1 : 0;
    SendValueChanged();
    return 1;
}

// ---- DesktopToolset ----

void DesktopToolset::Build(FX::FXComposite * frame)
{
    auto * bar = new FX::FXToolBar(frame, FX::FRAME_RAISED | FX::LAYOUT_SIDE_TOP | centred);
    std::vector<std::string> const tools = Tools(toolsetName.Std());
    pressed.assign(tools.size(), false);
    for (std::size_t i = 0; i < tools.size(); ++i)
        new FX::FXToggleButton(bar, FX::FXString(tools[i].c_str()), FX::FXString(tools[i].c_str()), nullptr, nullptr,
                               Target(), ID_TOOL + static_cast<int>(i),
                               FX::TOGGLEBUTTON_TOOLBAR | FX::FRAME_RAISED | centred);
    OkButton(frame, Target(), ID_USE, "Use");
}

long DesktopToolset::OnMessage(FX::FXObject * sender, FX::FXSelector selector, void *)
{
    if (FXSELTYPE(selector) != FX::SEL_COMMAND)
        return 0;
    if (FXSELID(selector) == ID_USE) {
        SendDone();
        return 1;
    }
    std::size_t const index = FXSELID(selector) - ID_TOOL;
    if (index < pressed.size())
        pressed[index] = static_cast<FX::FXToggleButton *>(sender)->getState() != 0;
    SendValueChanged();
    return 1;
}

// ---- DesktopPrompt ----

void DesktopPrompt::Build(FX::FXComposite * frame)
{
    new FX::FXLabel(frame, Resolved(text.AsCharPtr()), nullptr, centred);
}
