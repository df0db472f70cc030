// Read-only access to the Windows registry values the font server looks at:
// the installed TrueType fonts and the Acrobat Reader location. On this
// platform the default source answers the fonts key from fontconfig; a test
// or a host may install any other source.
#ifndef WIN_REGISTRY_H
#define WIN_REGISTRY_H

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

enum class win_Hive { localMachine, classesRoot };

// Value types as the registry numbers them.
enum : unsigned { win_REG_NONE = 0, win_REG_SZ = 1, win_REG_EXPAND_SZ = 2, win_REG_BINARY = 3, win_REG_DWORD = 4 };

struct win_RegistryValue {
    std::string name;
    unsigned type = win_REG_NONE;
    std::vector<unsigned char> data;

    // The data as text: up to its first 0 byte, or all of it when it has none.
    std::string Text() const;
};

class win_RegistryKey {
public:
    // Readers use buffers of this many bytes for a value's name (with its
    // terminating 0) and for its data.
    static constexpr std::size_t nameLimit = 1024;
    static constexpr std::size_t dataLimit = 1024;

    enum class Result { value, unreadable, end };

    virtual ~win_RegistryKey() = default;
    // Value `index` in enumeration order. A value whose name or data exceeds
    // the limits is `unreadable`: the caller skips it and goes on.
    virtual Result EnumValue(unsigned index, win_RegistryValue & value) const = 0;
};

class win_Registry {
public:
    virtual ~win_Registry() = default;
    // Null when the key does not exist. Key paths compare without regard to case.
    virtual std::unique_ptr<win_RegistryKey> OpenKey(win_Hive hive, char const * path) const = 0;
};

// The key of the installed fonts under HKEY_LOCAL_MACHINE.
extern char const * const win_fontsKey;

// The values of a key held in a list, shared by every opening of it.
class win_ListKey : public win_RegistryKey {
public:
    explicit win_ListKey(std::shared_ptr<std::vector<win_RegistryValue> const> values) : values(std::move(values)) {}
    Result EnumValue(unsigned index, win_RegistryValue & value) const override;

private:
    std::shared_ptr<std::vector<win_RegistryValue> const> values;
};

// A registry held in memory, filled by its owner.
class win_MemoryRegistry : public win_Registry {
public:
    // Appends a value to the key (creating the key), in enumeration order.
    void SetValue(win_Hive hive, std::string const & key, win_RegistryValue value);
    // A string value, stored with its terminating 0 as the registry does.
    void SetString(win_Hive hive, std::string const & key, std::string const & name, std::string const & text);
    std::unique_ptr<win_RegistryKey> OpenKey(win_Hive hive, char const * path) const override;

private:
    struct Key {
        win_Hive hive;
        std::string path;
        std::shared_ptr<std::vector<win_RegistryValue>> values;
    };
    Key const * Find(win_Hive hive, char const * path) const;
    std::vector<Key> keys;
};

// The fonts installed on this machine as fontconfig knows them, offered as the
// values "Family Style (TrueType)" (".ttf" and ".ttc" files) and "Family Style
// (Type 1)" (".pfa" and ".pfb" files) -> absolute path of the fonts key (the
// style left out for the regular face), followed by fontconfig's
// metric-compatible substitutes under the classic names Arial, Helvetica,
// Times New Roman, Times, Courier New and Courier where those are not
// installed themselves. Read once, on the first opening of the key.
class win_FontconfigRegistry : public win_Registry {
public:
    std::unique_ptr<win_RegistryKey> OpenKey(win_Hive hive, char const * path) const override;

private:
    mutable std::shared_ptr<std::vector<win_RegistryValue>> fonts;
};

// The registry the process reads: the installed one, else the fontconfig one.
win_Registry const & win_GetRegistry();
// Installs `registry` (null restores the default) and returns the one it replaces.
std::unique_ptr<win_Registry> win_SetRegistry(std::unique_ptr<win_Registry> registry);

#endif
