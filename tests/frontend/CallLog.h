// One ordered transcript of everything the front end was told and every step
// event, as text lines a test compares.
#ifndef CALLLOG_H
#define CALLLOG_H

#include <string>
#include <vector>

struct CallLog {
    std::vector<std::string> lines;

    void Add(std::string line) { lines.push_back(std::move(line)); }
    // The lines so far, leaving the log empty for the next part of a session.
    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(lines);
        return taken;
    }
};

// Quotes `text` for a transcript line; null shows as null.
std::string Quote(char const * text);

#endif
