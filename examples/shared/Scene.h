// The model the sample modes work on: sketches on the ground to extrude,
// faces to extrude up to, a block whose faces, edges and vertices can be
// picked, a few reference points, and the features the modes have created.
//
// Picking works in the coordinates of a view: a model point lands at
// (right . p, up . p) relative to the view's origin. Seen along a view only
// what faces the viewer can be picked: a face turned towards it, an edge or a
// vertex of such a face; sketches, separate faces and points always. The
// console looks from straight above, where the model is the plan it shows.
#ifndef SCENE_H
#define SCENE_H

#include <map>
#include <string>
#include <vector>

#include "cow_1DArrayList.h"
#include "g3d_Point.h"

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

class Scene {
public:
    enum class Kind { Profile, Face, Edge, Vertex, Point };

    struct Entity {
        std::string name;
        Kind kind;
        // A profile or face: its corners in order; an edge: its two ends; a
        // vertex or point: where it is.
        std::vector<Vec3> corners;
        // Faces: pointing out of the solid. Profiles and separate faces: up.
        Vec3 normal;
        // Edges and vertices of the block: indices of the faces they bound.
        std::vector<int> faces;
        // A face of the block, seen only from outside; other faces show both sides.
        bool ofSolid = false;
    };

    // An orthographic view: unit vectors across and up the screen and
    // towards the viewer, and the model point at view coordinates (0, 0).
    struct View {
        Vec3 right{1, 0, 0};
        Vec3 up{0, 1, 0};
        Vec3 toward{0, 0, 1};
        Vec3 origin{};

        g3d_Point Project(Vec3 const & p) const;
    };

    // The sample part.
    Scene();
    explicit Scene(std::vector<Entity> entities);

    // From straight above: view coordinates are the model's x and y.
    static View TopView() { return View{}; }

    std::vector<Entity> const & Entities() const { return entities; }
    std::vector<std::string> const & Features() const { return features; }

    bool Visible(Entity const & entity, View const & view) const;

    // Visible entities of `kind` touching the box from corner0 to corner1.
    std::vector<Entity const *> Touching(Kind kind, View const & view, g3d_Point const & corner0,
                                         g3d_Point const & corner1) const;
    // Visible entities of `kind` lying wholly inside the box.
    std::vector<Entity const *> Inside(Kind kind, View const & view, g3d_Point const & corner0,
                                       g3d_Point const & corner1) const;
    // Visible entities of `kind` whose centre lies inside the polygon (or circle).
    std::vector<Entity const *> Inside(Kind kind, View const & view,
                                       cow_1DArrayList<g3d_Point, g3d_Point> const & polygon) const;

    // Picking shows what it took; a front end draws the highlighted entities
    // in their own colour.
    void SetHighlight(Entity const & entity, bool on);
    bool Highlighted(Entity const & entity) const;
    void ClearHighlights();

    // Names and records a new feature: "<base><n>", numbered per base.
    std::string AddFeature(std::string const & base, std::string const & description);

private:
    std::vector<Entity> entities;
    std::vector<bool> highlighted;
    std::vector<std::string> features;
    std::map<std::string, int> featureCounts;
};

char const * KindName(Scene::Kind kind);

#endif
