#include "render/stereo_frame.h"

#include <GL/freeglut.h>

#include <cmath>

#include "app/shared_state.h"
#include "render/field_scene.h"
#include "render/static_scene.h"

double eye_x(int eye_index) {
    const double half_separation = 0.0375f;
    return eye_index == 0 ? -half_separation : half_separation;
}

namespace {

// Each eye's perspective: vertical field of view (degrees), aspect, near and far planes (world
// units).
constexpr double field_of_view_deg = 60.0;
constexpr double aspect = 1.7777777777777777;
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

std::optional<SceneCamera> camera_in_scene(const ViewState& view, int eye_index) {
    if (!(view.zoom != 0.0f) || !std::isfinite(view.zoom)) return std::nullopt;
    // The inverse of set_model_transform, step by step from the last translation back.
    Vec3 p{eye_x(eye_index), 0.0, 5.0};
    p = p - Vec3{view.pan_x, double(-0.15f) + view.pan_y, -1.0};
    p = rotated_about_y(p, -view.yaw);
    p = rotated_about_x(p, -view.pitch);
    p = rotated_about_y(p, -96.0);
    p = rotated_about_z(p, -100.0);
    return SceneCamera{(1.0 / view.zoom) * p,
                       near_plane_reach(field_of_view_deg, aspect, near_plane) / view.zoom};
}

namespace {

void set_eye_viewport_and_camera(int eye_index) {
    const GLsizei half_width = g_screen.window_width / 2;
    glViewport(eye_index == 0 ? 0 : half_width, 0, half_width, g_screen.window_height);

    // 16:9 whatever the half's own shape: the television stretches each half to full width.
    // Both eyes look at the origin; the camera sits in the projection so that the modelview
    // holds only the model transform and the light stays fixed in the cameras' frame.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(field_of_view_deg, aspect, near_plane, far_plane);
    gluLookAt(eye_x(eye_index), 0.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
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

void draw_stereo_frame(void (*draw_fields)()) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    solve_interface();

    for (int eye_index = 0; eye_index < 2; ++eye_index) {
        set_eye_viewport_and_camera(eye_index);
        set_model_transform();
        set_eye_camera(camera_in_scene(g_view, eye_index));
        draw_fields();
        glPushMatrix();
        glTranslatef(1.08f, 0.0f, 0.0f);
        draw_axes();
        draw_axis_labels();
        glPopMatrix();
        // Last, so that the translucent planes tint everything behind them.
        draw_interface_planes();
    }
    glFlush();
    glutSwapBuffers();
}

void on_display() {
    draw_stereo_frame(draw_field_scene);
}
