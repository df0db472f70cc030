// What the sample modes need from the front end that hosts them: a place to
// tell the user what happened, and the view in which the user picked.
#ifndef SAMPLESTAGE_H
#define SAMPLESTAGE_H

#include <string>

#include "Scene.h"

class SampleStage {
public:
    // A line telling the user what happened.
    virtual void Note(std::string const & text) = 0;
    // The view whose coordinates the pick regions are in.
    virtual Scene::View PickView() const = 0;

protected:
    ~SampleStage() = default;
};

// How a mode learns that the user used one of its plain prompt options: the
// procedure only shows them, and leaves their use to the front end.
class PlainOptionUser {
public:
    virtual void UsePlainOption(std::string const & name) = 0;

protected:
    ~PlainOptionUser() = default;
};

#endif
