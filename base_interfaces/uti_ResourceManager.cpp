#include "uti_ResourceManager.h"

uti_ResourceManager & uti_ResourceManager::Instance()
{
    thread_local uti_ResourceManager instance;
    return instance;
}

char const * uti_ResourceManager::GetStringResource(char const * resourceName, char const * defaultText) const
{
    if (resourceName) {
        auto found = resources.find(resourceName);
        if (found != resources.end())
            return found->second.c_str();
    }
    return defaultText;
}

void uti_ResourceManager::SetStringResource(char const * resourceName, char const * text)
{
    if (resourceName)
        resources[resourceName] = text ? text : "";
}

void uti_ResourceManager::Clear()
{
    resources.clear();
}

int uti_ResourceManager::Load(std::istream & in)
{
    int count = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string::size_type start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '!' || line[start] == '#')
            continue;
        std::string::size_type colon = line.find(':', start);
        if (colon == std::string::npos)
            continue;
        std::string name = line.substr(start, colon - start);
        name.erase(name.find_last_not_of(" \t") + 1);
        std::string::size_type textStart = line.find_first_not_of(" \t", colon + 1);
        resources[name] = textStart == std::string::npos ? std::string() : line.substr(textStart);
        ++count;
    }
    return count;
}
