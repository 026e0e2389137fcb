// What the field scene draws, as pure functions of the interface solution, the time and the
// sample index: positions in scene units, fields in field units, colours. No OpenGL here.
//
// Scene frame: the interface is z = 0 (medium 1 below, medium 2 above), the plane of
// incidence is y = 0; x is the parallel (TM) direction, y the perpendicular (TE) one.
#pragma once

#include <vector>

#include "physics/interface_solver.h"
#include "physics/wave_fields.h"
#include "scene/drawables.h"
#include "scene/vec3.h"
#include "scene/visibility.h"

inline constexpr Rgb gold{1.0f, 0.84f, 0.0f};         // field arrows
inline constexpr Rgb red{1.0f, 0.0f, 0.0f};           // the arrow at a ray's interface sample
inline constexpr Rgb magenta{1.0f, 0.0f, 1.0f};       // tangential field
inline constexpr Rgb green{0.0f, 1.0f, 0.0f};         // its x and y components
inline constexpr Rgb trace_blue{0.2f, 0.2f, 0.48f};   // polarisation traces
inline constexpr Rgb guide_grey{0.5f, 0.5f, 0.5f};    // dashed guide lines
inline constexpr Rgb sky_blue{0.34f, 0.71f, 0.91f};   // magnetic field arrows
inline constexpr Rgb blue{0.0f, 0.45f, 0.70f};        // the magnetic arrow at the interface
inline constexpr Rgb vermillion{0.84f, 0.37f, 0.0f};  // time-averaged Poynting vectors

inline constexpr int ray_sample_count = 17;
inline constexpr double trace_step = 0.192;  // scene units between two samples of a ray
inline constexpr Vec3 incident_interface_point{-0.68, 0.0, -0.7};
inline constexpr Vec3 reflected_interface_point{0.68, 0.0, -0.7};
inline constexpr Vec3 transmitted_interface_point{0.0, 0.0, 0.7};

// Scene units per field unit: the largest amplitude is drawn 0.98 long.
inline double arrow_scale(const InterfaceSolution& s) {
    return 0.98 / s.display_scale;
}

// Time (s) of animation sample n: sample 1 is t = 0.
inline double sample_time_of(int n, const InterfaceSolution& s) {
    return (n - 1) * s.time_step;
}

// --- the arrow glyph ------------------------------------------------------------------------

// Unit direction of an arrow vector; +z for vectors shorter than 0.0001.
Vec3 arrow_direction(Vec3 vector);
// Side axis up x d, normalised; +x when d is (anti)parallel to the up axis y.
Vec3 arrow_side_axis(Vec3 direction);

struct ArrowGeometry {
    double length;           // scene units
    Vec3 head_base;          // start of the cone, 0.7 of the way
    double orientation[16];  // column-major: local x, y, z onto side, third axis, direction
};
ArrowGeometry field_arrow_geometry(Vec3 start, Vec3 end);

// Which pieces of an arrow show none of their inner faces to the camera. The shaft is an open
// tube: its inside shows only through the tail, for a camera behind the tail's plane (the
// head's open end is covered by the wider cone). The cone's inside shows only through its
// open base, for a camera behind the base's plane. Nothing is hidden without a camera, or
// when the near clipping plane may cut the arrow.
struct ArrowInnerFaces {
    bool shaft_hidden, head_hidden;
};
ArrowInnerFaces arrow_inner_faces(Vec3 start, const ArrowGeometry& arrow,
                                  const SceneCamera* camera);

// --- field vectors along the rays ---------------------------------------------------------

struct FieldSample {
    Vec3 base;   // scene units
    Vec3 field;  // field units, scene axes
    Rgb colour;
};

inline Vec3 arrow_tip(const FieldSample& sample, double scale) {
    return sample.base + scale * sample.field;
}

// Incident field at t (s) and at s_m metres along the ray from its interface point (s_m <= 0):
// E = Re{(Ex (cos i, 0, -sin i) + Ey (0, 1, 0)) exp(j(omega t - k1 s))}.
Vec3 incident_field(const InterfaceSolution& s, double t, double s_m);
// Reflected field, s_m metres beyond its interface point counted as -s_m:
// E = Re{(Gamma_par Ex (cos i, 0, sin i) + Gamma_perp Ey (0, 1, 0)) exp(j(omega t + k1 s))}.
Vec3 reflected_field(const InterfaceSolution& s, double t, double s_m);

// Samples i = -16 .. 0 of the incident and reflected rays; i = 0 is at the interface (red).
FieldSample incident_sample(const InterfaceSolution& s, double t, int i);
FieldSample reflected_sample(const InterfaceSolution& s, double t, int i);

// The transmitted ray, along the real direction (min(Re sin t, 1), 0, Re cos t).
struct TransmittedRay {
    double spacing_m;  // physical distance between two samples
    double dir_x;
    double dir_z;
};
TransmittedRay transmitted_ray(const InterfaceSolution& s);

// Transmitted field at t and at (x_m, z_m) metres from the interface point:
// E = Re{(tau_par Ex (cos t, 0, -sin t) + tau_perp Ey (0, 1, 0)) exp(-j k2 (x sin t + z cos t))
//        exp(j omega t)}, with j k2 (sin t, cos t) = (alpha_x + j beta_x, alpha_z + j beta_z).
Vec3 transmitted_field(const InterfaceSolution& s, double t, double x_m, double z_m);

// Samples n = 0 .. 16 of the transmitted ray; n = 0 is at the interface (red).
FieldSample transmitted_sample(const InterfaceSolution& s, const TransmittedRay& ray, double t,
                               int n);

// --- the magnetic field and the flow of energy --------------------------------------------

// The magnetic field of sample index of a wave (i = -16 .. 0 on the incident and reflected
// rays, n = 0 .. 16 on the transmitted one) at t, with the phase and decay along the ray that
// its electric field has: eta1 H(t) in field units, so that in medium 1 it is as long as E.
// At the same base point as the E arrow; sky blue, blue at the interface sample.
FieldSample magnetic_sample(RayKind kind, const WavePhasors& wave, const InterfaceSolution& s,
                            const TransmittedRay& ray, double t, int index);

// The time-averaged Poynting vector of each wave as an arrow (scene units): the incident one
// ends at its ray's interface point, the reflected and transmitted ones start at theirs; each
// points along its S and is 0.5 |S| / |S_incident| long. None without an incident wave.
std::vector<Segment> poynting_arrows(const WaveScenario& sc, const InterfaceSolution& s);

// --- polarisation traces and their guide lines --------------------------------------------

struct TraceGuides {
    Vec3 normal_end;       // far end of the interface normal through the interface point
    Vec3 interface_point;  // where the ray meets its lane's interface point
    Vec3 trace_point;      // far end of the drawn ray, where the trace is taken
};
TraceGuides trace_guides(RayKind kind, const InterfaceSolution& s, const TransmittedRay& ray);

// Centre of the trace sphere of a wave at time t: trace point + scale x field there.
Vec3 trace_sphere_centre(RayKind kind, const InterfaceSolution& s, const TransmittedRay& ray,
                         const TraceGuides& guides, double t);

// --- tangential fields at the interface ----------------------------------------------------

struct TangentialDisplay {
    Segment projection;  // dashed, from the red arrow's tip down to the green plane
    Segment tangential;  // magenta: (E_x, E_y)
    Segment x_part;      // green: E_x
    Segment y_part;      // green: E_y
};
// P is the ray's interface sample point, E the unscaled field there. farther moves the planes
// of the display that much further from the interface (scene units): the magnetic field's
// display lies beside the electric one.
TangentialDisplay tangential_display(RayKind kind, Vec3 p, Vec3 e, double scale,
                                     double farther = 0.0);
