// One directory of the file system: whether it is one, and its files.
#ifndef UTL_DIROBJECT_H
#define UTL_DIROBJECT_H

#include <string>
#include <vector>

class utl_DirObject {
public:
    explicit utl_DirObject(std::string path) : path(std::move(path)) {}

    bool IsDirectory() const;
    // Paths of the entries that are not directories, sorted by name so that
    // every scan visits them in the same order; empty when unreadable.
    std::vector<std::string> Files() const;

private:
    std::string path;
};

#endif
