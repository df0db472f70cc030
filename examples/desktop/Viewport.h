// The 3-D viewport: an OpenGL canvas showing the scene under the camera.
//
// Mouse: the left button picks (a click picks at the cursor, a drag draws
// the region the pick graphics context asks for: rectangle, circle or
// polygon); the right button clicks too (with Shift it steps back through
// ambiguous candidates); dragging with the middle or right button orbits;
// the wheel zooms. Pointer events fill the record of the tracker shown last:
// its position in view coordinates and pixels, the displacement since the
// press, the button, the modifier mask (1 Shift, 4 Control), the kind (1
// drag start, 2 drag, 3 drag end, 4 click, 0 motion) and the phase of the
// drag (0 starting, 1 going on, 2 none).
#ifndef VIEWPORT_H
#define VIEWPORT_H

#include <fx.h>
#include <fx3d.h>

#include <memory>
#include <string>

#include "Camera.h"
#include "FoxTarget.h"
#include "ScenePainter.h"

class DesktopStage;
class DesktopTracker;
class Scene;

class Viewport {
public:
    Viewport(FX::FXComposite * parent, DesktopStage & stage, Scene & scene);
    ~Viewport();
    Viewport(Viewport const &) = delete;
    Viewport & operator=(Viewport const &) = delete;

    Camera & GetCamera() { return camera; }
    Camera const & GetCamera() const { return camera; }
    FX::FXGLCanvas * Canvas() const { return canvas; }
    // Asks for a new frame.
    void Redraw();
    // Draws a frame now and waits until it is on the screen.
    void PaintNow();
    // The prompt the overlay repeats.
    void SetEcho(std::string const & text);
    // Frames drawn so far.
    long Frames() const { return frames; }

private:
    enum { ID_CANVAS = 1 };
    struct Press {
        int button = 0;  // 0: none held
        int x = 0, y = 0;
        int modifiers = 0;
        bool dragging = false;  // a pick region is being drawn
        bool orbiting = false;
    };

    long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data);
    void Paint();
    void Pressed(int button, FX::FXEvent const & event);
    void Moved(FX::FXEvent const & event);
    void Released(int button, FX::FXEvent const & event);
    // The tracker shown last, or null.
    DesktopTracker * Active() const;
    // One of the pick method's button rows is open: clicks go to its cycling
    // or polygon, and a completion would read as a second choice.
    bool RowOpen(DesktopTracker const & tracker) const;
    bool DrawingPolygon(DesktopTracker const & tracker) const;
    // Fills the tracker's record for `kind` at the pointer and reports it;
    // false when the report destroyed the tracker.
    bool Report(DesktopTracker & tracker, int kind, FX::FXEvent const & event, int button);
    ScenePainter::Frame FrameContents() const;

    DesktopStage & stage;
    Scene & scene;
    FoxTarget target;
    std::unique_ptr<FX::FXGLVisual> visual;
    FX::FXGLCanvas * canvas;
    Camera camera;
    ScenePainter painter;
    Press press;
    std::string echo;
    std::string pointer;
    long frames = 0;
};

#endif
