#ifndef MMGC_KERBASE_RETURNMETHODS_H
#define MMGC_KERBASE_RETURNMETHODS_H

// Message-method base of the mode manager; the mode manager derives the
// interface that carries its messages.
class mmgC_KerBase_ReturnMethods {
public:
    virtual ~mmgC_KerBase_ReturnMethods() = default;

protected:
    mmgC_KerBase_ReturnMethods() = default;
};

#endif
