// The viewport's camera: an orthographic view of the scene that the user
// orbits around a target point and zooms. It maps model points to the
// view's coordinates, which the pick regions and the pointer record use, and
// those to the canvas's pixels (y down). A view unit is four pixels across
// and up the screen from its centre at any zoom, so the pick method's box of
// one unit around the cursor is the same few pixels wherever the user looks.
#ifndef CAMERA_H
#define CAMERA_H

#include "Scene.h"
#include "g3d_Point.h"

class Camera {
public:
    // Looking at the sample part from the front right, a little above.
    Camera();

    void Resize(int width, int height);
    // Turns the view by `dx` degrees around the vertical and `dy` degrees up or down.
    void Orbit(float dx, float dy);
    // Scales the view by `factor` (> 1 zooms in), within sensible limits.
    void Zoom(float factor);
    void Reset();

    static constexpr float pixelsPerUnit = 4.0f;

    // Projects into view units: `right` and `up` carry the zoom.
    Scene::View View() const;
    // The same directions as unit vectors, for drawing.
    Scene::View Axes() const;
    float Azimuth() const { return azimuth; }
    float Elevation() const { return elevation; }
    float Scale() const { return scale; }
    int Width() const { return width; }
    int Height() const { return height; }

    // Pixel of a point in view coordinates, and back.
    g3d_Point ToPixel(g3d_Point const & view) const;
    g3d_Point FromPixel(float pixelX, float pixelY) const;
    g3d_Point ModelToPixel(Vec3 const & p) const { return ToPixel(View().Project(p)); }

private:
    Vec3 target;
    float azimuth;    // degrees, around z, 0 looking along -x
    float elevation;  // degrees above the ground
    float scale;      // pixels per model unit
    int width = 1;
    int height = 1;
};

#endif
