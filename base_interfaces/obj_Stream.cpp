#include "obj_Stream.h"

#include "bio_Ifilter.h"
#include "bio_Ofilter.h"
#include "crt_Assert.h"
#include "pnt_PrettyPrint.h"
#include "typ_ArchCompTable.h"

namespace {

typ_ArchEntry const & Registered(unsigned int type)
{
    typ_ArchEntry const * entry = typ_ArchCompTable::Lookup(type);
    QEL_ASSERT(entry != nullptr && entry->write && entry->read && entry->print);
    return *entry;
}

}  // namespace

bio_Ofilter & obj_OutputP0Obj(bio_Ofilter & out, void const * object, unsigned int type)
{
    typ_ArchEntry const & entry = Registered(type);
    out << type;
    return entry.write(out, object);
}

bio_Ofilter & obj_OutputP0Ptr(bio_Ofilter & out, void const * object, unsigned int type)
{
    if (!object)
        return out << 0u;
    return obj_OutputP0Obj(out, object, type);
}

bio_Ifilter & obj_InputP0Obj(bio_Ifilter & in, void * object, unsigned int type)
{
    unsigned int stored = 0;
    in >> stored;
    if (!in.Good())
        return in;
    // The object is of `type` exactly: a derived type's fields would be read
    // past its end.
    typ_ArchEntry const * entry = typ_ArchCompTable::Lookup(stored);
    if (!entry || !entry->read || stored != type) {
        in.SetBad();
        return in;
    }
    entry->read(in, object);
    return in;
}

bio_Ifilter & obj_InputP0Ptr(bio_Ifilter & in, void *& object, unsigned int type)
{
    object = nullptr;
    unsigned int stored = 0;
    in >> stored;
    if (!in.Good() || stored == 0)
        return in;
    typ_ArchEntry const * entry = typ_ArchCompTable::Lookup(stored);
    if (!entry || !entry->construct || !entry->read || !typ_ArchCompTable::IsParent(stored, type)) {
        in.SetBad();
        return in;
    }
    object = entry->construct(in, nullptr);
    entry->read(in, object);
    return in;
}

pnt_PrettyPrint & obj_PrintP0Obj(pnt_PrettyPrint & out, void const * object, unsigned int type)
{
    return Registered(type).print(out, object);
}

pnt_PrettyPrint & obj_PrintP0Ptr(pnt_PrettyPrint & out, void const * object, unsigned int type)
{
    QEL_ASSERT(object != nullptr);
    return obj_PrintP0Obj(out, object, type);
}
