// The Fresnel curves of a pair of media at one frequency: the reflected and transmitted power
// fractions and the four coefficients against the incident angle, 0 to 90 degrees every 0.1
// degree, from the program's own solver; and the angles where they do something notable.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "physics/interface_solver.h"

struct FresnelSample {
    double theta_i_deg;
    double r_par, r_perp, t_par, t_perp;  // fractions of the normal power flux
    Complex gamma_par, gamma_perp, tau_par, tau_perp;
};

struct FresnelCurves {
    std::vector<FresnelSample> samples;         // 901: theta_i = k / 10 degrees
    std::optional<double> brewster_deg;         // Gamma_par = 0 (lossless medium 2)
    std::optional<double> brewster_perp_deg;    // Gamma_perp = 0 (lossless magnetic media)
    std::optional<double> pseudo_brewster_deg;  // the least R_par (lossy medium 2)
    std::optional<double> critical_deg;         // total reflection beyond it
};

inline constexpr int fresnel_sample_count = 901;

// The curves of sc's media and frequency; its incident field and angle play no part.
FresnelCurves fresnel_curves(const WaveScenario& sc);

// Whether two scenarios have the same curves: the same media and frequency.
bool same_curves(const WaveScenario& a, const WaveScenario& b);

// The curves as CSV: a header line, then one row per sample, every number "%.17g".
std::string fresnel_csv(const FresnelCurves& curves);
extern const char* const fresnel_csv_header;               // without its line's end
std::string fresnel_csv_row(const FresnelSample& sample);  // likewise

// One sample: sc's media and frequency at theta_i (degrees), for a unit incident field.
FresnelSample fresnel_sample(WaveScenario sc, double theta_i_deg);
