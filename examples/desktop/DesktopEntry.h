// An entry field for whole numbers, numbers, texts, points and lists: a
// label saying what it takes and within which limits, and a text field.
// Enter checks the text against the entry's rule; text it cannot use gets a
// message in the status line and the field stays, its text selected to be
// typed over. Accepted text is reported as a value change and completes.
#ifndef DESKTOPENTRY_H
#define DESKTOPENTRY_H

#include "DesktopWidget.h"
#include "EntryRule.h"
#include "modC_StringMethodImpl.h"

class DesktopEntry : public DesktopImpl<modC_StringMethodImpl> {
public:
    // `expectedCount` is the count of a list, 0 for any; unused by other kinds.
    template <class... Args>
    DesktopEntry(DesktopStage & stage, EntryRule::Kind kind, int expectedCount, Args &&... args)
        : DesktopImpl(stage, std::forward<Args>(args)...), kind(kind), expectedCount(expectedCount)
    {
    }

    void Execute() override;
    // Takes over what the field shows when it can be used.
    void CommitData() override;

private:
    enum { ID_FIELD = 1 };

    void Build(FX::FXComposite * frame) override;
    void Shown() override;
    long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data) override;
    EntryRule Rule() const;
    // Checks `typed`; on success `value` holds the accepted text.
    bool Take(std::string const & typed, bool tellProblems);

    EntryRule::Kind kind;
    int expectedCount;
    FX::FXTextField * field = nullptr;
};

#endif
