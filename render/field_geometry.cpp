#include "render/field_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

bool is_finite(Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// --- the arrow glyph ------------------------------------------------------------------------

Vec3 arrow_direction(Vec3 v) {
    const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (n < 0.0001) return {0.0, 0.0, 1.0};
    return {v.x / n, v.y / n, v.z / n};
}

Vec3 arrow_side_axis(Vec3 d) {
    // (0, 1, 0) x d = (d_z, 0, -d_x)
    const double m = std::sqrt(d.z * d.z + d.x * d.x);
    if (m < 0.0001) return {1.0, 0.0, 0.0};
    return {d.z / m, 0.0, -d.x / m};
}

ArrowGeometry field_arrow_geometry(Vec3 start, Vec3 end) {
    const Vec3 v = end - start;
    const Vec3 d = arrow_direction(v);
    const Vec3 s = arrow_side_axis(d);
    const Vec3 u{d.y * s.z - d.z * s.y, d.z * s.x - d.x * s.z, d.x * s.y - d.y * s.x};  // d x s
    return ArrowGeometry{
        std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z),
        {start.x + 0.7 * v.x, start.y + 0.7 * v.y, start.z + 0.7 * v.z},
        {s.x, s.y, s.z, 0.0, u.x, u.y, u.z, 0.0, d.x, d.y, d.z, 0.0, 0.0, 0.0, 0.0, 1.0}};
}

// --- what an eye can see ------------------------------------------------------------------

bool wholly_beyond_near_plane(const SceneCamera& camera, Vec3 centre, double radius) {
    const Vec3 d = centre - camera.position;
    return std::sqrt(dot(d, d)) - radius > camera.near_reach;  // false for NaN
}

ArrowInnerFaces arrow_inner_faces(Vec3 start, const ArrowGeometry& arrow,
                                  const SceneCamera* camera) {
    const double length = arrow.length;
    // Below the fallback length the pieces no longer line up along the true vector.
    if (camera == nullptr || !(length >= 0.0001)) return {false, false};
    const Vec3 d{arrow.orientation[8], arrow.orientation[9], arrow.orientation[10]};
    // The arrow lies within 0.51 of its length from its midpoint (the cone's rim is farthest).
    if (!wholly_beyond_near_plane(*camera, start + (0.5 * length) * d, 0.51 * length)) {
        return {false, false};
    }
    return {dot(d, camera->position - start) > 0.0,
            dot(d, camera->position - arrow.head_base) > 0.0};
}

// --- field vectors along the rays ---------------------------------------------------------

Vec3 incident_field(const InterfaceSolution& s, double t, double s_m) {
    const double psi = s.omega * t - s.k1 * s_m;
    const double e_par = s.ex_mag * std::cos(psi + s.phi_x_rad);
    const double e_perp = s.ey_mag * std::cos(psi + s.phi_y_rad);
    return {e_par * s.cos_theta_i, e_perp, -e_par * s.sin_theta_i};
}

Vec3 reflected_field(const InterfaceSolution& s, double t, double s_m) {
    const double psi = s.omega * t + s.k1 * s_m;
    const double e_par = s.refl_x_mag * std::cos(psi + s.refl_x_phase);
    const double e_perp = s.refl_y_mag * std::cos(psi + s.refl_y_phase);
    return {e_par * s.cos_theta_i, e_perp, e_par * s.sin_theta_i};
}

namespace {

Rgb interface_sample_colour(bool at_interface) {
    return at_interface ? red : gold;
}

// Metres between two samples of the incident and reflected rays: a twentieth of lambda1.
double medium1_position_m(const InterfaceSolution& s, int i) {
    return i * s.lambda1 / 20.0;
}

}  // namespace

FieldSample incident_sample(const InterfaceSolution& s, double t, int i) {
    const double a = i * trace_step;
    return {{-0.68 + a * s.sin_theta_i, 0.0, -0.7 + a * s.cos_theta_i},
            incident_field(s, t, medium1_position_m(s, i)),
            interface_sample_colour(i == 0)};
}

FieldSample reflected_sample(const InterfaceSolution& s, double t, int i) {
    const double a = i * trace_step;
    return {{0.68 - a * s.sin_theta_i, 0.0, -0.7 + a * s.cos_theta_i},
            reflected_field(s, t, medium1_position_m(s, i)),
            interface_sample_colour(i == 0)};
}

TransmittedRay transmitted_ray(const InterfaceSolution& s) {
    const double re_k2 = s.k2.real();
    // Re(k2 sin t) = beta_x: the phase constant along the interface.
    const double re_k2_sin =
        s.k2.real() * s.sin_theta_t.real() - s.k2.imag() * s.sin_theta_t.imag();
    // A twentieth of the shorter of the wavelength 2 pi / Re k2 and the period along the
    // interface 2 pi / beta_x (the shorter one beyond the critical angle); NaN takes the second.
    const double larger = re_k2 > re_k2_sin ? re_k2 : re_k2_sin;
    const double sin_real = s.sin_theta_t.real();
    return {two_pi / larger / 20.0, sin_real < 1.0 ? sin_real : 1.0, s.cos_theta_t.real()};
}

Vec3 transmitted_field(const InterfaceSolution& s, double t, double x_m, double z_m) {
    const double decay = std::exp(-s.alpha_x * x_m - s.alpha_z * z_m);
    const double psi = s.omega * t - s.beta_x * x_m - s.beta_z * z_m;
    return {s.trans_x_mag * magnitude(s.cos_theta_t) * decay *
                std::cos(psi + s.trans_x_phase + argument(s.cos_theta_t)),
            s.trans_y_mag * decay * std::cos(psi + s.trans_y_phase),
            s.trans_x_mag * magnitude(s.sin_theta_t) * decay *
                std::cos(psi + s.trans_x_phase + argument(-s.sin_theta_t))};
}

FieldSample transmitted_sample(const InterfaceSolution& s, const TransmittedRay& ray, double t,
                               int n) {
    const double d = n * ray.spacing_m;
    const double a = (n * 0.012) * 16.0;  // n x trace_step
    return {{a * ray.dir_x, 0.0, 0.7 + a * ray.dir_z},
            transmitted_field(s, t, d * ray.dir_x, ray.dir_z * d),
            interface_sample_colour(n == 0)};
}

// --- polarisation traces and their guide lines --------------------------------------------

namespace {

constexpr int last_sample = ray_sample_count - 1;  // 16: the far end of every ray

// The fields of medium 1 are taken 0.192 m from the interface point; being lossless, that only
// shifts the samples along the ellipse.
constexpr double medium1_trace_distance_m = 0.192;

}  // namespace

TraceGuides trace_guides(RayKind kind, const InterfaceSolution& s, const TransmittedRay& ray) {
    switch (kind) {
        case RayKind::incident:
            return {{-0.68, 0.0, -2.236},
                    incident_interface_point,
                    incident_sample(s, 0.0, -last_sample).base};
        case RayKind::reflected:
            return {{0.68, 0.0, -2.236},
                    reflected_interface_point,
                    reflected_sample(s, 0.0, -last_sample).base};
        case RayKind::transmitted:
            break;
    }
    return {{0.0, 0.0, 2.236},
            transmitted_interface_point,
            transmitted_sample(s, ray, 0.0, last_sample).base};
}

Vec3 trace_sphere_centre(RayKind kind, const InterfaceSolution& s, const TransmittedRay& ray,
                         const TraceGuides& guides, double t) {
    Vec3 field{0.0, 0.0, 0.0};
    switch (kind) {
        case RayKind::incident:
            field = incident_field(s, t, -medium1_trace_distance_m);
            break;
        case RayKind::reflected:
            field = reflected_field(s, t, -medium1_trace_distance_m);
            break;
        case RayKind::transmitted: {
            const double d = last_sample * ray.spacing_m;
            field = transmitted_field(s, t, ray.dir_x * d, ray.dir_z * d);
            break;
        }
    }
    return guides.trace_point + arrow_scale(s) * field;
}

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

// Appends a whole sphere: its corners in the unit sphere's order, then all its triangles.
void append_whole_sphere(SphereBatch& batch, const UnitSphere& unit, Vec3 centre, double radius) {
    const size_t first_float = batch.vertices.size(), first_index = batch.indices.size();
    batch.vertices.resize(first_float + 3 * unit.points.size());
    batch.normals.resize(first_float + 3 * unit.points.size());
    float* vertex = batch.vertices.data() + first_float;
    float* normal = batch.normals.data() + first_float;
    for (const Vec3& n : unit.points) put_corner(vertex, normal, centre, radius, n);
    const auto first = static_cast<unsigned>(first_float / 3);
    batch.indices.resize(first_index + unit.indices.size());
    unsigned* index = batch.indices.data() + first_index;
    for (unsigned corner : unit.indices) *index++ = first + corner;
}

// Appends some triangles of a sphere, with only the corners they use (vertex_of: scratch,
// one entry per corner).
void append_sphere_part(SphereBatch& batch, const UnitSphere& unit, Vec3 centre, double radius,
                        const std::vector<size_t>& triangles, std::vector<unsigned>& vertex_of) {
    constexpr unsigned unused = ~0u;
    std::fill(vertex_of.begin(), vertex_of.end(), unused);
    const size_t first_float = batch.vertices.size(), first_index = batch.indices.size();
    batch.vertices.resize(first_float + 3 * unit.points.size());
    batch.normals.resize(first_float + 3 * unit.points.size());
    batch.indices.resize(first_index + 3 * triangles.size());
    float* vertex = batch.vertices.data() + first_float;
    float* normal = batch.normals.data() + first_float;
    unsigned* index = batch.indices.data() + first_index;
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
        for (const Vec3& c : centres) append_whole_sphere(batch, unit, c, radius);
        return;
    }
    const size_t triangle_count = unit.face_offsets.size();
    TraceScratch w;
    w.wanted.resize(unit.points.size());
    w.inside.resize(unit.points.size());
    w.vertex_of.resize(unit.points.size());
    // A sphere may be hidden by the others only if none of them is cut by the near plane.
    bool whole = true;
    for (const Vec3& c : centres) whole = whole && wholly_beyond_near_plane(*camera, c, radius);

    // The balls are shrunk by a hundredth of the radius, so that whatever they hold lies
    // clearly behind the surface in front of it, well beyond the depth buffer's resolution.
    const double inner = radius * (unit.inradius - 0.01);
    // The nearest neighbours hide the most; a few bound the work when a trace collapses.
    constexpr size_t max_neighbours = 8;
    for (size_t i = 0; i < centres.size(); ++i) {
        const Vec3 c = centres[i];
        w.neighbours.clear();
        if (whole) {
            bool repeated = false;
            for (size_t j = 0; j < i && !repeated; ++j) repeated = same_point(centres[j], c);
            if (repeated) continue;
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
        w.triangles.resize(triangle_count);
        size_t* const triangles = w.triangles.data();
        size_t kept = 0;
        const Vec3 to_camera = camera->position - c;
        if (whole || wholly_beyond_near_plane(*camera, c, radius)) {  // near half hides far
            for (size_t t = 0; t < triangle_count; ++t) {
                if (faces_camera(unit, t, to_camera, radius)) triangles[kept++] = t;
            }
        } else {
            for (size_t t = 0; t < triangle_count; ++t) triangles[kept++] = t;
        }
        w.triangles.resize(kept);
        drop_triangles_inside_neighbours(w, unit, c, centres, radius, inner);
        append_sphere_part(batch, unit, c, radius, w.triangles, w.vertex_of);
    }
}

// --- tangential fields at the interface ----------------------------------------------------

namespace {

struct TangentialPlanes {
    double green_z;    // plane of the projection line's end and of the green arrows
    double magenta_z;  // plane of the magenta arrow, 0.01 further out
};

// Each wave's display lies just beside the interface on its own side.
TangentialPlanes tangential_planes(RayKind kind) {
    if (kind == RayKind::transmitted) return {0.1, 0.11};
    return {-0.1, -0.11};
}

}  // namespace

TangentialDisplay tangential_display(RayKind kind, Vec3 p, Vec3 e, double scale) {
    const TangentialPlanes planes = tangential_planes(kind);
    const double tip_x = p.x + scale * e.x;
    const double tip_y = scale * e.y;
    return {{{tip_x, tip_y, p.z + scale * e.z}, {tip_x, tip_y, planes.green_z}},
            {{p.x, 0.0, planes.magenta_z}, {tip_x, tip_y, planes.magenta_z}},
            {{p.x, 0.0, planes.green_z}, {tip_x, 0.0, planes.green_z}},
            {{p.x, 0.0, planes.green_z}, {p.x, tip_y, planes.green_z}}};
}
