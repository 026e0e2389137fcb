#include "render/field_arrow.h"

GLUquadric* scene_quadric() {
    static GLUquadric* const quadric = gluNewQuadric();
    return quadric;
}

void draw_field_arrow(Vec3 start, Vec3 end) {
    if (!is_finite(start) || !is_finite(end)) return;
    const ArrowGeometry arrow = field_arrow_geometry(start, end);
    const double length = arrow.length;

    // Shaft: 0.7 of the length, radius 0.035 of it; no end caps.
    glPushMatrix();
    glTranslated(start.x, start.y, start.z);
    glMultMatrixd(arrow.orientation);
    gluCylinder(scene_quadric(), 0.035 * length, 0.035 * length, 0.7 * length, 20, 16);
    glPopMatrix();

    // Head: a cone over the last 0.3 of the length, base radius 0.08 of it, ending at end.
    glPushMatrix();
    glTranslated(arrow.head_base.x, arrow.head_base.y, arrow.head_base.z);
    glMultMatrixd(arrow.orientation);
    gluCylinder(scene_quadric(), 0.08 * length, 0.0, 0.3 * length, 20, 16);
    glPopMatrix();
}
