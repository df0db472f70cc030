#include "DesktopTracker.h"

void TrackerSide::Show()
{
    SetState(State::Shown);
    stage.Changed();
}

void TrackerSide::Hide()
{
    SetState(State::Hidden);
    stage.Changed();
}

void TrackerSide::Remove()
{
    SetState(State::Removed);
    stage.Changed();
}
