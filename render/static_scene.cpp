#include "render/static_scene.h"

#include <GL/freeglut.h>

#include "render/field_arrow.h"

namespace {

constexpr GLfloat plane_grey = 0.745f;

struct Quad {
    GLfloat v[4][3];
};

// Two strips of the plane of incidence (|x| <= 0.68, 0.7 <= |z| <= 3.88) and the interface.
constexpr Quad interface_quads[] = {
    {{{0.68f, 0.0f, 3.88f}, {-0.68f, 0.0f, 3.88f}, {-0.68f, 0.0f, 0.7f}, {0.68f, 0.0f, 0.7f}}},
    {{{0.68f, 0.0f, -3.88f}, {-0.68f, 0.0f, -3.88f}, {-0.68f, 0.0f, -0.7f}, {0.68f, 0.0f, -0.7f}}},
    {{{-3.0f, 3.0f, 0.0f}, {-3.0f, -3.0f, 0.0f}, {3.0f, -3.0f, 0.0f}, {3.0f, 3.0f, 0.0f}}},
};

constexpr double axis_shaft_length = 0.35;

void draw_axis_shaft() {
    gluCylinder(scene_quadric(), 0.0175, 0.0175, axis_shaft_length, 20, 16);
}
void draw_axis_tip() {
    glutSolidCone(0.04, 0.15, 20, 16);
}

struct AxisLabel {
    const char* text;
    GLfloat x, y, z;
    GLfloat turn_about_z;  // degrees
    void* font;
};

void draw_label(const AxisLabel& label) {
    glPushMatrix();
    glTranslatef(label.x, label.y, label.z);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(label.turn_about_z, 0.0f, 0.0f, 1.0f);
    glScalef(0.001f, 0.001f, 0.001f);
    for (const char* c = label.text; *c != '\0'; ++c) glutStrokeCharacter(label.font, *c);
    glPopMatrix();
}

}  // namespace

// The planes are lit like glass facing the light in the start view. Their geometric normals
// would light them to almost exactly the grey of the background there, so that they vanished.
constexpr GLfloat plane_normal[3] = {0.679f, 0.524f, 0.514f};  // scene axes, unit length

void draw_interface_planes() {
    glColor4f(plane_grey, plane_grey, plane_grey, 0.3f);
    glNormal3fv(plane_normal);
    for (const Quad& quad : interface_quads) {
        glBegin(GL_QUADS);
        for (const auto& v : quad.v) glVertex3f(v[0], v[1], v[2]);
        glEnd();
    }
}

void draw_axes() {
    glDisable(GL_LIGHTING);
    glColor4f(plane_grey, plane_grey, plane_grey, 0.3f);
    // Cylinders and cones are built along local +z: turn +z onto each axis.
    glPushMatrix();
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    draw_axis_shaft();
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0.35f, 0.0f, 0.0f);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    draw_axis_tip();
    glPopMatrix();

    glPushMatrix();
    draw_axis_shaft();
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, 0.35f);
    draw_axis_tip();
    glPopMatrix();

    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    draw_axis_shaft();
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0.0f, 0.35f, 0.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    draw_axis_tip();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

void draw_axis_labels() {
    // Lying in planes parallel to the plane of incidence, upright in the default view; "x" in
    // the proportional font, "y" and "z" in the mono-spaced one.
    const AxisLabel labels[] = {
        {"x", 0.5f, 0.0f, 0.021f, 270.0f, GLUT_STROKE_ROMAN},
        {"y", 0.0f, 0.5f, 0.01f, -90.0f, GLUT_STROKE_MONO_ROMAN},
        {"z", 0.0f, 0.0f, 0.5f, 270.0f, GLUT_STROKE_MONO_ROMAN},
    };
    glColor4f(plane_grey, plane_grey, plane_grey, 1.0f);
    for (const AxisLabel& label : labels) draw_label(label);
}
