// What the state records share: their place in the type registry, the object
// stream operators, and the printed form
//   ESC-t ESC-{ "(" name { " " ESC-o item } ")" ESC-} ESC-u.
#ifndef MODC_STATERECORD_H
#define MODC_STATERECORD_H

#include <new>
#include <type_traits>

#include "bio_Ifilter.h"
#include "bio_Ofilter.h"
#include "obj_Stream.h"
#include "pnt_PrettyPrint.h"
#include "typ_ArchCompTable.h"

constexpr unsigned int modC_RecordTypeId(unsigned int index)
{
    return (268u << 16) | index;
}

// The registry's construct and destroy functions of record `R`.
template <class R>
void * modC_ConstructRecord(bio_Ifilter & in, void * place)
{
    return place ? static_cast<void *>(new (place) R(in)) : static_cast<void *>(new R(in));
}

template <class R>
void modC_DestroyRecord(void * record)
{
    delete static_cast<R *>(record);
}

inline void modC_PrintOpen(pnt_PrettyPrint & out, char const * name)
{
    out.Control('t').Control('{').prettyprint("(", 1);
    out.prettyprint(name, static_cast<int>(std::char_traits<char>::length(name)));
}

// Starts the next item.
inline pnt_PrettyPrint & modC_PrintItem(pnt_PrettyPrint & out)
{
    return out.prettyprint(" ", 1).Control('o');
}

inline void modC_PrintClose(pnt_PrettyPrint & out)
{
    out.prettyprint(")", 1).Control('}').Control('u');
}

// Object stream operators of every record, which declares `StateRecordTag`.
template <class R, class = typename R::StateRecordTag>
bio_Ofilter & operator<<(bio_Ofilter & out, R const & record)
{
    return obj_OutputP0Obj(out, &record, record.DynTypeId());
}

template <class R, class = typename R::StateRecordTag>
bio_Ofilter & operator<<(bio_Ofilter & out, R const * record)
{
    return obj_OutputP0Ptr(out, record, record ? record->DynTypeId() : 0u);
}

template <class R, class = typename R::StateRecordTag>
bio_Ifilter & operator>>(bio_Ifilter & in, R & record)
{
    return obj_InputP0Obj(in, &record, R::TypeId());
}

// A new record (or null) of type R or one derived from it; the caller owns it.
template <class R, class = typename R::StateRecordTag>
bio_Ifilter & operator>>(bio_Ifilter & in, R *& record)
{
    void * read = nullptr;
    obj_InputP0Ptr(in, read, R::TypeId());
    record = static_cast<R *>(read);
    return in;
}

template <class R, class = typename R::StateRecordTag>
pnt_PrettyPrint & operator<<(pnt_PrettyPrint & out, R const & record)
{
    return obj_PrintP0Obj(out, &record, record.DynTypeId());
}

template <class R, class = typename R::StateRecordTag>
pnt_PrettyPrint & operator<<(pnt_PrettyPrint & out, R const * record)
{
    return obj_PrintP0Ptr(out, record, record->DynTypeId());
}

#endif
