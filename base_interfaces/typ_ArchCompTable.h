// Registry of serialisable run-time types. A component registers a table of
// entries; the entry at index i has the type identifier (component << 16) | i.
#ifndef TYP_ARCHCOMPTABLE_H
#define TYP_ARCHCOMPTABLE_H

#include <vector>

class bio_Ifilter;
class bio_Ofilter;
class pnt_PrettyPrint;

struct typ_ArchEntry {
    using CtorFunc = void * (*)(bio_Ifilter & in, void * place);
    using ReadFunc = void (*)(bio_Ifilter & in, void * record);
    using WriteFunc = bio_Ofilter & (*)(bio_Ofilter & out, void const * record);
    using PrintFunc = pnt_PrettyPrint & (*)(pnt_PrettyPrint & out, void const * record);
    using DtorFunc = void (*)(void * record);

    unsigned int flags = 0;
    unsigned int parent = 0;     // type identifier of the parent; 1 is the root of all types
    char const * name = nullptr; // null for an empty entry
    CtorFunc construct = nullptr;
    ReadFunc read = nullptr;
    WriteFunc write = nullptr;
    PrintFunc print = nullptr;
    DtorFunc destroy = nullptr;
};

class typ_ArchCompTable {
public:
    static constexpr unsigned int rootType = 1;

    static unsigned int TypeId(unsigned int component, unsigned int index) { return (component << 16) | index; }

    // Registers (or replaces) the table of `component`.
    static void InsertEntry(unsigned int component, std::vector<typ_ArchEntry> const & table);
    static void RemoveEntry(unsigned int component);

    // The entry of a registered type with a name, or null.
    static typ_ArchEntry const * Lookup(unsigned int type);

    // True when `type` is `ancestor` or derives from it.
    static bool IsParent(unsigned int type, unsigned int ancestor);
};

#endif
