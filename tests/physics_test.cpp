// The interface solver: golden figures of known scenarios beside invariants of the physics
// that must hold for every scenario the keys and examples can reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "physics/derived_quantities.h"
#include "physics/field_map.h"
#include "physics/fresnel_curves.h"
#include "physics/interface_solver.h"
#include "physics/materials.h"
#include "physics/spectrum_curves.h"
#include "physics/wave_fields.h"
#include "tests/support/named_media.h"

namespace {

constexpr int fpp = 101;

WaveScenario media(double eps_r1, double eps_r2, double sigma2, double freq, double theta_i) {
    return WaveScenario{1.0, 1.0,    0.0, 0.0,    theta_i, eps_r1,
                        1.0, eps_r2, 1.0, sigma2, freq,    two_pi * freq};
}

const WaveScenario start_scenario{0.8, 1.0, 0.0, -90.0, 20.0, 1.0,
                                  1.0, 4.0, 1.0, 0.0,   1e9,  6283185307.17958};

// The principal root exactly, in every quadrant and on the axes (signed zeros as C99's csqrt).
TEST(ComplexOperations, PrincipalRootAndMagnitudeExactly) {
    EXPECT_EQ(magnitude({3, 4}), 5.0);
    EXPECT_EQ(magnitude({-3, -4}), 5.0);
    const std::pair<Complex, Complex> roots[] = {
        {{3, 4}, {2, 1}}, {{-3, 4}, {1, 2}}, {{-3, -4}, {1, -2}}, {{-4, 0}, {0, 2}},
        {{9, 0}, {3, 0}}, {{0, 0}, {0, 0}},  {{0, -8}, {2, -2}}};
    for (const auto& [z, root] : roots) EXPECT_EQ(principal_sqrt(z), root) << z;
    EXPECT_TRUE(std::signbit(principal_sqrt({-4, -0.0}).imag()));
    EXPECT_NEAR(argument({-1, 0}), pi, 1e-14);
}

// Whole records against the closed forms of tests/golden/fresnel_fields.py: k2, sin t and cos t
// (the roots that decay into medium 2), the Fresnel coefficients, the display scale and the
// phases arg + phi (rad, not wrapped into one half turn); lambda1 = c0 / (f n1), one period in
// 100 steps, eta = omega mu / k, j k2 sin t = alpha_x + j beta_x, j k2 cos t = alpha_z + j beta_z.
TEST(Solver, RecordsAsTheClosedFormsGiveThem) {
    struct Golden {
        const char* what;
        double in[11];  // |Ex| |Ey| phi_x phi_y theta_i eps_r1 mu_r1 eps_r2 mu_r2 sigma2 f
        Complex k2, sin_t, cos_t, gamma_par, gamma_perp, tau_par, tau_perp;
        double display_scale, phases[4];  // Gamma_par Gamma_perp tau_par tau_perp
    } const rows[] = {
        // clang-format off
    {"start-up", {0.8, 1, 0, -90, 20, 1, 1, 4, 1, 0, 1000000000},
     {41.9169004, 0}, {0.171010072, 0}, {0.985269281, 0}, {-0.312119997, 0},
     {-0.354214451, 0}, {0.656059999, 0}, {0.645785549, 0}, 1, {3.14159265, 1.57079633, 0, -1.57079633}},
    {"normal incidence", {1, 1, 0, 0, 0, 1, 1, 4, 1, 0, 1000000000},
     {41.9169004, 0}, {0, 0}, {1, 0}, {-0.333333333, 0},
     {-0.333333333, 0}, {0.666666667, 0}, {0.666666667, 0}, 1, {3.14159265, 3.14159265, 0, 0}},
    {"just below critical", {5, 5, 0, 0, 41.81, 2.25, 1, 1, 1, 0, 318000000},
     {6.66478717, 0}, {0.999993855, 0}, {0.00350561704, 0}, {-0.985989078, 0},
     {0.993748594, 0}, {2.97898362, 0}, {1.99374859, 0}, 14.8949181, {3.14159265, 0, 0, 0}},
    {"just beyond critical", {5, 5, 0, 0, 41.8103165, 2.25, 1, 1, 1, 0, 318000000},
     {6.66478717, 0}, {1.00000003, 0}, {-0, -0.000250214998}, {-0.999999493, -0.00100709571},
     {0.9999999, 0.000447598185}, {2.99999924, 0.00151064357}, {1.9999999, 0.000447598185}, 14.9999981, {-3.14058556, 0.0004475982, 0.000503547941, 0.0002237991}},
    {"total reflection", {5, 5, 0, 0, 53.13, 2.25, 1, 1, 1, 0, 318000000},
     {6.66478717, 0}, {1.19999839, 0}, {-0, -0.663322049}, {0.466661374, -0.88443607},
     {0.296006174, 0.955186026}, {0.80000794, 1.32665411}, {1.29600617, 0.955186026}, 8.04986389, {-1.08528419, 1.2702876, 1.02815423, 0.6351438}},
    {"lossy, phases above pi", {1, 1, -30, 150, 40, 1, 1, 10, 1, 0.3, 1000000000},
     {68.4948818, -17.2911099}, {0.184900463, 0.0466769798}, {0.983904215, -0.00877178391}, {-0.453276144, 0.0954231786},
     {-0.631003597, 0.0780274534}, {0.424970072, 0.0780829477}, {0.368996403, 0.0780274534}, 1, {2.41050479, 5.63655497, -0.341887985, 2.82638263}},
    {"near Brewster", {1, 1, 0, 0, 31.806, 2.6, 1, 1, 1, 0, 385000000},
     {8.06900333, 0}, {0.849834193, 0}, {0.527050134, 0}, {3.11790809e-06, 0},
     {0.444441942, 0}, {1.61244652, 0}, {1.44444194, 0}, 1.61244652, {0, 0, 0, 0}},
    {"no incident wave", {0, 0, 0, -90, 20, 1, 1, 4, 1, 0, 1000000000},
     {41.9169004, 0}, {0.171010072, 0}, {0.985269281, 0}, {-0.312119997, 0},
     {-0.354214451, 0}, {0.656059999, 0}, {0.645785549, 0}, 0.01, {3.14159265, 1.57079633, 0, -1.57079633}},
        // clang-format on
    };
    for (const Golden& g : rows) {
        SCOPED_TRACE(g.what);
        const double* v = g.in;
        const WaveScenario sc{v[0], v[1], v[2], v[3], v[4],  v[5],
                              v[6], v[7], v[8], v[9], v[10], two_pi * v[10]};
        const InterfaceSolution s = solve_wave_interface(sc, fpp);
        const auto near = [](Complex a, Complex b) {
            return magnitude(a - b) < 1e-8 * (1 + magnitude(b));
        };
        EXPECT_TRUE(near(s.k2, g.k2) && near(s.sin_theta_t, g.sin_t) &&
                    near(s.cos_theta_t, g.cos_t));
        EXPECT_TRUE(near(s.gamma_par, g.gamma_par) && near(s.gamma_perp, g.gamma_perp));
        EXPECT_TRUE(near(s.tau_par, g.tau_par) && near(s.tau_perp, g.tau_perp));
        EXPECT_NEAR(s.display_scale, g.display_scale, 1e-8 * g.display_scale);
        const double phases[] = {s.refl_x_phase, s.refl_y_phase, s.trans_x_phase, s.trans_y_phase};
        for (int k = 0; k < 4; ++k) {  // a real negative coefficient: pi or -pi alike
            const bool half_turn = std::fabs(std::fabs(g.phases[k]) - pi) < 1e-8;
            EXPECT_NEAR(half_turn ? std::fabs(phases[k]) : phases[k], g.phases[k], 1e-8) << k;
        }
        EXPECT_EQ((std::vector{s.refl_x_mag, s.refl_y_mag, s.trans_x_mag, s.trans_y_mag}),
                  (std::vector{magnitude(s.gamma_par) * v[0], magnitude(s.gamma_perp) * v[1],
                               magnitude(s.tau_par) * v[0], magnitude(s.tau_perp) * v[1]}));
        const Complex jx = j_unit * g.k2 * g.sin_t, jz = j_unit * g.k2 * g.cos_t;
        EXPECT_TRUE(near({s.alpha_x, s.beta_x}, jx) && near({s.alpha_z, s.beta_z}, jz));
        EXPECT_NEAR(s.lambda1, c0 / v[10] / std::sqrt(v[5] * v[6]), 1e-12 * s.lambda1);
        EXPECT_NEAR(s.time_step * 100 * v[10], 1, 1e-12);
        EXPECT_NEAR(s.eta1, sc.omega * mu0 * v[6] / s.k1_material, 1e-9 * s.eta1);
        EXPECT_TRUE(near(s.eta2, sc.omega * mu0 * v[8] / g.k2));
    }
}

// eps_r2 -4 with mu_r2 -1: the negative root, n2 = -2; with mu_r2 1: k2 on the negative
// imaginary axis, a wave that only decays.
TEST(Solver, NegativeMediaTakeTheRootThatDecaysOrTurnsBack) {
    WaveScenario sc = start_scenario;
    sc.eps_r2 = -4;
    sc.mu_r2 = -1;
    const InterfaceSolution s = solve_wave_interface(sc, fpp);
    EXPECT_EQ(std::tuple(std::lround(s.k2.real() * 1e4), s.k2.imag()), std::tuple(-419169L, 0.0));
    EXPECT_NEAR(s.sin_theta_t.real(), -0.171010, 1e-6);
    EXPECT_NEAR(s.beta_z, -41.2994, 1e-4);
    sc.mu_r2 = 1;
    const Complex k2 = solve_wave_interface(sc, fpp).k2;
    EXPECT_TRUE(std::fabs(k2.real()) < 1e-9 && k2.imag() < 0);
}

struct FoldCase {
    double degrees_in, degrees_out;
};

TEST(Solver, FoldPhaseRemovesWholeTurnsBeyond360DegreesOnly) {
    const double nan = std::nan("");
    const std::vector<FoldCase> cases = {
        {0, 0},       {200, 200},     {-200, -200},    {360, 360},       {-360, -360},
        {361, 1},     {-361, -1},     {900, 180},      {-900, -180},     {720, 360},
        {-720, -360}, {1e6 + 90, 10}, {HUGE_VAL, nan}, {-HUGE_VAL, nan}, {nan, nan},
    };
    for (const FoldCase& c : cases) {
        const double out = radians_to_degrees(fold_phase_degrees(degrees_to_radians(c.degrees_in)));
        if (std::isnan(c.degrees_out)) {
            EXPECT_TRUE(std::isnan(out)) << c.degrees_in;
        } else {
            EXPECT_NEAR(out, c.degrees_out, 1e-6) << c.degrees_in;
        }
    }
    // Far beyond any turn count: still a phase within one turn each way, at once.
    const double huge = radians_to_degrees(fold_phase_degrees(1e300));
    EXPECT_TRUE(huge > -360.0 && huge <= 360.0) << huge;
}

TEST(Solver, FoldPhaseGivesWhatTurnByTurnGivesOverTheReachableRange) {
    // Reflection and transmission phases are arg(Gamma or tau), within one half turn, plus the
    // incident phase, within -360 .. 360 degrees: -540 .. 540 degrees.
    auto turn_by_turn = [](double phase_rad) {
        double w = radians_to_degrees(phase_rad);
        while (w > 360.0) w -= 360.0;
        while (w < -360.0) w += 360.0;
        return degrees_to_radians(w);
    };
    for (int k = -540000; k <= 540000; ++k) {
        const double phase_rad = degrees_to_radians(k / 1000.0) + 1e-12 * (k % 7);
        ASSERT_EQ(fold_phase_degrees(phase_rad), turn_by_turn(phase_rad)) << k;
    }
}

TEST(Solver, SolvingTwiceGivesTheSameRecord) {
    const InterfaceSolution a = solve_wave_interface(start_scenario, fpp);
    const InterfaceSolution b = solve_wave_interface(start_scenario, fpp);
    EXPECT_EQ(0, std::memcmp(&a, &b, sizeof a));
}

// Every medium pair of the examples, at every whole angle the i key reaches, and the notable
// angles of the examples themselves.
std::vector<WaveScenario> swept_scenarios() {
    const std::vector<WaveScenario> pairs = {
        media(2.25, 10, 0, 1e9, 0), media(2.6, 1, 0, 3.85e8, 0),  media(4, 1, 0, 2e9, 0),
        media(1, 10, 0.3, 1e9, 0),  media(2.25, 1, 0, 3.18e8, 0), media(1, 12, 0, 1e9, 0),
        media(1, 8, 8, 1e10, 0),    media(1, 4, 0, 1e9, 0),
    };
    std::vector<WaveScenario> out = named_media_scenarios();
    for (WaveScenario sc : pairs) {
        for (double theta : {0.0, 29.0, 31.806, 33.69, 41.8103165, 53.13}) {
            sc.theta_i = theta;
            out.push_back(sc);
        }
        for (int theta = 0; theta <= 89; ++theta) {
            sc.theta_i = theta;
            out.push_back(sc);
        }
    }
    return out;
}

TEST(SolverInvariants, HoldForEveryReachableScenario) {
    for (const WaveScenario& sc : swept_scenarios()) {
        SCOPED_TRACE(::testing::Message() << "eps_r1 " << sc.eps_r1 << " eps_r2 " << sc.eps_r2
                                          << " sigma2 " << sc.sigma2 << " theta_i " << sc.theta_i);
        const InterfaceSolution s = solve_wave_interface(sc, fpp);
        // Tangential E is continuous: (1 + Gamma_par) cos i = tau_par cos t, 1 + Gamma_perp =
        // tau_perp.
        const Complex par = (1.0 + s.gamma_par) * s.cos_theta_i - s.tau_par * s.cos_theta_t;
        EXPECT_LT(magnitude(par), 1e-12);
        EXPECT_LT(magnitude(1.0 + s.gamma_perp - s.tau_perp), 1e-12);
        // The transmitted wave never grows into medium 2.
        EXPECT_LE(s.k2.imag(), 0.0);
        EXPECT_LE((s.k2 * s.cos_theta_t).imag(), 0.0);
        // Snell: the phase along the interface matches medium 1's.
        EXPECT_NEAR(s.beta_x, s.k1 * s.sin_theta_i, 1e-9 * s.k1);
        EXPECT_GE(s.display_scale, 0.01);
        const bool lossless = sc.sigma2 == 0;
        const bool beyond = lossless && s.sin_theta_t.real() > 1.0;
        // Power balance through the interface, lossy media included: R + T = 1; beyond the
        // critical angle everything is reflected. Lossless below it, the transmitted fraction
        // is also (eta1 cos t)/(eta2 cos i) |tau|^2.
        const PowerBalance p = power_balance(sc, s);
        EXPECT_NEAR(p.r_par + p.t_par, 1.0, 1e-9);
        EXPECT_NEAR(p.r_perp + p.t_perp, 1.0, 1e-9);
        EXPECT_NEAR(*p.r_wave + *p.t_wave, 1.0, 1e-9);
        if (beyond) {
            EXPECT_NEAR(p.r_par, 1.0, 1e-9);
            EXPECT_NEAR(p.r_perp, 1.0, 1e-9);
        } else if (lossless) {
            const double ratio = (s.eta1 * s.cos_theta_t.real()) / (s.eta2.real() * s.cos_theta_i);
            EXPECT_NEAR(p.t_perp, ratio * std::norm(s.tau_perp), 1e-9);
            EXPECT_NEAR(p.t_par, ratio * std::norm(s.tau_par), 1e-9);
        }
        // Beyond the critical angle and in a lossy medium the field decays into medium 2.
        EXPECT_EQ(transmitted_attenuation(s).depth_m.has_value(), beyond || !lossless);
    }
}

// Closed forms a student can check by hand.
struct SpecialAngleCase {
    double eps_r1, eps_r2, sigma2;
    double brewster_deg, critical_deg;  // -1: none
};

TEST(DerivedQuantities, BrewsterAndCriticalAnglesOfNonMagneticMedia) {
    const std::vector<SpecialAngleCase> cases = {
        // tan theta_B = n2 / n1, sin theta_c = n2 / n1
        // clang-format off
        {1, 4, 0, 63.43494882, -1}, {2.6, 1, 0, 31.80610, 38.32882},
        {2.25, 1, 0, 33.69006753, 41.81031490}, {4, 1, 0, 26.56505118, 30},
        {1, 10, 0.3, -1, -1} /* lossy: neither */, {2, 2, 0, -1, -1} /* no interface at all */,
        // clang-format on
    };
    for (const SpecialAngleCase& c : cases) {
        const WaveScenario sc = media(c.eps_r1, c.eps_r2, c.sigma2, 1e9, 0);
        const std::optional<double> b = brewster_angle_deg(sc), k = critical_angle_deg(sc);
        ASSERT_EQ(b.has_value(), c.brewster_deg > 0) << c.eps_r1 << " " << c.eps_r2;
        ASSERT_EQ(k.has_value(), c.critical_deg > 0) << c.eps_r1 << " " << c.eps_r2;
        if (b) { EXPECT_NEAR(*b, c.brewster_deg, 1e-5); }
        if (k) { EXPECT_NEAR(*k, c.critical_deg, 1e-5); }
        if (b) {  // and the parallel wave is not reflected there
            WaveScenario at = sc;
            at.theta_i = *b;
            EXPECT_LT(magnitude(solve_wave_interface(at, fpp).gamma_par), 1e-9);
        }
    }
    WaveScenario magnetic = media(1, 4, 0, 1e9, 0);
    magnetic.mu_r2 = 2;  // eta2 = eta1 / sqrt(2): Gamma_par = 0 still exists, not at atan(n2/n1)
    magnetic.theta_i = *brewster_angle_deg(magnetic);
    EXPECT_LT(magnitude(solve_wave_interface(magnetic, fpp).gamma_par), 1e-9);
}

TEST(DerivedQuantities, SpecialAnglesOfMagneticMediaAgainstTheMinimumOfGammaPar) {
    // From tests/golden/fresnel_fields.py: the angle where |Gamma_par| is least, found by
    // search; sin theta_c = sqrt(eps2 mu2 / (eps1 mu1)).
    struct Case {
        double eps_r1, mu_r1, eps_r2, mu_r2, brewster_deg, critical_deg;  // -1: none
    };
    for (const Case& c : {Case{1, 1, 4, 2, 46.911276865, -1},
                          Case{9, 1, 2, 2, 40.140066149, 41.810314896}, Case{1, 1, 2, 5, -1, -1}}) {
        WaveScenario sc = media(c.eps_r1, c.eps_r2, 0, 1e9, 0);
        sc.mu_r1 = c.mu_r1;
        sc.mu_r2 = c.mu_r2;
        const std::optional<double> b = brewster_angle_deg(sc), k = critical_angle_deg(sc);
        EXPECT_NEAR(b.value_or(-1), c.brewster_deg, 1e-6) << c.eps_r2 << " " << c.mu_r2;
        EXPECT_NEAR(k.value_or(-1), c.critical_deg, 1e-6) << c.eps_r2 << " " << c.mu_r2;
    }
}

// Each model against the check values of its source (docs/guide.md cites them): eps_r' and
// sigma (S/m), or n - j kappa at the sodium line (589.3 nm) or at 1 eV; the unchanged
// materials as before.
TEST(Materials, EachModelGivesTheCheckValuesOfItsSource) {
    enum Kind { eps, n, eps_sigma };  // expected: eps_r' - j eps_r'', n - j kappa, {eps_r', sigma}
    const double sodium = c0 / 589.3e-9, one_ev = 1 / 4.135667696e-15;
    struct Row {
        const char* name;
        double hz;
        Kind kind;
        Complex expected;
        double tolerance;  // of the difference's magnitude, over the value's for eps
        double mu_r = 1;
    } const rows[] = {
        // clang-format off
        {"water", 10e9, eps, {60.68, -32.79}, 5e-3}, {"water", 1e9, eps, {79.96, -4.43}, 5e-3},
        {"water", sodium, n, 1.3334, 3e-4}, {"seawater", 1e9, eps, {71.6, -89.8}, 3e-2},
        {"seawater", sodium, n, 1.3394, 5e-4}, {"glass", 10e9, eps_sigma, {6.31, 0.0787}, 1e-3},
        {"glass", sodium, n, 1.51673, 1e-5}, {"silica", sodium, n, 1.45840, 1e-5},
        {"copper", one_ev, n, {0.3262, -8.2419}, 1e-3}, {"copper", 1e9, eps_sigma, {1, 5.8e7}, 0},
        {"silver", 1e9, eps_sigma, {1, 6.3e7}, 0}, {"gold", 1e9, eps_sigma, {1, 4.1e7}, 0},
        {"aluminium", 1e9, eps_sigma, {1, 3.8e7}, 0},
        {"concrete", 10e9, eps_sigma, {5.24, 0.2798}, 1e-4}, {"wet-soil", 5e9, eps_sigma, {15.76, 1.215}, 1e-3},
        {"dry-soil", 1e9, eps_sigma, {3, 1.5e-4}, 0}, {"teflon", 1e9, eps_sigma, {2.1, 0}, 0},
        {"germanium", 1e6, eps_sigma, {16, 2.2}, 0}, {"iron", 5e3, eps_sigma, {1, 1e7}, 0, 4000},
        {"air", 1e12, eps_sigma, {1.0006, 0}, 0}, {"vacuum", 1e15, eps_sigma, {1, 0}, 0},
        // clang-format on
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.name << " at " << r.hz << " Hz");
        const MaterialAt at = material_at(*find_material(r.name), r.hz);
        ASSERT_TRUE(at.within);
        const MediumValues v = at.values;
        const Complex e(v.eps_r, -v.sigma / (two_pi * r.hz * eps0));
        EXPECT_EQ(v.mu_r, r.mu_r);
        if (r.kind == eps) {
            EXPECT_LE(magnitude(e - r.expected), r.tolerance * magnitude(r.expected));
        }
        if (r.kind == n) { EXPECT_LE(magnitude(principal_sqrt(e) - r.expected), r.tolerance); }
        if (r.kind == eps_sigma) {
            EXPECT_NEAR(v.eps_r, r.expected.real(), r.tolerance * r.expected.real());
            EXPECT_NEAR(v.sigma, r.expected.imag(), r.tolerance * r.expected.imag());
        }
    }
    // Copper's skin depth at 1 GHz, as the readout gives it; glass's Brewster angle in light.
    const WaveScenario copper{1, 1, 0, 0, 0, 1, 1, 1, 1, 5.8e7, 1e9, two_pi * 1e9};
    EXPECT_NEAR(*transmitted_attenuation(solve_wave_interface(copper, fpp)).depth_m, 2.090e-6,
                5e-10);
    EXPECT_EQ(find_material("Glass"), nullptr) << "names are exact";
}

// Where each model holds, on both sides of its edges: the model in use, whether f lies in its
// band, and the frequency whose values are taken (the nearer edge, on a logarithmic axis).
TEST(Materials, BandEdgesOnBothSidesAndPassiveEverywhere) {
    const double up = 1 + 1e-9, down = 1 - 1e-9;
    struct Row {
        const char* name;
        double hz;
        size_t model;
        bool within;
        double from_hz;
    } const rows[] = {
        // clang-format off
        {"water", 5e11, 0, true, 5e11}, {"water", 5e11 * up, 0, false, 5e11},
        {"water", 1.1e13, 0, false, 5e11}, {"water", 1.2e13, 1, false, 2.65e14},
        {"water", 2.65e14 * down, 1, false, 2.65e14}, {"water", 2.65e14, 1, true, 2.65e14},
        {"glass", 1e8 * down, 0, false, 1e8}, {"glass", 1e8, 0, true, 1e8},
        {"glass", 1e11 * up, 0, false, 1e11}, {"glass", 1.2e14 * down, 1, false, 1.2e14},
        {"seawater", 7.5e14 * up, 1, false, 7.5e14}, {"seawater", 4e14 * down, 1, false, 4e14},
        {"seawater", 1e11 * up, 0, false, 1e11}, {"silica", 8.1e13 * down, 0, false, 8.1e13},
        {"copper", 1e12, 0, true, 1e12}, {"copper", 1e12 * up, 0, false, 1e12},
        {"copper", 2.4e13 * down, 1, false, 2.4e13}, {"aluminium", 1.2e12, 1, true, 1.2e12},
        {"teflon", 1e10 * up, 0, false, 1e10}, {"iron", 1e4 * up, 0, false, 1e4},
        {"concrete", 1e9 * down, 0, false, 1e9}, {"wet-soil", 1e10 * up, 0, false, 1e10},
        // clang-format on
    };
    for (const Row& r : rows) {
        const Material& m = *find_material(r.name);
        const MaterialAt at = material_at(m, r.hz);
        EXPECT_EQ(std::tuple(at.model - m.models.data(), at.within, at.from_hz),
                  std::tuple(long(r.model), r.within, r.from_hz))
            << r.name << " at " << r.hz;
    }
    // Passive at every frequency: no gain (sigma >= 0, so Im eps_r <= 0; mu_r real), finite.
    for (const Material& m : materials()) {
        for (double hz = 1e3; hz <= 1e15 * up; hz *= std::pow(10.0, 1.0 / 20)) {
            const MediumValues v = material_at(m, hz).values;
            ASSERT_TRUE(std::isfinite(v.eps_r) && v.mu_r >= 1 && v.sigma >= 0 &&
                        std::isfinite(v.sigma))
                << m.name << " at " << hz;
        }
    }
}

TEST(DerivedQuantities, PowerAndDecayAgainstHandFigures) {
    // Glass (n 1.5) at 45 degrees: theta_t = asin(0.7071 / 1.5) = 28.1255 degrees,
    // r_perp = (cos 45 - 1.5 cos t) / (cos 45 + 1.5 cos t) = -0.30334,
    // r_par = (cos t / 1.5 - cos 45) / (cos t / 1.5 + cos 45) = -0.09201.
    const InterfaceSolution glass_s = solve_wave_interface(media(1, 2.25, 0, 1e9, 45), fpp);
    const PowerBalance glass = power_balance(media(1, 2.25, 0, 1e9, 45), glass_s);
    EXPECT_NEAR(glass.r_perp, 0.30334 * 0.30334, 1e-5);
    EXPECT_NEAR(glass.r_par, 0.09201 * 0.09201, 1e-5);
    EXPECT_NEAR(*glass.r_wave, (glass.r_par + glass.r_perp) / 2, 1e-15) << "equal magnitudes";
    EXPECT_NEAR(transmission_angle_deg(glass_s), 28.1255, 1e-4);
    EXPECT_FALSE(transmitted_attenuation(glass_s).depth_m.has_value());

    // Copper (5.8e7 S/m) at 1 GHz, normal incidence: R = 1 - 2 sqrt(2 omega eps0 / sigma),
    // the good conductor's approximation, to its next order (about 8 omega eps0 / sigma).
    const WaveScenario copper = media(1, 1, 5.8e7, 1e9, 0);
    const double approximation = 1 - 2 * std::sqrt(2 * copper.omega * eps0 / 5.8e7);
    EXPECT_NEAR(power_balance(copper, solve_wave_interface(copper, fpp)).r_par, approximation,
                1e-8);
    // ... whose field falls to 1/e within the skin depth sqrt(2 / (omega mu0 sigma)).
    EXPECT_NEAR(*transmitted_attenuation(solve_wave_interface(copper, fpp)).depth_m,
                std::sqrt(2 / (copper.omega * mu0 * 5.8e7)), 1e-12);

    // Total internal reflection from n 1.5 at 53.13 degrees, 318 MHz: the evanescent wave
    // falls to 1/e within 1 / (k0 sqrt(n1^2 sin^2 i - n2^2)) = 0.22620 m, and along the
    // interface the phase travels.
    WaveScenario tir = media(2.25, 1, 0, 3.18e8, 53.13);
    const InterfaceSolution tir_s = solve_wave_interface(tir, fpp);
    const double k0 = two_pi * 3.18e8 / c0;
    const double s = 1.5 * std::sin(degrees_to_radians(53.13));
    EXPECT_NEAR(*transmitted_attenuation(tir_s).depth_m, 1 / (k0 * std::sqrt(s * s - 1)), 1e-9);
    EXPECT_NEAR(transmission_angle_deg(tir_s), 90, 1e-9);
    tir.ex_mag = tir.ey_mag = 0;
    EXPECT_FALSE(power_balance(tir, tir_s).r_wave.has_value()) << "no wave, no fraction";
}

// The sampled curves against closed forms and goldens from tests/golden/fresnel_fields.py.
TEST(FresnelCurves, AgainstClosedForms) {
    const auto at = [](const FresnelCurves& c, double theta_deg) {
        return c.samples[size_t(std::lround(theta_deg * 10))];
    };
    // Glass from vacuum: R = ((1 - 1.5) / 2.5)^2 = 0.04 at 0; tan theta_B = 1.5.
    const FresnelCurves glass = fresnel_curves(media(1, 2.25, 0, 5e14, 0));
    ASSERT_EQ(glass.samples.size(), 901u);
    EXPECT_EQ(glass.samples[3].theta_i_deg, 0.3);
    EXPECT_NEAR(at(glass, 0).r_par, 0.04, 1e-12);
    EXPECT_NEAR(at(glass, 0).t_perp, 0.96, 1e-12);
    EXPECT_NEAR(*glass.brewster_deg, 56.309932474, 1e-8);
    EXPECT_LT(at(glass, 56.3).r_par, 2e-8);
    EXPECT_FALSE(glass.critical_deg || glass.pseudo_brewster_deg || glass.brewster_perp_deg);
    // From glass into vacuum: total reflection beyond sin theta_c = 1 / 1.5, with the phase
    // jumps of total internal reflection.
    const FresnelCurves denser = fresnel_curves(media(2.25, 1, 0, 5e14, 0));
    EXPECT_NEAR(*denser.critical_deg, 41.810314896, 1e-8);
    EXPECT_LT(at(denser, 41.8).r_perp, 1 - 1e-3);
    EXPECT_NEAR(at(denser, 41.9).r_perp, 1, 1e-12);
    EXPECT_NEAR(at(denser, 41.9).t_par, 0, 1e-12);
    EXPECT_NEAR(std::arg(at(denser, 60).gamma_perp),
                2 * std::atan(std::sqrt(2.25 * 0.75 - 1) / (1.5 * 0.5)), 1e-9);
    // Copper: a perfect conductor's Gamma = -1 for both polarisations, short of grazing.
    const FresnelCurves copper = fresnel_curves(media(1, 1, 5.8e7, 1e9, 0));
    for (double theta : {0.0, 45.0, 80.0}) {
        EXPECT_NEAR(magnitude(at(copper, theta).gamma_perp + 1.0), 0, 1e-3) << theta;
        EXPECT_NEAR(magnitude(at(copper, theta).gamma_par + 1.0), 0, 1e-3) << theta;
    }
    // Lossy media: the least R_par; magnetic ones: Gamma_perp = 0 too.
    EXPECT_NEAR(*fresnel_curves(media(1, 30, 0.15, 1.8e9, 0)).pseudo_brewster_deg, 79.659319723,
                1e-6);
    EXPECT_NEAR(*fresnel_curves(media(1, 5.24, 0.0462, 1.8e9, 0)).pseudo_brewster_deg, 66.434659362,
                1e-6);
    WaveScenario magnetic = media(1, 2, 0, 1e9, 0);
    magnetic.mu_r2 = 5;
    EXPECT_NEAR(*fresnel_curves(magnetic).brewster_perp_deg, 52.238756093, 1e-6);
}

// The CSV's rows from glass's closed forms (n = 1.5 from vacuum): each value in its own column.
TEST(FresnelCurves, CsvColumnsHoldTheirQuantities) {
    std::istringstream csv(fresnel_csv(fresnel_curves(media(1, 2.25, 0, 5e14, 0))));
    std::string line;
    std::getline(csv, line);
    std::vector<std::vector<double>> rows;
    while (std::getline(csv, line)) {
        std::vector<double> row;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');) row.push_back(std::stod(cell));
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 901u);
    for (double theta : {30.0, 70.0}) {
        const std::vector<double>& r = rows[size_t(theta * 10)];
        ASSERT_EQ(r.size(), 13u);
        const double ci = std::cos(theta * pi / 180), si = std::sin(theta * pi / 180);
        const double ct = std::sqrt(1 - si * si / 2.25);
        const double rs = (ci - 1.5 * ct) / (ci + 1.5 * ct), rp = (1.5 * ci - ct) / (1.5 * ci + ct);
        const double ts = 2 * ci / (ci + 1.5 * ct), tp = 2 * ci / (1.5 * ci + ct);
        const std::vector<double> magnitudes = {theta,         rp * rp,     rs * rs,
                                                1 - rp * rp,   1 - rs * rs, std::fabs(rp),
                                                std::fabs(rs), tp,          ts};
        const size_t columns[] = {0, 1, 2, 3, 4, 5, 7, 9, 11};
        for (size_t k = 0; k < 9; ++k) EXPECT_NEAR(r[columns[k]], magnitudes[k], 1e-12) << k;
        EXPECT_NEAR(std::fabs(r[8]), 180, 1e-9) << "Gamma_perp < 0 for glass";
        EXPECT_NEAR(r[10], 0, 1e-9);
        EXPECT_NEAR(r[12], 0, 1e-9);
    }
    EXPECT_NEAR(std::fabs(rows[300][6] - rows[700][6]), 180, 1e-9) << "Gamma_par turns at Brewster";
}

// Against frequency: 40 samples a decade, the decades exact; media of numbers give the same
// curve at every frequency, named ones follow their models, and the bands are where both have
// one.
TEST(FresnelCurves, AgainstFrequencyTheNamedMediaFollowTheirModels) {
    const WaveScenario glass = media(1, 2.25, 0, 1e9, 30);
    const SpectrumCurves flat = spectrum_curves(glass, -1, -1);
    ASSERT_EQ(flat.samples.size(), 481u);
    EXPECT_EQ(std::tuple(flat.freq_hz[0], flat.freq_hz[240], flat.freq_hz[480]),
              std::tuple(1e3, 1e9, 1e15));
    EXPECT_NEAR(flat.freq_hz[41] / 1e4, std::pow(10.0, 1 / 40.0), 1e-12);
    const double r_par = fresnel_curves(glass).samples[300].r_par;
    for (const FresnelSample& s : flat.samples) ASSERT_NEAR(s.r_par, r_par, 1e-12);
    EXPECT_EQ(flat.bands, (std::vector<std::pair<double, double>>{{1e3, 1e15}}));
    // Window glass onto water: at 1 GHz the curves of the media at 1 GHz.
    const int32_t window_glass = 3, water = 5;
    const SpectrumCurves wet = spectrum_curves(glass, window_glass, water);
    WaveScenario at_1_ghz = glass;
    set_named_media(at_1_ghz, window_glass, water);
    const FresnelSample expected = fresnel_sample(at_1_ghz, 30);
    EXPECT_EQ(std::pair(wet.samples[240].r_perp, wet.samples[240].t_par),
              std::pair(expected.r_perp, expected.t_par));
    EXPECT_NE(wet.samples[240].r_perp, wet.samples[400].r_perp);
    EXPECT_EQ(wet.bands, (std::vector<std::pair<double, double>>{{1e8, 1e11}, {2.65e14, 1e15}}));
    for (auto [hz, within] : {std::pair{1e8, true},
                              {0.99e8, false},
                              {1e11, true},
                              {2e11, false},
                              {2.65e14, true},
                              {1e15, true}})
        EXPECT_EQ(within_bands(wet, hz), within) << hz;
    const std::string csv = spectrum_csv(wet);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), std::string("frequency_hz,") + fresnel_csv_header);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 482);
    EXPECT_EQ(csv.substr(csv.rfind('\n', csv.size() - 2) + 1, 20), "1000000000000000,30,");
}

TEST(FresnelCurves, PowerAddsUpForEveryNamedMaterialAtEveryAngle) {
    for (const Material& m1 : materials()) {
        if (!m1.medium1) continue;
        for (const Material& m2 : materials()) {
            WaveScenario sc = media(1, 1, 0, m2.models.back().low_hz, 0);
            set_named_media(sc, material_index(&m1), material_index(&m2));
            for (const FresnelSample& x : fresnel_curves(sc).samples) {
                ASSERT_NEAR(x.r_par + x.t_par, 1, 1e-9) << m1.name << " " << m2.name;
                ASSERT_NEAR(x.r_perp + x.t_perp, 1, 1e-9) << m1.name << " " << m2.name;
            }
        }
    }
}

// E, H and k of each wave, and the flow of energy, for every example at every whole angle and
// every named material: the plane waves of medium 1 are transverse and right-handed with
// |eta1 H| = |E|, and what flows in through S_z flows out, as the power balance says.
TEST(WaveFields, TransverseRightHandedAndEnergyConserved) {
    const auto length = [](const Phasor3& v) {
        return std::sqrt(std::norm(v.x) + std::norm(v.y) + std::norm(v.z));
    };
    const auto cross = [](const Phasor3& a, const Phasor3& b) {
        return Phasor3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    };
    std::vector<WaveScenario> all = swept_scenarios();
    for (WaveScenario& sc : all) sc.phi_y = -90, sc.ey_mag = 0.6;  // elliptical
    for (const WaveScenario& sc : all) {
        SCOPED_TRACE(::testing::Message() << sc.eps_r1 << " " << sc.eps_r2 << " " << sc.mu_r2 << " "
                                          << sc.sigma2 << " " << sc.theta_i);
        const InterfaceSolution s = solve_wave_interface(sc, fpp);
        for (RayKind kind : {RayKind::incident, RayKind::reflected}) {
            const WavePhasors w = wave_phasors(kind, sc, s);
            const double e = length(w.e);
            if (e == 0) continue;
            const Complex e_dot_h = w.e.x * w.h.x + w.e.y * w.h.y + w.e.z * w.h.z;
            ASSERT_LT(magnitude(e_dot_h), 1e-12 * e * length(w.h));
            ASSERT_NEAR(s.eta1 * length(w.h), e, 1e-12 * e);
            // E x H is along k, forwards: (E x H) x k = 0 and (E x H) . k > 0.
            const Phasor3 exh = cross(w.e, w.h);
            ASSERT_LT(length(cross(exh, w.k)), 1e-9 * length(exh) * length(w.k));
            const Real3 flow = time_averaged_poynting(w);
            ASSERT_GT(flow[0] * w.k.x.real() + flow[2] * w.k.z.real(), 0.0);
        }
        const std::optional<NormalFlux> flux = normal_flux(sc, s);
        const PowerBalance p = power_balance(sc, s);
        ASSERT_TRUE(flux.has_value());
        ASSERT_NEAR(flux->reflected, *p.r_wave, 1e-9);
        ASSERT_NEAR(flux->transmitted, *p.t_wave, 1e-9);
    }
    WaveScenario dark = all.front();
    dark.ex_mag = dark.ey_mag = 0;
    EXPECT_FALSE(normal_flux(dark, solve_wave_interface(dark, fpp)).has_value());
}

}  // namespace

// The total field in the plane of incidence against physics, a scenario a row: the grid each
// gets; tangential E and H continuous at z = 0 and the map alike at frames 1 and 101 in every
// one; then what each shows.
TEST(FieldMap, TheTotalFieldObeysTheBoundaryAndShowsWhatEachScenarioTeaches) {
    enum Shows { nothing, standing_wave, no_pattern, evanescent };
    WaveScenario tm_brewster = media(1, 2.25, 0, 5e14, 56.309932474020215);
    tm_brewster.ey_mag = 0;
    struct Case {
        const char* what;
        WaveScenario sc;
        int32_t side;
        bool flat;
        double finest_m;  // medium 2's wavelength or decay length
        Shows shows;
    } const cases[] = {
        // clang-format off
        {"glass at 30 deg", media(1, 2.25, 0, 5e14, 30), 128, false, 3.9972e-7, nothing},
        {"n = 9: lambda2 / 8 sets the step", media(1, 81, 0, 1e9, 20), 288, false, 0.033310, nothing},
        {"n = 32: 1024 a side", media(1, 1024, 0, 1e9, 0), 1024, false, 0.0093685, nothing},
        {"n a hair above 32: flat", media(1, 1024.1, 0, 1e9, 0), 128, true, 0.0093681, nothing},
        {"copper at 1 GHz, normal", media(1, 1, 5.8e7, 1e9, 0), 128, true, 2.0899e-6, standing_wave},
        {"TM at Brewster's angle", tm_brewster, 128, false, 3.9972e-7, no_pattern},
        {"glass to air at 60 deg", media(2.25, 1, 0, 5e14, 60), 128, false, 1.1509e-7, evanescent},
    };  // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const InterfaceSolution s = solve_wave_interface(c.sc, 101);
        const FieldMapPhasors map = field_map_phasors(c.sc, s);
        const FieldMapGrid& g = map.grid;
        EXPECT_EQ(std::tuple(g.side, g.medium2_flat), std::tuple(c.side, c.flat));
        EXPECT_NEAR(g.medium2_finest_m / c.finest_m, 1, 1e-4);
        EXPECT_NEAR(g.step_m * g.side, 4 * s.lambda1, 1e-12 * s.lambda1);
        const FieldMapWaves waves = field_map_waves(c.sc, s);
        for (double x : {0.0, 0.37 * s.lambda1, -1.1 * s.lambda1}) {
            const FieldPoint a = field_point(waves, false, x, 0),
                             b = field_point(waves, true, x, 0);
            for (auto [u, v] : {std::pair(a.e.x, b.e.x),
                                {a.e.y, b.e.y},
                                {a.h.x * s.eta1, b.h.x * s.eta1},
                                {a.h.y * s.eta1, b.h.y * s.eta1}}) {
                EXPECT_LT(std::abs(u - v), 1e-9) << x;
            }
        }
        const double period = 100 * s.time_step;
        const std::vector<double> first = field_map_values(map, FieldMapQuantity::hy, s.omega, 0);
        const std::vector<double> last =
            field_map_values(map, FieldMapQuantity::hy, s.omega, period);
        for (size_t k = 0; k < first.size(); k += 97) EXPECT_NEAR(first[k], last[k], 1e-9);
        // Along the middle row: e2 in medium 1 (columns before side / 2) and in medium 2.
        const std::vector<double> e2 = field_map_values(map, FieldMapQuantity::e2, s.omega, 0);
        ASSERT_EQ(e2.size(), first.size());
        for (int32_t k = 0; k < g.side; k += 7) {  // the same along x: the top row as the bottom
            const Phasor3 top = field_map_point(map, g.side - 1, k).e;
            EXPECT_NEAR(e2[k], (norm(top.x) + norm(top.y) + norm(top.z)) / 2, 1e-9) << k;
        }
        const auto at = [&](int32_t column) { return e2[size_t(g.side / 2) * g.side + column]; };
        const int32_t interface = g.side / 2;
        double low = 1e300, high = 0;
        for (int32_t k = 0; k < interface; ++k)
            low = std::min(low, at(k)), high = std::max(high, at(k));
        if (c.shows == standing_wave) {
            // Nodes half a wavelength apart, the first at the interface: 1/2 |2 E0 sin k1 z|^2.
            EXPECT_LT(at(interface - 1), 0.02 * high);
            int nodes = 0;
            for (int32_t k = 1; k < interface; ++k) {
                const double z = field_map_coordinate_m(g, k);
                const bool node = at(k) < at(k - 1) && at(k) < at(k + 1);
                if (node) { EXPECT_NEAR(std::remainder(z, s.lambda1 / 2), 0, g.step_m) << z; }
                nodes += node;
            }
            EXPECT_EQ(nodes, 3) << "at -lambda1 / 2, -lambda1, -3 lambda1 / 2";
            EXPECT_EQ(at(interface + 3), 0.0) << "medium 2 flat";
        }
        if (c.shows == no_pattern) {
            EXPECT_NEAR(low / high, 1, 1e-9) << "nothing reflected";
            // The largest: the incident wave's 1/2 |E0|^2 with |E0| = 1, medium 2's being less.
            EXPECT_NEAR(field_map_largest(map, FieldMapQuantity::e2), 0.5, 1e-12);
        } else {
            EXPECT_LT(low / high, 0.99) << "incident and reflected interfere";
        }
        if (c.shows == evanescent) {
            for (int32_t k = interface; k + 1 < g.side; k += 9) {
                EXPECT_NEAR(at(k + 1) / at(k), std::exp(-2 * s.alpha_z * g.step_m), 1e-9);
            }
        }
    }
}
