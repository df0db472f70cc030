// Draws one frame of the viewport with OpenGL: the scene under the camera
// (faces shaded by the way they face, what is picked in the highlight
// colour, edges, vertices and reference points), the region being drawn,
// the entity labels as the font server's fill triangles and outlines, and
// an overlay of glyph bitmaps.
#ifndef SCENEPAINTER_H
#define SCENEPAINTER_H

#include <GL/gl.h>

#include <map>
#include <string>
#include <vector>

#include "Camera.h"
#include "DesktopFonts.h"
#include "Scene.h"
#include "g3d_Point.h"

class modC_PickMethod;

class ScenePainter {
public:
    // Colours a test can look for, 8 bits a component.
    static constexpr unsigned char highlight[3] = {255, 140, 0};
    static constexpr unsigned char labelFill[3] = {16, 48, 176};
    static constexpr unsigned char labelOutline[3] = {0, 16, 96};

    // What one frame shows besides the scene.
    struct Frame {
        // The region of a pick being drawn, in view coordinates, or empty.
        std::vector<g3d_Point> region;
        bool regionClosed = true;
        // Overlay lines: the prompt at the top, the pointer at the bottom.
        std::string echo;
        std::string pointer;
    };

    explicit ScenePainter(DesktopFonts const & fonts) : fonts(fonts) {}
    // Call with the GL context current; the glyph display lists live in it.
    void Release();

    // Draws into the current GL context of `camera`'s size.
    void Paint(Scene const & scene, Camera const & camera, Frame const & frame);

    // Where the label of `entity` starts, in canvas pixels (y down): its
    // baseline origin; and whether it is drawn at all.
    static bool Labelled(Scene const & scene, Scene::Entity const & entity, Camera const & camera);
    static g3d_Point LabelOrigin(Scene::Entity const & entity, Camera const & camera);

private:
    struct Glyph {
        GLuint fill = 0;
        GLuint outline = 0;
        float advance = 0;
    };

    Glyph const & LabelGlyph(unsigned char c);
    void DrawModel(Scene const & scene, Camera const & camera);
    void DrawLabels(Scene const & scene, Camera const & camera);
    void DrawRegion(Camera const & camera, Frame const & frame);
    void DrawOverlay(Camera const & camera, Frame const & frame);
    void DrawBitmapText(std::string const & text, int x, int y);

    DesktopFonts const & fonts;
    std::map<unsigned char, Glyph> glyphs;
};

#endif
