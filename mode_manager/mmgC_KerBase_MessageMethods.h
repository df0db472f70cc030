#ifndef MMGC_KERBASE_MESSAGEMETHODS_H
#define MMGC_KERBASE_MESSAGEMETHODS_H

// Message-method base of the mode manager; the mode manager derives the
// interface that carries its messages.
class mmgC_KerBase_MessageMethods {
public:
    virtual ~mmgC_KerBase_MessageMethods() = default;

protected:
    mmgC_KerBase_MessageMethods() = default;
};

#endif
