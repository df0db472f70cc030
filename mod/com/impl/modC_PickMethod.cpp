#include "modC_PickMethod.h"

#include <cmath>
#include <utility>

#include "modC_ChoiceMethod.h"
#include "modC_MethodFactory.h"
#include "sesC_PickOptions.h"
#include "utl_tr.h"

namespace {

char const * const cycleLabels[3] = {"Next", "Previous", "OK"};
char const * const cycleTitle = "Ambiguous selection, please choose one:";
char const * const polygonLabels[3] = {"Backup", "Abort", "Done"};
char const * const polygonTitle = "Pick the points for the polygon";

// Button indices follow the label order.
enum CycleButton { NEXT_BUTTON = 0, PREVIOUS_BUTTON = 1, OK_BUTTON = 2 };
enum PolygonButton { BACKUP_BUTTON = 0, ABORT_BUTTON = 1, DONE_BUTTON = 2 };

// Index of the button chosen on a row; -1 while none is.
int ChosenButton(modC_Method const & row)
{
    auto const * choice = dynamic_cast<modC_ChoiceMethod const *>(&row);
    return choice ? choice->Value() : -1;
}

int const circlePoints = 32;
float const circleStep = 0.19634954f;  // pi / 16

enum DragEvent { DRAG_START = 1, DRAG_CONTINUE = 2, DRAG_END = 3, CLICK = 4 };

}  // namespace

modC_PickMethod::modC_PickMethod(modC_MethodReceiver * receiver, modC_PositionMethodImpl * impl,
                                 modC_MethodFactory const * factory)
    : modC_Method(receiver), impl(impl), factory(factory)
{
}

modC_PickMethod::~modC_PickMethod()
{
    if (destroyedDuringReport)
        *destroyedDuringReport = true;
    impl.reset();
    cycleChoice.reset();
    polygonChoice.reset();
}

void modC_PickMethod::Execute()
{
    impl->SetMethod(this);
    impl->Execute();
    if (cycleChoice)
        cycleChoice->Execute();
    if (polygonChoice)
        polygonChoice->Execute();
}

void modC_PickMethod::Cancel()
{
    impl->Cancel();
    if (cycleChoice)
        cycleChoice->Cancel();
    if (polygonChoice)
        polygonChoice->Cancel();
}

void modC_PickMethod::Suspend()
{
    impl->Suspend();
    if (cycleChoice)
        cycleChoice->Suspend();
    if (polygonChoice)
        polygonChoice->Suspend();
}

void modC_PickMethod::Resume()
{
    impl->Resume();
    if (cycleChoice)
        cycleChoice->Resume();
    if (polygonChoice)
        polygonChoice->Resume();
}

void modC_PickMethod::Disambiguate()
{
    OpenRow(cycleChoice, cycleLabels, cycleTitle);
}

void modC_PickMethod::DisplayPolygonPrompt()
{
    OpenRow(polygonChoice, polygonLabels, polygonTitle);
}

void modC_PickMethod::OpenRow(std::unique_ptr<modC_Method> & row, char const * const (&english)[3],
                              char const * title)
{
    char const * labels[3] = {utl_tr(english[0]), utl_tr(english[1]), utl_tr(english[2])};
    char const * const shownTitle = utl_tr(title);
    if (row)
        CloseRow(row);
    row.reset(factory->MakeTitledChoiceMethod(labels, 3, this, shownTitle, 3, 0));
    if (row)
        row->Execute();
}

void modC_PickMethod::CloseRow(std::unique_ptr<modC_Method> & row)
{
    row->Cancel();
    row.reset();
}

void modC_PickMethod::ValueChanged(modC_Method * method)
{
    if (method == impl.get()) {
        if (cycleChoice)
            UpdateCycleValue();
        else
            UpdateValue();
        // While a polygon is drawn the pointer only moves its vertices.
        if (pickShape != POLYGON)
            receiver->ValueChanged(this);
    } else if (cycleChoice && method == cycleChoice.get()) {
        switch (ChosenButton(*cycleChoice)) {
        case NEXT_BUTTON:
            selectAction = NEXT;
            break;
        case PREVIOUS_BUTTON:
            selectAction = PREVIOUS;
            break;
        case OK_BUTTON:
            selectAction = ACCEPT;
            break;
        default:
            break;
        }
    }
}

void modC_PickMethod::Done(modC_Method *)
{
    if (cycleChoice) {
        if (ChosenButton(*cycleChoice) == OK_BUTTON)
            CloseRow(cycleChoice);
        receiver->ValueChanged(this);
        return;
    }
    if (polygonChoice) {
        switch (ChosenButton(*polygonChoice)) {
        case BACKUP_BUTTON:  // never removes the first vertex
            if (points.Size() > 1) {
                points.Pop();
                receiver->DirectManipulation(GEOMETRY_CHANGED, this);
            }
            break;
        case ABORT_BUTTON:
            CloseRow(polygonChoice);
            pickShape = CURSOR_BOX;
            points.ClearAll();
            receiver->DirectManipulation(GEOMETRY_CHANGED, this);
            break;
        case DONE_BUTTON: {  // the receiver reads the finished polygon during the report
            CloseRow(polygonChoice);
            bool destroyed = false;
            destroyedDuringReport = &destroyed;
            receiver->ValueChanged(this);
            if (destroyed)
                return;
            destroyedDuringReport = nullptr;
            pickShape = CURSOR_BOX;
            points.ClearAll();
            break;
        }
        default:
            break;
        }
        return;
    }
    UpdateValue();
    receiver->Done(this);
}

void modC_PickMethod::DirectManipulation(DirectManipReason reason, modC_Method *)
{
    int const phase = impl->Mouse().phase;
    if (phase == 2) {
        UpdateValue();
    } else if (polygonChoice && phase == 0 && points.Size() > 0) {
        // A new vertex starts where the last one is.
        points.Append(points.ConstGet(points.Size() - 1));
    } else if (polygonChoice && phase == 1) {
        if (points.Size() > 0)
            points.Pop();
    } else {
        return;
    }
    receiver->DirectManipulation(reason, this);
}

void modC_PickMethod::UpdateCycleValue()
{
    modC_MouseInfo const & mouse = impl->Mouse();
    switch (mouse.modifiers) {
    case 0:
    case 4:
    case 5:  // an ordinary click ends the cycling
        CloseRow(cycleChoice);
        UpdateValue();
        break;
    case 1:  // Shift with button 1 or 3 steps through the candidates
        if (mouse.button == 1)
            selectAction = NEXT;
        else if (mouse.button == 3)
            selectAction = PREVIOUS;
        break;
    default:
        break;
    }
}

void modC_PickMethod::UpdateValue()
{
    modC_MouseInfo const & mouse = impl->Mouse();
    switch (mouse.modifiers) {
    case 0:
    case 5:
        selectAction = SELECT;
        break;
    case 1:
        selectAction = SHIFT_SELECT;
        break;
    case 4:
        selectAction = CONTROL_SELECT;
        break;
    default:
        break;
    }
    cursor.x = mouse.x;
    cursor.y = mouse.y;

    if (mouse.event == DRAG_START || mouse.event == DRAG_CONTINUE || mouse.event == DRAG_END) {
        pickShape = sesC_PickOptions::Instance().GetPickGC().GetShape();
        if (pickShape == RECTANGLE)
            UpdateRectangle(mouse);
        else if (pickShape == CIRCLE)
            UpdateCircle(mouse);
        else if (pickShape == POLYGON)
            UpdatePolygon(mouse);
        return;
    }
    if (pickShape == POLYGON && points.Size() > 0) {
        if (mouse.event == CLICK)
            points.Append(cursor);
        else  // the vertex under construction follows the pointer
            points.Get(points.Size() - 1) = cursor;
        return;
    }
    boxCorners[0] = g3d_Point(static_cast<float>(mouse.x - 1.0), static_cast<float>(mouse.y - 1.0));
    boxCorners[1] = g3d_Point(static_cast<float>(mouse.x + 1.0), static_cast<float>(mouse.y + 1.0));
    pickShape = CURSOR_BOX;
}

void modC_PickMethod::UpdateRectangle(modC_MouseInfo const & mouse)
{
    // A drag without extent in x or y keeps the previous box.
    if (mouse.deltaX == 0.0f || mouse.deltaY == 0.0f)
        return;
    boxCorners[0] = g3d_Point(mouse.x - mouse.deltaX, mouse.y - mouse.deltaY);
    boxCorners[1] = g3d_Point(mouse.x, mouse.y);
    if (boxCorners[0].x > boxCorners[1].x)
        std::swap(boxCorners[0].x, boxCorners[1].x);
    if (boxCorners[0].y > boxCorners[1].y)
        std::swap(boxCorners[0].y, boxCorners[1].y);
}

void modC_PickMethod::UpdateCircle(modC_MouseInfo const & mouse)
{
    points.ClearAll();
    float const radius = std::sqrt(mouse.deltaX * mouse.deltaX + mouse.deltaY * mouse.deltaY);
    float const centreX = mouse.x - mouse.deltaX;
    float const centreY = mouse.y - mouse.deltaY;
    float angle = 0.0f;
    for (int i = 0; i < circlePoints; ++i) {
        points.Append(g3d_Point(centreX + radius * std::cos(angle), centreY + radius * std::sin(angle)));
        angle += circleStep;
    }
}

void modC_PickMethod::UpdatePolygon(modC_MouseInfo const & mouse)
{
    if (mouse.event == DRAG_START) {
        points.ClearAll();
        points.Append(cursor);
        points.Append(cursor);
        DisplayPolygonPrompt();
    } else if (mouse.event == DRAG_END) {
        if (points.Size() == 2)
            points.Append(cursor);
    } else if (points.Size() >= 2) {
        points.Get(1) = cursor;
    }
}
