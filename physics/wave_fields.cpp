#include "physics/wave_fields.h"

#include <cmath>
#include <optional>

namespace {

Phasor3 cross(const Phasor3& a, const Phasor3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Phasor3 scaled(const Phasor3& v, Complex factor) {
    return {v.x * factor, v.y * factor, v.z * factor};
}

Phasor3 conjugate(const Phasor3& v) {
    return {std::conj(v.x), std::conj(v.y), std::conj(v.z)};
}

// A component of amplitude magnitude and phase (rad): magnitude e^(j phase).
Complex phasor(double magnitude, double phase_rad) {
    return std::polar(magnitude, phase_rad);
}

}  // namespace

WavePhasors wave_phasors(RayKind kind, const WaveScenario& sc, const InterfaceSolution& s) {
    const double mu1 = sc.mu_r1 * mu0, mu2 = sc.mu_r2 * mu0;
    const double si = s.sin_theta_i, ci = s.cos_theta_i, k1 = s.k1_material;
    WavePhasors w{};
    double mu = mu1;
    switch (kind) {
        case RayKind::incident: {
            const Complex ex = phasor(s.ex_mag, s.phi_x_rad), ey = phasor(s.ey_mag, s.phi_y_rad);
            w.k = {k1 * si, 0.0, k1 * ci};
            w.e = {ex * ci, ey, -ex * si};
            break;
        }
        case RayKind::reflected: {
            const Complex ex = phasor(s.refl_x_mag, s.refl_x_phase);
            const Complex ey = phasor(s.refl_y_mag, s.refl_y_phase);
            w.k = {k1 * si, 0.0, -k1 * ci};
            w.e = {ex * ci, ey, ex * si};
            break;
        }
        case RayKind::transmitted: {
            const Complex ex = phasor(s.trans_x_mag, s.trans_x_phase);
            const Complex ey = phasor(s.trans_y_mag, s.trans_y_phase);
            w.k = {s.k2 * s.sin_theta_t, 0.0, s.k2 * s.cos_theta_t};
            w.e = {ex * s.cos_theta_t, ey, -ex * s.sin_theta_t};
            mu = mu2;
            break;
        }
    }
    // H = (k x E) / (omega mu)
    w.h = scaled(cross(w.k, w.e), 1.0 / (sc.omega * mu));
    return w;
}

Real3 instantaneous(const Phasor3& v, double psi_rad, double decay) {
    const Complex turn = std::polar(decay, psi_rad);
    return {(v.x * turn).real(), (v.y * turn).real(), (v.z * turn).real()};
}

Real3 time_averaged_poynting(const WavePhasors& w) {
    const Phasor3 s = cross(w.e, conjugate(w.h));
    return {0.5 * s.x.real(), 0.5 * s.y.real(), 0.5 * s.z.real()};
}

std::optional<NormalFlux> normal_flux(const WaveScenario& sc, const InterfaceSolution& s) {
    const double incident = time_averaged_poynting(wave_phasors(RayKind::incident, sc, s))[2];
    if (!(incident > 0.0)) return std::nullopt;
    return NormalFlux{
        -time_averaged_poynting(wave_phasors(RayKind::reflected, sc, s))[2] / incident,
        time_averaged_poynting(wave_phasors(RayKind::transmitted, sc, s))[2] / incident};
}
