#ifndef MMGC_MODULE_H
#define MMGC_MODULE_H

void mmgC_initialize(int & count);
void mmgC_finalize(int & count);

#endif
