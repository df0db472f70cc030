// The clear-text header of a Type 1 font file, read directly (without the
// font engine). Internal to the font server.
#ifndef FSP_TYPE1HEADER_H
#define FSP_TYPE1HEADER_H

#include <string>

namespace fsp_server {

// The values of the header's keys, as written (without parentheses).
struct Type1Header {
    std::string family;
    bool hasWeight = false;
    std::string weight;
    bool proportional = false;
    bool hasFullName = false;
    std::string fullName;
};

// Reads the header up to its first line beginning with "end"; false when no
// "/FamilyName " line comes before it.
bool ReadType1Header(std::string const & path, Type1Header & header);

}  // namespace fsp_server

#endif
