// Lets a test observe a failed contract check: while an AssertCapture lives,
// a failed QEL_ASSERT throws AssertionFailure instead of aborting.
#ifndef ASSERTCAPTURE_H
#define ASSERTCAPTURE_H

#include <stdexcept>
#include <string>

#include "crt_Assert.h"

struct AssertionFailure : std::runtime_error {
    AssertionFailure(std::string expression, std::string source, int line)
        : std::runtime_error(source + ": " + expression), expression(std::move(expression)),
          source(std::move(source)), line(line)
    {
    }
    std::string expression;
    std::string source;
    int line;
};

class AssertCapture {
public:
    AssertCapture() : previous(crt_SetAssertHandler(&Throw)) {}
    ~AssertCapture() { crt_SetAssertHandler(previous); }
    AssertCapture(AssertCapture const &) = delete;
    AssertCapture & operator=(AssertCapture const &) = delete;

private:
    static void Throw(crt_AssertReport const & r) { throw AssertionFailure(r.expression, r.source, r.line); }
    crt_AssertHandler previous;
};

// Runs `statement` and expects it to fail the check `expr` reported from `src`.
#define EXPECT_ASSERTION(statement, expr, src)                                                   \
    do {                                                                                         \
        AssertCapture capture_;                                                                  \
        try {                                                                                    \
            statement;                                                                           \
            ADD_FAILURE() << "no assertion from: " #statement;                                   \
        } catch (AssertionFailure const & failure_) {                                            \
            EXPECT_EQ(std::string(expr), failure_.expression);                                   \
            EXPECT_EQ(std::string(src), failure_.source);                                        \
        }                                                                                        \
    } while (0)

#endif
