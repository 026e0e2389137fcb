// The one solid arrow that draws every field vector: a round shaft and a conical head, both
// GLU cylinders, whose thickness grows with the length.
#pragma once

#include <GL/glu.h>

#include <optional>

#include "render/field_geometry.h"

// The GLU quadric, in its default state, that every cylinder and sphere of the scene shares.
GLUquadric* scene_quadric();

// The camera of the eye being drawn. With none, every solid is drawn whole; with one, faces
// that cannot show are left out.
void set_eye_camera(std::optional<SceneCamera> camera);
const SceneCamera* eye_camera();

// Draws an arrow from start to end (scene units) in the current colour, with face culling off
// as the scene leaves it, and leaves it off. Nothing is drawn when a coordinate is not finite.
void draw_field_arrow(Vec3 start, Vec3 end);

// Sets the current colour.
inline void set_colour(Rgb c) {
    glColor3f(c.r, c.g, c.b);
}
