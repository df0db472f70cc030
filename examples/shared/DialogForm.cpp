#include "DialogForm.h"

#include <climits>

#include "SampleText.h"
#include "omu_PrimBool.h"

using namespace sample_text;

namespace {

bool IsPair(omu_Primitive const & element)
{
    if (element.GetKind() != omu_Primitive::TUPLE)
        return false;
    auto const & pair = static_cast<omu_PrimTuple const &>(element);
    if (pair.Length() != 2 || pair.Index(0).GetKind() != omu_Primitive::STRING)
        return false;
    omu_Primitive::Kind const kind = pair.Index(1).GetKind();
    return kind == omu_Primitive::INT || kind == omu_Primitive::DOUBLE || kind == omu_Primitive::BOOL ||
           kind == omu_Primitive::STRING;
}

}  // namespace

namespace dialog_form {

bool IsErrorForm(char const * dialogName)
{
    return dialogName && std::string(dialogName) == "modG_ErrorForm";
}

bool IsWarningForm(char const * dialogName)
{
    return dialogName && std::string(dialogName) == "modG_WarningForm";
}

std::string WarningMessage(omu_PrimTuple const & values)
{
    if (values.Length() >= 2 && values.Index(1).GetKind() == omu_Primitive::STRING)
        return values.Index(1).AsString().Std();
    return values.AsString().Std();
}

omu_PrimTuple Answered(omu_PrimTuple const & values, bool yes)
{
    omu_PrimTuple answered;
    answered.Put(yes ? 1 : 0);
    for (int i = 1; i < values.Length(); ++i)
        answered.Put(values.Index(i));
    return answered;
}

bool IsForm(omu_PrimTuple const & values)
{
    if (values.Length() == 0)
        return false;
    for (int i = 0; i < values.Length(); ++i)
        if (!IsPair(values.Index(i)))
            return false;
    return true;
}

std::string ErrorMessage(omu_PrimTuple const & values)
{
    // The error form gets (commands, targets, values); the message is the
    // text of the string target.
    if (values.Length() == 3 && values.Index(1).GetKind() == omu_Primitive::TUPLE) {
        auto const & targets = static_cast<omu_PrimTuple const &>(values.Index(1));
        for (int i = 0; i < targets.Length(); ++i) {
            if (targets.Index(i).GetKind() != omu_Primitive::TUPLE)
                continue;
            auto const & target = static_cast<omu_PrimTuple const &>(targets.Index(i));
            if (target.Length() == 2 && target.Index(0).AsString() == "WFXStringTarget")
                return target.Index(1).AsString().Std();
        }
    }
    return values.AsString().Std();
}

std::string FieldName(omu_PrimTuple const & pair)
{
    return pair.Index(0).AsString().Std();
}

std::string FieldValue(omu_Primitive const & value)
{
    switch (value.GetKind()) {
    case omu_Primitive::BOOL:
        return static_cast<omu_PrimBool<2> const &>(value).GetValue() ? "yes" : "no";
    case omu_Primitive::DOUBLE:
        return Number(static_cast<omu_PrimDouble const &>(value).GetValue());
    case omu_Primitive::STRING:
        return Quoted(value.AsString().Std());
    default:
        return value.AsString().Std();
    }
}

bool Assign(omu_PrimTuple & values, std::string const & name, std::string const & text, std::string & problem)
{
    int field = -1;
    std::string names;
    for (int i = 0; i < values.Length(); ++i) {
        std::string const fieldName = FieldName(static_cast<omu_PrimTuple const &>(values.Index(i)));
        names += (i ? ", " : "") + fieldName;
        if (fieldName == name)
            field = i;
    }
    if (field < 0) {
        problem = "This dialog has no field " + Quoted(name) + "; its fields are " + names + ".";
        return false;
    }
    omu_Primitive const & old = static_cast<omu_PrimTuple const &>(values.Index(field)).Index(1);
    omu_PrimTuple pair;
    pair.Put(cow_String(name));
    switch (old.GetKind()) {
    case omu_Primitive::INT: {
        long long v = 0;
        if (!ParseInteger(text, v) || v < INT_MIN || v > INT_MAX) {
            problem = Quoted(text) + " is not a whole number; " + name + " takes one.";
            return false;
        }
        pair.Put(static_cast<int>(v));
        break;
    }
    case omu_Primitive::DOUBLE: {
        double v = 0.0;
        if (!ParseNumber(text, v)) {
            problem = Quoted(text) + " is not a number; " + name + " takes one.";
            return false;
        }
        pair.Put(v);
        break;
    }
    case omu_Primitive::BOOL: {
        std::string const word = Lower(text);
        bool const yes = word == "yes" || word == "true" || word == "on" || word == "1";
        bool const no = word == "no" || word == "false" || word == "off" || word == "0";
        if (!yes && !no) {
            problem = Quoted(text) + " is neither yes nor no; " + name + " takes yes or no.";
            return false;
        }
        pair.Put(omu_PrimBool<2>(yes));
        break;
    }
    default:
        pair.Put(cow_String(Unquoted(text)));
        break;
    }
    omu_PrimTuple changed;
    for (int i = 0; i < values.Length(); ++i) {
        if (i == field)
            changed.Put(pair);
        else
            changed.Put(values.Index(i));
    }
    values = changed;
    return true;
}

}  // namespace dialog_form
