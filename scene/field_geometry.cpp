#include "scene/field_geometry.h"

#include <cmath>

#include "scene/frame_description.h"

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
        {start.x + arrow_shaft_length * v.x, start.y + arrow_shaft_length * v.y,
         start.z + arrow_shaft_length * v.z},
        {s.x, s.y, s.z, 0.0, u.x, u.y, u.z, 0.0, d.x, d.y, d.z, 0.0, 0.0, 0.0, 0.0, 1.0}};
}

ArrowInnerFaces arrow_inner_faces(Vec3 start, const ArrowGeometry& arrow,
                                  const SceneCamera* camera) {
    const double length = arrow.length;
    // Below the fallback length the pieces no longer line up along the true vector.
    if (camera == nullptr || !(length >= 0.0001)) return {false, false};
    const Vec3 d{arrow.orientation[8], arrow.orientation[9], arrow.orientation[10]};
    // The arrow lies within 0.51 of its length from its midpoint (the cone's rim is farthest).
    if (!solid_seen_whole(camera, start + (0.5 * length) * d, 0.51 * length)) return {false, false};
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

// --- the magnetic field and the flow of energy --------------------------------------------

namespace {

Vec3 vec3(const Real3& v) {
    return {v[0], v[1], v[2]};
}

double norm(Vec3 v) {
    return std::sqrt(dot(v, v));
}

}  // namespace

FieldSample magnetic_sample(RayKind kind, const WavePhasors& wave, const InterfaceSolution& s,
                            const TransmittedRay& ray, double t, int index) {
    Vec3 base{};
    double psi = s.omega * t, decay = 1.0;
    switch (kind) {
        case RayKind::incident:
            base = incident_sample(s, t, index).base;
            psi -= s.k1 * medium1_position_m(s, index);
            break;
        case RayKind::reflected:
            base = reflected_sample(s, t, index).base;
            psi += s.k1 * medium1_position_m(s, index);
            break;
        case RayKind::transmitted: {
            base = transmitted_sample(s, ray, t, index).base;
            const double d = index * ray.spacing_m, x = d * ray.dir_x, z = d * ray.dir_z;
            decay = std::exp(-s.alpha_x * x - s.alpha_z * z);
            psi -= s.beta_x * x + s.beta_z * z;
            break;
        }
    }
    const Vec3 h = vec3(instantaneous(wave.h, psi, decay));
    return {base, s.eta1 * h, index == 0 ? blue : sky_blue};
}

std::vector<Segment> poynting_arrows(const WaveScenario& sc, const InterfaceSolution& s) {
    const Vec3 incident = vec3(time_averaged_poynting(wave_phasors(RayKind::incident, sc, s)));
    const double reference = norm(incident);
    if (!(reference > 0.0)) return {};
    // 0.5 scene units for the incident wave's |S|, the others in proportion.
    const auto arrow = [&](Vec3 point, RayKind kind, bool ends_there) {
        const Vec3 v =
            (0.5 / reference) * (kind == RayKind::incident
                                     ? incident
                                     : vec3(time_averaged_poynting(wave_phasors(kind, sc, s))));
        return ends_there ? Segment{point - v, point} : Segment{point, point + v};
    };
    return {arrow(incident_interface_point, RayKind::incident, true),
            arrow(reflected_interface_point, RayKind::reflected, false),
            arrow(transmitted_interface_point, RayKind::transmitted, false)};
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

TangentialDisplay tangential_display(RayKind kind, Vec3 p, Vec3 e, double scale, double farther) {
    TangentialPlanes planes = tangential_planes(kind);
    const double side = kind == RayKind::transmitted ? 1.0 : -1.0;
    planes.green_z += side * farther;
    planes.magenta_z += side * farther;
    const double tip_x = p.x + scale * e.x;
    const double tip_y = scale * e.y;
    return {{{tip_x, tip_y, p.z + scale * e.z}, {tip_x, tip_y, planes.green_z}},
            {{p.x, 0.0, planes.magenta_z}, {tip_x, tip_y, planes.magenta_z}},
            {{p.x, 0.0, planes.green_z}, {tip_x, 0.0, planes.green_z}},
            {{p.x, 0.0, planes.green_z}, {p.x, tip_y, planes.green_z}}};
}
