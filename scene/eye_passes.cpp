#include "scene/eye_passes.h"

#include <algorithm>
#include <cmath>

#include "physics/interface_solver.h"
#include "scene/vec3.h"

double eye_x(int eye_index) {
    const double half_separation = 0.0375f;
    return eye_index == 0 ? -half_separation : half_separation;
}

namespace {

// Each eye's perspective: vertical field of view (degrees) and the shape of the television's
// screen, which each half is stretched to.
constexpr double field_of_view_deg = 60.0;
constexpr double television_aspect = 1.7777777777777777;

// Rotations by degrees about one axis, counter-clockwise seen from its positive end.
Vec3 rotated_about_x(Vec3 v, double degrees) {
    const double c = std::cos(degrees_to_radians(degrees)),
                 s = std::sin(degrees_to_radians(degrees));
    return {v.x, c * v.y - s * v.z, s * v.y + c * v.z};
}
Vec3 rotated_about_y(Vec3 v, double degrees) {
    const double c = std::cos(degrees_to_radians(degrees)),
                 s = std::sin(degrees_to_radians(degrees));
    return {c * v.x + s * v.z, v.y, -s * v.x + c * v.z};
}
Vec3 rotated_about_z(Vec3 v, double degrees) {
    const double c = std::cos(degrees_to_radians(degrees)),
                 s = std::sin(degrees_to_radians(degrees));
    return {c * v.x - s * v.y, s * v.x + c * v.y, v.z};
}

}  // namespace

namespace {

// The vertical field of view (degrees) that shows, in a picture of this shape, at least what a
// 16:9 picture with 60 degrees shows: tan(fov/2) = tan(30 deg) (16/9) / aspect when narrower.
double field_of_view_for(double aspect) {
    if (aspect >= television_aspect) return field_of_view_deg;
    const double half = degrees_to_radians(field_of_view_deg / 2);
    return 2 * radians_to_degrees(std::atan(std::tan(half) * television_aspect / aspect));
}

EyePass picture(double camera_x, int32_t x, int32_t width, int32_t height, double aspect,
                bool red = true, bool green_blue = true, bool clear_depth = false) {
    return {camera_x, x,          0,          width,      height, aspect, field_of_view_for(aspect),
            red,      green_blue, green_blue, clear_depth};
}

}  // namespace

std::vector<EyePass> eye_passes(StereoView view, int32_t window_width, int32_t window_height,
                                bool windowed) {
    const int32_t w = window_width, h = std::max<int32_t>(window_height, 1);
    const int32_t half = w / 2;
    const double window_aspect = double(w) / h, half_aspect = double(half) / h;
    const double left = eye_x(0), right = eye_x(1);
    switch (view) {
        case StereoView::mono:
            return {picture(0.0, 0, w, h, window_aspect)};
        case StereoView::anaglyph:  // red for the left eye, green and blue for the right
            return {picture(left, 0, w, h, window_aspect, true, false),
                    picture(right, 0, w, h, window_aspect, false, true, true)};
        case StereoView::cross:  // the right eye's picture on the left
            return {picture(right, 0, half, h, half_aspect),
                    picture(left, half, half, h, half_aspect)};
        case StereoView::sbs:
            break;
    }
    // The television stretches each half to the full width of its 16:9 screen.
    const double stretched = windowed ? window_aspect : television_aspect;
    return {picture(left, 0, half, window_height, stretched),
            picture(right, half, half, window_height, stretched)};
}

EyePass beside_panels(const EyePass& pass, int32_t column_width) {
    EyePass scene = pass;
    scene.width = std::max<int32_t>(1, pass.width - column_width);
    scene.aspect = pass.aspect * scene.width / pass.width;
    scene.field_of_view_deg = field_of_view_for(scene.aspect);
    return scene;
}

std::optional<SceneCamera> camera_in_scene(const ViewState& view, const EyePass& pass) {
    if (!(view.zoom != 0.0f) || !std::isfinite(view.zoom)) return std::nullopt;
    // The inverse of set_model_transform, step by step from the last translation back.
    Vec3 p{pass.camera_x, 0.0, 5.0};
    p = p - Vec3{view.pan_x, double(-0.15f) + view.pan_y, -1.0};
    p = rotated_about_y(p, -view.yaw);
    p = rotated_about_x(p, -view.pitch);
    p = rotated_about_y(p, -96.0);
    p = rotated_about_z(p, -100.0);
    return SceneCamera{
        (1.0 / view.zoom) * p,
        near_plane_reach(pass.field_of_view_deg, pass.aspect, near_plane) / view.zoom};
}

Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 c{};
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + row] * b.m[col * 4 + k];
            c.m[col * 4 + row] = sum;
        }
    }
    return c;
}

Mat4 translation(double x, double y, double z) {
    return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}};
}

Mat4 rotation(double degrees, double x, double y, double z) {
    const double n = std::sqrt(x * x + y * y + z * z);
    x /= n;
    y /= n;
    z /= n;
    const double a = degrees_to_radians(degrees), c = std::cos(a), s = std::sin(a), t = 1 - c;
    return {{t * x * x + c, t * x * y + s * z, t * x * z - s * y, 0,  //
             t * x * y - s * z, t * y * y + c, t * y * z + s * x, 0,  //
             t * x * z + s * y, t * y * z - s * x, t * z * z + c, 0,  //
             0, 0, 0, 1}};
}

Mat4 scaling(double s) {
    return {{s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1}};
}

Mat4 projection_matrix(const EyePass& pass) {
    // f = cot(fov / 2); depth mapped from [near, far] onto [-1, 1].
    const double f = 1.0 / std::tan(degrees_to_radians(pass.field_of_view_deg) / 2);
    const double n = near_plane, fa = far_plane;
    const Mat4 perspective{{f / pass.aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, (fa + n) / (n - fa), -1, 0,
                            0, 2 * fa * n / (n - fa), 0}};
    // Looking from e = (camera_x, 0, 5) at the origin: forward f = -e / |e|, side s = f x up,
    // up' = s x f.
    const Vec3 e{pass.camera_x, 0.0, 5.0};
    const double len = std::sqrt(dot(e, e));
    const Vec3 fw{-e.x / len, -e.y / len, -e.z / len};
    Vec3 side{-fw.z, 0.0, fw.x};  // fw x (0, 1, 0)
    const double side_len = std::sqrt(dot(side, side));
    side = Vec3{side.x / side_len, side.y / side_len, side.z / side_len};
    const Vec3 up{side.y * fw.z - side.z * fw.y, side.z * fw.x - side.x * fw.z,
                  side.x * fw.y - side.y * fw.x};
    const Mat4 look{{side.x, up.x, -fw.x, 0, side.y, up.y, -fw.y, 0, side.z, up.z, -fw.z, 0,  //
                     -dot(side, e), -dot(up, e), dot(fw, e), 1}};
    return perspective * look;
}

Mat4 model_matrix(const ViewState& v) {
    return translation(0, 0, -1) * translation(0, double(-0.15f), 0) * translation(v.pan_x, 0, 0) *
           translation(0, v.pan_y, 0) * rotation(v.yaw, 0, 1, 0) * rotation(v.pitch, 1, 0, 0) *
           rotation(96, 0, 1, 0) * rotation(100, 0, 0, 1) * scaling(v.zoom);
}
