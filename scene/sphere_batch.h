// The polarisation trace spheres, drawn as one batch per trace: triangle lists with the
// tessellation of a GLU sphere, from which the triangles that cannot show are left out.
#pragma once

#include <vector>

#include "scene/vec3.h"
#include "scene/visibility.h"

inline constexpr double trace_sphere_radius = 0.02;  // scene units
inline constexpr int trace_sphere_slices = 26;
inline constexpr int trace_sphere_stacks = 13;

// The unit sphere of GLU's tessellation (slices around z, stacks from pole to pole: a fan at
// each pole, quads between): the two poles (+z, -z), then the rings from +z down.
struct UnitSphere {
    std::vector<Vec3> points;
    std::vector<unsigned> indices;  // three per triangle, counter-clockwise seen from outside
    // Per triangle, the plane n . p = offset that it lies in (n outwards, not normalised).
    std::vector<Vec3> face_normals;
    std::vector<double> face_offsets;
    // Distance from the centre to the nearest face plane: the ball of this radius lies inside
    // the tessellated sphere.
    double inradius = 0.0;
    // The normal of the last vertex a GLU sphere sends, which stays OpenGL's current normal
    // after it: what lights the lines drawn next.
    Vec3 last_glu_normal{0.0, 0.0, 1.0};
};
UnitSphere unit_sphere(int slices, int stacks);

struct SphereBatch {
    std::vector<float> vertices;  // x, y, z per vertex, scene units
    std::vector<float> normals;   // unit, per vertex
    // Three per triangle. Triangles of spheres that the camera sees whole are drawn with back
    // faces culled; those of spheres that the near plane may cut open are drawn with both
    // faces, so that their inside shows through the cut.
    std::vector<unsigned> closed_indices;
    std::vector<unsigned> open_indices;

    // Empties the batch for the next trace; the vectors keep their capacity.
    void clear() {
        vertices.clear();
        normals.clear();
        closed_indices.clear();
        open_indices.clear();
    }
};

// Appends the spheres of one trace, in the order of their centres. With a camera, three kinds
// of triangle of the spheres it sees whole are left out because no pixel of them can show:
// those that face away from the camera (the sphere's near half hides them), those of a sphere
// that repeats an earlier one exactly (the depth test would reject all of it), and, while no
// sphere of the trace can be cut open, those whose three corners lie inside the inscribed ball
// of another sphere of the trace, shrunk by a hundredth of the radius (so the whole triangle
// lies inside that sphere). No triangle of the surface of the union of the spheres is ever
// left out, and that surface hides everything that is. Without a camera every triangle is
// kept, as an open one.
void append_trace(SphereBatch& batch, const UnitSphere& unit, const std::vector<Vec3>& centres,
                  double radius, const SceneCamera* camera = nullptr);
