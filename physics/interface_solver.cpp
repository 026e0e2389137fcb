#include "physics/interface_solver.h"

#include <cmath>

int sign_of(double v) {
    if (v < 0.0) return -1;
    if (v > 0.0) return 1;
    return 0;
}

void choose_k2_root(Complex& k2, Complex& k2_lossy) {
    if (k2.imag() > 0.0) {
        k2 = -k2;
    } else if (k2.imag() == 0.0 && k2_lossy.imag() > 0.0 &&
               sign_of(k2_lossy.real()) == sign_of(k2.real())) {
        k2 = -k2;
    }
    if (k2_lossy.imag() > 0.0) k2_lossy = -k2_lossy;
}

Complex choose_cos_theta_t_root(Complex cos_theta_t, Complex k2, Complex k2_lossy) {
    const Complex p = k2 * cos_theta_t;
    const Complex p_lossy = k2_lossy * cos_theta_t;
    if (p.imag() > 0.0) return -cos_theta_t;
    if (p.imag() == 0.0 && p_lossy.imag() > 0.0 && sign_of(p_lossy.real()) == sign_of(p.real())) {
        return -cos_theta_t;
    }
    return cos_theta_t;
}

double fold_phase_degrees(double phase_rad) {
    double w = radians_to_degrees(phase_rad);
    // Whole turns off in one exact step: beyond +360 into (0, 360], beyond -360 into
    // [-360, 0). A phase that is not finite has no turns to count and becomes NaN.
    if (w > 360.0) {
        w = std::fmod(w, 360.0);
        if (w <= 0.0) w += 360.0;
    } else if (w < -360.0) {
        w = std::fmod(w, 360.0);
        if (w >= 0.0) w -= 360.0;
    }
    return degrees_to_radians(w);
}

InterfaceSolution solve_wave_interface(const WaveScenario& sc, int frames_per_period) {
    InterfaceSolution s{};

    s.ex_mag = sc.ex_mag;
    s.ey_mag = sc.ey_mag;
    s.omega = sc.omega;
    s.phi_x_rad = degrees_to_radians(sc.phi_x);
    s.phi_y_rad = degrees_to_radians(sc.phi_y);

    // Medium 1: u1 = c0 / sqrt(eps_r1 mu_r1), lambda1 = u1 / f, k1 = 2 pi / lambda1.
    const double u1 = c0 / std::sqrt(sc.eps_r1 * sc.mu_r1);
    s.lambda1 = u1 / sc.freq;
    s.k1 = two_pi / s.lambda1;
    s.k1_material = std::sqrt(sc.mu_r1 * mu0 * sc.eps_r1 * eps0) * sc.omega;

    // Medium 2: eps2c = eps0 eps_r2 - j sigma2 / omega, k2 = omega sqrt(mu2 eps2c).
    s.eps2c = Complex(eps0 * sc.eps_r2, 0.0) - j_unit * (sc.sigma2 / sc.omega);
    const double mu2 = sc.mu_r2 * mu0;
    s.k2 = sc.omega * principal_sqrt(mu2 * s.eps2c);
    s.k2_lossy = sc.omega * principal_sqrt(mu2 * (s.eps2c - j_unit * 1e-8));
    choose_k2_root(s.k2, s.k2_lossy);

    // eta1 = sqrt(mu1 / eps1), eta2 = sqrt(mu2 / eps2c).
    s.eta1 = std::sqrt(sc.mu_r1 * mu0 / sc.eps_r1 / eps0);
    s.eta2 = principal_sqrt(Complex(mu2, 0.0) / s.eps2c);

    const double theta = degrees_to_radians(sc.theta_i);
    s.sin_theta_i = std::sin(theta);
    s.cos_theta_i = std::cos(theta);

    // Snell: sin(theta_t) = (k1 / k2) sin(theta_i); cos(theta_t) = sqrt(1 - sin^2(theta_t)).
    s.sin_theta_t = (Complex(s.k1_material, 0.0) / s.k2) * s.sin_theta_i;
    const double sr = s.sin_theta_t.real();
    const double si = s.sin_theta_t.imag();
    const Complex sin_squared(sr * sr - si * si, 2.0 * sr * si);
    s.cos_theta_t = principal_sqrt(Complex(1.0, 0.0) - sin_squared);
    s.cos_theta_t = choose_cos_theta_t_root(s.cos_theta_t, s.k2, s.k2_lossy);

    // j k2 (sin theta_t, cos theta_t) = (alpha_x + j beta_x, alpha_z + j beta_z).
    const Complex q = j_unit * s.k2;
    const Complex gx = q * s.sin_theta_t;
    const Complex gz = q * s.cos_theta_t;
    s.alpha_x = gx.real();
    s.beta_x = gx.imag();
    s.alpha_z = gz.real();
    s.beta_z = gz.imag();

    // Fresnel coefficients of the electric field, Gamma = (eta2 - eta1) / (eta2 + eta1) at
    // normal incidence for both polarisations:
    //   Gamma_par = (eta2 cos t - eta1 cos i) / (eta2 cos t + eta1 cos i)
    //   Gamma_perp = (eta2 cos i - eta1 cos t) / (eta2 cos i + eta1 cos t)
    //   tau_par = 2 eta2 cos i / (eta2 cos t + eta1 cos i)
    //   tau_perp = 2 eta2 cos i / (eta2 cos i + eta1 cos t)
    const Complex eta2_cos_t = s.eta2 * s.cos_theta_t;
    const Complex eta1_cos_i(s.eta1 * s.cos_theta_i, 0.0);
    const Complex eta2_cos_i = s.eta2 * s.cos_theta_i;
    const Complex eta1_cos_t = s.eta1 * s.cos_theta_t;
    s.gamma_par = (eta2_cos_t - eta1_cos_i) / (eta2_cos_t + eta1_cos_i);
    s.gamma_perp = (eta2_cos_i - eta1_cos_t) / (eta2_cos_i + eta1_cos_t);
    s.tau_par = 2.0 * s.eta2 * s.cos_theta_i / (eta2_cos_t + eta1_cos_i);
    s.tau_perp = 2.0 * s.eta2 * s.cos_theta_i / (eta2_cos_i + eta1_cos_t);

    s.refl_x_mag = magnitude(s.gamma_par) * sc.ex_mag;
    s.refl_y_mag = magnitude(s.gamma_perp) * sc.ey_mag;
    s.trans_x_mag = magnitude(s.tau_par) * sc.ex_mag;
    s.trans_y_mag = magnitude(s.tau_perp) * sc.ey_mag;

    s.refl_x_phase = fold_phase_degrees(argument(s.gamma_par) + s.phi_x_rad);
    s.refl_y_phase = fold_phase_degrees(argument(s.gamma_perp) + s.phi_y_rad);
    s.trans_x_phase = fold_phase_degrees(argument(s.tau_par) + s.phi_x_rad);
    s.trans_y_phase = fold_phase_degrees(argument(s.tau_perp) + s.phi_y_rad);

    // The longest incident or transmitted amplitude is drawn 0.98 scene units long; the floor
    // keeps the length factor finite when the incident wave is switched off.
    double m = sc.ex_mag > 0.01 ? sc.ex_mag : 0.01;
    if (sc.ey_mag > m) m = sc.ey_mag;
    if (s.trans_x_mag > m) m = s.trans_x_mag;
    if (s.trans_y_mag > m) m = s.trans_y_mag;
    s.display_scale = m;

    // frames_per_period samples, first and last included, span exactly one period.
    s.time_step = (1.0 / sc.freq) / (frames_per_period - 1);
    return s;
}
