// Named string resources, one store per thread.
#ifndef UTI_RESOURCEMANAGER_H
#define UTI_RESOURCEMANAGER_H

#include <istream>
#include <string>
#include <unordered_map>


class uti_ResourceManager {
public:
    static uti_ResourceManager & Instance();

    // The configured text of `resourceName` (valid until that resource changes),
    // or `defaultText` itself.
    char const * GetStringResource(char const * resourceName, char const * defaultText) const;

    void SetStringResource(char const * resourceName, char const * text);
    void Clear();

    // Reads "name: text" lines; blank lines and lines starting with '!' or '#'
    // are skipped. Returns the number of resources read.
    int Load(std::istream & in);

private:
    uti_ResourceManager() = default;
    std::unordered_map<std::string, std::string> resources;
};

template <class T>
struct thr_ThreadSingleton;

template <>
struct thr_ThreadSingleton<uti_ResourceManager> {
    static uti_ResourceManager & Instance() { return uti_ResourceManager::Instance(); }
};

#endif
