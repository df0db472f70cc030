// The viewport's pointer tracker of a position or pick method. While shown
// it takes the viewport's pointer events (the one shown last, when there
// are several); the viewport fills its pointer record from the X events and
// reports through it.
#ifndef DESKTOPTRACKER_H
#define DESKTOPTRACKER_H

#include "DesktopWidget.h"
#include "modC_PositionMethodImpl.h"

class TrackerSide : public DesktopWidget {
protected:
    explicit TrackerSide(DesktopStage & stage) : DesktopWidget(stage) {}

    void Show() override;
    void Hide() override;
    void Remove() override;
};

class DesktopTracker : public DesktopImpl<modC_PositionMethodImpl, TrackerSide> {
public:
    // `forPick`: the tracker of a pick method, which draws pick regions.
    DesktopTracker(DesktopStage & stage, bool forPick) : DesktopImpl(stage), forPick(forPick) {}

    bool ForPick() const { return forPick; }
    modC_MouseInfo & Record() { return mouse; }
    // False when the report destroyed this tracker.
    bool ReportValueChanged() { return SendValueChanged(); }
    bool ReportDone() { return SendDone(); }

private:
    bool forPick;
};

#endif
