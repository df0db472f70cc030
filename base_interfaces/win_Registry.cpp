#include "win_Registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

char const * const win_fontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

std::string win_RegistryValue::Text() const
{
    auto const end = std::find(data.begin(), data.end(), '\0');
    return std::string(data.begin(), end);
}

win_RegistryKey::Result win_ListKey::EnumValue(unsigned index, win_RegistryValue & value) const
{
    if (index >= values->size())
        return Result::end;
    win_RegistryValue const & stored = (*values)[index];
    if (stored.name.size() + 1 > nameLimit || stored.data.size() > dataLimit)
        return Result::unreadable;
    value = stored;
    return Result::value;
}

namespace {

bool SameKey(std::string const & a, char const * b)
{
    std::size_t const length = std::strlen(b);
    if (a.size() != length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

win_MemoryRegistry::Key const * win_MemoryRegistry::Find(win_Hive hive, char const * path) const
{
    for (Key const & key : keys) {
        if (key.hive == hive && SameKey(key.path, path))
            return &key;
    }
    return nullptr;
}

void win_MemoryRegistry::SetValue(win_Hive hive, std::string const & key, win_RegistryValue value)
{
    Key const * found = Find(hive, key.c_str());
    if (!found) {
        keys.push_back({hive, key, std::make_shared<std::vector<win_RegistryValue>>()});
        found = &keys.back();
    }
    found->values->push_back(std::move(value));
}

void win_MemoryRegistry::SetString(win_Hive hive, std::string const & key, std::string const & name,
                                   std::string const & text)
{
    win_RegistryValue value;
    value.name = name;
    value.type = win_REG_SZ;
    value.data.assign(text.begin(), text.end());
    value.data.push_back('\0');
    SetValue(hive, key, std::move(value));
}

std::unique_ptr<win_RegistryKey> win_MemoryRegistry::OpenKey(win_Hive hive, char const * path) const
{
    Key const * key = path ? Find(hive, path) : nullptr;
    if (!key)
        return nullptr;
    return std::make_unique<win_ListKey>(key->values);
}

namespace {

std::unique_ptr<win_Registry> & Installed()
{
    static std::unique_ptr<win_Registry> installed;
    return installed;
}

}  // namespace

win_Registry const & win_GetRegistry()
{
    if (Installed())
        return *Installed();
    static win_FontconfigRegistry const fontconfig;
    return fontconfig;
}

std::unique_ptr<win_Registry> win_SetRegistry(std::unique_ptr<win_Registry> registry)
{
    std::swap(registry, Installed());
    return registry;
}
