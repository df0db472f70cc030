// What the steps that run several methods at once do with all of them.
// Private to the library's sources.
#ifndef MODC_LIVEMETHODS_H
#define MODC_LIVEMETHODS_H

#include <initializer_list>
#include <memory>

#include "modC_Method.h"

// Takes the method off the screen and deletes it; nothing when none runs.
inline void Drop(std::unique_ptr<modC_Method> & method)
{
    if (!method)
        return;
    method->Cancel();
    method.reset();
}

// Hides or shows again each method that runs, in the order given.
inline void SuspendEach(std::initializer_list<modC_Method *> methods)
{
    for (modC_Method * method : methods)
        if (method)
            method->Suspend();
}

inline void ResumeEach(std::initializer_list<modC_Method *> methods)
{
    for (modC_Method * method : methods)
        if (method)
            method->Resume();
}

#endif
