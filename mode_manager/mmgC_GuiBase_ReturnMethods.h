#ifndef MMGC_GUIBASE_RETURNMETHODS_H
#define MMGC_GUIBASE_RETURNMETHODS_H

// Message-method base of the mode manager; the mode manager derives the
// interface that carries its messages.
class mmgC_GuiBase_ReturnMethods {
public:
    virtual ~mmgC_GuiBase_ReturnMethods() = default;

protected:
    mmgC_GuiBase_ReturnMethods() = default;
};

#endif
