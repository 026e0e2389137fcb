#include "physics/derived_quantities.h"

#include <cmath>

namespace {

bool lossless_medium_2(const WaveScenario& sc) {
    return sc.sigma2 == 0.0;
}

// An angle (degrees) from its sine squared, when that lies strictly within (0, 1).
std::optional<double> angle_from_sin_squared(double sin_squared) {
    if (!(sin_squared > 0.0 && sin_squared < 1.0)) return std::nullopt;
    return radians_to_degrees(std::asin(std::sqrt(sin_squared)));
}

}  // namespace

std::optional<double> brewster_angle_deg(const WaveScenario& sc) {
    if (!lossless_medium_2(sc)) return std::nullopt;
    const double inverse_impedance_1 = sc.mu_r1 / sc.eps_r1;  // eta1^2 / eta0^2
    const double inverse_impedance_2 = sc.mu_r2 / sc.eps_r2;
    const double bent = sc.mu_r1 * sc.eps_r1 / (sc.eps_r2 * sc.eps_r2);
    return angle_from_sin_squared((inverse_impedance_1 - inverse_impedance_2) /
                                  (inverse_impedance_1 - bent));
}

std::optional<double> brewster_perp_angle_deg(const WaveScenario& sc) {
    if (!lossless_medium_2(sc) || sc.mu_r1 == sc.mu_r2) return std::nullopt;
    const double numerator = sc.mu_r1 / sc.eps_r1 - sc.mu_r2 / sc.eps_r2;
    const double denominator = (sc.mu_r1 * sc.mu_r1 - sc.mu_r2 * sc.mu_r2) / (sc.mu_r2 * sc.eps_r2);
    return angle_from_sin_squared(numerator / denominator);
}

std::optional<double> critical_angle_deg(const WaveScenario& sc) {
    if (!lossless_medium_2(sc)) return std::nullopt;
    // (n2 / n1)^2
    return angle_from_sin_squared((sc.eps_r2 * sc.mu_r2) / (sc.eps_r1 * sc.mu_r1));
}

double transmission_angle_deg(const InterfaceSolution& s) {
    return radians_to_degrees(std::atan2(s.beta_x, s.beta_z));
}

Attenuation transmitted_attenuation(const InterfaceSolution& s) {
    if (!(s.alpha_z > 0.0)) return {0.0, std::nullopt};
    return {s.alpha_z, 1.0 / s.alpha_z};
}

PowerBalance power_balance(const WaveScenario& sc, const InterfaceSolution& s) {
    const double incident = s.k1_material * s.cos_theta_i;  // k1 cos i
    const double mu_ratio = sc.mu_r1 / sc.mu_r2;
    PowerBalance p{};
    p.r_par = std::norm(s.gamma_par);
    p.r_perp = std::norm(s.gamma_perp);
    p.t_par = std::norm(s.tau_par) * mu_ratio * (std::conj(s.k2) * s.cos_theta_t).real() / incident;
    p.t_perp = std::norm(s.tau_perp) * mu_ratio * (s.k2 * s.cos_theta_t).real() / incident;
    const double par = sc.ex_mag * sc.ex_mag, perp = sc.ey_mag * sc.ey_mag;
    if (par + perp > 0.0) {
        p.r_wave = (par * p.r_par + perp * p.r_perp) / (par + perp);
        p.t_wave = (par * p.t_par + perp * p.t_perp) / (par + perp);
    }
    return p;
}

Complex refractive_index_2(const WaveScenario& sc) {
    const Complex eps_r2c(sc.eps_r2, -sc.sigma2 / (sc.omega * eps0));
    return principal_sqrt(sc.mu_r2 * eps_r2c);
}

double loss_tangent_2(const WaveScenario& sc) {
    return sc.sigma2 / (sc.omega * eps0 * sc.eps_r2);
}
