// The modes the console hosts, written as a front end's concrete procedures:
//   Extrude  picks a profile, chooses the end condition with the rotating
//            option step (through all, a depth keyed in, or up to a picked
//            face), offers a draft dialog and a flip as prompt options, shows
//            an error dialog for a depth it cannot use, and asks for
//            confirmation with a yes/no step;
//   Multi    runs the library's multi step;
//   Blend    rounds edges with a composite fillet step (pick an edge, key in
//            the radius), as often as the user answers yes;
//   Group    gathers the vertices and reference points inside a rectangle,
//            a circle or a polygon, warns when the region holds none, and
//            asks with picture buttons whether to keep the group.
#ifndef SAMPLEMODES_H
#define SAMPLEMODES_H

#include <memory>
#include <string>
#include <vector>

#include "SampleStage.h"
#include "Scene.h"
#include "modC_ModeFactory.h"
#include "modC_Step.h"

class modC_PickMethod;

// Picks one entity of a kind in the viewport. A click or an area that holds
// several candidates highlights the first and opens the pick method's
// ambiguity row; Next, Previous (or shift+click, shift+right click) move the
// highlight and OK takes it. Finding nothing leaves the step waiting. The
// entity taken stays highlighted until the step runs again or the mode is
// cancelled.
class PickEntityStep : public modC_Step {
public:
    PickEntityStep(Scene & scene, SampleStage & stage, Scene::Kind kind, int seq);
    ~PickEntityStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;
    void ClearHighlights() const override;

    // The entity picked last; empty before.
    std::string const & Picked() const { return picked ? picked->name : none; }

private:
    void Resolve(std::vector<Scene::Entity const *> found, std::string const & where);
    void Highlight(std::size_t next, char const * how);
    void Accept(Scene::Entity const & entity);

    static std::string const none;
    Scene & scene;
    SampleStage & stage;
    Scene::Kind kind;
    std::unique_ptr<modC_PickMethod> method;
    // While the user chooses among several candidates.
    std::vector<Scene::Entity const *> candidates;
    std::size_t highlighted = 0;
    Scene::Entity const * picked = nullptr;
};

// Gathers every entity of the given kinds that a region holds: a click
// takes what it touches; a rectangle, circle or polygon what lies inside.
// Whatever the region holds, even nothing, ends the step; what it gathered
// stays highlighted until the step runs again or the mode is cancelled.
class GatherStep : public modC_Step {
public:
    GatherStep(Scene & scene, SampleStage & stage, std::vector<Scene::Kind> kinds, int seq);
    ~GatherStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;
    void ClearHighlights() const override;

    std::vector<Scene::Entity const *> const & Gathered() const { return gathered; }

private:
    void Take(std::vector<Scene::Entity const *> (Scene::*query)(Scene::Kind, Scene::View const &,
                                                                 g3d_Point const &, g3d_Point const &) const);
    void Finish(std::vector<Scene::Entity const *> found);

    Scene & scene;
    SampleStage & stage;
    std::vector<Scene::Kind> kinds;
    std::unique_ptr<modC_PickMethod> method;
    std::vector<Scene::Entity const *> gathered;
};

// Makes the sample modes by their names: "Extrude", "Multi", "Blend" and "Group".
class SampleModeFactory : public modC_ModeFactory {
public:
    // The modes work on `scene` and tell the user what they did on `stage`;
    // both must outlive the modes.
    SampleModeFactory(Scene & scene, SampleStage & stage) : scene(scene), stage(stage) {}

    modC_Mode * MakeProcedure(cow_String const & name) const override;

private:
    Scene & scene;
    SampleStage & stage;
};

#endif
