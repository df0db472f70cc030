#include "crt_Assert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void DefaultHandler(crt_AssertReport const & report)
{
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n",
                 report.expression, report.source, report.line);
    std::fflush(stderr);
    std::abort();
}

crt_AssertHandler currentHandler = DefaultHandler;

}  // namespace

crt_AssertHandler crt_SetAssertHandler(crt_AssertHandler handler)
{
    crt_AssertHandler previous = currentHandler;
    currentHandler = handler ? handler : DefaultHandler;
    return previous;
}

void crt_AssertFailed(char const * expression, char const * file, int line)
{
    char const * base = std::strrchr(file, '/');
    base = base ? base + 1 : file;
    std::string source(base);
    std::string::size_type dot = source.find('.');
    if (dot != std::string::npos)
        source.erase(dot);

    currentHandler(crt_AssertReport{expression, source.c_str(), line});
    // A handler that returns would let the broken contract run on.
    DefaultHandler(crt_AssertReport{expression, source.c_str(), line});
    std::abort();
}
