#include "utl_DirObject.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool utl_DirObject::IsDirectory() const
{
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

std::vector<std::string> utl_DirObject::Files() const
{
    std::vector<std::string> files;
    if (!IsDirectory())
        return files;
    std::error_code error;
    fs::directory_iterator entry(path, error), end;
    for (; !error && entry != end; entry.increment(error)) {
        std::error_code kindError;
        if (entry->is_directory(kindError))
            continue;
        files.push_back(entry->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}
