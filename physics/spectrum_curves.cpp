#include "physics/spectrum_curves.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "physics/materials.h"

namespace {

// Where a medium has a model: a named material's bands, all of the range for numbers.
std::vector<std::pair<double, double>> bands_of(int32_t material) {
    const Material* named = material_by_index(material);
    if (named == nullptr) return {{frequency_min_hz, frequency_max_hz}};
    std::vector<std::pair<double, double>> bands;
    for (const MaterialModel& m : named->models) bands.emplace_back(m.low_hz, m.high_hz);
    return bands;
}

}  // namespace

SpectrumCurves spectrum_curves(const WaveScenario& sc, int32_t medium1_material,
                               int32_t medium2_material) {
    SpectrumCurves c;
    const int decades = int(std::lround(std::log10(frequency_max_hz / frequency_min_hz)));
    for (int k = 0; k <= decades * spectrum_points_per_decade; ++k) {
        // The decade's own frequencies exact: 1 kHz, 10 kHz, ...
        const double hz =
            k % spectrum_points_per_decade == 0
                ? frequency_min_hz * std::pow(10.0, k / spectrum_points_per_decade)
                : frequency_min_hz * std::pow(10.0, double(k) / spectrum_points_per_decade);
        WaveScenario at = sc;
        at.freq = hz;
        at.omega = two_pi * hz;
        set_named_media(at, medium1_material, medium2_material);
        c.freq_hz.push_back(hz);
        c.samples.push_back(fresnel_sample(at, sc.theta_i));
    }
    // Both media's bands at once: the intersections of theirs.
    for (const auto& [low1, high1] : bands_of(medium1_material)) {
        for (const auto& [low2, high2] : bands_of(medium2_material)) {
            const double low = std::max(low1, low2), high = std::min(high1, high2);
            if (low < high) c.bands.emplace_back(low, high);
        }
    }
    std::sort(c.bands.begin(), c.bands.end());
    return c;
}

bool within_bands(const SpectrumCurves& curves, double freq_hz) {
    return std::any_of(curves.bands.begin(), curves.bands.end(), [&](const auto& b) {
        return freq_hz >= b.first * (1 - 1e-12) && freq_hz <= b.second * (1 + 1e-12);
    });
}

std::string spectrum_csv(const SpectrumCurves& curves) {
    std::string csv = std::string("frequency_hz,") + fresnel_csv_header + "\n";
    char hz[32];
    for (size_t k = 0; k < curves.samples.size(); ++k) {
        std::snprintf(hz, sizeof hz, "%.17g,", curves.freq_hz[k]);
        csv += hz + fresnel_csv_row(curves.samples[k]) + "\n";
    }
    return csv;
}
