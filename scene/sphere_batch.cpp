#include "scene/sphere_batch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "physics/interface_solver.h"

UnitSphere unit_sphere(int slices, int stacks) {
    UnitSphere sphere;
    sphere.points = {{0.0, 0.0, 1.0}, {0.0, 0.0, -1.0}};
    for (int j = 1; j < stacks; ++j) {
        const double polar = pi * j / stacks;
        for (int i = 0; i < slices; ++i) {
            const double around = two_pi * i / slices;
            sphere.points.push_back({std::sin(around) * std::sin(polar),
                                     std::cos(around) * std::sin(polar), std::cos(polar)});
        }
    }
    auto ring = [&](int j, int i) {
        return 2u + static_cast<unsigned>((j - 1) * slices + i % slices);
    };
    // Counter-clockwise seen from outside, as GLU orients its spheres, so that the far half can
    // be culled.
    for (int i = 0; i < slices; ++i) {
        sphere.indices.insert(sphere.indices.end(), {0u, ring(1, i + 1), ring(1, i)});
        for (int j = 1; j + 1 < stacks; ++j) {
            const unsigned a = ring(j, i), b = ring(j + 1, i), c = ring(j + 1, i + 1),
                           d = ring(j, i + 1);
            sphere.indices.insert(sphere.indices.end(), {a, c, b, a, d, c});
        }
        sphere.indices.insert(sphere.indices.end(),
                              {1u, ring(stacks - 1, i), ring(stacks - 1, i + 1)});
    }
    for (size_t k = 0; k < sphere.indices.size(); k += 3) {
        const Vec3 a = sphere.points[sphere.indices[k]];
        const Vec3 u = sphere.points[sphere.indices[k + 1]] - a;
        const Vec3 v = sphere.points[sphere.indices[k + 2]] - a;
        const Vec3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        sphere.face_normals.push_back(n);
        sphere.face_offsets.push_back(n.x * a.x + n.y * a.y + n.z * a.z);
    }
    // GLU sends the quad strips after both fans, each ring pair from slice 0 round to slice 0
    // again, the outer ring's vertex second; with fewer than three stacks there are only fans.
    sphere.last_glu_normal = sphere.points[ring(stacks >= 3 ? stacks - 2 : stacks - 1, 0)];
    sphere.inradius = 1.0;
    for (size_t t = 0; t < sphere.face_offsets.size(); ++t) {
        sphere.inradius = std::min(
            sphere.inradius, sphere.face_offsets[t] /
                                 std::sqrt(dot(sphere.face_normals[t], sphere.face_normals[t])));
    }
    return sphere;
}

namespace {

// Whether a triangle of a sphere faces a camera at to_camera from the sphere's centre: the
// camera lies on the outer side of the triangle's plane.
bool faces_camera(const UnitSphere& unit, size_t triangle, Vec3 to_camera, double radius) {
    // A sliver of tolerance keeps the triangles that are edge-on within rounding.
    return dot(unit.face_normals[triangle], to_camera) >
           radius * unit.face_offsets[triangle] * (1.0 - 1e-6);
}

// Writes corner n of the unit sphere, placed on the sphere about centre, at vertex and normal.
void put_corner(float*& vertex, float*& normal, Vec3 centre, double radius, Vec3 n) {
    *vertex++ = static_cast<float>(centre.x + radius * n.x);
    *vertex++ = static_cast<float>(centre.y + radius * n.y);
    *vertex++ = static_cast<float>(centre.z + radius * n.z);
    *normal++ = static_cast<float>(n.x);
    *normal++ = static_cast<float>(n.y);
    *normal++ = static_cast<float>(n.z);
}

// Appends a whole sphere to indices: its corners in the unit sphere's order, then all its
// triangles.
void append_whole_sphere(SphereBatch& batch, std::vector<unsigned>& indices, const UnitSphere& unit,
                         Vec3 centre, double radius) {
    const size_t first_float = batch.vertices.size(), first_index = indices.size();
    batch.vertices.resize(first_float + 3 * unit.points.size());
    batch.normals.resize(first_float + 3 * unit.points.size());
    float* vertex = batch.vertices.data() + first_float;
    float* normal = batch.normals.data() + first_float;
    for (const Vec3& n : unit.points) put_corner(vertex, normal, centre, radius, n);
    const auto first = static_cast<unsigned>(first_float / 3);
    indices.resize(first_index + unit.indices.size());
    unsigned* index = indices.data() + first_index;
    for (unsigned corner : unit.indices) *index++ = first + corner;
}

// Appends some triangles of a sphere to the closed ones, with only the corners they use
// (vertex_of: scratch, one entry per corner).
void append_sphere_part(SphereBatch& batch, const UnitSphere& unit, Vec3 centre, double radius,
                        const std::vector<size_t>& triangles, std::vector<unsigned>& vertex_of) {
    constexpr unsigned unused = ~0u;
    std::fill(vertex_of.begin(), vertex_of.end(), unused);
    const size_t first_float = batch.vertices.size(), first_index = batch.closed_indices.size();
    batch.vertices.resize(first_float + 3 * unit.points.size());
    batch.normals.resize(first_float + 3 * unit.points.size());
    batch.closed_indices.resize(first_index + 3 * triangles.size());
    float* vertex = batch.vertices.data() + first_float;
    float* normal = batch.normals.data() + first_float;
    unsigned* index = batch.closed_indices.data() + first_index;
    auto next = static_cast<unsigned>(first_float / 3);
    for (size_t t : triangles) {
        for (size_t k = 0; k < 3; ++k) {
            const unsigned corner = unit.indices[3 * t + k];
            if (vertex_of[corner] == unused) {
                vertex_of[corner] = next++;
                put_corner(vertex, normal, centre, radius, unit.points[corner]);
            }
            *index++ = vertex_of[corner];
        }
    }
    batch.vertices.resize(3 * size_t{next});
    batch.normals.resize(3 * size_t{next});
}

bool same_point(Vec3 a, Vec3 b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Working space of append_trace.
struct TraceScratch {
    std::vector<std::pair<double, size_t>> neighbours;  // squared distance, index
    std::vector<size_t> triangles;                      // of the sphere, still to draw
    std::vector<std::uint8_t> wanted;                   // per corner: used by one of those
    // Per corner, bit k set when it lies inside neighbour k's inscribed ball. Corner c + r n
    // lies in the ball of radius R about c' when |d + r n|^2 < R^2 with d = c - c', that is
    // when n . d < (R^2 - r^2 - |d|^2) / (2 r). A triangle whose three corners share a bit
    // lies inside that neighbour, as the ball is convex.
    std::vector<std::uint8_t> inside;
    std::vector<unsigned> vertex_of;  // per corner: its vertex in the batch
};

// Drops the triangles that lie inside one of the neighbours' inscribed balls (radius inner).
void drop_triangles_inside_neighbours(TraceScratch& w, const UnitSphere& unit, Vec3 centre,
                                      const std::vector<Vec3>& centres, double radius,
                                      double inner) {
    if (w.neighbours.empty()) return;
    // Plain pointers: the byte-wide masks could otherwise alias everything else.
    const unsigned* const corners = unit.indices.data();
    std::uint8_t* const wanted = w.wanted.data();
    std::uint8_t* const inside = w.inside.data();
    std::fill(w.wanted.begin(), w.wanted.end(), std::uint8_t{0});
    for (size_t t : w.triangles) {
        wanted[corners[3 * t]] = wanted[corners[3 * t + 1]] = wanted[corners[3 * t + 2]] = 1;
    }
    std::fill(w.inside.begin(), w.inside.end(), std::uint8_t{0});
    const size_t point_count = unit.points.size();
    const Vec3* const points = unit.points.data();
    for (size_t k = 0; k < w.neighbours.size(); ++k) {
        const Vec3 d = centre - centres[w.neighbours[k].second];
        const double limit =
            (inner * inner - radius * radius - w.neighbours[k].first) / (2 * radius);
        const auto bit = static_cast<std::uint8_t>(1u << k);
        for (size_t p = 0; p < point_count; ++p) {
            if (wanted[p] && dot(points[p], d) < limit) inside[p] |= bit;
        }
    }
    const auto hidden = [&](size_t t) {
        return (inside[corners[3 * t]] & inside[corners[3 * t + 1]] & inside[corners[3 * t + 2]]) !=
               0;
    };
    w.triangles.erase(std::remove_if(w.triangles.begin(), w.triangles.end(), hidden),
                      w.triangles.end());
}

}  // namespace

void append_trace(SphereBatch& batch, const UnitSphere& unit, const std::vector<Vec3>& centres,
                  double radius, const SceneCamera* camera) {
    if (camera == nullptr) {
        for (const Vec3& c : centres)
            append_whole_sphere(batch, batch.open_indices, unit, c, radius);
        return;
    }
    const size_t triangle_count = unit.face_offsets.size();
    TraceScratch w;
    w.wanted.resize(unit.points.size());
    w.inside.resize(unit.points.size());
    w.vertex_of.resize(unit.points.size());
    // A sphere may be hidden by the others only if none of them can be cut open.
    bool all_whole = true;
    for (const Vec3& c : centres) all_whole = all_whole && solid_seen_whole(camera, c, radius);

    // The balls are shrunk by a hundredth of the radius, so that whatever they hold lies
    // clearly behind the surface in front of it, well beyond the depth buffer's resolution.
    const double inner = radius * (unit.inradius - 0.01);
    // The nearest neighbours hide the most; a few bound the work when a trace collapses.
    constexpr size_t max_neighbours = 8;
    for (size_t i = 0; i < centres.size(); ++i) {
        const Vec3 c = centres[i];
        bool repeated = false;
        for (size_t j = 0; j < i && !repeated; ++j) repeated = same_point(centres[j], c);
        if (repeated) continue;
        if (!all_whole && !solid_seen_whole(camera, c, radius)) {
            append_whole_sphere(batch, batch.open_indices, unit, c, radius);
            continue;
        }
        w.neighbours.clear();
        if (all_whole) {
            for (size_t j = 0; j < centres.size(); ++j) {
                const Vec3 d = c - centres[j];
                const double d2 = dot(d, d);
                if (j != i && d2 < (radius + inner) * (radius + inner))
                    w.neighbours.push_back({d2, j});
            }
            if (w.neighbours.size() > max_neighbours) {
                std::nth_element(w.neighbours.begin(), w.neighbours.begin() + max_neighbours,
                                 w.neighbours.end());
                w.neighbours.resize(max_neighbours);
            }
        }
        // The sphere's near half hides its far half.
        w.triangles.resize(triangle_count);
        size_t* const triangles = w.triangles.data();
        size_t kept = 0;
        const Vec3 to_camera = camera->position - c;
        for (size_t t = 0; t < triangle_count; ++t) {
            if (faces_camera(unit, t, to_camera, radius)) triangles[kept++] = t;
        }
        w.triangles.resize(kept);
        drop_triangles_inside_neighbours(w, unit, c, centres, radius, inner);
        append_sphere_part(batch, unit, c, radius, w.triangles, w.vertex_of);
    }
}
