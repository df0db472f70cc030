#ifndef MMGC_GUIBASE_MESSAGEMETHODS_H
#define MMGC_GUIBASE_MESSAGEMETHODS_H

// Message-method base of the mode manager; the mode manager derives the
// interface that carries its messages.
class mmgC_GuiBase_MessageMethods {
public:
    virtual ~mmgC_GuiBase_MessageMethods() = default;

protected:
    mmgC_GuiBase_MessageMethods() = default;
};

#endif
