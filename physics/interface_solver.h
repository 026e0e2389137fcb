// Reflection and transmission of a uniform plane wave at the plane z = 0 between a lossless
// medium 1 (z < 0) and a possibly lossy medium 2 (z > 0). SI units throughout, angles in
// degrees at the input and radians in the output, time dependence exp(+j omega t).
#pragma once

#include <complex>

using Complex = std::complex<double>;

// The imaginary unit; multiplying by it is an ordinary complex product.
inline const Complex j_unit{0.0, 1.0};

inline constexpr double c0 = 299792458.0;              // m/s
inline constexpr double mu0 = 1.256637061435917e-6;    // H/m
inline constexpr double eps0 = 8.854187817620389e-12;  // F/m
inline constexpr double pi = 3.14159265358979;         // for every degree <-> radian conversion
inline constexpr double two_pi = 6.28318530717958;     // for wave numbers from wavelengths

// Thin names for the complex operations, so the physics reads as written on paper. The
// magnitude and the square root are written out, without hypot and csqrt, whose last bits
// differ between C libraries: the desktop and the browser build give the same numbers.
// |z| = sqrt(x^2 + y^2) for z = x + jy; the magnitudes of this program are far from overflow.
inline double magnitude(Complex z) {
    return std::sqrt(z.real() * z.real() + z.imag() * z.imag());
}
// The principal root (real part >= 0, the sign of y kept, -0 too): with t = sqrt((|x| + |z|)/2),
// sqrt z = t + j y/(2t) for x >= 0, |y|/(2t) + j sign(y) t for x < 0.
inline Complex principal_sqrt(Complex z) {
    const double x = z.real(), y = z.imag();
    if (x == 0.0 && y == 0.0) return Complex(0.0, y);
    const double t = std::sqrt((std::fabs(x) + magnitude(z)) / 2.0);
    if (x >= 0.0) return Complex(t, y / (2.0 * t));
    return Complex(std::fabs(y) / (2.0 * t), std::copysign(t, y));
}
inline double argument(Complex z) {
    return std::arg(z);
}

// degrees -> radians and back, multiplication first.
inline double degrees_to_radians(double degrees) {
    return (degrees * pi) / 180.0;
}
inline double radians_to_degrees(double radians) {
    return (radians * 180.0) / pi;
}

// The user's scenario: incident field, incident angle, the two media and the frequency.
// x is the parallel (TM) component in the plane of incidence, y the perpendicular (TE) one.
struct WaveScenario {
    double ex_mag;   // field units
    double ey_mag;   // field units
    double phi_x;    // degrees
    double phi_y;    // degrees
    double theta_i;  // degrees from the interface normal
    double eps_r1;
    double mu_r1;
    double eps_r2;
    double mu_r2;
    double sigma2;  // S/m
    double freq;    // Hz
    double omega;   // rad/s, set together with freq as two_pi * freq; never derived here
};

// Everything the drawing needs about the three waves.
struct InterfaceSolution {
    double ex_mag, ey_mag, omega;  // copies of the scenario
    double phi_x_rad, phi_y_rad;
    double lambda1;      // m
    double k1;           // rad/m, two_pi / lambda1: the drawing's wave number
    double k1_material;  // rad/m, omega sqrt(mu1 eps1): Snell's law
    double sin_theta_i, cos_theta_i;
    Complex eps2c;     // F/m, eps0 eps_r2 - j sigma2 / omega
    Complex k2;        // rad/m, Im k2 <= 0
    Complex k2_lossy;  // k2 with a little extra loss: decides the sign of roots on the branch cut
    double eta1;       // ohm
    Complex eta2;      // ohm
    Complex sin_theta_t, cos_theta_t;
    double alpha_x, beta_x;  // Np/m, rad/m: j k2 sin(theta_t) = alpha_x + j beta_x
    double alpha_z, beta_z;  // Np/m, rad/m: j k2 cos(theta_t) = alpha_z + j beta_z
    Complex gamma_par, gamma_perp, tau_par, tau_perp;
    double refl_x_mag, refl_y_mag, trans_x_mag, trans_y_mag;          // field units
    double refl_x_phase, refl_y_phase, trans_x_phase, trans_y_phase;  // rad
    double display_scale;  // field units drawn 0.98 scene units long, at least 0.01
    double time_step;      // s between two animation samples
};

// Solves the interface problem for one scenario; frames_per_period samples span one period.
InterfaceSolution solve_wave_interface(const WaveScenario& scenario, int frames_per_period);

// Sign convention of every root taken on the branch cut: sign(NaN) = sign(0) = 0.
int sign_of(double v);

// Chooses the root of k2 = omega sqrt(mu2 eps2c) that decays towards +z (Im k2 <= 0); on the
// real axis the slightly lossier k2_lossy tells which way the root must go. Corrects both in
// place.
void choose_k2_root(Complex& k2, Complex& k2_lossy);

// Chooses the root of cos(theta_t) for which Im(k2 cos(theta_t)) <= 0, so that the transmitted
// wave decays (or stays bounded) towards +z; beyond the critical angle +j s becomes -j s.
Complex choose_cos_theta_t_root(Complex cos_theta_t, Complex k2, Complex k2_lossy);

// A phase (rad) with whole turns beyond +-360 degrees removed, not folded into (-pi, pi]:
// in [-360, 360] degrees; NaN for a phase that is not finite.
double fold_phase_degrees(double phase_rad);
