// Reading and changing the tuples the sample modes' dialogs carry, the same
// for every front end. Two shapes are known: the error form (and the warning
// form of the Group mode), whose message travels in the tuple, and forms whose
// elements are (name, value) pairs of ints, numbers, booleans or texts.
#ifndef DIALOGFORM_H
#define DIALOGFORM_H

#include <string>

#include "omu_PrimTuple.h"

namespace dialog_form {

// The procedure's error dialog: (commands, targets, values), the message in a
// string target.
bool IsErrorForm(char const * dialogName);
// A question to confirm: (answer, message), the answer 1 for yes and 0 for no.
bool IsWarningForm(char const * dialogName);
// The question of a warning form.
std::string WarningMessage(omu_PrimTuple const & values);
// A warning form's tuple with the user's answer in it.
omu_PrimTuple Answered(omu_PrimTuple const & values, bool yes);
// Every element a (name, value) pair.
bool IsForm(omu_PrimTuple const & values);
// The message of an error form; the tuple as text for anything else.
std::string ErrorMessage(omu_PrimTuple const & values);
std::string FieldName(omu_PrimTuple const & pair);
// A field's value as a person reads it: yes/no, a number, a quoted text.
std::string FieldValue(omu_Primitive const & value);
// Sets field `name` from `text`; false with an explanation in `problem`.
bool Assign(omu_PrimTuple & values, std::string const & name, std::string const & text, std::string & problem);

}  // namespace dialog_form

#endif
