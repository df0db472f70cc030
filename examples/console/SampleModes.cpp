#include "SampleModes.h"

#include "ConsoleStrategy.h"
#include "ConsoleText.h"
#include "crt_Assert.h"
#include "modC_CompositeStep.h"
#include "modC_DefaultButton.h"
#include "modC_FloatStep.h"
#include "modC_MethodFactory.h"
#include "modC_MultiStep.h"
#include "modC_PickMethod.h"
#include "modC_PickProcedure.h"
#include "modC_RotatingOptionStep.h"
#include "modC_StepReceiver.h"
#include "modC_YesNoStep.h"
#include "omu_PrimBool.h"
#include "utl_tr.h"

using console_text::Number;

// ---- PickEntityStep ----

PickEntityStep::PickEntityStep(Scene const & scene, ConsoleStage & stage, Scene::Kind kind, int seq)
    : modC_Step(seq), scene(scene), stage(stage), kind(kind)
{
}

PickEntityStep::~PickEntityStep()
{
    Cancel();
}

void PickEntityStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    receiver = stepReceiver;
    method.reset(dynamic_cast<modC_PickMethod *>(factory->MakePickMethod(this)));
    QEL_ASSERT(method != nullptr);
    method->Execute();
}

void PickEntityStep::Cancel()
{
    candidates.clear();
    if (method) {
        method->Cancel();
        method.reset();
    }
}

void PickEntityStep::Suspend()
{
    if (method)
        method->Suspend();
}

void PickEntityStep::Resume()
{
    if (method)
        method->Resume();
}

void PickEntityStep::ValueChanged(modC_Method * reporter)
{
    if (!method || reporter != method.get())
        return;
    if (!candidates.empty()) {
        switch (method->GetSelectAction()) {
        case modC_PickMethod::NEXT:
            highlighted = (highlighted + 1) % candidates.size();
            Highlight("is highlighted");
            return;
        case modC_PickMethod::PREVIOUS:
            highlighted = (highlighted + candidates.size() - 1) % candidates.size();
            Highlight("is highlighted");
            return;
        case modC_PickMethod::ACCEPT:
            Accept(*candidates[highlighted]);
            return;
        default:
            // A plain click ended the choice; its completion picks afresh.
            candidates.clear();
            return;
        }
    }
    // The polygon row's Done delivers the finished polygon as a value change.
    if (method->GetPickShape() == modC_PickMethod::POLYGON)
        Resolve(scene.Inside(kind, method->Points()), "inside the polygon");
}

void PickEntityStep::Done(modC_Method * reporter)
{
    if (!method || reporter != method.get() || !candidates.empty())
        return;
    auto const & box = method->BoxCorners();
    switch (method->GetPickShape()) {
    case modC_PickMethod::RECTANGLE:
        Resolve(scene.Inside(kind, box[0], box[1]), "inside the rectangle");
        break;
    case modC_PickMethod::CIRCLE:
        Resolve(scene.Inside(kind, method->Points()), "inside the circle");
        break;
    case modC_PickMethod::POLYGON:
        break;  // the polygon is complete only when its row says so
    default: {
        g3d_Point const & at = method->Cursor();
        Resolve(scene.Touching(kind, box[0], box[1]), "at (" + Number(at.x) + ", " + Number(at.y) + ")");
        break;
    }
    }
}

void PickEntityStep::Resolve(std::vector<Scene::Entity const *> found, std::string const & where)
{
    if (found.empty()) {
        stage.Note(std::string("Nothing to pick: no ") + KindName(kind) + " " + where + ".");
        return;
    }
    if (found.size() == 1) {
        Accept(*found.front());
        return;
    }
    candidates = std::move(found);
    highlighted = 0;
    stage.Note(std::to_string(candidates.size()) + " " + KindName(kind) + "s " + where + ".");
    Highlight("is highlighted; choose Next, Previous or OK");
    method->Disambiguate();
}

void PickEntityStep::Highlight(char const * how)
{
    stage.Note(candidates[highlighted]->name + " " + how + ".");
}

void PickEntityStep::Accept(Scene::Entity const & entity)
{
    picked = entity.name;
    stage.Note("Picked " + picked + ".");
    // The pick method reporting now is deleted here; it has nothing left to do.
    Cancel();
    if (receiver)
        receiver->StepTerminated(*this);
}

namespace {

// ---- Extrude ----

enum EndOption { throughAll = 1, specificDepth = 2, upToFace = 3 };
int const draftOption = 1;
int const flipOption = 2;
int const maxDepth = 500;  // mm: deeper than the part is tall makes no sense; the message says it too

omu_PrimTuple Field(char const * name, omu_Primitive const & value)
{
    omu_PrimTuple pair;
    pair.Put(cow_String(name));
    pair.Put(value);
    return pair;
}

class ExtrudeMode : public modC_PickProcedure, public PlainOptionUser {
public:
    ExtrudeMode(Scene & scene, ConsoleStage & stage) : modC_PickProcedure(false), scene(scene), stage(stage)
    {
        modeName = "Extrude";
        draftData.Put(Field("angle", omu_PrimDouble(0.0)));
        draftData.Put(Field("outward", omu_PrimBool<2>(true)));
    }

    // Steps are made when first executed: from then on the step stack owns them.
    void Start() override
    {
        profile = new PickEntityStep(scene, stage, Scene::Kind::Profile, 1);
        ExecuteStep("profile", profile, false);
    }

    void StepTerminatedHook(modC_Step const & step) override
    {
        if (&step == profile)
            ChooseEndCondition();
        else if (&step == end)
            CheckEndCondition();
        else if (&step == confirm)
            Answered();
    }

    void UsePlainOption(std::string const & name) override
    {
        if (name != "flip")
            return;
        flipped = !flipped;
        stage.Note(utl_tr(flipped ? "The extrusion now goes the other way."
                                  : "The extrusion goes the usual way again."));
    }

private:
    void ChooseEndCondition()
    {
        // Set before the step executes, the options belong to it: backing up
        // to it shows them again.
        setPromptOption(draftOption, "draft", "*promptArea.Extrude_draftOption.labelString",
                        "*promptArea.Extrude_draft.labelString", draftData, 0);
        setPromptOption(flipOption, "flip", "*promptArea.Extrude_flipOption.labelString");
        if (!end) {
            modC_MethodTypeEnm types[] = {modC_CHOICE_METHOD, modC_INTEGER_METHOD, modC_PICK_METHOD};
            end = new modC_RotatingOptionStep(this, "end", 3, types, 2, specificDepth);
        }
        ExecuteStep("end", end, false);
    }

    void CheckEndCondition()
    {
        switch (end->GetDefChoice()) {
        case specificDepth:
            if (end->GetDepth() < 1 || end->GetDepth() > maxDepth) {
                ShowError(utl_tr("The depth must lie between 1 and 500 mm."));
                return;
            }
            break;
        case upToFace: {
            g3d_Point const at(static_cast<float>(end->GetPickX()), static_cast<float>(end->GetPickY()));
            std::vector<Scene::Entity const *> const faces =
                scene.Touching(Scene::Kind::Face, g3d_Point(at.x - 1, at.y - 1), g3d_Point(at.x + 1, at.y + 1));
            if (faces.empty()) {
                ShowError(std::string(utl_tr("There is no face at the point picked:")) + " (" + Number(at.x) +
                          ", " + Number(at.y) + ").");
                return;
            }
            face = faces.front()->name;
            break;
        }
        default:
            break;
        }
        UnsetPromptOption(draftOption);
        UnsetPromptOption(flipOption);
        stage.Note("Ready to extrude " + Description() + ".");
        if (!confirm)
            confirm = new modC_YesNoStep(this, "confirm", 2, 3, modC_Button1, false);
        ExecuteStep("confirm", confirm, false);
    }

    // Acknowledging the dialog brings the end condition back.
    void ShowError(std::string const & message) { showStepErrorDialog(message.c_str(), false, 1); }

    void Answered()
    {
        if (confirm->Choice() != 0) {
            Backup();
            return;
        }
        std::string const description = Description();
        stage.Note("Created " + scene.AddFeature("Extrusion", description) + ": " + description + ".");
        EndMode();
    }

    std::string Description() const
    {
        std::string text = profile->Picked();
        switch (end->GetDefChoice()) {
        case throughAll:
            text += " through all";
            break;
        case specificDepth:
            text += " " + std::to_string(end->GetDepth()) + " mm deep";
            break;
        default:
            text += " up to " + face;
            break;
        }
        double angle = 0.0;
        bool outward = true;
        Draft(angle, outward);
        if (angle != 0.0)
            text += ", draft " + Number(angle) + " degrees " + (outward ? "outward" : "inward");
        if (flipped)
            text += ", the other way";
        return text;
    }

    // What the draft dialog holds now: the values of its last completion,
    // back at the option's data whenever the end condition is backed up to.
    void Draft(double & angle, bool & outward) const
    {
        omu_PrimTuple const & fields = optionDialogData[draftOption];
        for (int i = 0; i < fields.Length(); ++i) {
            auto const & pair = static_cast<omu_PrimTuple const &>(fields.Index(i));
            omu_Primitive const & value = pair.Index(1);
            if (pair.Index(0).AsString() == "angle" && value.GetKind() == omu_Primitive::DOUBLE)
                angle = static_cast<omu_PrimDouble const &>(value).GetValue();
            else if (pair.Index(0).AsString() == "outward" && value.GetKind() == omu_Primitive::BOOL)
                outward = static_cast<omu_PrimBool<2> const &>(value).GetValue();
        }
    }

    Scene & scene;
    ConsoleStage & stage;
    omu_PrimTuple draftData;
    PickEntityStep * profile = nullptr;
    modC_RotatingOptionStep * end = nullptr;
    modC_YesNoStep * confirm = nullptr;
    std::string face;
    bool flipped = false;
};

// ---- Multi ----

class MultiMode : public modC_Procedure {
public:
    explicit MultiMode(ConsoleStage & stage) : modC_Procedure(false), stage(stage) { modeName = "Multi"; }

    void Start() override
    {
        values = new modC_MultiStep(this, "values", 1);
        ExecuteStep(values, false);
    }

    void StepTerminatedHook(modC_Step const &) override
    {
        std::string text = "Keyed in " + std::to_string(values->intValue);
        if (values->intValue < 50)
            text += ", " + Number(values->floatValue);
        stage.Note(text + " and " + console_text::Quoted(values->stringValue.Std()) + ".");
        EndMode();
    }

private:
    ConsoleStage & stage;
    modC_MultiStep * values = nullptr;
};

// ---- Blend ----

class FilletStep : public modC_CompositeStep {
public:
    FilletStep(modC_Procedure * procedure, Scene const & scene, ConsoleStage & stage)
        : modC_CompositeStep(procedure, "fillet", 2, 1), edge(new PickEntityStep(scene, stage, Scene::Kind::Edge, 11))
    {
        AddStep(edge, "pickEdge");
    }

    // The radius joins each run once the edge is picked.
    void StepTerminated(modC_Step const & child) override
    {
        if (&child == edge) {
            if (!radius)
                radius = new modC_FloatStep(1.0, 12, 0.1, 50.0, true, true, false);
            AddStep(radius, "radius");
        }
        modC_CompositeStep::StepTerminated(child);
    }

    // The children report completion only.
    void StepValueChanged(modC_Step const &) override {}

    std::string Edge() const { return edge->Picked(); }
    double Radius() const { return radius ? radius->value : 0.0; }

private:
    PickEntityStep * edge;
    modC_FloatStep * radius = nullptr;
};

class BlendMode : public modC_PickProcedure {
public:
    BlendMode(Scene & scene, ConsoleStage & stage) : modC_PickProcedure(false), scene(scene), stage(stage)
    {
        modeName = "Blend";
    }

    void Start() override
    {
        fillet = new FilletStep(this, scene, stage);
        ExecuteStep(fillet, false);
    }

    void StepTerminatedHook(modC_Step const & step) override
    {
        if (&step == fillet) {
            rounds.push_back(fillet->Edge() + " radius " + Number(fillet->Radius()));
            if (!more)
                more = new modC_YesNoStep(this, "more", 2, 2, modC_Button2, false);
            ExecuteStep("more", more, false);
        } else if (&step == more) {
            if (more->Choice() == 0) {
                ExecuteStep(fillet, false);
                return;
            }
            std::string description;
            for (std::string const & round : rounds)
                description += (description.empty() ? "" : ", ") + round;
            stage.Note("Created " + scene.AddFeature("Fillet", description) + ": " + description + ".");
            EndMode();
        }
    }

    // Backing up from the question takes back the round it followed.
    void BackupHook(modC_Step const & step) override
    {
        if (&step == more && !rounds.empty())
            rounds.pop_back();
    }

private:
    Scene & scene;
    ConsoleStage & stage;
    FilletStep * fillet = nullptr;
    modC_YesNoStep * more = nullptr;
    std::vector<std::string> rounds;
};

}  // namespace

modC_Mode * SampleModeFactory::MakeProcedure(cow_String const & name) const
{
    if (name == "Extrude")
        return new ExtrudeMode(scene, stage);
    if (name == "Multi")
        return new MultiMode(stage);
    if (name == "Blend")
        return new BlendMode(scene, stage);
    return nullptr;
}
