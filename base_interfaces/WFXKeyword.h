// Keywords of a command of the command toolkit: a named, typed argument.
// getTypeName() is one of "Int", "Float", "String", "Bool", "SymConst",
// "Tuple", "Table".
#ifndef WFXKEYWORD_H
#define WFXKEYWORD_H

#include <fx.h>

class WFXKeyword : public FX::FXObject {
    FXDECLARE_ABSTRACT(WFXKeyword)
public:
    virtual char const * getTypeName() const = 0;
    FX::FXString const & getName() const { return name; }
    bool isRequired() const { return required; }
    bool isHidden() const { return hidden; }

protected:
    WFXKeyword() = default;
    WFXKeyword(FX::FXString const & name, bool required, bool hidden)
        : name(name), required(required), hidden(hidden)
    {
    }

private:
    FX::FXString name;
    bool required = false;
    bool hidden = false;
};

class WFXIntKeyword : public WFXKeyword {
    FXDECLARE(WFXIntKeyword)
public:
    WFXIntKeyword(FX::FXString const & name, FX::FXint value, bool required = false, bool hidden = false)
        : WFXKeyword(name, required, hidden), value(value)
    {
    }
    char const * getTypeName() const override { return "Int"; }
    FX::FXint getValue() const { return value; }
    void setValue(FX::FXint v) { value = v; }

private:
    WFXIntKeyword() = default;
    FX::FXint value = 0;
};

class WFXFloatKeyword : public WFXKeyword {
    FXDECLARE(WFXFloatKeyword)
public:
    WFXFloatKeyword(FX::FXString const & name, FX::FXdouble value, bool required = false, bool hidden = false)
        : WFXKeyword(name, required, hidden), value(value)
    {
    }
    char const * getTypeName() const override { return "Float"; }
    FX::FXdouble getValue() const { return value; }
    void setValue(FX::FXdouble v) { value = v; }

private:
    WFXFloatKeyword() = default;
    FX::FXdouble value = 0.0;
};

class WFXStringKeyword : public WFXKeyword {
    FXDECLARE(WFXStringKeyword)
public:
    WFXStringKeyword(FX::FXString const & name, FX::FXString const & value, bool required = false,
                     bool hidden = false)
        : WFXKeyword(name, required, hidden), value(value)
    {
    }
    char const * getTypeName() const override { return "String"; }
    FX::FXString const & getValue() const { return value; }
    void setValue(FX::FXString const & v) { value = v; }

private:
    WFXStringKeyword() = default;
    FX::FXString value;
};

class WFXBoolKeyword : public WFXKeyword {
    FXDECLARE(WFXBoolKeyword)
public:
    WFXBoolKeyword(FX::FXString const & name, bool value, bool required = false, bool hidden = false)
        : WFXKeyword(name, required, hidden), value(value)
    {
    }
    char const * getTypeName() const override { return "Bool"; }
    bool getValue() const { return value; }
    void setValue(bool v) { value = v; }

private:
    WFXBoolKeyword() = default;
    bool value = false;
};

// One of a set of symbolic constants.
class WFXSymConstKeyword : public WFXKeyword {
    FXDECLARE(WFXSymConstKeyword)
public:
    WFXSymConstKeyword(FX::FXString const & name, FX::FXString const & value, FX::FXString const & defaultValue,
                       bool required = false, bool hidden = false)
        : WFXKeyword(name, required, hidden), value(value), defaultValue(defaultValue)
    {
    }
    char const * getTypeName() const override { return "SymConst"; }
    FX::FXString const & getValue() const { return value; }
    FX::FXString const & getDefaultValue() const { return defaultValue; }
    void setValue(FX::FXString const & v) { value = v; }

private:
    WFXSymConstKeyword() = default;
    FX::FXString value;
    FX::FXString defaultValue;
};

// A sequence of values kept as text.
class WFXTupleKeyword : public WFXKeyword {
    FXDECLARE(WFXTupleKeyword)
public:
    WFXTupleKeyword(FX::FXString const & name, FX::FXString const & values, FX::FXString const & defaultValues,
                    FX::FXuint defaultType, FX::FXuint defaultStyle, FX::FXint minCount, FX::FXint maxCount,
                    bool required = false, bool hidden = false)
        : WFXKeyword(name, required, hidden), values(values), defaultValues(defaultValues),
          defaultType(defaultType), defaultStyle(defaultStyle), minCount(minCount), maxCount(maxCount)
    {
    }
    char const * getTypeName() const override { return "Tuple"; }
    FX::FXString const & getValues() const { return values; }
    FX::FXString const & getDefaultValues() const { return defaultValues; }
    FX::FXuint getDefaultType() const { return defaultType; }
    FX::FXuint getDefaultStyle() const { return defaultStyle; }
    FX::FXint getMinCount() const { return minCount; }
    FX::FXint getMaxCount() const { return maxCount; }
    void setValues(FX::FXString const & v) { values = v; }

protected:
    WFXTupleKeyword() = default;

private:
    FX::FXString values;
    FX::FXString defaultValues;
    FX::FXuint defaultType = 0;
    FX::FXuint defaultStyle = 0;
    FX::FXint minCount = 0;
    FX::FXint maxCount = 0;
};

// A table of tuples kept as text.
class WFXTableKeyword : public WFXTupleKeyword {
    FXDECLARE(WFXTableKeyword)
public:
    WFXTableKeyword(FX::FXString const & name, FX::FXString const & values, FX::FXString const & defaultValues,
                    FX::FXuint defaultType, FX::FXuint defaultStyle, FX::FXint minCount, FX::FXint maxCount,
                    FX::FXint numRows, bool required = false, bool hidden = false)
        : WFXTupleKeyword(name, values, defaultValues, defaultType, defaultStyle, minCount, maxCount, required,
                          hidden),
          numRows(numRows)
    {
    }
    char const * getTypeName() const override { return "Table"; }
    FX::FXint getNumRows() const { return numRows; }

private:
    WFXTableKeyword() = default;
    FX::FXint numRows = 0;
};

#endif
