// The scenario as the user writes it, on the command line or in a lesson: media by name or as
// numbers, a frequency with or without its unit, angles; each checked against its range.
// Every function answers with a value or with a one-line message that says what is wrong.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "physics/interface_solver.h"

// A medium: its constants, and the material of the table it was named by (-1 for numbers).
struct Medium {
    double eps_r, mu_r, sigma;  // sigma in S/m
    int32_t material;
};

// A value, or what is wrong with the text it was read from.
template <typename T>
struct Parsed {
    std::optional<T> value;
    std::string error;
};

// A finite decimal number, the whole text ("2.5e9", "-90"); nothing else.
std::optional<double> parse_number(const std::string& text);

// "glass", or "EPS_R[,MU_R[,SIGMA]]" (mu_r 1 and sigma 0 when left out), within the ranges of
// physics/materials.h. Medium 1 must be lossless.
Parsed<Medium> parse_medium(const std::string& text, int medium_number);
// A named material as a medium, its values those of the lowest frequency until a scenario's
// frequency sets them (set_named_media); medium 1 only from the materials that may be it.
struct Material;
Parsed<Medium> named_medium(const Material& material, int medium_number);
// The same checks for a medium read from a lesson's table.
std::string medium_error(const Medium& medium, int medium_number);

// Hertz: "2.5e9", "385MHz", "1 GHz", "100kHz" (the unit's case aside), 1 kHz to 1 PHz.
Parsed<double> parse_frequency(const std::string& text);
std::string frequency_error(double hz);

// "%g" of a value in its unit, for messages: 0.5, 1e+05.
std::string number_text(double value);

// A value checked against [lower, upper]: empty when within, else
// "theta_i 95 is out of range (0 to 89 degrees)".
std::string range_error(const char* name, double value, double lower, double upper,
                        const char* unit = "");

// What the user may change of the scenario from outside (options; every scenario of a lesson).
struct ScenarioOverrides {
    std::optional<Medium> medium1, medium2;
    std::optional<double> frequency_hz;
    std::optional<double> theta_i_deg;
};

// Puts a medium or a frequency into a scenario; omega comes with the frequency.
void set_medium_1(WaveScenario& sc, const Medium& m);
void set_medium_2(WaveScenario& sc, const Medium& m);
void set_frequency(WaveScenario& sc, double hz);

// The scenario with the overrides applied, and the materials its media were named by.
struct NamedScenario {
    WaveScenario scenario;
    int32_t medium1_material, medium2_material;  // -1 for numbers
};
// The named media's values at the new frequency follow when the session's scenario changes.
NamedScenario overridden(NamedScenario named, const ScenarioOverrides& overrides);
