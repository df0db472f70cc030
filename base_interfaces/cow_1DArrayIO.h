// Integer arrays through the object streams and the pretty printer.
#ifndef COW_1DARRAYIO_H
#define COW_1DARRAYIO_H

#include "bio_Ifilter.h"
#include "bio_Ofilter.h"
#include "cow_1DArray.h"
#include "pnt_PrettyPrint.h"

// The length, then each element.
inline bio_Ofilter & operator<<(bio_Ofilter & out, cow_1DArray<int> const & array)
{
    out << array.Length();
    for (int i = 0; i < array.Length(); ++i)
        out << array.ConstGet(i);
    return out;
}

inline bio_Ifilter & operator>>(bio_Ifilter & in, cow_1DArray<int> & array)
{
    array.Clear();
    int length = 0;
    in >> length;
    if (length < 0 || static_cast<unsigned int>(length) > bio_Ifilter::maxLength)
        in.SetBad();
    for (int i = 0; i < length && in.Good(); ++i) {
        int value = 0;
        in >> value;
        if (in.Good())
            array.Get(i) = value;
    }
    if (!in.Good())
        array.Clear();
    return in;
}

// "[1 0 1]".
inline pnt_PrettyPrint & operator<<(pnt_PrettyPrint & out, cow_1DArray<int> const & array)
{
    out.prettyprint("[", 1);
    for (int i = 0; i < array.Length(); ++i) {
        if (i)
            out.prettyprint(" ", 1);
        out << array.ConstGet(i);
    }
    return out.prettyprint("]", 1);
}

#endif
