// Numbers and texts as the sample modes write them in their notes.
#ifndef SAMPLETEXT_H
#define SAMPLETEXT_H

#include <string>

namespace sample_text {

// Short, as a person reads it: 25, 0.5, 1e+06.
std::string Number(double value);
// "\"text\"".
std::string Quoted(std::string const & text);

}  // namespace sample_text

#endif
