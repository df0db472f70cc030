// The model the sample modes work on, seen from above: sketches to extrude,
// faces to extrude up to, edges to round, each an axis-aligned box in the
// viewport's coordinates (an edge is a box of zero width or height), and the
// features the modes have created.
#ifndef SCENE_H
#define SCENE_H

#include <map>
#include <string>
#include <vector>

#include "cow_1DArrayList.h"
#include "g3d_Point.h"

class Scene {
public:
    enum class Kind { Profile, Face, Edge };

    struct Entity {
        std::string name;
        Kind kind;
        float x0, y0, x1, y1;
    };

    // The sample part.
    Scene();

    std::vector<Entity> const & Entities() const { return entities; }
    std::vector<std::string> const & Features() const { return features; }

    // Entities of `kind` touching the box from (x0, y0) to (x1, y1).
    std::vector<Entity const *> Touching(Kind kind, g3d_Point const & corner0, g3d_Point const & corner1) const;
    // Entities of `kind` lying wholly inside the box.
    std::vector<Entity const *> Inside(Kind kind, g3d_Point const & corner0, g3d_Point const & corner1) const;
    // Entities of `kind` whose centre lies inside the polygon (or circle).
    std::vector<Entity const *> Inside(Kind kind, cow_1DArrayList<g3d_Point, g3d_Point> const & polygon) const;

    // Names and records a new feature: "<base><n>", numbered per base.
    std::string AddFeature(std::string const & base, std::string const & description);

private:
    std::vector<Entity> entities;
    std::vector<std::string> features;
    std::map<std::string, int> featureCounts;
};

char const * KindName(Scene::Kind kind);

#endif
