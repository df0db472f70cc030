// Objects of registered types through the object streams: each object is
// preceded by its type identifier, 0 standing for a null pointer.
#ifndef OBJ_STREAM_H
#define OBJ_STREAM_H

class bio_Ifilter;
class bio_Ofilter;
class pnt_PrettyPrint;

bio_Ofilter & obj_OutputP0Obj(bio_Ofilter & out, void const * object, unsigned int type);
bio_Ofilter & obj_OutputP0Ptr(bio_Ofilter & out, void const * object, unsigned int type);

// Reads an object of `type` into `object`, which is of that type. A stream
// holding another type, a derived one too, is set bad and `object` is left as
// it was.
bio_Ifilter & obj_InputP0Obj(bio_Ifilter & in, void * object, unsigned int type);
// Reads a pointer: null for type 0, else a new object (destroy it with the
// type's destroy function) of the stored type, which must derive from `type`.
bio_Ifilter & obj_InputP0Ptr(bio_Ifilter & in, void *& object, unsigned int type);

pnt_PrettyPrint & obj_PrintP0Obj(pnt_PrettyPrint & out, void const * object, unsigned int type);
pnt_PrettyPrint & obj_PrintP0Ptr(pnt_PrettyPrint & out, void const * object, unsigned int type);

#endif
