#include "Scene.h"

#include <algorithm>

Scene::Scene()
    : entities{
          // Sketch2 and Sketch3 overlap between (40, 10) and (50, 20): a click
          // there is ambiguous.
          {"Sketch1", Kind::Profile, 0, 0, 20, 10},
          {"Sketch2", Kind::Profile, 30, 0, 50, 20},
          {"Sketch3", Kind::Profile, 40, 10, 60, 30},
          {"Face1", Kind::Face, 0, 40, 30, 60},
          {"Face2", Kind::Face, 35, 40, 60, 60},
          // The outline of Block1; its corners touch two edges each.
          {"Edge1", Kind::Edge, 0, 70, 30, 70},
          {"Edge2", Kind::Edge, 30, 70, 30, 90},
          {"Edge3", Kind::Edge, 0, 90, 30, 90},
          {"Edge4", Kind::Edge, 0, 70, 0, 90},
      }
{
}

namespace {

void Ordered(g3d_Point const & a, g3d_Point const & b, float & x0, float & y0, float & x1, float & y1)
{
    x0 = std::min(a.x, b.x);
    x1 = std::max(a.x, b.x);
    y0 = std::min(a.y, b.y);
    y1 = std::max(a.y, b.y);
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

std::vector<Scene::Entity const *> Scene::Touching(Kind kind, g3d_Point const & corner0,
                                                   g3d_Point const & corner1) const
{
    float x0, y0, x1, y1;
    Ordered(corner0, corner1, x0, y0, x1, y1);
    std::vector<Entity const *> found;
    for (Entity const & e : entities)
        if (e.kind == kind && e.x0 <= x1 && e.x1 >= x0 && e.y0 <= y1 && e.y1 >= y0)
            found.push_back(&e);
    return found;
}

std::vector<Scene::Entity const *> Scene::Inside(Kind kind, g3d_Point const & corner0,
                                                 g3d_Point const & corner1) const
{
    float x0, y0, x1, y1;
    Ordered(corner0, corner1, x0, y0, x1, y1);
    std::vector<Entity const *> found;
    for (Entity const & e : entities)
        if (e.kind == kind && e.x0 >= x0 && e.x1 <= x1 && e.y0 >= y0 && e.y1 <= y1)
            found.push_back(&e);
    return found;
}

std::vector<Scene::Entity const *> Scene::Inside(Kind kind,
                                                 cow_1DArrayList<g3d_Point, g3d_Point> const & polygon) const
{
    std::vector<Entity const *> found;
    for (Entity const & e : entities)
        if (e.kind == kind && InPolygon(polygon, (e.x0 + e.x1) / 2, (e.y0 + e.y1) / 2))
            found.push_back(&e);
    return found;
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
    }
    return "";
}
