// The modes the console hosts, written as a front end's concrete procedures:
//   Extrude  picks a profile, chooses the end condition with the rotating
//            option step (through all, a depth keyed in, or up to a picked
//            face), offers a draft dialog and a flip as prompt options, shows
//            an error dialog for a depth it cannot use, and asks for
//            confirmation with a yes/no step;
//   Multi    runs the library's multi step;
//   Blend    rounds edges with a composite fillet step (pick an edge, key in
//            the radius), as often as the user answers yes.
#ifndef SAMPLEMODES_H
#define SAMPLEMODES_H

#include <memory>
#include <string>
#include <vector>

#include "ConsoleStage.h"
#include "Scene.h"
#include "modC_ModeFactory.h"
#include "modC_Step.h"

class modC_PickMethod;

// Picks one entity of a kind in the viewport. A click or an area that holds
// several candidates highlights the first and opens the pick method's
// ambiguity row; Next, Previous (or shift+click, shift+right click) move the
// highlight and OK takes it. Finding nothing leaves the step waiting.
class PickEntityStep : public modC_Step {
public:
    PickEntityStep(Scene const & scene, ConsoleStage & stage, Scene::Kind kind, int seq);
    ~PickEntityStep() override;

    void Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver) override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // The entity picked last; empty before.
    std::string const & Picked() const { return picked; }

private:
    void Resolve(std::vector<Scene::Entity const *> found, std::string const & where);
    void Highlight(char const * how);
    void Accept(Scene::Entity const & entity);

    Scene const & scene;
    ConsoleStage & stage;
    Scene::Kind kind;
    std::unique_ptr<modC_PickMethod> method;
    // While the user chooses among several candidates.
    std::vector<Scene::Entity const *> candidates;
    std::size_t highlighted = 0;
    std::string picked;
};

// Makes the sample modes by their names: "Extrude", "Multi" and "Blend".
class SampleModeFactory : public modC_ModeFactory {
public:
    // The modes work on `scene` and tell the user what they did on `stage`;
    // both must outlive the modes.
    SampleModeFactory(Scene & scene, ConsoleStage & stage) : scene(scene), stage(stage) {}

    modC_Mode * MakeProcedure(cow_String const & name) const override;

private:
    Scene & scene;
    ConsoleStage & stage;
};

#endif
