// Opens files that the font server reads: only regular files, and so that no
// open or read can block. A FIFO, a device, a socket or a directory that
// happens to carry a font's name is refused, whatever replaced the file
// between listing and opening.
#ifndef UTL_REGULARFILE_H
#define UTL_REGULARFILE_H

#include <cstdio>
#include <memory>

// An open file descriptor, closed with its owner; -1 when none.
class utl_RegularFile {
public:
    // Opens `path` for reading; check with IsOpen.
    explicit utl_RegularFile(char const * path);
    ~utl_RegularFile();
    utl_RegularFile(utl_RegularFile const &) = delete;
    utl_RegularFile & operator=(utl_RegularFile const &) = delete;

    bool IsOpen() const { return fd >= 0; }
    int Descriptor() const { return fd; }
    long long Size() const { return size; }
    // Hands the descriptor over to the caller.
    int Release();

private:
    int fd = -1;
    long long size = 0;
};

struct utl_StreamCloser {
    void operator()(std::FILE * file) const { std::fclose(file); }
};
using utl_Stream = std::unique_ptr<std::FILE, utl_StreamCloser>;

// `path` as a binary input stream; null unless it is a regular file.
utl_Stream utl_OpenRegularStream(char const * path);

#endif
