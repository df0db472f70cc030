#include "Scene.h"

#include <algorithm>

namespace {

float Dot(Vec3 const & a, Vec3 const & b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Scene::Entity Flat(char const * name, Scene::Kind kind, float x0, float y0, float x1, float y1)
{
    return {name, kind, {{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}}, {0, 0, 1}, {}, false};
}

// The block standing on (0, 70) to (30, 90), 20 high. Its top edges outline
// it on the plan, so they come first among the edges, as Edge1 to Edge4.
void AddBlock(std::vector<Scene::Entity> & entities)
{
    Vec3 const b[4] = {{0, 70, 0}, {30, 70, 0}, {30, 90, 0}, {0, 90, 0}};
    Vec3 const t[4] = {{0, 70, 20}, {30, 70, 20}, {30, 90, 20}, {0, 90, 20}};
    int const first = static_cast<int>(entities.size());
    enum { top, bottom, front, back, left, right };
    using K = Scene::Kind;
    // Corners counter-clockwise seen from outside.
    entities.push_back({"Face3", K::Face, {t[0], t[1], t[2], t[3]}, {0, 0, 1}, {}, true});
    entities.push_back({"Face4", K::Face, {b[0], b[3], b[2], b[1]}, {0, 0, -1}, {}, true});
    entities.push_back({"Face5", K::Face, {b[0], b[1], t[1], t[0]}, {0, -1, 0}, {}, true});
    entities.push_back({"Face6", K::Face, {b[2], b[3], t[3], t[2]}, {0, 1, 0}, {}, true});
    entities.push_back({"Face7", K::Face, {b[3], b[0], t[0], t[3]}, {-1, 0, 0}, {}, true});
    entities.push_back({"Face8", K::Face, {b[1], b[2], t[2], t[1]}, {1, 0, 0}, {}, true});
    struct Side {
        Vec3 from, to;
        int faceA, faceB;
    };
    Side const edges[12] = {
        {t[0], t[1], top, front},    {t[1], t[2], top, right},    {t[3], t[2], top, back},
        {t[0], t[3], top, left},     {b[0], b[1], bottom, front}, {b[1], b[2], bottom, right},
        {b[3], b[2], bottom, back},  {b[0], b[3], bottom, left},  {b[0], t[0], front, left},
        {b[1], t[1], front, right},  {b[2], t[2], right, back},   {b[3], t[3], back, left},
    };
    for (int i = 0; i < 12; ++i)
        entities.push_back({"Edge" + std::to_string(i + 1), K::Edge, {edges[i].from, edges[i].to}, {},
                            {first + edges[i].faceA, first + edges[i].faceB}, false});
    int const sides[4][2] = {{front, left}, {front, right}, {right, back}, {back, left}};
    for (int i = 0; i < 4; ++i)
        entities.push_back({"Vertex" + std::to_string(i + 1), K::Vertex, {t[i]}, {},
                            {first + top, first + sides[i][0], first + sides[i][1]}, false});
    for (int i = 0; i < 4; ++i)
        entities.push_back({"Vertex" + std::to_string(i + 5), K::Vertex, {b[i]}, {},
                            {first + bottom, first + sides[i][0], first + sides[i][1]}, false});
}

std::vector<Scene::Entity> SamplePart()
{
    using K = Scene::Kind;
    std::vector<Scene::Entity> entities = {
        // Sketch2 and Sketch3 overlap between (40, 10) and (50, 20): a click
        // there is ambiguous.
        Flat("Sketch1", K::Profile, 0, 0, 20, 10),
        Flat("Sketch2", K::Profile, 30, 0, 50, 20),
        Flat("Sketch3", K::Profile, 40, 10, 60, 30),
        Flat("Face1", K::Face, 0, 40, 30, 60),
        Flat("Face2", K::Face, 35, 40, 60, 60),
    };
    AddBlock(entities);
    entities.push_back({"Point1", K::Point, {{45, 80, 0}}, {}, {}, false});
    entities.push_back({"Point2", K::Point, {{55, 85, 10}}, {}, {}, false});
    entities.push_back({"Point3", K::Point, {{60, 72, 0}}, {}, {}, false});
    return entities;
}

std::vector<g3d_Point> Projected(Scene::Entity const & e, Scene::View const & view)
{
    std::vector<g3d_Point> shape;
    shape.reserve(e.corners.size());
    for (Vec3 const & c : e.corners)
        shape.push_back(view.Project(c));
    return shape;
}

void Ordered(g3d_Point const & a, g3d_Point const & b, float & x0, float & y0, float & x1, float & y1)
{
    x0 = std::min(a.x, b.x);
    x1 = std::max(a.x, b.x);
    y0 = std::min(a.y, b.y);
    y1 = std::max(a.y, b.y);
}

// Separating axes: the box's two and the normal of each side of the convex
// `shape` (a polygon, a segment or a point). Touching counts as overlapping.
bool Overlaps(std::vector<g3d_Point> const & shape, float x0, float y0, float x1, float y1)
{
    g3d_Point const box[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    auto separated = [&](float ax, float ay) {
        float smin = 0, smax = 0, bmin = 0, bmax = 0;
        for (std::size_t i = 0; i < shape.size(); ++i) {
            float const d = shape[i].x * ax + shape[i].y * ay;
            smin = i ? std::min(smin, d) : d;
            smax = i ? std::max(smax, d) : d;
        }
        for (int i = 0; i < 4; ++i) {
            float const d = box[i].x * ax + box[i].y * ay;
            bmin = i ? std::min(bmin, d) : d;
            bmax = i ? std::max(bmax, d) : d;
        }
        return smax < bmin || bmax < smin;
    };
    if (shape.empty() || separated(1, 0) || separated(0, 1))
        return false;
    for (std::size_t i = 0; shape.size() > 1 && i < shape.size(); ++i) {
        g3d_Point const & a = shape[i];
        g3d_Point const & b = shape[(i + 1) % shape.size()];
        float const nx = a.y - b.y;
        float const ny = b.x - a.x;
        if ((nx != 0 || ny != 0) && separated(nx, ny))
            return false;
    }
    return true;
}

// Even-odd rule.
bool InPolygon(cow_1DArrayList<g3d_Point, g3d_Point> const & polygon, float x, float y)
{
    bool inside = false;
    int const n = polygon.Size();
    for (int i = 0, j = n - 1; i < n; j = i++) {
        g3d_Point const & a = polygon.ConstGet(i);
        g3d_Point const & b = polygon.ConstGet(j);
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

}  // namespace

g3d_Point Scene::View::Project(Vec3 const & p) const
{
    Vec3 const d{p.x - origin.x, p.y - origin.y, p.z - origin.z};
    return g3d_Point(Dot(d, right), Dot(d, up));
}

Scene::Scene() : Scene(SamplePart()) {}

Scene::Scene(std::vector<Entity> entities) : entities(std::move(entities)), highlighted(this->entities.size()) {}

bool Scene::Visible(Entity const & e, View const & view) const
{
    if (e.ofSolid)
        return Dot(e.normal, view.toward) > 1e-6f;
    if (e.faces.empty())
        return true;
    return std::any_of(e.faces.begin(), e.faces.end(),
                       [&](int face) { return Visible(entities[static_cast<std::size_t>(face)], view); });
}

std::vector<Scene::Entity const *> Scene::Touching(Kind kind, View const & view, g3d_Point const & corner0,
                                                   g3d_Point const & corner1) const
{
    float x0, y0, x1, y1;
    Ordered(corner0, corner1, x0, y0, x1, y1);
    std::vector<Entity const *> found;
    for (Entity const & e : entities)
        if (e.kind == kind && Visible(e, view) && Overlaps(Projected(e, view), x0, y0, x1, y1))
            found.push_back(&e);
    return found;
}

std::vector<Scene::Entity const *> Scene::Inside(Kind kind, View const & view, g3d_Point const & corner0,
                                                 g3d_Point const & corner1) const
{
    float x0, y0, x1, y1;
    Ordered(corner0, corner1, x0, y0, x1, y1);
    std::vector<Entity const *> found;
    for (Entity const & e : entities) {
        if (e.kind != kind || !Visible(e, view))
            continue;
        std::vector<g3d_Point> const shape = Projected(e, view);
        if (std::all_of(shape.begin(), shape.end(),
                        [&](g3d_Point const & p) { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }))
            found.push_back(&e);
    }
    return found;
}

std::vector<Scene::Entity const *> Scene::Inside(Kind kind, View const & view,
                                                 cow_1DArrayList<g3d_Point, g3d_Point> const & polygon) const
{
    std::vector<Entity const *> found;
    for (Entity const & e : entities) {
        if (e.kind != kind || !Visible(e, view) || e.corners.empty())
            continue;
        float cx = 0, cy = 0;
        for (g3d_Point const & p : Projected(e, view)) {
            cx += p.x;
            cy += p.y;
        }
        float const n = static_cast<float>(e.corners.size());
        if (InPolygon(polygon, cx / n, cy / n))
            found.push_back(&e);
    }
    return found;
}

void Scene::SetHighlight(Entity const & entity, bool on)
{
    highlighted[static_cast<std::size_t>(&entity - entities.data())] = on;
}

bool Scene::Highlighted(Entity const & entity) const
{
    return highlighted[static_cast<std::size_t>(&entity - entities.data())];
}

void Scene::ClearHighlights()
{
    highlighted.assign(entities.size(), false);
}

std::string Scene::AddFeature(std::string const & base, std::string const & description)
{
    std::string const name = base + std::to_string(++featureCounts[base]);
    features.push_back(name + ": " + description);
    return name;
}

char const * KindName(Scene::Kind kind)
{
    switch (kind) {
    case Scene::Kind::Profile:
        return "profile";
    case Scene::Kind::Face:
        return "face";
    case Scene::Kind::Edge:
        return "edge";
    case Scene::Kind::Vertex:
        return "vertex";
    case Scene::Kind::Point:
        return "point";
    }
    return "";
}
