#include "EntryRule.h"

#include <cfloat>
#include <climits>
#include <vector>

#include "SampleText.h"

using namespace sample_text;

std::string EntryRule::What() const
{
    switch (kind) {
    case Kind::Integer:
        return "whole number" + Limits();
    case Kind::Number:
        return "number" + Limits();
    case Kind::Text:
        return "text";
    case Kind::Point2:
        return "point x, y" + Limits();
    case Kind::Point3:
        return "point x, y, z" + Limits();
    case Kind::List:
        return (expectedCount > 0 ? "list of " + std::to_string(expectedCount) + " numbers" : "list of numbers") +
               Limits();
    }
    return "";
}

std::string EntryRule::Limits() const
{
    if (kind == Kind::Integer) {
        if (minimumInt == INT_MIN && maximumInt == INT_MAX)
            return "";
        return " from " + std::to_string(minimumInt) + " to " + std::to_string(maximumInt);
    }
    if (kind == Kind::Text || (minimumFloat <= -DBL_MAX && maximumFloat >= DBL_MAX))
        return "";
    return " from " + Number(minimumFloat) + " to " + Number(maximumFloat);
}

bool EntryRule::Check(std::string const & line, std::string & accepted, std::string & problem) const
{
    std::string const typed = Quoted(line);
    switch (kind) {
    case Kind::Integer: {
        std::string const want = "type a whole number" + Limits() + ".";
        long long v = 0;
        if (!ParseInteger(line, v)) {
            problem = typed + " is not a whole number; " + want;
        } else if (v < minimumInt || v > maximumInt) {
            problem = line + " is too " + (v < minimumInt ? "small" : "large") + "; " + want;
        } else {
            accepted = std::to_string(v);
            return true;
        }
        return false;
    }
    case Kind::Number: {
        std::string const want = "type a number" + Limits() + ".";
        double v = 0.0;
        if (!ParseNumber(line, v)) {
            problem = typed + " is not a number; " + want;
        } else if (v < minimumFloat || v > maximumFloat) {
            problem = line + " is too " + (v < minimumFloat ? "small" : "large") + "; " + want;
        } else {
            accepted = ExactNumber(v);
            return true;
        }
        return false;
    }
    case Kind::Text:
        accepted = Unquoted(line);
        return true;
    case Kind::Point2:
    case Kind::Point3:
    case Kind::List: {
        std::vector<double> values;
        bool const read = ParseNumbers(line, values);
        std::size_t const count = values.size();
        if (kind == Kind::List) {
            std::string const want =
                "type " + (expectedCount > 0 ? std::to_string(expectedCount) : std::string("some")) +
                " numbers" + Limits() + ", separated by commas or blanks.";
            if (!read || (expectedCount > 0 && count != static_cast<std::size_t>(expectedCount))) {
                problem = typed + " is not " +
                          (expectedCount > 0 ? "a list of " + std::to_string(expectedCount) + " numbers"
                                             : std::string("a list of numbers")) +
                          "; " + want;
                return false;
            }
        } else {
            bool const twoD = kind == Kind::Point2;
            if (!read || count < 2 || count > (twoD ? 2u : 3u)) {
                problem = typed + " is not a point; type " + (twoD ? "x, y" : "x, y or x, y, z") + Limits() +
                          ", separated by commas or blanks.";
                return false;
            }
        }
        for (double v : values) {
            if (v < minimumFloat || v > maximumFloat) {
                problem = Number(v) + " is out of range; every number must lie" + Limits() + ".";
                return false;
            }
        }
        for (std::size_t i = 0; i < count; ++i)
            accepted += (i ? ", " : "") + ExactNumber(values[i]);
        return true;
    }
    }
    return false;
}
