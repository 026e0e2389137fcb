// What a lecturer reads off the interface problem besides the fields: the Brewster and the
// critical angle, the direction and the decay of the transmitted wave, and where the power
// goes. Angles in degrees, SI units otherwise; the conventions of the solver.
#pragma once

#include <optional>

#include "physics/interface_solver.h"

// tan^2 is not enough once mu differs: Gamma_par = 0 where eta2 cos t = eta1 cos i, that is
// sin^2 theta_B = (mu1/eps1 - mu2/eps2) / (mu1/eps1 - mu1 eps1 / eps2^2); tan theta_B = n2 / n1
// for non-magnetic media. Only for a lossless medium 2, and none when no angle satisfies it.
std::optional<double> brewster_angle_deg(const WaveScenario& sc);

// Gamma_perp = 0 where eta2 cos i = eta1 cos t:
// sin^2 = (mu1/eps1 - mu2/eps2) / ((mu1^2 - mu2^2) / (mu2 eps2)); only between magnetic media of
// different mu, lossless medium 2, none when no angle satisfies it.
std::optional<double> brewster_perp_angle_deg(const WaveScenario& sc);

// sin theta_c = n2 / n1, n = sqrt(eps_r mu_r), for a lossless medium 2 less dense than medium 1.
std::optional<double> critical_angle_deg(const WaveScenario& sc);

// The direction in which the transmitted wave's phase travels, from the interface normal:
// atan2(beta_x, beta_z); 90 degrees along the interface beyond the critical angle.
double transmission_angle_deg(const InterfaceSolution& s);

// How fast the transmitted field falls away from the interface: alpha_z (Np/m) and the depth
// 1 / alpha_z (m) at which it is down to 1/e. No decay for a lossless medium 2 below the
// critical angle.
struct Attenuation {
    double np_per_m;
    std::optional<double> depth_m;
};
Attenuation transmitted_attenuation(const InterfaceSolution& s);

// Fractions of the incident power, through the interface (z = 0), per polarisation and for the
// wave as set (the two add, their cross terms carry no power across the interface):
//   R = |Gamma|^2,
//   T_perp = |tau_perp|^2 (mu1/mu2) Re(k2 cos t) / (k1 cos i),
//   T_par = |tau_par|^2 (mu1/mu2) Re(conj(k2) cos t) / (k1 cos i).
// R + T = 1 for every medium 2, lossy or not: what crosses the interface is what medium 2
// absorbs. The wave as set has none when both magnitudes are 0.
struct PowerBalance {
    double r_par, t_par, r_perp, t_perp;
    std::optional<double> r_wave, t_wave;
};
PowerBalance power_balance(const WaveScenario& sc, const InterfaceSolution& s);

// Medium 2's complex refractive index n - j kappa = sqrt(mu_r2 (eps_r2 - j sigma2 / (omega eps0)))
// (exp(+j omega t): kappa >= 0 for loss).
Complex refractive_index_2(const WaveScenario& sc);

// Medium 2's loss tangent sigma2 / (omega eps0 eps_r2): conduction over displacement current.
double loss_tangent_2(const WaveScenario& sc);
