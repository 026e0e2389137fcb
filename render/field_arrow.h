// The one solid arrow that draws every field vector: a round shaft and a conical head, both
// GLU cylinders, whose thickness grows with the length.
#pragma once

#include <GL/glu.h>

#include "render/field_geometry.h"

// The GLU quadric, in its default state, that every cylinder and sphere of the scene shares.
GLUquadric* scene_quadric();

// Draws an arrow from start to end (scene units) in the current colour. Nothing is drawn when
// a coordinate is not finite.
void draw_field_arrow(Vec3 start, Vec3 end);

// Sets the current colour.
inline void set_colour(Rgb c) {
    glColor3f(c.r, c.g, c.b);
}
