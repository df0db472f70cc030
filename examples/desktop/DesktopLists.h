// The remaining widgets of the prompt area: check buttons, a combo box, a
// check list of pick filters, a tool bar of toggle buttons and a line of
// prompt text. Changing one reports a value change; their OK button (the
// tool bar's Use) completes.
#ifndef DESKTOPLISTS_H
#define DESKTOPLISTS_H

#include <vector>

#include "DesktopWidget.h"
#include "modC_ComboMethodImpl.h"
#include "modC_FilterMethodImpl.h"
#include "modC_PromptMethodImpl.h"
#include "modC_ToggleMethodImpl.h"
#include "modC_ToolsetMethodImpl.h"

class DesktopToggle : public DesktopImpl<modC_ToggleMethodImpl> {
public:
    DesktopToggle(DesktopStage & stage, char const ** labels, cow_1DArray<int> const & states, int count)
        : DesktopImpl(stage, labels, states, count)
    {
    }

private:
    enum { ID_OK = 1, ID_TOGGLE = 100 };
    void Build(FX::FXComposite * frame) override;
    long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data) override;
};

class DesktopCombo : public DesktopImpl<modC_ComboMethodImpl> {
public:
    DesktopCombo(DesktopStage & stage, cow_List<cow_String> const & entries, int defaultEntry)
        : DesktopImpl(stage, entries, defaultEntry)
    {
    }

private:
    enum { ID_OK = 1, ID_COMBO };
    void Build(FX::FXComposite * frame) override;
    long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data) override;
};

class DesktopFilter : public DesktopImpl<modC_FilterMethodImpl> {
public:
    DesktopFilter(DesktopStage & stage, omu_PrimDictionary<cow_String> const & filters) : DesktopImpl(stage, filters)
    {
    }

    void Execute() override;
    // Shows `filters` instead, every one off.
    void Reset(omu_PrimDictionary<cow_String> const & filters) override;

private:
    enum { ID_OK = 1, ID_FILTER = 100 };
    void Build(FX::FXComposite * frame) override;
    long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data) override;

    std::vector<FX::FXCheckButton *> checks;
};

class DesktopToolset : public DesktopImpl<modC_ToolsetMethodImpl> {
public:
    DesktopToolset(DesktopStage & stage, cow_String const & toolsetName) : DesktopImpl(stage, toolsetName) {}

    // The tools pressed in, by position in the tool bar.
    std::vector<bool> const & Pressed() const { return pressed; }

private:
    enum { ID_USE = 1, ID_TOOL = 100 };
    void Build(FX::FXComposite * frame) override;
    long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data) override;

    std::vector<bool> pressed;
};

class DesktopPrompt : public DesktopImpl<modC_PromptMethodImpl> {
public:
    DesktopPrompt(DesktopStage & stage, cow_String const & text) : DesktopImpl(stage, text) {}

private:
    void Build(FX::FXComposite * frame) override;
};

#endif
