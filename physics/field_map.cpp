#include "physics/field_map.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// A plane wave's spatial factor e^(-j k.r) at (x, 0, z), k complex: exp(-j (k_x x + k_z z)).
Complex spatial_factor(const Phasor3& k, double x_m, double z_m) {
    return std::exp(-j_unit * (k.x * x_m + k.z * z_m));
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
            wave_phasors(RayKind::transmitted, sc, s)};
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
    FieldMapPhasors p{field_map_grid(s), {}, {}};
    const FieldMapGrid& g = p.grid;
    const FieldMapWaves waves = field_map_waves(sc, s);
    p.e.resize(size_t(g.side) * size_t(g.side));
    p.eta1_hy.resize(p.e.size());
    for (int32_t row = 0; row < g.side; ++row) {
        const double x = field_map_coordinate_m(g, row);
        for (int32_t column = 0; column < g.side; ++column) {
            const double z = field_map_coordinate_m(g, column);
            if (z >= 0.0 && g.medium2_flat) continue;
            const FieldPoint f = field_point(waves, z >= 0.0, x, z);
            const size_t k = size_t(row) * size_t(g.side) + size_t(column);
            p.e[k] = f.e;
            p.eta1_hy[k] = s.eta1 * f.h.y;
        }
    }
    return p;
}

std::vector<double> field_map_values(const FieldMapPhasors& p, FieldMapQuantity q, double omega,
                                     double t_s) {
    std::vector<double> v(p.e.size());
    const Complex turn = std::polar(1.0, omega * t_s);
    for (size_t k = 0; k < v.size(); ++k) {
        const Phasor3& e = p.e[k];
        switch (q) {
            case FieldMapQuantity::ey:
                v[k] = (e.y * turn).real();
                break;
            case FieldMapQuantity::hy:
                v[k] = (p.eta1_hy[k] * turn).real();
                break;
            case FieldMapQuantity::e2:
                v[k] = 0.5 * (std::norm(e.x) + std::norm(e.y) + std::norm(e.z));
                break;
        }
    }
    return v;
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
