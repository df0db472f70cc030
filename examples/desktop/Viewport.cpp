#include "Viewport.h"

#include <cmath>
#include <cstdio>

#include "DesktopStage.h"
#include "DesktopTracker.h"
#include "modC_PickMethod.h"
#include "sesC_PickOptions.h"

namespace {

int const dragThreshold = 3;  // pixels the pointer moves before a press becomes a drag

int Modifiers(FX::FXEvent const & event)
{
    return (event.state & FX::SHIFTMASK ? 1 : 0) | (event.state & FX::CONTROLMASK ? 4 : 0);
}

}  // namespace

Viewport::Viewport(FX::FXComposite * parent, DesktopStage & stage, Scene & scene)
    : stage(stage), scene(scene),
      target([this](FX::FXObject * sender, FX::FXSelector selector, void * data) {
          return OnMessage(sender, selector, data);
      }),
      visual(std::make_unique<FX::FXGLVisual>(parent->getApp(), FX::VISUAL_DOUBLEBUFFER)),
      canvas(new FX::FXGLCanvas(parent, visual.get(), &target, ID_CANVAS, FX::LAYOUT_FILL_X | FX::LAYOUT_FILL_Y)),
      painter(stage.Fonts())
{
}

Viewport::~Viewport()
{
    if (canvas->id() && canvas->makeCurrent()) {
        painter.Release();
        canvas->makeNonCurrent();
    }
    target.Silence();
    // The canvas goes before the visual it was made with.
    delete canvas;
}

void Viewport::Redraw()
{
    canvas->update();
}

void Viewport::SetEcho(std::string const & text)
{
    echo = text;
    Redraw();
}

ScenePainter::Frame Viewport::FrameContents() const
{
    ScenePainter::Frame frame;
    frame.echo = echo;
    frame.pointer = pointer;
    DesktopTracker const * tracker = Active();
    auto const * pick = tracker ? dynamic_cast<modC_PickMethod const *>(tracker->Method()) : nullptr;
    if (!pick)
        return frame;
    switch (pick->GetPickShape()) {
    case modC_PickMethod::RECTANGLE:
        if (press.dragging) {
            auto const & box = pick->BoxCorners();
            frame.region = {box[0], g3d_Point(box[1].x, box[0].y), box[1], g3d_Point(box[0].x, box[1].y)};
        }
        break;
    case modC_PickMethod::CIRCLE:
    case modC_PickMethod::POLYGON:
        if (press.dragging || pick->GetPickShape() == modC_PickMethod::POLYGON)
            for (int i = 0; i < pick->Points().Size(); ++i)
                frame.region.push_back(pick->Points().ConstGet(i));
        break;
    default:
        break;
    }
    return frame;
}

void Viewport::Paint()
{
    if (!canvas->id() || !canvas->makeCurrent())
        return;
    camera.Resize(canvas->getWidth(), canvas->getHeight());
    painter.Paint(scene, camera, FrameContents());
    canvas->swapBuffers();
    canvas->makeNonCurrent();
    ++frames;
}

void Viewport::PaintNow()
{
    Paint();
    if (canvas->id() && canvas->makeCurrent()) {
        glFinish();
        canvas->makeNonCurrent();
    }
}

DesktopTracker * Viewport::Active() const
{
    DesktopTracker * active = nullptr;
    for (DesktopWidget * widget : stage.Live()) {
        auto * tracker = dynamic_cast<DesktopTracker *>(widget);
        if (tracker && tracker->IsShown() && (!active || tracker->ShowOrder() > active->ShowOrder()))
            active = tracker;
    }
    return active;
}

bool Viewport::RowOpen(DesktopTracker const & tracker) const
{
    for (DesktopWidget const * widget : stage.Live())
        if (widget->IsRowOf(tracker.Method()))
            return true;
    return false;
}

bool Viewport::DrawingPolygon(DesktopTracker const & tracker) const
{
    auto const * pick = dynamic_cast<modC_PickMethod const *>(tracker.Method());
    return pick && pick->GetPickShape() == modC_PickMethod::POLYGON && pick->Points().Size() > 0;
}

//! [report]
bool Viewport::Report(DesktopTracker & tracker, int kind, FX::FXEvent const & event, int button)
{
    modC_MouseInfo & mouse = tracker.Record();
    g3d_Point const at = camera.FromPixel(static_cast<float>(event.win_x), static_cast<float>(event.win_y));
    if (kind == 1) {
        // The drag starts where the button went down.
        g3d_Point const from = camera.FromPixel(static_cast<float>(press.x), static_cast<float>(press.y));
        mouse.Reset();
        mouse.x = from.x;
        mouse.y = from.y;
        mouse.pixelX = press.x;
        mouse.pixelY = press.y;
    } else if (kind == 4 || kind == 0) {
        mouse.Reset();
        mouse.x = at.x;
        mouse.y = at.y;
        mouse.pixelX = event.win_x;
        mouse.pixelY = event.win_y;
    }
    mouse.SetPosition(at.x, at.y);
    mouse.SetPixPosition(event.win_x, event.win_y);
    mouse.button = button;
    mouse.modifiers = kind == 0 ? Modifiers(event) : press.modifiers;
    mouse.event = kind;
    mouse.phase = kind == 1 ? 0 : kind == 2 ? 1 : 2;
    return tracker.ReportValueChanged();
}
//! [report]

void Viewport::Pressed(int button, FX::FXEvent const & event)
{
    canvas->grab();
    canvas->setFocus();
    press = Press{button, event.win_x, event.win_y, Modifiers(event), false, false};
}

void Viewport::Moved(FX::FXEvent const & event)
{
    g3d_Point const at = camera.FromPixel(static_cast<float>(event.win_x), static_cast<float>(event.win_y));
    char text[64];
    std::snprintf(text, sizeof text, "x %.1f  y %.1f", static_cast<double>(at.x), static_cast<double>(at.y));
    pointer = text;
    bool const far = std::abs(event.win_x - press.x) > dragThreshold || std::abs(event.win_y - press.y) > dragThreshold;
    DesktopTracker * tracker = Active();
    if (press.button == 1 && tracker) {
        if (!press.dragging && far) {
            press.dragging = true;
            if (tracker->ForPick()) {
                sesC_PickGC & gc = sesC_PickOptions::Instance().GetPickGC();
                if (gc.GetShape() == sesC_PickGC::NONE)
                    gc.SetShape(sesC_PickGC::RECTANGLE);
            }
            Report(*tracker, 1, event, 1);
        } else if (press.dragging) {
            Report(*tracker, 2, event, 1);
        }
    } else if (press.button == 2 || (press.button == 3 && (press.orbiting || far))) {
        press.orbiting = true;
        camera.Orbit(-0.4f * static_cast<float>(event.win_x - event.last_x),
                     0.4f * static_cast<float>(event.win_y - event.last_y));
    } else if (press.button == 0 && tracker && DrawingPolygon(*tracker)) {
        // The corner being placed follows the pointer.
        Report(*tracker, 0, event, 0);
    }
    Redraw();
}

//! [release]
void Viewport::Released(int button, FX::FXEvent const & event)
{
    canvas->ungrab();
    Press const was = press;
    press = Press{};
    if (was.button != button || was.orbiting || button == 2)
        return;
    DesktopTracker * tracker = Active();
    if (!tracker)
        return;
    press.modifiers = was.modifiers;
    bool const alive = Report(*tracker, was.dragging ? 3 : 4, event, button);
    press.modifiers = 0;
    if (alive && !RowOpen(*tracker))
        tracker->ReportDone();
}
//! [release]

long Viewport::OnMessage(FX::FXObject *, FX::FXSelector selector, void * data)
{
    auto const * event = static_cast<FX::FXEvent const *>(data);
    switch (FXSELTYPE(selector)) {
    case FX::SEL_PAINT:
        Paint();
        return 1;
    case FX::SEL_CONFIGURE:
        camera.Resize(canvas->getWidth(), canvas->getHeight());
        return 1;
    case FX::SEL_LEFTBUTTONPRESS:
        Pressed(1, *event);
        return 1;
    case FX::SEL_MIDDLEBUTTONPRESS:
        Pressed(2, *event);
        return 1;
    case FX::SEL_RIGHTBUTTONPRESS:
        Pressed(3, *event);
        return 1;
    case FX::SEL_LEFTBUTTONRELEASE:
        Released(1, *event);
        return 1;
    case FX::SEL_MIDDLEBUTTONRELEASE:
        Released(2, *event);
        return 1;
    case FX::SEL_RIGHTBUTTONRELEASE:
        Released(3, *event);
        return 1;
    case FX::SEL_MOTION:
        Moved(*event);
        return 1;
    case FX::SEL_MOUSEWHEEL:
        camera.Zoom(event->code > 0 ? 1.1f : 1.0f / 1.1f);
        Redraw();
        return 1;
    default:
        return 0;
    }
}
