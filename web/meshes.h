// The solids of the scene as the desktop's GLU and toolkit tessellate them, as vertex lists for
// WebGL2: the cylinder of gluCylinder (one triangle strip per stack, the quad strips' own vertex
// order) and the solid cone of the axis tips.
#pragma once

#include <vector>

struct Mesh {
    std::vector<float> positions;   // x, y, z per vertex
    std::vector<float> normals;     // per vertex, unit, outwards
    std::vector<int> strip_starts;  // first vertex of each triangle strip
    int strip_length = 0;           // vertices per strip
};

// gluCylinder(base, top, height, slices, stacks) in a quadric's default state: built along +z
// from z = 0, smooth normals pointing outwards, no end caps.
Mesh glu_cylinder(double base, double top, double height, int slices, int stacks);

// The toolkit's solid cone: the sides of a cylinder to a point, and the base disk facing -z.
Mesh solid_cone(double base, double height, int slices, int stacks);
