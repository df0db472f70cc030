// Value targets of the command toolkit: FOX objects holding one value that a
// dialog reads and writes. getClassName() names the kind.
#ifndef WFXTARGET_H
#define WFXTARGET_H

#include <fx.h>

class WFXIntTarget : public FX::FXObject {
    FXDECLARE(WFXIntTarget)
public:
    explicit WFXIntTarget(FX::FXint value = 0) : value(value) {}
    FX::FXint getValue() const { return value; }
    void setValue(FX::FXint v) { value = v; }

private:
    FX::FXint value;
};

class WFXFloatTarget : public FX::FXObject {
    FXDECLARE(WFXFloatTarget)
public:
    explicit WFXFloatTarget(FX::FXdouble value = 0.0) : value(value) {}
    FX::FXdouble getValue() const { return value; }
    void setValue(FX::FXdouble v) { value = v; }

private:
    FX::FXdouble value;
};

class WFXStringTarget : public FX::FXObject {
    FXDECLARE(WFXStringTarget)
public:
    explicit WFXStringTarget(FX::FXString const & value = FX::FXString()) : value(value) {}
    FX::FXString const & getValue() const { return value; }
    void setValue(FX::FXString const & v) { value = v; }

private:
    FX::FXString value;
};

#endif
