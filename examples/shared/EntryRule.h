// What an entry field takes: whole numbers, numbers, texts, points or lists
// of numbers, within limits. Both front ends check what the user typed with
// it, so a step only ever reads text it can use.
#ifndef ENTRYRULE_H
#define ENTRYRULE_H

#include <string>

struct EntryRule {
    enum class Kind { Integer, Number, Text, Point2, Point3, List };

    Kind kind;
    int expectedCount;  // of a list; 0 for any, unused by other kinds
    int minimumInt;
    int maximumInt;
    double minimumFloat;
    double maximumFloat;

    // What the field takes, as a person reads it: "whole number from 0 to 99999".
    std::string What() const;
    // " from A to B", or empty when the field is unlimited.
    std::string Limits() const;
    // The text to report for `line`, or an explanation in `problem`.
    bool Check(std::string const & line, std::string & accepted, std::string & problem) const;
};

#endif
