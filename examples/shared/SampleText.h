// Reading what the user typed and writing numbers the way the front ends
// and the sample modes show them.
#ifndef SAMPLETEXT_H
#define SAMPLETEXT_H

#include <string>
#include <vector>

namespace sample_text {

// `text` without blanks, tabs and line ends at both ends.
std::string Trim(std::string const & text);
std::string Lower(std::string text);
// The blank-separated words of `text`.
std::vector<std::string> Words(std::string const & text);
// True when all of `text` is one integer within long long.
bool ParseInteger(std::string const & text, long long & value);
// True when all of `text` is one finite number.
bool ParseNumber(std::string const & text, double & value);
// Numbers separated by commas and/or blanks, optionally in parentheses:
// "1, 2", "1 2", "(1,2,3)". False when anything else is there; an empty
// field between two commas is not a number.
bool ParseNumbers(std::string const & text, std::vector<double> & values);
// Short, as a person reads it: 25, 0.5, 1e+06.
std::string Number(double value);
// With every digit that matters, for text a step reads back.
std::string ExactNumber(double value);
// The numbers with every digit, separated by ", ": the text a field of
// numbers opens on.
std::string ExactNumbers(std::vector<double> const & numbers);
// "\"text\"".
std::string Quoted(std::string const & text);
// `text` without the quotes around it, when it has them.
std::string Unquoted(std::string const & text);
// The text to show for `label`: a "*promptArea. ... .labelString" key is
// looked up in the resources (the key itself when missing); anything else
// is literal; null is the empty text.
std::string Resolve(char const * label);

}  // namespace sample_text

#endif
