// Start and end of the library. The front end calls modC_initialize once before
// using anything else and modC_finalize when done; calls are counted.
#ifndef MODC_MODULE_H
#define MODC_MODULE_H

#include <vector>

#include "typ_ArchCompTable.h"

void modC_initialize(int & count);
void modC_finalize(int & count);

// Component number of this library's registered types.
constexpr unsigned int modC_Component = 268;

// The table of this library's registered types (the state records).
std::vector<typ_ArchEntry> const & modC_ArchEntry();

#endif
