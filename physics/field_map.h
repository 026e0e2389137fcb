// The total field in the plane of incidence y = 0, on a square grid: in medium 1 (z < 0) the
// incident and the reflected waves summed, in medium 2 (z >= 0) the transmitted wave. Each wave
// is the one the arrows show: its phasors at its interface point (physics/wave_fields.h) carried
// to each sample by its own spatial factor. Metres, the scene's axes (x along the interface).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "physics/wave_fields.h"

enum class FieldMapQuantity {
    ey,  // E_y at the frame's instant, field units: the perpendicular part
    hy,  // eta1 H_y at the frame's instant, field units: the parallel part
    e2,  // the period's mean of |E|^2, 1/2 |E|^2 of the phasor, field units squared
};

// Two medium-1 wavelengths either side of the interface and four along it: samples at the
// centres of side x side squares of step_m, from -2 lambda1 to 2 lambda1 in z and in x. The
// step is at most lambda1 / 32, and 1/8 of medium 2's wavelength and of its 1/e decay length,
// with at most 1024 samples a side; a medium 2 finer than that is left flat (zero).
struct FieldMapGrid {
    int32_t side = 0;
    double step_m = 0.0;
    double half_width_m = 0.0;      // 2 lambda1
    bool medium2_flat = false;      // medium 2's wave finer than the grid allows
    double medium2_finest_m = 0.0;  // its wavelength or its decay length, the shorter
    bool finest_is_decay = false;   // that length is the decay length
};
inline constexpr int32_t field_map_max_side = 1024;
FieldMapGrid field_map_grid(const InterfaceSolution& s);

// Sample (row, column): x = -half + (row + 1/2) step, z = -half + (column + 1/2) step.
inline double field_map_coordinate_m(const FieldMapGrid& g, int32_t index) {
    return -g.half_width_m + (index + 0.5) * g.step_m;
}

// The three waves' phasors at their interface points, and the total field of a medium at
// (x_m, 0, z_m): medium 1's two waves, or medium 2's one, each carried by its e^(-j k.r).
struct FieldMapWaves {
    WavePhasors incident, reflected, transmitted;
    double eta1;  // ohm
};
FieldMapWaves field_map_waves(const WaveScenario& sc, const InterfaceSolution& s);
struct FieldPoint {
    Phasor3 e, h;  // field units, field units per ohm
};
FieldPoint field_point(const FieldMapWaves& w, bool medium2, double x_m, double z_m);

// What the map needs of a scenario, computed once: each wave's spatial factor along x for every
// row and along z for every column (a plane wave's e^(-j k.r) is their product), and the
// largest magnitude each quantity takes over the grid and a period. A frame then only turns
// the phasors by its e^(j omega t).
struct FieldMapPhasors {
    FieldMapGrid grid;
    FieldMapWaves waves;
    std::array<std::vector<Complex>, 3> along_x, along_z;  // incident, reflected, transmitted
    double most_ey = 0.0, most_hy = 0.0, most_e2 = 0.0;
};
FieldMapPhasors field_map_phasors(const WaveScenario& sc, const InterfaceSolution& s);

// The total field's phasors at sample (row, column); zero in a flat medium 2.
FieldPoint field_map_point(const FieldMapPhasors& p, int32_t row, int32_t column);
// The quantity at the samples of every (rows[j], columns[i]), row by row, at the instant whose
// e^(j omega t) is turn (e2 whatever the turn): each row's factors are taken once.
std::vector<double> field_map_samples(const FieldMapPhasors& p, FieldMapQuantity q, Complex turn,
                                      const std::vector<int32_t>& rows,
                                      const std::vector<int32_t>& columns);
// The largest magnitude of q over the grid and a period, which the colours span.
double field_map_largest(const FieldMapPhasors& p, FieldMapQuantity q);

// The quantity at every sample at time t_s (seconds; e2 is the same at every time), row by row.
std::vector<double> field_map_values(const FieldMapPhasors& p, FieldMapQuantity q, double omega,
                                     double t_s);

// "x_m,z_m,value", then a line a sample, row by row, in metres and the quantity's units.
std::string field_map_csv(const FieldMapPhasors& p, FieldMapQuantity q, double omega, double t_s);

// "ey", "hy", "e2", and back.
const char* field_map_name(FieldMapQuantity q);
std::optional<FieldMapQuantity> parse_field_map_quantity(const std::string& name);
