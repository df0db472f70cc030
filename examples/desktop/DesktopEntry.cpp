#include "DesktopEntry.h"

#include "SampleText.h"

using sample_text::Trim;

void DesktopEntry::Execute()
{
    // The field opens on its starting text, so the step reads it back
    // unchanged until the user enters something else.
    if (!field)
        value = text;
    DesktopImpl::Execute();
}

EntryRule DesktopEntry::Rule() const
{
    return EntryRule{kind, expectedCount, minimumInt, maximumInt, minimumFloat, maximumFloat};
}

void DesktopEntry::Build(FX::FXComposite * frame)
{
    std::string const what = Rule().What();
    new FX::FXLabel(frame, FX::FXString((std::string(1, static_cast<char>(std::toupper(what[0]))) + what.substr(1) +
                                         ":").c_str()),
                    nullptr, FX::LAYOUT_CENTER_Y);
    int const shownColumns = columns > 0 && columns < 40 ? columns : 20;
    field = new FX::FXTextField(frame, shownColumns, Target(), ID_FIELD,
                                FX::TEXTFIELD_ENTER_ONLY | FX::FRAME_SUNKEN | FX::FRAME_THICK | FX::LAYOUT_CENTER_Y);
    field->setText(FX::FXString(value.AsCharPtr()));
}

void DesktopEntry::Shown()
{
    // Typing goes to the entry shown last.
    field->setFocus();
    field->selectAll();
    field->setCursorPos(field->getText().length());
}

bool DesktopEntry::Take(std::string const & typed, bool tellProblems)
{
    std::string const line = Trim(typed);
    std::string accepted;
    std::string problem;
    if (line.empty()) {
        problem = std::string("Nothing typed; type the ") + (kind == EntryRule::Kind::Text ? "text" : "value") +
                  " (\"\" for an empty text).";
    } else if (Rule().Check(line, accepted, problem)) {
        value = omu_PrimString(cow_String(accepted.c_str()));
        return true;
    }
    if (tellProblems) {
        stage.Problem(problem);
        field->selectAll();
    }
    return false;
}

void DesktopEntry::CommitData()
{
    if (field && Take(field->getText().text(), false))
        SendValueChanged();
}

//! [commit]
long DesktopEntry::OnMessage(FX::FXObject *, FX::FXSelector selector, void *)
{
    if (FXSELID(selector) != ID_FIELD || FXSELTYPE(selector) != FX::SEL_COMMAND)
        return 0;
    if (!Take(field->getText().text(), true))
        return 1;
    field->setText(FX::FXString(value.AsCharPtr()));
    stage.Note("");
    SendChoice();
    return 1;
}
//! [commit]
