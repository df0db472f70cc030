// Small string helpers of the font server: case, words, fields, and numbers
// and variables of the environment. Internal to the font server.
#ifndef FSP_TEXTHELPERS_H
#define FSP_TEXTHELPERS_H

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace fsp_text {

std::string Lower(std::string text);
// Every "-" as a blank.
std::string Blanked(std::string text);
bool StartsWith(std::string const & text, char const * prefix);
bool StartsWithNoCase(std::string const & text, std::string const & prefix);
bool Contains(std::string const & text, std::string const & word);
bool ContainsAny(std::string const & text, std::initializer_list<char const *> words);
void RemoveFirst(std::string & text, char const * word);
// Removes the first `word` together with one blank in front of it; true when found.
bool TakeWord(std::string & text, char const * word);
// The first character and every character after a blank in upper case.
std::string TitleCase(std::string text);
std::vector<std::string> Split(std::string const & text, char separator);
std::optional<std::string> Env(char const * name);
// A finite number at the start of `text`.
std::optional<float> Number(std::string const & text);

}  // namespace fsp_text

#endif
