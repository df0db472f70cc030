// What the fuzz targets share: a scratch folder for the files they make, and
// a check that stops the run with a message when a property fails.
#ifndef FUZZ_CHECK_H
#define FUZZ_CHECK_H

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

// Aborts, so that the fuzzer keeps the input; the message names the property.
#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)

// A folder of this process, made on first use and removed when it ends.
inline std::string const & fuzz_Folder()
{
    static struct Folder {
        std::string path;
        Folder()
        {
            char pattern[] = "/tmp/qelmodc-fuzz-XXXXXX";
            if (!mkdtemp(pattern)) {
                std::perror("mkdtemp");
                std::abort();
            }
            path = pattern;
        }
        ~Folder() { std::system(("rm -rf '" + path + "'").c_str()); }
    } const folder;
    return folder.path;
}

inline void fuzz_WriteFile(std::string const & path, char const * bytes, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes, static_cast<std::streamsize>(size));
    FUZZ_CHECK(out.good());
}

#endif
