// Maps an enumeration to user-visible texts through named string resources.
// Each instance has a table of rows {default text, resource name, key} ended by
// a row with a null default text; `N` tells apart tables of the same key type.
#ifndef UTI_LABELMAP_H
#define UTI_LABELMAP_H

#include <cstring>

#include "cow_List.h"
#include "cow_String.h"
#include "crt_Assert.h"
#include "uti_ResourceManager.h"

template <class Key, int N>
class uti_LabelMap {
public:
    struct Row {
        char const * defaultText;
        char const * resourceName;
        Key key;
    };

    // The text of the row with `key` as configured, else its default; null without such a row.
    static char const * LabelString(Key key)
    {
        Row const * row = RowOf(key);
        return row ? Resolve(*row) : nullptr;
    }
    static char const * LabelString(char const * resourceName)
    {
        Row const * row = RowNamed(resourceName);
        return row ? Resolve(*row) : nullptr;
    }
    static char const * DefaultLabelString(Key key)
    {
        Row const * row = RowOf(key);
        return row ? row->defaultText : nullptr;
    }
    static char const * ResourceName(Key key)
    {
        Row const * row = RowOf(key);
        return row ? row->resourceName : nullptr;
    }

    static Key LabelKey(char const * label)
    {
        for (Row const * row = table; row->defaultText; ++row)
            if (Same(Resolve(*row), label))
                return row->key;
        QEL_ASSERT_TEXT(false, "\"Unable to find key given label string\" == 0");
        return Key();
    }
    static Key DefaultLabelKey(char const * label)
    {
        for (Row const * row = table; row->defaultText; ++row)
            if (Same(row->defaultText, label))
                return row->key;
        QEL_ASSERT_TEXT(false, "\"Unable to find key given label string\" == 0");
        return Key();
    }
    static Key ResourceKey(char const * resourceName)
    {
        Row const * row = RowNamed(resourceName);
        QEL_ASSERT_TEXT(row != nullptr, "\"Unable to find key given resource string\" == 0");
        return row->key;
    }

    static cow_List<cow_String> LabelStrings() { return Collect([](Row const & row) { return Resolve(row); }); }
    static cow_List<cow_String> DefaultLabelStrings()
    {
        return Collect([](Row const & row) { return row.defaultText; });
    }
    static cow_List<cow_String> ResourceNames() { return Collect([](Row const & row) { return row.resourceName; }); }

private:
    static Row const table[];

    static char const * Resolve(Row const & row)
    {
        return uti_ResourceManager::Instance().GetStringResource(row.resourceName, row.defaultText);
    }
    static bool Same(char const * a, char const * b) { return a && b && std::strcmp(a, b) == 0; }
    static Row const * RowOf(Key key)
    {
        for (Row const * row = table; row->defaultText; ++row)
            if (row->key == key)
                return row;
        return nullptr;
    }
    static Row const * RowNamed(char const * resourceName)
    {
        for (Row const * row = table; row->defaultText; ++row)
            if (Same(row->resourceName, resourceName))
                return row;
        return nullptr;
    }
    template <class Text>
    static cow_List<cow_String> Collect(Text text)
    {
        cow_List<cow_String> list;
        for (Row const * row = table; row->defaultText; ++row)
            list.Append(cow_String(text(*row)));
        return list;
    }
};

// The module's own table: the polygon pick prompt.
template <>
uti_LabelMap<int, 268>::Row const uti_LabelMap<int, 268>::table[];

#endif
