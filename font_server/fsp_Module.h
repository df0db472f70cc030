#ifndef FSP_MODULE_H
#define FSP_MODULE_H

void fsp_initialize(int & count);
void fsp_finalize(int & count);

#endif
