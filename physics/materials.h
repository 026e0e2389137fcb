// Named materials for medium 1 and medium 2: relative permittivity and permeability,
// conductivity (S/m), and the band of frequencies (Hz) their values hold for. The program
// treats every value as constant in frequency; outside its band a material is only a model.
#pragma once

#include <string>
#include <vector>

struct Material {
    const char* name;
    double eps_r;
    double mu_r;
    double sigma;         // S/m
    double band_low_hz;   // the values hold from here ...
    double band_high_hz;  // ... to here
    const char* what;     // what it teaches, for --materials
};

// The table, in the order --materials prints it and the keys 1 and 2 step through it.
const std::vector<Material>& materials();

// The material of that name, or null.
const Material* find_material(const std::string& name);

// Its index in the table, or -1 for none.
int material_index(const Material* material);

// "vacuum, air, ...": every name, for messages.
std::string material_names();

// Whether a frequency (Hz) lies within the material's band.
bool within_band(const Material& material, double freq_hz);

// The bounds of what a medium may be and at which frequency the program solves it.
inline constexpr double eps_r_min = 1.0, eps_r_max = 1e5;  // also for mu_r
inline constexpr double sigma_max = 1e8;                   // S/m
inline constexpr double frequency_min_hz = 1e3, frequency_max_hz = 1e15;
