// The Fresnel curves against frequency at one angle (the key g's last mode): R and T of both
// polarisations from 1 kHz to 1 PHz on a logarithmic axis, the named media following their
// models; and the bands where those models hold, outside which the curves show a gap.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "physics/fresnel_curves.h"

inline constexpr int spectrum_points_per_decade = 40;

struct SpectrumCurves {
    std::vector<double> freq_hz;                   // 1 kHz * 10^(k / 40), 481 of them
    std::vector<FresnelSample> samples;            // at each frequency, theta_i_deg the angle's
    std::vector<std::pair<double, double>> bands;  // Hz: where every named medium has a model
};

// The curves of sc's media at sc's angle; its field, frequency and time play no part.
SpectrumCurves spectrum_curves(const WaveScenario& sc, int32_t medium1_material,
                               int32_t medium2_material);

// Whether f lies in one of the bands.
bool within_bands(const SpectrumCurves& curves, double freq_hz);

// As CSV: "frequency_hz", then the columns of the curves against the angle, every number "%.17g".
std::string spectrum_csv(const SpectrumCurves& curves);
