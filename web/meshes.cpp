#include "web/meshes.h"

#include <cmath>

namespace {

constexpr double two_pi = 6.283185307179586;

void put(std::vector<float>& v, float x, float y, float z) {
    v.push_back(x);
    v.push_back(y);
    v.push_back(z);
}

}  // namespace

Mesh glu_cylinder(double base, double top, double height, int slices, int stacks) {
    Mesh mesh;
    // In single precision, as GLU computes it: the side's normal leans by the radius' change.
    const float delta = float(base - top);
    const float length = std::sqrt(delta * delta + float(height) * float(height));
    const float xy_ratio = float(height) / length, z_normal = delta / length;
    std::vector<float> sines(size_t(slices) + 1), cosines(size_t(slices) + 1);
    for (int i = 0; i < slices; ++i) {
        const double angle = two_pi * i / slices;
        sines[size_t(i)] = float(std::sin(angle));
        cosines[size_t(i)] = float(std::cos(angle));
    }
    sines[size_t(slices)] = sines[0];
    cosines[size_t(slices)] = cosines[0];
    mesh.strip_length = 2 * (slices + 1);
    for (int j = 0; j < stacks; ++j) {
        const float z_low = float(j * height / stacks), z_high = float((j + 1) * height / stacks);
        const float r_low = float(base) - delta * (float(j) / float(stacks));
        const float r_high = float(base) - delta * (float(j + 1) / float(stacks));
        mesh.strip_starts.push_back(int(mesh.positions.size() / 3));
        for (int i = 0; i <= slices; ++i) {
            const float s = sines[size_t(i)], c = cosines[size_t(i)];
            put(mesh.positions, r_low * s, r_low * c, z_low);
            put(mesh.normals, s * xy_ratio, c * xy_ratio, z_normal);
            put(mesh.positions, r_high * s, r_high * c, z_high);
            put(mesh.normals, s * xy_ratio, c * xy_ratio, z_normal);
        }
    }
    return mesh;
}

Mesh solid_cone(double base, double height, int slices, int stacks) {
    Mesh mesh;
    // The base first: a strip that zigzags between the rim and the centre, facing -z; the sides
    // last, whose normal stays current after it.
    mesh.strip_length = 2 * (slices + 1);
    mesh.strip_starts.push_back(0);
    for (int i = slices; i >= 0; --i) {
        const double angle = two_pi * (i % slices) / slices;
        put(mesh.positions, float(base * std::sin(angle)), float(base * std::cos(angle)), 0.0f);
        put(mesh.normals, 0.0f, 0.0f, -1.0f);
        put(mesh.positions, 0.0f, 0.0f, 0.0f);
        put(mesh.normals, 0.0f, 0.0f, -1.0f);
    }
    const Mesh sides = glu_cylinder(base, 0.0, height, slices, stacks);
    const int first = int(mesh.positions.size() / 3);
    for (int start : sides.strip_starts) mesh.strip_starts.push_back(first + start);
    mesh.positions.insert(mesh.positions.end(), sides.positions.begin(), sides.positions.end());
    mesh.normals.insert(mesh.normals.end(), sides.normals.begin(), sides.normals.end());
    return mesh;
}
