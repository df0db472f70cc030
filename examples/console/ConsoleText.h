// Reading what the user typed and writing numbers the way the console shows them.
#ifndef CONSOLETEXT_H
#define CONSOLETEXT_H

#include <string>
#include <vector>

#include "SampleText.h"

namespace console_text {

using sample_text::Number;
using sample_text::Quoted;

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
// With every digit that matters, for text a step reads back.
std::string ExactNumber(double value);

}  // namespace console_text

#endif
