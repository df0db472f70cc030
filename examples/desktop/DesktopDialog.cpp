#include "DesktopDialog.h"

#include "DialogForm.h"
#include "SampleText.h"
#include "omu_PrimBool.h"
#include "omu_PrimString.h"

using namespace sample_text;

namespace {

omu_PrimTuple const & AsTuple(omu_Primitive const & p)
{
    return static_cast<omu_PrimTuple const &>(p);
}

bool IsTuple(omu_Primitive const & p)
{
    return p.GetKind() == omu_Primitive::TUPLE;
}

std::string Text(omu_Primitive const & p)
{
    return p.AsString().Std();
}

int IntOf(omu_Primitive const & p)
{
    return p.GetKind() == omu_Primitive::INT ? static_cast<omu_PrimInt const &>(p).GetValue() : 0;
}

// `tuple` with element `path` replaced by `value`.
omu_PrimTuple Replaced(omu_PrimTuple const & tuple, std::vector<int> const & path, std::size_t depth,
                       omu_Primitive const & value)
{
    omu_PrimTuple out;
    for (int i = 0; i < tuple.Length(); ++i) {
        if (i != path[depth])
            out.Put(tuple.Index(i));
        else if (depth + 1 == path.size())
            out.Put(value);
        else
            out.Put(Replaced(AsTuple(tuple.Index(i)), path, depth + 1, value));
    }
    return out;
}

omu_Primitive const & At(omu_PrimTuple const & tuple, std::vector<int> const & path)
{
    omu_Primitive const * p = &tuple;
    for (int index : path)
        p = &AsTuple(*p).Index(index);
    return *p;
}

}  // namespace

// ---- DialogSide ----

DialogSide::~DialogSide()
{
    Close();
    stage.Later().Delete(box);
}

void DialogSide::Show()
{
    if (!box) {
        box = new FX::FXDialogBox(stage.Owner(), "QELmodC", FX::DECOR_TITLE | FX::DECOR_BORDER | FX::DECOR_CLOSE);
        box->setTarget(Target());
        box->setSelector(0);
        Build(box);
        box->create();
    }
    SetState(State::Shown);
    box->show(FX::PLACEMENT_OWNER);
    // The modal loop runs from the event loop, not inside the step that
    // executed this method.
    if (Modal())
        stage.App().addChore(Target(), ID_RUN);
}

void DialogSide::Hide()
{
    Close();
    SetState(State::Hidden);
}

void DialogSide::Remove()
{
    Close();
    stage.Later().Delete(box);
    box = nullptr;
    SetState(State::Removed);
}

void DialogSide::Close()
{
    stage.App().removeChore(Target(), ID_RUN);
    if (running && box)
        stage.App().stopModal(box);
    if (box)
        box->hide();
}

long DialogSide::OnMessage(FX::FXObject * sender, FX::FXSelector selector, void *)
{
    FX::FXuint const type = FXSELTYPE(selector);
    FX::FXuint const id = FXSELID(selector);
//! [modal]
    if (type == FX::SEL_CHORE && id == ID_RUN) {
        if (!box || !IsShown())
            return 1;
        running = true;
        std::weak_ptr<bool> const life = Life();
        stage.App().runModalFor(box);
        if (life.expired())
            return 1;
        running = false;
        // Esc: the box cancelled itself and left its loop.
        if (IsShown() && box && !box->shown())
            Answer(false);
        return 1;
    }
//! [modal]
    // The window manager's close button, and Esc.
    if (type == FX::SEL_CLOSE || (type == FX::SEL_COMMAND && id == ID_CANCEL)) {
        Answer(false);
        return 1;
    }
    if (type == FX::SEL_COMMAND && id == ID_OK) {
        Answer(true);
        return 1;
    }
    if (id >= ID_FIELD)
        return OnField(sender, selector);
    return 0;
}

// ---- DesktopDialog ----

bool DesktopDialog::IsCommandTuple() const
{
    return values.Length() == 3 && IsTuple(values.Index(0)) && IsTuple(values.Index(1)) &&
           (AsTuple(values.Index(0)).Length() > 0 || AsTuple(values.Index(1)).Length() > 0);
}

bool DesktopDialog::Modal() const
{
    if (!dialog_form::IsErrorForm(dialogName.AsCharPtr()))
        return true;
    // The error form carries its modal flag in an int target.
    if (values.Length() != 3 || !IsTuple(values.Index(1)))
        return true;
    auto const & targets = AsTuple(values.Index(1));
    for (int i = 0; i < targets.Length(); ++i)
        if (IsTuple(targets.Index(i)) && Text(AsTuple(targets.Index(i)).Index(0)) == "WFXIntTarget")
            return IntOf(AsTuple(targets.Index(i)).Index(1)) != 0;
    return true;
}

void DesktopDialog::Build(FX::FXDialogBox * dialog)
{
    char const * name = dialogName.AsCharPtr();
    bool const error = dialog_form::IsErrorForm(name);
    bool const warning = dialog_form::IsWarningForm(name);
    dialog->setTitle(error ? "Error" : warning ? "Warning" : name);
    sent = values;
    auto * body = new FX::FXVerticalFrame(dialog, FX::LAYOUT_FILL_X | FX::LAYOUT_FILL_Y);
    if (error || warning) {
        std::string const message = error ? dialog_form::ErrorMessage(values) : dialog_form::WarningMessage(values);
        new FX::FXLabel(body, FX::FXString(message.c_str()), nullptr, FX::JUSTIFY_LEFT | FX::LAYOUT_FILL_X);
    } else {
        AddFields();
        auto * matrix = new FX::FXMatrix(body, 2, FX::MATRIX_BY_COLUMNS | FX::LAYOUT_FILL_X);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            Field & field = fields[i];
            FX::FXSelector const id = ID_FIELD + static_cast<FX::FXSelector>(i);
            new FX::FXLabel(matrix, FX::FXString(field.label.c_str()), nullptr, FX::JUSTIFY_LEFT);
            omu_Primitive const & value = At(sent, field.path);
            if (field.kind == Field::Kind::Bool) {
                field.check = new FX::FXCheckButton(matrix, "", Target(), id);
                field.check->setCheck(static_cast<omu_PrimBool<2> const &>(value).GetValue());
            } else {
                field.text = new FX::FXTextField(matrix, 16, Target(), id,
                                                 FX::TEXTFIELD_ENTER_ONLY | FX::FRAME_SUNKEN | FX::FRAME_THICK);
                field.text->setText(FX::FXString((field.kind == Field::Kind::Text ? Text(value)
                                                  : field.kind == Field::Kind::Number
                                                      ? ExactNumber(static_cast<omu_PrimDouble const &>(value).GetValue())
                                                      : Text(value))
                                                     .c_str()));
            }
        }
        if (fields.empty())
            new FX::FXLabel(body, FX::FXString(Text(values).c_str()), nullptr, FX::JUSTIFY_LEFT);
    }
    auto * buttons = new FX::FXHorizontalFrame(body, FX::LAYOUT_FILL_X | FX::PACK_UNIFORM_WIDTH);
    if (!error)
        new FX::FXButton(buttons, "Cancel", nullptr, Target(), ID_CANCEL, FX::BUTTON_NORMAL | FX::LAYOUT_RIGHT);
    auto * ok = new FX::FXButton(buttons, "OK", nullptr, Target(), ID_OK,
                                 FX::BUTTON_NORMAL | FX::BUTTON_DEFAULT | FX::BUTTON_INITIAL | FX::LAYOUT_RIGHT);
    ok->setFocus();
}

void DesktopDialog::AddField(std::string label, omu_Primitive const & value, std::vector<int> path)
{
    Field::Kind kind;
    switch (value.GetKind()) {
    case omu_Primitive::INT:
        kind = Field::Kind::Int;
        break;
    case omu_Primitive::DOUBLE:
        kind = Field::Kind::Number;
        break;
    case omu_Primitive::BOOL:
        kind = Field::Kind::Bool;
        break;
    case omu_Primitive::STRING:
        kind = Field::Kind::Text;
        break;
    default:
        return;  // shown nowhere, sent back as it came
    }
    fields.push_back(Field{std::move(label), kind, std::move(path)});
}

void DesktopDialog::AddFields()
{
    if (dialog_form::IsForm(values)) {
        for (int i = 0; i < values.Length(); ++i)
            AddField(dialog_form::FieldName(AsTuple(values.Index(i))), AsTuple(values.Index(i)).Index(1), {i, 1});
        return;
    }
    if (!IsCommandTuple())
        return;
    // A command: (name, expanded name, method, two flags, keywords), each
    // keyword (type, name, two flags, value, ...).
    auto const & commands = AsTuple(values.Index(0));
    for (int c = 0; c < commands.Length(); ++c) {
        auto const & keywords = AsTuple(AsTuple(commands.Index(c)).Index(5));
        for (int k = 0; k < keywords.Length(); ++k) {
            auto const & keyword = AsTuple(keywords.Index(k));
            AddField(Text(AsTuple(commands.Index(c)).Index(0)) + " " + Text(keyword.Index(1)), keyword.Index(4),
                     {0, c, 5, k, 4});
        }
    }
    auto const & targets = AsTuple(values.Index(1));
    for (int t = 0; t < targets.Length(); ++t)
        AddField(Text(AsTuple(targets.Index(t)).Index(0)) + " " + std::to_string(t + 1),
                 AsTuple(targets.Index(t)).Index(1), {1, t, 1});
}

bool DesktopDialog::Collect(omu_PrimTuple & collected, std::string & problem) const
{
    collected = sent;
    for (Field const & field : fields) {
        std::string const typed = field.text ? Trim(field.text->getText().text()) : "";
        switch (field.kind) {
        case Field::Kind::Bool:
            collected = Replaced(collected, field.path, 0, omu_PrimBool<2>(field.check->getCheck() != 0));
            break;
        case Field::Kind::Int: {
            long long v = 0;
            if (!ParseInteger(typed, v) || v < INT32_MIN || v > INT32_MAX) {
                problem = Quoted(typed) + " is not a whole number; " + field.label + " takes one.";
                return false;
            }
            collected = Replaced(collected, field.path, 0, omu_PrimInt(static_cast<int>(v)));
            break;
        }
        case Field::Kind::Number: {
            double v = 0;
            if (!ParseNumber(typed, v)) {
                problem = Quoted(typed) + " is not a number; " + field.label + " takes one.";
                return false;
            }
            collected = Replaced(collected, field.path, 0, omu_PrimDouble(v));
            break;
        }
        case Field::Kind::Text:
            collected = Replaced(collected, field.path, 0, omu_PrimString(cow_String(Unquoted(typed).c_str())));
            break;
        }
    }
    return true;
}

omu_PrimTuple DesktopDialog::Returned(omu_PrimTuple const & filled) const
{
    if (!IsCommandTuple())
        return filled;
    // Each command back as (three names, two flags, keywords), each keyword
    // as (type, name, value) with the value of the type's kind.
    omu_PrimTuple commands;
    auto const & sent = AsTuple(filled.Index(0));
    for (int c = 0; c < sent.Length(); ++c) {
        auto const & command = AsTuple(sent.Index(c));
        omu_PrimTuple back;
        back.Put(command.Index(0));
        back.Put(command.Index(1));
        back.Put(command.Index(2));
        back.Put(IntOf(command.Index(3)) != 0);
        back.Put(IntOf(command.Index(4)) != 0);
        omu_PrimTuple keywords;
        auto const & sentKeywords = AsTuple(command.Index(5));
        for (int k = 0; k < sentKeywords.Length(); ++k) {
            auto const & keyword = AsTuple(sentKeywords.Index(k));
            omu_PrimTuple kw;
            kw.Put(keyword.Index(0));
            kw.Put(keyword.Index(1));
            if (Text(keyword.Index(0)) == "Bool")
                kw.Put(IntOf(keyword.Index(4)) != 0);
            else
                kw.Put(keyword.Index(4));
            keywords.Put(kw);
        }
        back.Put(keywords);
        commands.Put(back);
    }
    omu_PrimTuple returned;
    returned.Put(commands);
    returned.Put(filled.Index(1));
    returned.Put(filled.Index(2));
    return returned;
}

long DesktopDialog::OnField(FX::FXObject *, FX::FXSelector selector)
{
    if (FXSELTYPE(selector) != FX::SEL_COMMAND)
        return 0;
    omu_PrimTuple collected;
    std::string problem;
    if (!Collect(collected, problem)) {
        stage.Problem(problem);
        return 1;
    }
    stage.Note("");
    sent = collected;
    values = Returned(collected);
    SendValueChanged();
    return 1;
}

void DesktopDialog::Answer(bool ok)
{
    char const * name = dialogName.AsCharPtr();
    if (dialog_form::IsErrorForm(name)) {
        // The error form has one answer: acknowledged.
        Close();
        SendDone();
        return;
    }
    if (dialog_form::IsWarningForm(name)) {
        Close();
        values = dialog_form::Answered(values, ok);
        SendDone();
        return;
    }
    if (!ok) {
        Close();
        stage.Note("");
        stage.BackOut();
        return;
    }
    omu_PrimTuple collected;
    std::string problem;
    if (!Collect(collected, problem)) {
        stage.Problem(problem);
        return;
    }
    Close();
    stage.Note("");
    sent = collected;
    values = Returned(collected);
    SendDone();
}
