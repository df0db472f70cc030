// A homogeneous point of the graphics layer.
#ifndef G3D_POINT_H
#define G3D_POINT_H

struct g3d_Point {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    g3d_Point() = default;
    g3d_Point(float x_, float y_, float z_ = 0.0f, float w_ = 1.0f) : x(x_), y(y_), z(z_), w(w_) {}

    bool operator==(g3d_Point const & o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
    bool operator!=(g3d_Point const & o) const { return !(*this == o); }
};

#endif
