#include "ConsoleStage.h"

#include <algorithm>

#include "ConsoleWidgets.h"

void ConsoleStage::Note(std::string const & text)
{
    out << "   " << text << "\n";
}

void ConsoleStage::Problem(std::string const & text)
{
    out << "   ! " << text << "\n";
}

bool ConsoleStage::TakeChanged()
{
    bool const was = changed;
    changed = false;
    return was;
}

unsigned long ConsoleStage::Arrive(ConsoleWidget * widget)
{
    live.push_back(widget);
    return ++serials;
}

void ConsoleStage::Leave(ConsoleWidget * widget)
{
    live.erase(std::remove(live.begin(), live.end(), widget), live.end());
    Touch();
}

bool ConsoleStage::Alive(unsigned long serial) const
{
    return std::any_of(live.begin(), live.end(), [&](ConsoleWidget const * w) { return w->Serial() == serial; });
}
