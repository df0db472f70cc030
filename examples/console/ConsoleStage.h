// What the console's widgets, its factory, its mode context and the sample
// modes share: the output, the widgets alive, and whether the screen changed
// since it was last drawn.
#ifndef CONSOLESTAGE_H
#define CONSOLESTAGE_H

#include <ostream>
#include <string>
#include <vector>

#include "SampleStage.h"

class ConsoleWidget;

class ConsoleStage : public SampleStage {
public:
    explicit ConsoleStage(std::ostream & out) : out(out) {}
    ConsoleStage(ConsoleStage const &) = delete;
    ConsoleStage & operator=(ConsoleStage const &) = delete;

    // A line telling the user what happened.
    void Note(std::string const & text) override;
    // The console's viewport is the plan of the model.
    Scene::View PickView() const override { return Scene::TopView(); }
    // A line telling the user what went wrong and what to do instead.
    void Problem(std::string const & text);

    // Something on the screen changed; the console draws it before reading
    // the next line.
    void Touch() { changed = true; }
    bool TakeChanged();

    // Widgets register while they exist, so the console can list them and a
    // widget can tell whether a report it sent destroyed it.
    unsigned long Arrive(ConsoleWidget * widget);
    void Leave(ConsoleWidget * widget);
    bool Alive(unsigned long serial) const;
    std::vector<ConsoleWidget *> const & Live() const { return live; }
    // Ever-increasing, so the widget shown last can take the keyboard.
    long NextShowOrder() { return ++showOrder; }

private:
    std::ostream & out;
    bool changed = true;
    std::vector<ConsoleWidget *> live;
    unsigned long serials = 0;
    long showOrder = 0;
};

#endif
