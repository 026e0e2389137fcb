// A material of the user's own, in the YAML of the refractiveindex.info database (CC0):
// "tabulated nk", "tabulated n" or the Sellmeier "formula 1" and "formula 2" for n, and
// "tabulated k" beside a formula, wavelengths in micrometres. Its n + ik is n - j kappa here.
#pragma once

#include <string>

#include "core/scenario_input.h"
#include "physics/materials.h"

// Whether a medium's text names such a file: it ends in .yml or .yaml.
inline bool names_material_file(const std::string& text) {
    for (const std::string end : {".yml", ".yaml"}) {
        if (text.size() > end.size() &&
            text.compare(text.size() - end.size(), end.size(), end) == 0)
            return true;
    }
    return false;
}

// A medium of such a file's material, added to the materials; medium 1 only when its kappa is 0
// throughout.
Parsed<Medium> file_medium(const std::string& path, int medium_number);

// The file's data, or one line: "FILE:LINE:COLUMN: what is wrong" (or "FILE: ..." where no place
// in it is to blame).
Parsed<IndexData> read_material_file(const std::string& path);
