// A command of the command toolkit: a named operation on an object with its
// keywords. The command owns its keywords.
#ifndef WFXCOMMAND_H
#define WFXCOMMAND_H

#include <memory>
#include <vector>

#include "WFXKeyword.h"

class WFXCommand : public FX::FXObject {
    FXDECLARE(WFXCommand)
public:
    WFXCommand(FX::FXString const & objectName, FX::FXString const & expandedObjectName,
               FX::FXString const & method, bool undoable = true, bool journaled = true);

    FX::FXString const & getObjectName() const { return objectName; }
    FX::FXString const & getExpandedObjectName() const { return expandedObjectName; }
    FX::FXString const & getMethod() const { return method; }
    bool isUndoable() const { return undoable; }
    bool isJournaled() const { return journaled; }

    // Takes ownership of `keyword`.
    void addKeyword(WFXKeyword * keyword) { keywords.emplace_back(keyword); }
    FX::FXint getNumKeywords() const { return static_cast<FX::FXint>(keywords.size()); }
    WFXKeyword * getKeyword(FX::FXint index) const;

private:
    WFXCommand() = default;

    FX::FXString objectName;
    FX::FXString expandedObjectName;
    FX::FXString method;
    bool undoable = true;
    bool journaled = true;
    std::vector<std::unique_ptr<WFXKeyword>> keywords;
};

#endif
