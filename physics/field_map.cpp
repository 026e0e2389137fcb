#include "physics/field_map.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// A plane wave's spatial factor e^(-j k.r) at (x, 0, z), k complex: exp(-j (k_x x + k_z z)).
Complex spatial_factor(const Phasor3& k, double x_m, double z_m) {
    return std::exp(-j_unit * (k.x * x_m + k.z * z_m));
}

// The period's mean of the squared field of phasor v: 1/2 |v|^2.
double mean_square(const Phasor3& v) {
    return 0.5 * (std::norm(v.x) + std::norm(v.y) + std::norm(v.z));
}

void add(Phasor3& sum, const Phasor3& v, Complex factor) {
    sum.x += v.x * factor;
    sum.y += v.y * factor;
    sum.z += v.z * factor;
}

}  // namespace

FieldMapGrid field_map_grid(const InterfaceSolution& s) {
    FieldMapGrid g;
    g.half_width_m = 2.0 * s.lambda1;
    // Medium 2's finest length: its wavelength 2 pi / Re k2, or its 1/e decay length along the
    // steepest descent, 1 / |(alpha_x, alpha_z)| (Np/m).
    const double wavelength2 = two_pi / std::fabs(s.k2.real());
    const double alpha = std::sqrt(s.alpha_x * s.alpha_x + s.alpha_z * s.alpha_z);
    const double decay2 = alpha > 0.0 ? 1.0 / alpha : INFINITY;
    g.finest_is_decay = decay2 < wavelength2;
    g.medium2_finest_m = std::min(wavelength2, decay2);
    const double width = 2.0 * g.half_width_m;
    const double step = std::min(s.lambda1 / 32.0, g.medium2_finest_m / 8.0);
    const double needed = std::ceil(width / step - 1e-9);
    g.medium2_flat = !(needed <= field_map_max_side);
    g.side = g.medium2_flat ? 128 : std::max(128, static_cast<int32_t>(needed));
    g.step_m = width / g.side;
    return g;
}

FieldMapWaves field_map_waves(const WaveScenario& sc, const InterfaceSolution& s) {
    return {wave_phasors(RayKind::incident, sc, s), wave_phasors(RayKind::reflected, sc, s),
            wave_phasors(RayKind::transmitted, sc, s), s.eta1};
}

FieldPoint field_point(const FieldMapWaves& w, bool medium2, double x_m, double z_m) {
    FieldPoint p{};
    for (const WavePhasors* wave : {&w.incident, &w.reflected, &w.transmitted}) {
        if ((wave == &w.transmitted) != medium2) continue;
        const Complex f = spatial_factor(wave->k, x_m, z_m);
        add(p.e, wave->e, f);
        add(p.h, wave->h, f);
    }
    return p;
}

FieldMapPhasors field_map_phasors(const WaveScenario& sc, const InterfaceSolution& s) {
    FieldMapPhasors p{field_map_grid(s), field_map_waves(sc, s), {}, {}};
    const FieldMapGrid& g = p.grid;
    const WavePhasors* waves[] = {&p.waves.incident, &p.waves.reflected, &p.waves.transmitted};
    for (size_t w = 0; w < 3; ++w) {
        for (int32_t k = 0; k < g.side; ++k) {
            const double at = field_map_coordinate_m(g, k);
            p.along_x[w].push_back(std::exp(-j_unit * waves[w]->k.x * at));
            p.along_z[w].push_back(std::exp(-j_unit * waves[w]->k.z * at));
        }
    }
    // Medium 1's magnitudes change along z alone (both waves share k_x); medium 2's single
    // wave falls off monotonically in x and z: the first and last rows hold every largest one.
    for (int32_t row : {0, g.side - 1}) {
        for (int32_t column = 0; column < g.side; ++column) {
            const FieldPoint f = field_map_point(p, row, column);
            p.most_ey = std::max(p.most_ey, std::abs(f.e.y));
            p.most_hy = std::max(p.most_hy, s.eta1 * std::abs(f.h.y));
            p.most_e2 = std::max(p.most_e2, mean_square(f.e));
        }
    }
    return p;
}

FieldPoint field_map_point(const FieldMapPhasors& p, int32_t row, int32_t column) {
    FieldPoint f{};
    const bool medium2 = field_map_coordinate_m(p.grid, column) >= 0.0;
    if (medium2 && p.grid.medium2_flat) return f;
    const WavePhasors* waves[] = {&p.waves.incident, &p.waves.reflected, &p.waves.transmitted};
    for (size_t w = medium2 ? 2 : 0; w < (medium2 ? 3u : 2u); ++w) {
        const Complex factor = p.along_x[w][size_t(row)] * p.along_z[w][size_t(column)];
        add(f.e, waves[w]->e, factor);
        add(f.h, waves[w]->h, factor);
    }
    return f;
}

std::vector<double> field_map_samples(const FieldMapPhasors& p, FieldMapQuantity q, Complex turn,
                                      const std::vector<int32_t>& rows,
                                      const std::vector<int32_t>& columns) {
    std::vector<double> v;
    v.reserve(rows.size() * columns.size());
    if (q == FieldMapQuantity::e2) {
        // Every wave has the real k_x = k1 sin theta_i (medium 1 is lossless; the transmitted
        // wave's by phase matching), so |E|^2 does not vary along x: one row serves them all.
        std::vector<double> row;
        for (int32_t column : columns)
            row.push_back(rows.empty() ? 0.0 : mean_square(field_map_point(p, rows[0], column).e));
        for (size_t k = 0; k < rows.size(); ++k) v.insert(v.end(), row.begin(), row.end());
        return v;
    }
    const WavePhasors* waves[] = {&p.waves.incident, &p.waves.reflected, &p.waves.transmitted};
    const double scale = q == FieldMapQuantity::hy ? p.waves.eta1 : 1.0;
    std::vector<bool> in_medium2;
    for (int32_t column : columns)
        in_medium2.push_back(field_map_coordinate_m(p.grid, column) >= 0.0);
    // Re(a b) written out: the real part alone, at a few multiplications a sample.
    const auto real_of = [](Complex a, Complex b) {
        return a.real() * b.real() - a.imag() * b.imag();
    };
    for (int32_t row : rows) {
        Complex lead[3];  // each wave's component, its factor along x and the instant's turn
        for (size_t w = 0; w < 3; ++w) {
            const Complex component = q == FieldMapQuantity::ey ? waves[w]->e.y : waves[w]->h.y;
            lead[w] = scale * component * p.along_x[w][size_t(row)] * turn;
        }
        for (size_t k = 0; k < columns.size(); ++k) {
            const auto c = size_t(columns[k]);
            v.push_back(in_medium2[k]
                            ? (p.grid.medium2_flat ? 0.0 : real_of(lead[2], p.along_z[2][c]))
                            : real_of(lead[0], p.along_z[0][c]) +
                                  real_of(lead[1], p.along_z[1][c]));
        }
    }
    return v;
}

double field_map_largest(const FieldMapPhasors& p, FieldMapQuantity q) {
    return q == FieldMapQuantity::ey   ? p.most_ey
           : q == FieldMapQuantity::hy ? p.most_hy
                                       : p.most_e2;
}

std::vector<double> field_map_values(const FieldMapPhasors& p, FieldMapQuantity q, double omega,
                                     double t_s) {
    std::vector<int32_t> every(static_cast<size_t>(p.grid.side));
    for (int32_t k = 0; k < p.grid.side; ++k) every[size_t(k)] = k;
    return field_map_samples(p, q, std::polar(1.0, omega * t_s), every, every);
}

std::string field_map_csv(const FieldMapPhasors& p, FieldMapQuantity q, double omega, double t_s) {
    const std::vector<double> v = field_map_values(p, q, omega, t_s);
    const FieldMapGrid& g = p.grid;
    std::string csv = "x_m,z_m,value\n";
    char row[96];
    for (int32_t r = 0; r < g.side; ++r) {
        for (int32_t c = 0; c < g.side; ++c) {
            std::snprintf(row, sizeof row, "%.17g,%.17g,%.17g\n", field_map_coordinate_m(g, r),
                          field_map_coordinate_m(g, c), v[size_t(r) * size_t(g.side) + size_t(c)]);
            csv += row;
        }
    }
    return csv;
}

const char* field_map_name(FieldMapQuantity q) {
    return q == FieldMapQuantity::ey ? "ey" : q == FieldMapQuantity::hy ? "hy" : "e2";
}

std::optional<FieldMapQuantity> parse_field_map_quantity(const std::string& name) {
    for (FieldMapQuantity q : {FieldMapQuantity::ey, FieldMapQuantity::hy, FieldMapQuantity::e2}) {
        if (name == field_map_name(q)) return q;
    }
    return std::nullopt;
}
