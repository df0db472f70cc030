#include "utl_RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

utl_RegularFile::utl_RegularFile(char const * path)
{
    if (!path)
        return;
    // Non-blocking, so that opening a FIFO without a writer returns at once;
    // no terminal becomes the controlling one.
    int const opened = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (opened < 0)
        return;
    struct stat status;
    if (::fstat(opened, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(opened);
        return;
    }
    int const flags = ::fcntl(opened, F_GETFL);
    if (flags < 0 || ::fcntl(opened, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(opened);
        return;
    }
    fd = opened;
    size = static_cast<long long>(status.st_size);
}

utl_RegularFile::~utl_RegularFile()
{
    if (fd >= 0)
        ::close(fd);
}

int utl_RegularFile::Release()
{
    int const released = fd;
    fd = -1;
    return released;
}

utl_Stream utl_OpenRegularStream(char const * path)
{
    utl_RegularFile file(path);
    if (!file.IsOpen())
        return nullptr;
    int const fd = file.Release();
    std::FILE * stream = ::fdopen(fd, "rb");
    if (!stream)
        ::close(fd);
    return utl_Stream(stream);
}
