// Contract checks. A failed check reports the expression text, the source file
// named after its class ("modC_Procedure", not a path) and the line to the
// installed handler. The handler must not return: the default one writes one
// line to stderr and aborts; a test handler may throw to observe the report.
#ifndef CRT_ASSERT_H
#define CRT_ASSERT_H

struct crt_AssertReport {
    char const * expression;  // the checked expression, as written
    char const * source;      // class-named source file, no directory or extension
    int line;
};

using crt_AssertHandler = void (*)(crt_AssertReport const & report);

// Installs `handler` (null restores the default) and returns the previous one.
crt_AssertHandler crt_SetAssertHandler(crt_AssertHandler handler);

// Strips directory and extension from a __FILE__ path and reports.
[[noreturn]] void crt_AssertFailed(char const * expression, char const * file, int line);

#define QEL_ASSERT(expr) \
    ((expr) ? static_cast<void>(0) : crt_AssertFailed(#expr, __FILE__, __LINE__))

// For checks whose reported text is fixed by contract but cannot be written as
// the same C++ expression at the point of the check.
#define QEL_ASSERT_TEXT(cond, text) \
    ((cond) ? static_cast<void>(0) : crt_AssertFailed(text, __FILE__, __LINE__))

#endif
