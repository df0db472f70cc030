// Texts keyed by an enumeration primitive, kept as (key, text) pairs in the
// order they were put: several texts may share one key.
#ifndef OMU_PRIMDICTIONARY_H
#define OMU_PRIMDICTIONARY_H

#include <memory>
#include <utility>
#include <vector>

#include "omu_Primitive.h"

template <class V>
class omu_PrimDictionary : public omu_Primitive {
public:
    void Put(omu_Primitive const & key, V const & value)
    {
        entries.emplace_back(std::shared_ptr<omu_Primitive const>(key.Copy()), value);
    }

    int Size() const { return static_cast<int>(entries.size()); }
    omu_Primitive const & KeyAt(int index) const { return *entries.at(static_cast<std::size_t>(index)).first; }
    V const & ValueAt(int index) const { return entries.at(static_cast<std::size_t>(index)).second; }

    Kind GetKind() const override { return DICTIONARY; }
    omu_Primitive * Copy() const override { return new omu_PrimDictionary(*this); }
    bool Equals(omu_Primitive const & other) const override
    {
        if (other.GetKind() != DICTIONARY)
            return false;
        auto const & o = static_cast<omu_PrimDictionary const &>(other);
        if (o.entries.size() != entries.size())
            return false;
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (!entries[i].first->Equals(*o.entries[i].first) || !(entries[i].second == o.entries[i].second))
                return false;
        return true;
    }
    cow_String AsString() const override
    {
        cow_String text("{");
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (i)
                text += ", ";
            text += entries[i].first->AsString();
            text += ": ";
            text += entries[i].second;
        }
        text += "}";
        return text;
    }
    void WritePayload(bio_Ofilter & out) const override;
    bool ReadPayload(bio_Ifilter & in);

private:
    std::vector<std::pair<std::shared_ptr<omu_Primitive const>, V>> entries;
};

template <> void omu_PrimDictionary<cow_String>::WritePayload(bio_Ofilter &) const;
template <> bool omu_PrimDictionary<cow_String>::ReadPayload(bio_Ifilter &);

#endif
