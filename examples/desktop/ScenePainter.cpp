#include "ScenePainter.h"

#include <GL/glext.h>

#include <algorithm>
#include <cmath>

#include "fsp_FontServer.h"

extern "C" void glWindowPos2i(GLint x, GLint y);

namespace {

fsp_FontServer & Server()
{
    return omi_Singleton<fsp_FontServer>::Instance();
}

void Colour(unsigned char const (&rgb)[3])
{
    glColor3ub(rgb[0], rgb[1], rgb[2]);
}

void Vertex(Vec3 const & p)
{
    glVertex3f(p.x, p.y, p.z);
}

Vec3 Centre(Scene::Entity const & e)
{
    Vec3 c;
    for (Vec3 const & p : e.corners) {
        c.x += p.x;
        c.y += p.y;
        c.z += p.z;
    }
    float const n = static_cast<float>(std::max<std::size_t>(1, e.corners.size()));
    return {c.x / n, c.y / n, c.z / n};
}

// Light from over the viewer's left shoulder, fixed to the model.
float Shade(Vec3 const & normal)
{
    float const lx = 0.35f, ly = -0.55f, lz = 0.76f;
    return 0.55f + 0.45f * std::max(0.0f, normal.x * lx + normal.y * ly + normal.z * lz);
}

}  // namespace

void ScenePainter::Release()
{
    for (auto const & entry : glyphs) {
        glDeleteLists(entry.second.fill, 1);
        glDeleteLists(entry.second.outline, 1);
    }
    glyphs.clear();
}

bool ScenePainter::Labelled(Scene const & scene, Scene::Entity const & e, Camera const & camera)
{
    // Names of what a person looks for; edges and vertices are named when picked.
    bool const named = e.kind == Scene::Kind::Profile || e.kind == Scene::Kind::Face ||
                       e.kind == Scene::Kind::Point || scene.Highlighted(e);
    return named && scene.Visible(e, camera.View());
}

g3d_Point ScenePainter::LabelOrigin(Scene::Entity const & e, Camera const & camera)
{
    g3d_Point const at = camera.ModelToPixel(Centre(e));
    return g3d_Point(std::round(at.x) + 6, std::round(at.y) - 6);
}

ScenePainter::Glyph const & ScenePainter::LabelGlyph(unsigned char c)
{
    auto const found = glyphs.find(c);
    if (found != glyphs.end())
        return found->second;
    Glyph glyph;
    unsigned const font = fonts.Labels();
    float const scale = fonts.LabelScale();
    if (font != fsp_FontServer::noFont) {
        unsigned count = 0;
        float * triangles = nullptr;
        glyph.advance = Server().GetFill(font, c, count, &triangles) * scale;
        glyph.fill = glGenLists(1);
        glNewList(glyph.fill, GL_COMPILE);
        glBegin(GL_TRIANGLES);
        for (unsigned i = 0; i < 3 * count; ++i)
            glVertex2f(triangles[2 * i] * scale, triangles[2 * i + 1] * scale);
        glEnd();
        glEndList();
        constexpr unsigned maxContours = 64;
        constexpr unsigned maxPoints = 4096;
        std::vector<unsigned> sizes(maxContours);
        std::vector<float> points(2 * maxPoints);
        unsigned contours = 0;
        Server().GetOutline(font, c, maxContours, maxPoints, contours, sizes.data(), points.data());
        glyph.outline = glGenLists(1);
        glNewList(glyph.outline, GL_COMPILE);
        std::size_t point = 0;
        for (unsigned k = 0; k < contours; ++k) {
            glBegin(GL_LINE_STRIP);
            for (unsigned i = 0; i < sizes[k]; ++i, ++point)
                glVertex2f(points[2 * point] * scale, points[2 * point + 1] * scale);
            glEnd();
        }
        glEndList();
    }
    return glyphs.emplace(c, glyph).first->second;
}

void ScenePainter::Paint(Scene const & scene, Camera const & camera, Frame const & frame)
{
    glViewport(0, 0, camera.Width(), camera.Height());
    glClearColor(0.93f, 0.94f, 0.96f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DITHER);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    DrawModel(scene, camera);
    // Everything else in canvas pixels, y up as GL has it.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, camera.Width(), 0, camera.Height(), -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    DrawRegion(camera, frame);
    DrawLabels(scene, camera);
    DrawOverlay(camera, frame);
}

void ScenePainter::DrawModel(Scene const & scene, Camera const & camera)
{
    Scene::View const axes = camera.Axes();
    float const halfWidth = camera.Width() / 2.0f / camera.Scale();
    float const halfHeight = camera.Height() / 2.0f / camera.Scale();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-halfWidth, halfWidth, -halfHeight, halfHeight, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    Vec3 const & r = axes.right;
    Vec3 const & u = axes.up;
    Vec3 const & t = axes.toward;
    Vec3 const & o = axes.origin;
    GLfloat const m[16] = {r.x, u.x, t.x, 0, r.y, u.y, t.y, 0, r.z, u.z, t.z, 0,
                           -(r.x * o.x + r.y * o.y + r.z * o.z), -(u.x * o.x + u.y * o.y + u.z * o.z),
                           -(t.x * o.x + t.y * o.y + t.z * o.z), 1};
    glLoadMatrixf(m);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    Scene::View const view = camera.View();

    // Faces and sketches, pushed back a little so their edges win.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 2.0f);
    for (Scene::Entity const & e : scene.Entities()) {
        if ((e.kind != Scene::Kind::Face && e.kind != Scene::Kind::Profile) || !scene.Visible(e, view))
            continue;
        if (scene.Highlighted(e)) {
            Colour(highlight);
        } else if (e.kind == Scene::Kind::Profile) {
            glColor3f(0.80f, 0.90f, 0.78f);
        } else {
            float const s = e.ofSolid ? Shade(e.normal) : 0.85f;
            glColor3f(0.66f * s, 0.72f * s, 0.82f * s);
        }
        glBegin(GL_POLYGON);
        for (Vec3 const & p : e.corners)
            Vertex(p);
        glEnd();
    }
    glDisable(GL_POLYGON_OFFSET_FILL);

    // Outlines of sketches and separate faces, then the block's edges.
    glLineWidth(1.0f);
    for (Scene::Entity const & e : scene.Entities()) {
        if (e.kind == Scene::Kind::Profile || (e.kind == Scene::Kind::Face && !e.ofSolid)) {
            glColor3f(0.25f, 0.35f, 0.25f);
            glBegin(GL_LINE_LOOP);
            for (Vec3 const & p : e.corners)
                Vertex(p);
            glEnd();
        }
    }
    for (Scene::Entity const & e : scene.Entities()) {
        if (e.kind != Scene::Kind::Edge)
            continue;
        bool const lit = scene.Highlighted(e);
        glLineWidth(lit ? 4.0f : 1.5f);
        if (lit)
            Colour(highlight);
        else
            glColor3f(0.12f, 0.12f, 0.18f);
        glBegin(GL_LINES);
        Vertex(e.corners[0]);
        Vertex(e.corners[1]);
        glEnd();
    }
    glLineWidth(1.0f);
    for (Scene::Entity const & e : scene.Entities()) {
        if (e.kind != Scene::Kind::Vertex && e.kind != Scene::Kind::Point)
            continue;
        bool const lit = scene.Highlighted(e);
        glPointSize(lit ? 9.0f : e.kind == Scene::Kind::Point ? 7.0f : 5.0f);
        if (lit)
            Colour(highlight);
        else if (e.kind == Scene::Kind::Point)
            glColor3f(0.60f, 0.10f, 0.50f);
        else
            glColor3f(0.12f, 0.12f, 0.18f);
        glBegin(GL_POINTS);
        Vertex(e.corners[0]);
        glEnd();
    }
    glPointSize(1.0f);
}

void ScenePainter::DrawRegion(Camera const & camera, Frame const & frame)
{
    if (frame.region.empty())
        return;
    glColor3f(0.85f, 0.10f, 0.10f);
    glBegin(frame.regionClosed ? GL_LINE_LOOP : GL_LINE_STRIP);
    for (g3d_Point const & p : frame.region) {
        g3d_Point const px = camera.ToPixel(p);
        glVertex2f(px.x, static_cast<float>(camera.Height()) - px.y);
    }
    glEnd();
}

void ScenePainter::DrawLabels(Scene const & scene, Camera const & camera)
{
    // The outline first: the fill over it leaves the pixels of the
    // triangles in the fill colour, and a rim of outline around them.
    for (int pass = 0; pass < 2; ++pass) {
        Colour(pass == 0 ? labelOutline : labelFill);
        for (Scene::Entity const & e : scene.Entities()) {
            if (!Labelled(scene, e, camera))
                continue;
            g3d_Point const origin = LabelOrigin(e, camera);
            glPushMatrix();
            glTranslatef(origin.x, static_cast<float>(camera.Height()) - origin.y, 0);
            for (unsigned char c : e.name) {
                Glyph const & glyph = LabelGlyph(c);
                glCallList(pass == 0 ? glyph.outline : glyph.fill);
                glTranslatef(glyph.advance, 0, 0);
            }
            glPopMatrix();
        }
    }
}

void ScenePainter::DrawBitmapText(std::string const & text, int x, int y)
{
    unsigned const font = fonts.Overlay();
    if (font == fsp_FontServer::noFont)
        return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glWindowPos2i(x, y);
    for (unsigned char c : text) {
        g3d_Bitmap const & glyph = Server().GetBitmap(font, c);
        glBitmap(glyph.HasPixels() ? glyph.Width() : 0, glyph.HasPixels() ? glyph.Height() : 0, -glyph.xOffset,
                 glyph.yOffset, glyph.xAdvance, 0, glyph.HasPixels() ? glyph.Pixels().data() : nullptr);
    }
}

void ScenePainter::DrawOverlay(Camera const & camera, Frame const & frame)
{
    glColor3f(0.1f, 0.1f, 0.1f);
    DrawBitmapText(frame.echo, 8, camera.Height() - 18);
    DrawBitmapText(frame.pointer, 8, 8);
}
