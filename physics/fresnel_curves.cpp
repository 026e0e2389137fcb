#include "physics/fresnel_curves.h"

#include <cmath>
#include <cstdio>

#include "physics/derived_quantities.h"

FresnelSample fresnel_sample(WaveScenario sc, double theta_i_deg) {
    sc.theta_i = theta_i_deg;
    sc.ex_mag = sc.ey_mag = 1.0;
    const InterfaceSolution s = solve_wave_interface(sc, 101);
    const PowerBalance p = power_balance(sc, s);
    return {theta_i_deg, p.r_par,      p.r_perp,  p.t_par,   p.t_perp,
            s.gamma_par, s.gamma_perp, s.tau_par, s.tau_perp};
}

namespace {

// The angle (degrees) of the least R_par within [lo, hi], by golden-section search: R_par of a
// lossy medium 2 has one dip, its pseudo-Brewster angle.
double least_r_par(const WaveScenario& sc, double lo, double hi) {
    const double g = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int k = 0; k < 60; ++k) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        if (fresnel_sample(sc, a).r_par < fresnel_sample(sc, b).r_par) {
            hi = b;
        } else {
            lo = a;
        }
    }
    return (lo + hi) / 2.0;
}

}  // namespace

FresnelCurves fresnel_curves(const WaveScenario& sc) {
    FresnelCurves c;
    c.samples.reserve(fresnel_sample_count);
    size_t least = 0;
    for (int k = 0; k < fresnel_sample_count; ++k) {
        c.samples.push_back(fresnel_sample(sc, k / 10.0));
        if (c.samples.back().r_par < c.samples[least].r_par) least = size_t(k);
    }
    if (sc.sigma2 == 0.0) {
        c.brewster_deg = brewster_angle_deg(sc);
        c.brewster_perp_deg = brewster_perp_angle_deg(sc);
        c.critical_deg = critical_angle_deg(sc);
    } else if (least > 0 && least + 1 < c.samples.size()) {
        // A dip inside the range, not a fall towards grazing incidence.
        c.pseudo_brewster_deg =
            least_r_par(sc, c.samples[least - 1].theta_i_deg, c.samples[least + 1].theta_i_deg);
    }
    return c;
}

bool same_curves(const WaveScenario& a, const WaveScenario& b) {
    return a.eps_r1 == b.eps_r1 && a.mu_r1 == b.mu_r1 && a.eps_r2 == b.eps_r2 &&
           a.mu_r2 == b.mu_r2 && a.sigma2 == b.sigma2 && a.freq == b.freq && a.omega == b.omega;
}

const char* const fresnel_csv_header =
    "theta_i_deg,R_par,R_perp,T_par,T_perp,abs_gamma_par,arg_gamma_par_deg,abs_gamma_perp,"
    "arg_gamma_perp_deg,abs_tau_par,arg_tau_par_deg,abs_tau_perp,arg_tau_perp_deg";

std::string fresnel_csv_row(const FresnelSample& s) {
    char row[640];
    const auto deg = [](Complex c) { return radians_to_degrees(argument(c)); };
    std::snprintf(row, sizeof row,
                  "%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g",
                  s.theta_i_deg, s.r_par, s.r_perp, s.t_par, s.t_perp, magnitude(s.gamma_par),
                  deg(s.gamma_par), magnitude(s.gamma_perp), deg(s.gamma_perp),
                  magnitude(s.tau_par), deg(s.tau_par), magnitude(s.tau_perp), deg(s.tau_perp));
    return row;
}

std::string fresnel_csv(const FresnelCurves& curves) {
    std::string csv = std::string(fresnel_csv_header) + "\n";
    for (const FresnelSample& s : curves.samples) csv += fresnel_csv_row(s) + "\n";
    return csv;
}
