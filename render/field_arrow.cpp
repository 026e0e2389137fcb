#include "render/field_arrow.h"

GLUquadric* scene_quadric() {
    static GLUquadric* const quadric = gluNewQuadric();
    return quadric;
}

namespace {
std::optional<SceneCamera> camera_of_eye;
}

void set_eye_camera(std::optional<SceneCamera> camera) {
    camera_of_eye = camera;
}

const SceneCamera* eye_camera() {
    return camera_of_eye ? &*camera_of_eye : nullptr;
}

void draw_field_arrow(Vec3 start, Vec3 end) {
    if (!is_finite(start) || !is_finite(end)) return;
    const ArrowGeometry arrow = field_arrow_geometry(start, end);
    const double length = arrow.length;
    // Inner faces that cannot show are left to back-face culling: the software renderer's time
    // goes per triangle. The head's are hidden only if the shaft's are.
    const ArrowInnerFaces inner = arrow_inner_faces(start, arrow, eye_camera());
    if (inner.shaft_hidden) glEnable(GL_CULL_FACE);

    // Shaft: 0.7 of the length, radius 0.035 of it; no end caps.
    glPushMatrix();
    glTranslated(start.x, start.y, start.z);
    glMultMatrixd(arrow.orientation);
    gluCylinder(scene_quadric(), 0.035 * length, 0.035 * length, 0.7 * length, 20, 16);
    glPopMatrix();
    if (inner.shaft_hidden && !inner.head_hidden) glDisable(GL_CULL_FACE);

    // Head: a cone over the last 0.3 of the length, base radius 0.08 of it, ending at end.
    glPushMatrix();
    glTranslated(arrow.head_base.x, arrow.head_base.y, arrow.head_base.z);
    glMultMatrixd(arrow.orientation);
    gluCylinder(scene_quadric(), 0.08 * length, 0.0, 0.3 * length, 20, 16);
    glPopMatrix();
    if (inner.head_hidden) glDisable(GL_CULL_FACE);
}
