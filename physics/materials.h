// Named materials for medium 1 and medium 2, each a set of models of frequency: within a
// model's band its values follow the frequency; between or beyond the bands a material holds
// the values of the nearest band edge. Loss is a conductivity: eps_r = eps_r' - j sigma /
// (omega eps0) under exp(+j omega t), so a metal in light has eps_r' < 0 and sigma > 0.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "physics/interface_solver.h"

// A medium's values at one frequency: eps_r' and mu_r, and every loss as sigma (S/m).
struct MediumValues {
    double eps_r;
    double mu_r;
    double sigma;  // S/m
};

struct MaterialModel {
    double low_hz, high_hz;  // the band it holds in
    const char* name;        // with its source, as the readout and --materials name it
    std::function<MediumValues(double freq_hz)> at;
};

struct Material {
    const char* name;
    const char* what;  // what it teaches, for --materials
    bool medium1;      // may be medium 1, which is lossless: its loss, if any, left out
    std::vector<MaterialModel> models;  // in rising frequency, their bands apart
    std::string file = "";              // the refractive index file it was read from, if any
};

// The table, in the order --materials prints it and the keys 1 and 2 step through it.
const std::vector<Material>& materials();

// The material of that name, or null.
const Material* find_material(const std::string& name);

// Its index in the table, or -1 for none.
int material_index(const Material* material);

// "vacuum, air, ...": every name, for messages.
std::string material_names();

// The material of a medium's index: the table's, then those added; null for -1 (numbers).
const Material* material_by_index(int32_t index);

// Adds a material for the rest of the process (one read from a file); the same file added
// again gives the index it had.
int32_t add_material(const Material& material);

// A material as a refractive index file gives it, n - j kappa against the vacuum wavelength
// (micrometres): n tabulated or by a Sellmeier formula, kappa tabulated or none.
struct IndexData {
    enum class Formula { none, sellmeier_1, sellmeier_2 } formula = Formula::none;
    std::vector<double> n_wavelength_um, n;  // ascending wavelengths, for Formula::none
    std::vector<double> coefficients;        // C1, C2, ... of the formula
    double low_um = 0.0, high_um = 0.0;      // where n is given
    std::vector<double> k_wavelength_um, k;  // ascending; empty for none
    std::string kind;                        // "tabulated nk", "formula 2", ...
};
// Its one model, over its wavelengths' band; may be medium 1 when kappa is 0 throughout.
Material material_from_index(const std::string& name, const std::string& file,
                             const IndexData& data);

// What a material gives at a frequency (Hz): the values, the model they come from, and the
// frequency they are of, f itself within a band or else the nearest band edge.
struct MaterialAt {
    MediumValues values;
    const MaterialModel* model;
    double from_hz;
    bool within;  // f lies in the model's band
};
MaterialAt material_at(const Material& material, double freq_hz);

// Sets the values of the media that are named materials (index >= 0) to theirs at sc.freq;
// medium 1 takes eps_r' and mu_r alone.
void set_named_media(WaveScenario& sc, int32_t medium1_material, int32_t medium2_material);

// The bounds of what a medium given by numbers may be and at which frequency the program
// solves it.
inline constexpr double eps_r_min = 1.0, eps_r_max = 1e5;  // also for mu_r
inline constexpr double sigma_max = 1e8;                   // S/m
inline constexpr double frequency_min_hz = 1e3, frequency_max_hz = 1e15;
