#include "render/stereo_frame.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>

#include "render/curves_overlay.h"
#include "render/field_scene.h"
#include "render/readout.h"
#include "render/static_scene.h"

double eye_x(int eye_index) {
    const double half_separation = 0.0375f;
    return eye_index == 0 ? -half_separation : half_separation;
}

namespace {

// Each eye's perspective: vertical field of view (degrees), near and far planes (world units),
// and the shape of the television's screen, which each half is stretched to.
constexpr double field_of_view_deg = 60.0;
constexpr double television_aspect = 1.7777777777777777;
constexpr double near_plane = 1.0, far_plane = 30.0;

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

namespace {

void set_viewport_and_camera(const EyePass& pass) {
    glViewport(pass.x, pass.y, pass.width, pass.height);

    // Both eyes look at the origin; the camera sits in the projection so that the modelview
    // holds only the model transform and the light stays fixed in the cameras' frame.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(pass.field_of_view_deg, pass.aspect, near_plane, far_plane);
    gluLookAt(pass.camera_x, 0.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void set_model_transform() {
    const ViewState& v = g_view;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -1.0f);
    glTranslatef(0.0f, -0.15f, 0.0f);
    glTranslatef(v.pan_x, 0.0f, 0.0f);
    glTranslatef(0.0f, v.pan_y, 0.0f);
    glRotatef(v.yaw, 0.0f, 1.0f, 0.0f);
    glRotatef(v.pitch, 1.0f, 0.0f, 0.0f);
    // Scene x up the screen, z to the right, y towards the viewer.
    glRotatef(96.0f, 0.0f, 1.0f, 0.0f);
    glRotatef(100.0f, 0.0f, 0.0f, 1.0f);
    glScalef(v.zoom, v.zoom, v.zoom);
}

}  // namespace

void draw_stereo_frame(void (*draw_fields)(), bool swap) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const std::vector<EyePass> passes = eye_passes(g_presentation.view, g_screen.window_width,
                                                   g_screen.window_height, g_presentation.windowed);
    // The panels over the scene are painted into the back buffer's corner before the clear.
    std::optional<PanelRect> readout;
    if (g_presentation.readout_shown)
        readout = prepare_readout(passes.front(), g_presentation.view);
    const bool curves = g_presentation.curves != CurvesMode::off;
    if (curves) prepare_curves(passes.front(), g_presentation.view, g_presentation.curves, readout);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    solve_interface();

    for (const EyePass& pass : passes) {
        if (pass.clear_depth) glClear(GL_DEPTH_BUFFER_BIT);
        const bool masked = !(pass.red && pass.green && pass.blue);
        if (masked) glColorMask(pass.red, pass.green, pass.blue, GL_TRUE);
        set_viewport_and_camera(pass);
        set_model_transform();
        set_eye_camera(camera_in_scene(g_view, pass));
        draw_fields();
        glPushMatrix();
        glTranslatef(1.08f, 0.0f, 0.0f);
        draw_axes();
        draw_axis_labels();
        glPopMatrix();
        // Last, so that the translucent planes tint everything behind them.
        draw_interface_planes();
        // Over the scene, the same in every picture: on the screen's plane, without parallax.
        if (curves) draw_curves(pass);
        if (g_presentation.readout_shown) draw_readout(pass);
        if (masked) glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
    glFlush();
    if (swap) glutSwapBuffers();
}

void on_display() {
    draw_stereo_frame(draw_field_scene);
}
