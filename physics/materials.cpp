#include "physics/materials.h"

// Sources (docs/guide.md, "Materials", cites them in full):
//   Ulaby   textbook tables of permittivity, conductivity and permeability
//   ITU     ITU-R P.2040-1, Table 3: sigma = c f^d with f in GHz, taken at 1 GHz
//   optics  n = 1.5 for glass in visible light
const std::vector<Material>& materials() {
    static const std::vector<Material> table = {
        {"vacuum", 1.0, 1.0, 0.0, 1e3, 1e15, "the reference: eta0, c0"},
        {"air", 1.0006, 1.0, 0.0, 1e3, 1e15, "almost vacuum"},
        {"teflon", 2.1, 1.0, 0.0, 1e3, 1e10, "a low-loss dielectric (cable insulation)"},
        {"glass", 2.25, 1.0, 0.0, 4e14, 7.9e14, "n = 1.5 in visible light: Brewster 56.31 deg"},
        {"water", 81.0, 1.0, 1e-3, 1e3, 1e9, "fresh water: strong reflection, little loss"},
        {"seawater", 72.0, 1.0, 4.0, 1e3, 1e9, "a good conductor below some MHz"},
        {"dry-soil", 3.0, 1.0, 1.5e-4, 1e9, 3e9, "very dry ground: a low-loss dielectric"},
        {"wet-soil", 30.0, 1.0, 0.15, 1e9, 3e9, "wet ground: a lossy dielectric"},
        {"concrete", 5.24, 1.0, 0.0462, 1e9, 3e9, "a lossy dielectric (walls)"},
        {"germanium", 16.0, 1.0, 2.2, 1e3, 1e10, "a poor conductor (a semiconductor)"},
        {"copper", 1.0, 1.0, 5.8e7, 1e3, 1e11, "a good conductor: total reflection, skin depth"},
        {"iron", 1.0, 4000.0, 1e7, 1e3, 1e4, "a magnetic conductor, mu_r 4000"},
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

bool within_band(const Material& material, double freq_hz) {
    return freq_hz >= material.band_low_hz && freq_hz <= material.band_high_hz;
}
