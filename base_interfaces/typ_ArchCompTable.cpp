#include "typ_ArchCompTable.h"

#include <unordered_map>

namespace {

std::unordered_map<unsigned int, std::vector<typ_ArchEntry>> & Components()
{
    static std::unordered_map<unsigned int, std::vector<typ_ArchEntry>> components;
    return components;
}

// A parent chain longer than this is a cycle in a corrupt table.
constexpr int maxDepth = 256;

}  // namespace

void typ_ArchCompTable::InsertEntry(unsigned int component, std::vector<typ_ArchEntry> const & table)
{
    Components()[component] = table;
}

void typ_ArchCompTable::RemoveEntry(unsigned int component)
{
    Components().erase(component);
}

typ_ArchEntry const * typ_ArchCompTable::Lookup(unsigned int type)
{
    auto found = Components().find(type >> 16);
    if (found == Components().end())
        return nullptr;
    unsigned int const index = type & 0xFFFFu;
    if (index >= found->second.size() || found->second[index].name == nullptr)
        return nullptr;
    return &found->second[index];
}

bool typ_ArchCompTable::IsParent(unsigned int type, unsigned int ancestor)
{
    for (int depth = 0; depth < maxDepth; ++depth) {
        if (type == ancestor)
            return true;
        typ_ArchEntry const * entry = Lookup(type);
        if (!entry)
            return false;
        type = entry->parent;
    }
    return false;
}
