#include "WFXCommand.h"

#include "WFXTarget.h"
#include "crt_Assert.h"

// FOX's run-time class records, which getClassName() answers from.
FXIMPLEMENT(WFXIntTarget, FX::FXObject, nullptr, 0)
FXIMPLEMENT(WFXFloatTarget, FX::FXObject, nullptr, 0)
FXIMPLEMENT(WFXStringTarget, FX::FXObject, nullptr, 0)
FXIMPLEMENT_ABSTRACT(WFXKeyword, FX::FXObject, nullptr, 0)
FXIMPLEMENT(WFXIntKeyword, WFXKeyword, nullptr, 0)
FXIMPLEMENT(WFXFloatKeyword, WFXKeyword, nullptr, 0)
FXIMPLEMENT(WFXStringKeyword, WFXKeyword, nullptr, 0)
FXIMPLEMENT(WFXBoolKeyword, WFXKeyword, nullptr, 0)
FXIMPLEMENT(WFXSymConstKeyword, WFXKeyword, nullptr, 0)
FXIMPLEMENT(WFXTupleKeyword, WFXKeyword, nullptr, 0)
FXIMPLEMENT(WFXTableKeyword, WFXTupleKeyword, nullptr, 0)
FXIMPLEMENT(WFXCommand, FX::FXObject, nullptr, 0)

WFXCommand::WFXCommand(FX::FXString const & objectName, FX::FXString const & expandedObjectName,
                       FX::FXString const & method, bool undoable, bool journaled)
    : objectName(objectName), expandedObjectName(expandedObjectName), method(method), undoable(undoable),
      journaled(journaled)
{
}

WFXKeyword * WFXCommand::getKeyword(FX::FXint index) const
{
    QEL_ASSERT(index >= 0 && index < getNumKeywords());
    return keywords[static_cast<std::size_t>(index)].get();
}
