#include "fsp_Type1Header.h"

#include <algorithm>
#include <cstdio>

#include "fsp_TextHelpers.h"
#include "utl_RegularFile.h"

using namespace fsp_text;

namespace fsp_server {

namespace {

// Type 1 header lines are read in pieces of at most this many characters, and
// no more than kHeaderLimit bytes of a file are read for its header.
constexpr std::size_t kLineLimit = 1023;
constexpr long kHeaderLimit = 1L << 20;

// The clear-text lines of a font file. A line ends at a line feed, a carriage
// return or both; longer lines come in pieces of kLineLimit characters.
class HeaderLines {
public:
    explicit HeaderLines(std::string const & path) : file(utl_OpenRegularStream(path.c_str())) {}
    bool IsOpen() const { return file != nullptr; }

    bool Next(std::string & line)
    {
        line.clear();
        bool any = false;
        while (line.size() < kLineLimit && consumed < kHeaderLimit) {
            int const c = std::getc(file.get());
            if (c == EOF)
                return any;
            ++consumed;
            any = true;
            if (c == '\n')
                return true;
            if (c == '\r') {
                int const next = std::getc(file.get());
                if (next == '\n')
                    ++consumed;
                else if (next != EOF)
                    std::ungetc(next, file.get());
                return true;
            }
            line.push_back(static_cast<char>(c));
        }
        return any;
    }

private:
    utl_Stream file;
    long consumed = 0;
};

// The value after a key: skips an opening "(" and ends before ")".
std::string KeyValue(std::string const & line, std::size_t keyLength)
{
    std::size_t start = std::min(keyLength, line.size());
    if (start < line.size() && line[start] == '(')
        ++start;
    std::size_t const end = line.find(')', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

bool ReadType1Header(std::string const & path, Type1Header & header)
{
    HeaderLines lines(path);
    if (!lines.IsOpen())
        return false;
    bool found = false;
    std::string line;
    while (lines.Next(line)) {
        if (StartsWith(line, "end"))
            break;
        if (StartsWith(line, "/FullName ")) {
            if (!header.hasFullName) {
                header.hasFullName = true;
                header.fullName = KeyValue(line, 10);
            }
        } else if (!found && StartsWith(line, "/FamilyName ")) {
            found = true;
            header.family = KeyValue(line, 12);
        } else if (found && StartsWith(line, "/Weight ")) {
            if (!header.hasWeight) {
                header.hasWeight = true;
                header.weight = KeyValue(line, 8);
            }
        } else if (found && StartsWith(line, "/isFixedPitch ")) {
            if (!StartsWith(line.substr(14), "true"))
                header.proportional = true;
        }
    }
    return found;
}

}  // namespace fsp_server
