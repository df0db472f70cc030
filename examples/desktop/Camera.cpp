#include "Camera.h"

#include <algorithm>
#include <cmath>

namespace {

float const degree = 3.14159265f / 180.0f;
Vec3 const sampleCentre{30.0f, 45.0f, 5.0f};

}  // namespace

Camera::Camera()
{
    Reset();
}

void Camera::Reset()
{
    target = sampleCentre;
    azimuth = -60.0f;
    elevation = 35.0f;
    scale = 6.0f;
}

void Camera::Resize(int w, int h)
{
    width = std::max(1, w);
    height = std::max(1, h);
}

void Camera::Orbit(float dx, float dy)
{
    azimuth = std::fmod(azimuth + dx, 360.0f);
    // Straight above or below the up direction of the screen is undefined.
    elevation = std::clamp(elevation + dy, -89.0f, 89.0f);
}

void Camera::Zoom(float factor)
{
    scale = std::clamp(scale * factor, 0.5f, 100.0f);
}

Scene::View Camera::View() const
{
    Scene::View view = Axes();
    float const k = scale / pixelsPerUnit;
    view.right = {view.right.x * k, view.right.y * k, view.right.z * k};
    view.up = {view.up.x * k, view.up.y * k, view.up.z * k};
    return view;
}

Scene::View Camera::Axes() const
{
    float const a = azimuth * degree;
    float const e = elevation * degree;
    Scene::View view;
    view.toward = {std::cos(e) * std::cos(a), std::cos(e) * std::sin(a), std::sin(e)};
    view.right = {-std::sin(a), std::cos(a), 0.0f};
    // up = toward x right
    Vec3 const & t = view.toward;
    Vec3 const & r = view.right;
    view.up = {t.y * r.z - t.z * r.y, t.z * r.x - t.x * r.z, t.x * r.y - t.y * r.x};
    view.origin = target;
    return view;
}

g3d_Point Camera::ToPixel(g3d_Point const & view) const
{
    return g3d_Point(width / 2.0f + view.x * pixelsPerUnit, height / 2.0f - view.y * pixelsPerUnit);
}

g3d_Point Camera::FromPixel(float pixelX, float pixelY) const
{
    return g3d_Point((pixelX - width / 2.0f) / pixelsPerUnit, (height / 2.0f - pixelY) / pixelsPerUnit);
}
