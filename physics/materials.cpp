#include "physics/materials.h"

#include <algorithm>
#include <cmath>
#include <memory>

// Sources, cited in full in docs/guide.md, "Materials". Water and seawater at 20 degC,
// seawater of salinity 35 per mille.
namespace {

// A loss as a conductivity at f: sigma = omega eps0 eps_r'' for eps_r = eps_r' - j eps_r''.
MediumValues from_permittivity(Complex eps_r, double freq_hz, double sigma_s_per_m = 0.0) {
    return {eps_r.real(), 1.0, sigma_s_per_m - two_pi * freq_hz * eps0 * eps_r.imag()};
}

// n(lambda)^2 = 1 + sum B_i lambda^2 / (lambda^2 - C_i), lambda in micrometres, C_i in um^2.
MediumValues sellmeier(double freq_hz, const double (&b)[4], const double (&c)[4]) {
    const double l2 = std::pow(c0 / freq_hz * 1e6, 2);
    double n2 = 1.0;
    for (int k = 0; k < 4; ++k) n2 += b[k] * l2 / (l2 - c[k]);
    return {n2, 1.0, 0.0};
}

// ITU-R P.2040-1, Table 3: eps_r' = a f^b, sigma = c f^d (S/m), f in GHz.
MediumValues itu(double freq_hz, double a, double b, double c, double d) {
    const double f_ghz = freq_hz / 1e9;
    return {a * std::pow(f_ghz, b), 1.0, c * std::pow(f_ghz, d)};
}

// Pure water, double Debye (Meissner and Wentz 2004, IEEE TGRS 42, 1836, eqs. 6-7 and
// Table III) at T = 20 degC, with sigma = 0.001 S/m for fresh water:
// eps = (eps_s - eps_1) / (1 + j f/nu_1) + (eps_1 - eps_inf) / (1 + j f/nu_2) + eps_inf.
MediumValues water_debye(double f) {
    const double t = 20.0;
    const double eps_s = (37088.6 - 82.168 * t) / (421.854 + t);
    const double eps_1 = 5.7230 + 2.2379e-2 * t - 7.1237e-4 * t * t;
    const double nu_1 = (45.0 + t) / (5.0478 - 7.0315e-2 * t + 6.0059e-4 * t * t) * 1e9;  // Hz
    const double eps_inf = 3.6143 + 2.8841e-2 * t;
    const double nu_2 = (45.0 + t) / (1.3652e-1 + 1.4825e-3 * t + 2.4166e-4 * t * t) * 1e9;
    const Complex eps = (eps_s - eps_1) / (1.0 + j_unit * (f / nu_1)) +
                        (eps_1 - eps_inf) / (1.0 + j_unit * (f / nu_2)) + eps_inf;
    return from_permittivity(eps, f, 0.001);
}

// Seawater, Debye with salinity S (Klein and Swift 1977, IEEE TAP 25, 104, eqs. 12-21):
// eps = 4.9 + (eps_s(T, S) - 4.9) / (1 + j omega tau(T, S)) - j sigma(T, S) / (omega eps0).
MediumValues seawater_debye(double f) {
    const double t = 20.0, s = 35.0, d = 25.0 - t;
    const double eps_s =
        (87.134 - 1.949e-1 * t - 1.276e-2 * t * t + 2.491e-4 * t * t * t) *
        (1.0 + 1.613e-5 * s * t - 3.656e-3 * s + 3.210e-5 * s * s - 4.232e-7 * s * s * s);
    const double tau_s =
        (1.768e-11 - 6.086e-13 * t + 1.104e-14 * t * t - 8.111e-17 * t * t * t) *
        (1.0 + 2.282e-5 * s * t - 7.638e-4 * s - 7.760e-6 * s * s + 1.105e-8 * s * s * s);
    const double sigma_25 =
        s * (0.182521 - 1.46192e-3 * s + 2.09324e-5 * s * s - 1.28205e-7 * s * s * s);
    const double beta = 2.033e-2 + 1.266e-4 * d + 2.464e-6 * d * d -
                        s * (1.849e-5 - 2.551e-7 * d + 2.551e-8 * d * d);
    const Complex eps = 4.9 + (eps_s - 4.9) / (1.0 + j_unit * (two_pi * f * tau_s));
    return from_permittivity(eps, f, sigma_25 * std::exp(-d * beta));
}

// Seawater in visible light (Quan and Fry 1995, Appl. Opt. 34, 3477): n(S, T, lambda in nm).
MediumValues seawater_quan_fry(double f) {
    const double t = 20.0, s = 35.0, l = c0 / f * 1e9;
    const double n = 1.31405 + (1.779e-4 - 1.05e-6 * t + 1.6e-8 * t * t) * s - 2.02e-6 * t * t +
                     (15.868 + 0.01155 * s - 0.00423 * t) / l - 4382.0 / (l * l) +
                     1.1455e6 / (l * l * l);
    return {n * n, 1.0, 0.0};
}

// Lorentz-Drude metal (Rakic et al. 1998, Appl. Opt. 37, 5271, eqs. 2-3 and Table 1), photon
// energies in eV: eps = 1 - f0 wp^2 / (w (w - j G0)) + sum f_j wp^2 / (w_j^2 - w^2 + j w G_j),
// the paper's exp(-i omega t) turned to this program's exp(+j omega t).
struct Oscillator {
    double f, gamma_ev, omega_ev;
};
template <size_t N>
MediumValues lorentz_drude(double freq_hz, double plasma_ev, double f0, double gamma0_ev,
                           const Oscillator (&oscillators)[N]) {
    const double w = freq_hz * 4.135667696e-15;  // eV: h f / e
    const double wp2 = plasma_ev * plasma_ev;
    Complex eps = 1.0 - f0 * wp2 / (w * (w - j_unit * gamma0_ev));
    for (const Oscillator& o : oscillators) {
        eps += o.f * wp2 / (o.omega_ev * o.omega_ev - w * w + j_unit * (w * o.gamma_ev));
    }
    return from_permittivity(eps, freq_hz);
}
constexpr Oscillator copper_lines[] = {
    {0.061, 0.378, 0.291}, {0.104, 1.056, 2.957}, {0.723, 3.213, 5.300}, {0.638, 4.305, 11.18}};
constexpr Oscillator silver_lines[] = {{0.065, 3.886, 0.816},
                                       {0.124, 0.452, 4.481},
                                       {0.011, 0.065, 8.185},
                                       {0.840, 0.916, 9.083},
                                       {5.646, 2.419, 20.29}};
constexpr Oscillator gold_lines[] = {{0.024, 0.241, 0.415},
                                     {0.010, 0.345, 0.830},
                                     {0.071, 0.870, 2.969},
                                     {0.601, 2.494, 4.304},
                                     {4.384, 2.214, 13.32}};
constexpr Oscillator aluminium_lines[] = {
    {0.227, 0.333, 0.162}, {0.050, 0.312, 1.544}, {0.166, 1.351, 1.808}, {0.030, 3.382, 3.473}};

// Schott's Sellmeier for N-BK7; fused silica (Malitson 1965, JOSA 55, 1205); water at 20 degC
// (Daimon and Masumura 2007, Appl. Opt. 46, 3811, Table 3, four terms). C in um^2.
constexpr double bk7_b[4] = {1.03961212, 0.231792344, 1.01046945, 0.0};
constexpr double bk7_c[4] = {0.00600069867, 0.0200179144, 103.560653, 0.0};
constexpr double silica_b[4] = {0.6961663, 0.4079426, 0.8974794, 0.0};
constexpr double silica_c[4] = {0.0684043 * 0.0684043, 0.1162414 * 0.1162414, 9.896161 * 9.896161,
                                0.0};
constexpr double water_b[4] = {5.684027565e-1, 1.726177391e-1, 2.086189578e-2, 1.130748688e-1};
constexpr double water_c[4] = {5.101829712e-3, 1.821153936e-2, 2.620722293e-2, 1.069792721e1};

constexpr const char* ulaby = "constant (Ulaby's tables)";
constexpr const char* bulk = "bulk conductivity";
constexpr const char* rakic = "Lorentz-Drude (Rakic et al. 1998)";

// A model whose values hold over its whole band.
std::function<MediumValues(double)> constant(double eps_r, double mu_r, double sigma) {
    return [=](double) { return MediumValues{eps_r, mu_r, sigma}; };
}

// A metal: its bulk conductivity to 1 THz, a Lorentz-Drude model from drude_from_hz into light.
template <size_t N>
Material metal(const char* name, const char* what, double sigma, double drude_from_hz,
               double plasma_ev, double f0, double gamma0_ev, const Oscillator (&lines)[N]) {
    return {name,
            what,
            false,
            {{1e3, 1e12, bulk, constant(1.0, 1.0, sigma)},
             {drude_from_hz, 1e15, rakic, [=, &lines](double f) {
                  return lorentz_drude(f, plasma_ev, f0, gamma0_ev, lines);
              }}}};
}

}  // namespace

const std::vector<Material>& materials() {
    static const std::vector<Material> table = {
        {"vacuum",
         "the reference: eta0, c0",
         true,
         {{1e3, 1e15, "exact", constant(1.0, 1.0, 0.0)}}},
        {"air", "almost vacuum", true, {{1e3, 1e15, ulaby, constant(1.0006, 1.0, 0.0)}}},
        {"teflon",
         "a low-loss dielectric (cable insulation)",
         true,
         {{1e3, 1e10, ulaby, constant(2.1, 1.0, 0.0)}}},
        {"glass",
         "window glass to radio, n = 1.517 in light: Brewster 56.60 deg",
         true,
         {{1e8, 1e11, "ITU-R P.2040 glass",
           [](double f) { return itu(f, 6.31, 0.0, 0.0036, 1.3394); }},
          {1.2e14, 1e15, "Sellmeier of N-BK7 (Schott)",
           [](double f) { return sellmeier(f, bk7_b, bk7_c); }}}},
        {"silica",
         "fused silica: n = 1.458 in light",
         true,
         {{8.1e13, 1e15, "Sellmeier (Malitson 1965)",
           [](double f) { return sellmeier(f, silica_b, silica_c); }}}},
        {"water",
         "fresh water: a mirror to radio, clear in light",
         false,
         {{1e3, 5e11, "double Debye (Meissner & Wentz 2004)", water_debye},
          {2.65e14, 1e15, "Sellmeier (Daimon & Masumura 2007)",
           [](double f) { return sellmeier(f, water_b, water_c); }}}},
        {"seawater",
         "a good conductor below some MHz, clear in light",
         false,
         {{1e3, 1e11, "Debye with salinity (Klein & Swift 1977)", seawater_debye},
          {4e14, 7.5e14, "Quan & Fry 1995", seawater_quan_fry}}},
        {"dry-soil",
         "very dry ground: a low-loss dielectric",
         false,
         {{1e9, 1e10, "ITU-R P.2040 very dry ground",
           [](double f) { return itu(f, 3.0, 0.0, 0.00015, 2.52); }}}},
        {"wet-soil",
         "wet ground: a lossy dielectric",
         false,
         {{1e9, 1e10, "ITU-R P.2040 wet ground",
           [](double f) { return itu(f, 30.0, -0.4, 0.15, 1.30); }}}},
        {"concrete",
         "a lossy dielectric (walls)",
         false,
         {{1e9, 1e11, "ITU-R P.2040 concrete",
           [](double f) { return itu(f, 5.24, 0.0, 0.0462, 0.7822); }}}},
        {"germanium",
         "a poor conductor (a semiconductor)",
         false,
         {{1e3, 1e10, ulaby, constant(16.0, 1.0, 2.2)}}},
        metal("copper", "a good conductor: total reflection, skin depth", 5.8e7, 2.4e13, 10.83,
              0.575, 0.030, copper_lines),
        metal("silver", "the best conductor; a mirror for light", 6.3e7, 2.4e13, 9.01, 0.845, 0.048,
              silver_lines),
        metal("gold", "a conductor, yellow in light", 4.1e7, 2.4e13, 9.03, 0.760, 0.053,
              gold_lines),
        metal("aluminium", "a conductor, a mirror into the ultraviolet", 3.8e7, 1.2e12, 14.98,
              0.523, 0.047, aluminium_lines),
        {"iron",
         "a magnetic conductor, mu_r 4000",
         false,
         {{1e3, 1e4, ulaby, constant(1.0, 4000.0, 1e7)}}},
    };
    return table;
}

const Material* find_material(const std::string& name) {
    for (const Material& m : materials()) {
        if (name == m.name) return &m;
    }
    return nullptr;
}

int material_index(const Material* material) {
    if (material == nullptr) return -1;
    return static_cast<int>(material - materials().data());
}

std::string material_names() {
    std::string names;
    for (const Material& m : materials()) {
        if (!names.empty()) names += ", ";
        names += m.name;
    }
    return names;
}

namespace {

// The materials added while the program runs: stable addresses, names kept alive.
struct Added {
    std::vector<std::unique_ptr<Material>> materials;
    std::vector<std::unique_ptr<std::string>> names;
};
Added& added() {
    static Added a;
    return a;
}

// y(x) on the polyline through (xs, ys), ascending xs; constant beyond its ends.
double interpolated(const std::vector<double>& xs, const std::vector<double>& ys, double x) {
    if (x <= xs.front()) return ys.front();
    if (x >= xs.back()) return ys.back();
    const size_t k = size_t(std::upper_bound(xs.begin(), xs.end(), x) - xs.begin());
    const double t = (x - xs[k - 1]) / (xs[k] - xs[k - 1]);
    return ys[k - 1] + t * (ys[k] - ys[k - 1]);
}

}  // namespace

const Material* material_by_index(int32_t index) {
    const std::vector<Material>& table = materials();
    if (index < 0) return nullptr;
    if (size_t(index) < table.size()) return &table[size_t(index)];
    const size_t k = size_t(index) - table.size();
    return k < added().materials.size() ? added().materials[k].get() : nullptr;
}

int32_t add_material(const Material& material) {
    Added& a = added();
    const auto base = int32_t(materials().size());
    for (size_t k = 0; k < a.materials.size(); ++k) {
        if (!material.file.empty() && a.materials[k]->file == material.file)
            return base + int32_t(k);
    }
    a.names.push_back(std::make_unique<std::string>(material.name));
    a.materials.push_back(std::make_unique<Material>(material));
    a.materials.back()->name = a.names.back()->c_str();
    return base + int32_t(a.materials.size() - 1);
}

// refractiveindex.info's formulas, lambda in micrometres: 1, n^2 - 1 = C1 + sum C_2i lambda^2 /
// (lambda^2 - C_2i+1^2); 2, the same with C_2i+1 not squared. n - j kappa = sqrt(eps_r).
Material material_from_index(const std::string& name, const std::string& file,
                             const IndexData& data) {
    const auto values = [data](double freq_hz) {
        const double l = c0 / freq_hz * 1e6, l2 = l * l;
        double n = 0.0;
        if (data.formula == IndexData::Formula::none) {
            n = interpolated(data.n_wavelength_um, data.n, l);
        } else {
            const std::vector<double>& c = data.coefficients;
            double n2 = 1.0 + (c.empty() ? 0.0 : c[0]);
            for (size_t k = 1; k + 1 < c.size(); k += 2) {
                const double pole = data.formula == IndexData::Formula::sellmeier_1
                                        ? c[k + 1] * c[k + 1]
                                        : c[k + 1];
                n2 += c[k] * l2 / (l2 - pole);
            }
            n = std::sqrt(n2);
        }
        const double kappa = data.k.empty() ? 0.0 : interpolated(data.k_wavelength_um, data.k, l);
        // eps_r = (n - j kappa)^2 = n^2 - kappa^2 - j 2 n kappa
        return MediumValues{n * n - kappa * kappa, 1.0, two_pi * freq_hz * eps0 * 2.0 * n * kappa};
    };
    const bool lossless =
        std::all_of(data.k.begin(), data.k.end(), [](double k) { return k == 0.0; });
    Material m{"", "read from a refractive index file", lossless, {}, file};
    m.models.push_back({c0 / (data.high_um * 1e-6), c0 / (data.low_um * 1e-6), "", values});
    added().names.push_back(std::make_unique<std::string>(name));
    m.name = added().names.back()->c_str();
    added().names.push_back(
        std::make_unique<std::string>("refractiveindex.info data, " + data.kind));
    m.models.back().name = added().names.back()->c_str();
    return m;
}

MaterialAt material_at(const Material& material, double freq_hz) {
    // The model whose band holds f, or else the nearest edge on a logarithmic axis.
    const MaterialModel* nearest = &material.models.front();
    double edge_hz = nearest->low_hz, distance = HUGE_VAL;
    for (const MaterialModel& m : material.models) {
        if (freq_hz >= m.low_hz && freq_hz <= m.high_hz) {
            return {m.at(freq_hz), &m, freq_hz, true};
        }
        for (double edge : {m.low_hz, m.high_hz}) {
            const double d = std::fabs(std::log(freq_hz / edge));
            if (d < distance) distance = d, nearest = &m, edge_hz = edge;
        }
    }
    return {nearest->at(edge_hz), nearest, edge_hz, false};
}

void set_named_media(WaveScenario& sc, int32_t medium1_material, int32_t medium2_material) {
    if (const Material* m = material_by_index(medium1_material)) {
        const MediumValues v = material_at(*m, sc.freq).values;
        sc.eps_r1 = v.eps_r;
        sc.mu_r1 = v.mu_r;
    }
    if (const Material* m = material_by_index(medium2_material)) {
        const MediumValues v = material_at(*m, sc.freq).values;
        sc.eps_r2 = v.eps_r;
        sc.mu_r2 = v.mu_r;
        sc.sigma2 = v.sigma;
    }
}
