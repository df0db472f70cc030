#include "SampleModes.h"

#include <array>

#include "SampleText.h"
#include "crt_Assert.h"
#include "modC_CompositeStep.h"
#include "modC_DefaultButton.h"
#include "modC_FloatStep.h"
#include "modC_MethodFactory.h"
#include "modC_MultiStep.h"
#include "modC_PickMethod.h"
#include "modC_PickProcedure.h"
#include "modC_RadioStep.h"
#include "modC_RotatingOptionStep.h"
#include "modC_StepReceiver.h"
#include "modC_WarningStep.h"
#include "modC_YesNoStep.h"
#include "omu_PrimBool.h"
#include "sesC_PickOptions.h"
#include "utl_tr.h"

using sample_text::Number;

namespace {

// A press with no region drawn picks in a small box around the cursor.
std::vector<Scene::Entity const *> AtCursor(Scene const & scene, Scene::Kind kind, Scene::View const & view,
                                            std::array<g3d_Point, 2> const & box)
{
    return scene.Touching(kind, view, box[0], box[1]);
}

}  // namespace

// ---- PickEntityStep ----

std::string const PickEntityStep::none;

PickEntityStep::PickEntityStep(Scene & scene, SampleStage & stage, Scene::Kind kind, int seq)
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
    if (picked)
        scene.SetHighlight(*picked, false);
    receiver = stepReceiver;
    method.reset(dynamic_cast<modC_PickMethod *>(factory->MakePickMethod(this)));
    QEL_ASSERT(method != nullptr);
    method->Execute();
}

void PickEntityStep::Cancel()
{
    if (!candidates.empty())
        scene.SetHighlight(*candidates[highlighted], false);
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
            Highlight((highlighted + 1) % candidates.size(), "is highlighted");
            return;
        case modC_PickMethod::PREVIOUS:
            Highlight((highlighted + candidates.size() - 1) % candidates.size(), "is highlighted");
            return;
        case modC_PickMethod::ACCEPT:
            Accept(*candidates[highlighted]);
            return;
        default:
            // A plain click ended the choice; its completion picks afresh.
            scene.SetHighlight(*candidates[highlighted], false);
            candidates.clear();
            return;
        }
    }
    // The polygon row's Done delivers the finished polygon as a value change.
    if (method->GetPickShape() == modC_PickMethod::POLYGON)
        Resolve(scene.Inside(kind, stage.PickView(), method->Points()), "inside the polygon");
}

void PickEntityStep::Done(modC_Method * reporter)
{
    if (!method || reporter != method.get() || !candidates.empty())
        return;
    auto const & box = method->BoxCorners();
    Scene::View const view = stage.PickView();
    switch (method->GetPickShape()) {
    case modC_PickMethod::RECTANGLE:
        Resolve(scene.Inside(kind, view, box[0], box[1]), "inside the rectangle");
        break;
    case modC_PickMethod::CIRCLE:
        Resolve(scene.Inside(kind, view, method->Points()), "inside the circle");
        break;
    case modC_PickMethod::POLYGON:
        break;  // the polygon is complete only when its row says so
    default: {
        g3d_Point const & at = method->Cursor();
        Resolve(AtCursor(scene, kind, view, box), "at (" + Number(at.x) + ", " + Number(at.y) + ")");
        break;
    }
    }
}

void PickEntityStep::ClearHighlights() const
{
    if (picked)
        scene.SetHighlight(*picked, false);
    if (!candidates.empty())
        scene.SetHighlight(*candidates[highlighted], false);
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
    Highlight(0, "is highlighted; choose Next, Previous or OK");
    method->Disambiguate();
}

void PickEntityStep::Highlight(std::size_t next, char const * how)
{
    scene.SetHighlight(*candidates[highlighted], false);
    highlighted = next;
    scene.SetHighlight(*candidates[highlighted], true);
    stage.Note(candidates[highlighted]->name + " " + how + ".");
}

void PickEntityStep::Accept(Scene::Entity const & entity)
{
    // The pick method reporting now is deleted here; it has nothing left to do.
    Cancel();
    picked = &entity;
    scene.SetHighlight(entity, true);
    stage.Note("Picked " + entity.name + ".");
    if (receiver)
        receiver->StepTerminated(*this);
}

// ---- GatherStep ----

GatherStep::GatherStep(Scene & scene, SampleStage & stage, std::vector<Scene::Kind> kinds, int seq)
    : modC_Step(seq), scene(scene), stage(stage), kinds(std::move(kinds))
{
}

GatherStep::~GatherStep()
{
    Cancel();
}

void GatherStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * stepReceiver)
{
    Cancel();
    ClearHighlights();
    gathered.clear();
    receiver = stepReceiver;
    method.reset(dynamic_cast<modC_PickMethod *>(factory->MakePickMethod(this)));
    QEL_ASSERT(method != nullptr);
    method->Execute();
}

void GatherStep::Cancel()
{
    if (method) {
        method->Cancel();
        method.reset();
    }
}

void GatherStep::Suspend()
{
    if (method)
        method->Suspend();
}

void GatherStep::Resume()
{
    if (method)
        method->Resume();
}

void GatherStep::ValueChanged(modC_Method * reporter)
{
    if (!method || reporter != method.get() || method->GetPickShape() != modC_PickMethod::POLYGON)
        return;
    std::vector<Scene::Entity const *> found;
    for (Scene::Kind kind : kinds) {
        std::vector<Scene::Entity const *> const inside = scene.Inside(kind, stage.PickView(), method->Points());
        found.insert(found.end(), inside.begin(), inside.end());
    }
    Finish(std::move(found));
}

void GatherStep::Done(modC_Method * reporter)
{
    if (!method || reporter != method.get())
        return;
    switch (method->GetPickShape()) {
    case modC_PickMethod::RECTANGLE:
        Take(&Scene::Inside);
        break;
    case modC_PickMethod::CIRCLE: {
        std::vector<Scene::Entity const *> found;
        for (Scene::Kind kind : kinds) {
            std::vector<Scene::Entity const *> const inside = scene.Inside(kind, stage.PickView(), method->Points());
            found.insert(found.end(), inside.begin(), inside.end());
        }
        Finish(std::move(found));
        break;
    }
    case modC_PickMethod::POLYGON:
        break;  // the polygon is complete only when its row says so
    default:
        Take(&Scene::Touching);
        break;
    }
}

void GatherStep::Take(std::vector<Scene::Entity const *> (Scene::*query)(Scene::Kind, Scene::View const &,
                                                                        g3d_Point const &, g3d_Point const &) const)
{
    auto const & box = method->BoxCorners();
    std::vector<Scene::Entity const *> found;
    for (Scene::Kind kind : kinds) {
        std::vector<Scene::Entity const *> const some = (scene.*query)(kind, stage.PickView(), box[0], box[1]);
        found.insert(found.end(), some.begin(), some.end());
    }
    Finish(std::move(found));
}

void GatherStep::Finish(std::vector<Scene::Entity const *> found)
{
    gathered = std::move(found);
    std::string names;
    for (Scene::Entity const * entity : gathered) {
        scene.SetHighlight(*entity, true);
        names += (names.empty() ? "" : ", ") + entity->name;
    }
    stage.Note(gathered.empty() ? std::string("The region holds nothing to gather.") : "Gathered " + names + ".");
    // The pick method reporting now is deleted here; it has nothing left to do.
    Cancel();
    if (receiver)
        receiver->StepTerminated(*this);
}

void GatherStep::ClearHighlights() const
{
    for (Scene::Entity const * entity : gathered)
        scene.SetHighlight(*entity, false);
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
    ExtrudeMode(Scene & scene, SampleStage & stage) : modC_PickProcedure(false), scene(scene), stage(stage)
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
                AtCursor(scene, Scene::Kind::Face, stage.PickView(),
                         {g3d_Point(at.x - 1, at.y - 1), g3d_Point(at.x + 1, at.y + 1)});
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
    SampleStage & stage;
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
    explicit MultiMode(SampleStage & stage) : modC_Procedure(false), stage(stage) { modeName = "Multi"; }

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
        stage.Note(text + " and " + sample_text::Quoted(values->stringValue.Std()) + ".");
        EndMode();
    }

private:
    SampleStage & stage;
    modC_MultiStep * values = nullptr;
};

// ---- Blend ----

class FilletStep : public modC_CompositeStep {
public:
    FilletStep(modC_Procedure * procedure, Scene & scene, SampleStage & stage)
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
    BlendMode(Scene & scene, SampleStage & stage) : modC_PickProcedure(false), scene(scene), stage(stage)
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
    SampleStage & stage;
    FilletStep * fillet = nullptr;
    modC_YesNoStep * more = nullptr;
    std::vector<std::string> rounds;
};

// ---- Group ----

// The answers of the group question as pictures: a tick and a cross, on the
// background of the buttons where transparent.
char const * const tickPicture[] = {
    "24 24 2 1",
    "  c None",
    "x c #1E8C28",
    "                        ",
    "                        ",
    "                     xx ",
    "                    xxx ",
    "                   xxxx ",
    "                  xxxx  ",
    "                 xxxx   ",
    "                xxxx    ",
    "               xxxx     ",
    "              xxxx      ",
    "  xx         xxxx       ",
    " xxxx       xxxx        ",
    " xxxxx     xxxx         ",
    "  xxxxx   xxxx          ",
    "   xxxxx xxxx           ",
    "    xxxxxxxx            ",
    "     xxxxxx             ",
    "      xxxx              ",
    "       xx               ",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
};
char const * const crossPicture[] = {
    "24 24 2 1",
    "  c None",
    "x c #C81E1E",
    "                        ",
    "                        ",
    "   xx              xx   ",
    "  xxxx            xxxx  ",
    "   xxxx          xxxx   ",
    "    xxxx        xxxx    ",
    "     xxxx      xxxx     ",
    "      xxxx    xxxx      ",
    "       xxxx  xxxx       ",
    "        xxxxxxxx        ",
    "         xxxxxx         ",
    "          xxxx          ",
    "          xxxx          ",
    "         xxxxxx         ",
    "        xxxxxxxx        ",
    "       xxxx  xxxx       ",
    "      xxxx    xxxx      ",
    "     xxxx      xxxx     ",
    "    xxxx        xxxx    ",
    "   xxxx          xxxx   ",
    "  xxxx            xxxx  ",
    "   xx              xx   ",
    "                        ",
    "                        ",
};

enum Shape { rectangle = 1, circle = 2, polygon = 3 };

class GroupMode : public modC_PickProcedure {
public:
    GroupMode(Scene & scene, SampleStage & stage) : modC_PickProcedure(false), scene(scene), stage(stage)
    {
        modeName = "Group";
    }

    void Start() override
    {
        shape = new modC_RadioStep(this, "shape", 3, 1, rectangle);
        ExecuteStep("shape", shape, false);
    }

    void StepTerminatedHook(modC_Step const & step) override
    {
        if (&step == shape)
            Gather();
        else if (&step == gather)
            Gathered();
        else if (&step == empty && empty->GetOk())
            Backup();
        else if (&step == empty)
            EndMode();
        else if (&step == confirm)
            Answered();
    }

private:
    void Gather()
    {
        static char const * const prompts[] = {"", "rectangle", "circle", "polygon"};
        int const chosen = shape->GetDefChoice();
        // The region the user drags takes the shape chosen.
        omi_Singleton<sesC_PickOptions>::Instance().GetPickGC().SetShape(chosen);
        if (!gather)
            gather = new GatherStep(scene, stage, {Scene::Kind::Vertex, Scene::Kind::Point}, 2);
        ExecuteStep(prompts[chosen >= rectangle && chosen <= polygon ? chosen : rectangle], gather, false);
    }

    void Gathered()
    {
        if (gather->Gathered().empty()) {
            if (!empty) {
                omu_PrimTuple question;
                question.Put(0);
                question.Put(cow_String(utl_tr("Nothing lies inside the region. Pick again?")));
                empty = new modC_WarningStep(this, "modG_WarningForm", question, 3);
            }
            ExecuteStep("empty", empty, false);
            return;
        }
        if (!confirm) {
            char ** pictures[] = {const_cast<char **>(tickPicture), const_cast<char **>(crossPicture)};
            confirm = new modC_YesNoStep(this, 2, pictures, 4, modC_Button1, false);
        }
        ExecuteStep("confirm", confirm, false);
    }

    void Answered()
    {
        if (confirm->Choice() != 0) {
            Backup();
            return;
        }
        std::string members;
        for (Scene::Entity const * entity : gather->Gathered())
            members += (members.empty() ? "" : ", ") + entity->name;
        stage.Note("Created " + scene.AddFeature("Group", members) + ": " + members + ".");
        EndMode();
    }

    Scene & scene;
    SampleStage & stage;
    modC_RadioStep * shape = nullptr;
    GatherStep * gather = nullptr;
    modC_WarningStep * empty = nullptr;
    modC_YesNoStep * confirm = nullptr;
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
    if (name == "Group")
        return new GroupMode(scene, stage);
    return nullptr;
}
