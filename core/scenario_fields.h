// The scenario's numbers that keys, lessons, options and the page's controls change: each
// field's name, bounds, the step of its key and its unit, in one table.
#pragma once

#include "physics/interface_solver.h"
#include "scene/translate.h"

struct ScenarioField {
    const char* name;  // as a lesson's key and the page's control: "theta_i"
    double lower, upper;
    double key_step;   // what one press of its key adds (ALT: takes away)
    const char* unit;  // for messages: " degrees", or ""
    double WaveScenario::*field;
};

inline constexpr ScenarioField scenario_fields[] = {
    {"theta_i", 0.0, 89.0, 1.0, translatable(" degrees"), &WaveScenario::theta_i},
    {"ex_mag", 0.0, 100.0, 0.05, "", &WaveScenario::ex_mag},
    {"ey_mag", 0.0, 100.0, 0.05, "", &WaveScenario::ey_mag},
    {"phi_x", -360.0, 360.0, 1.0, translatable(" degrees"), &WaveScenario::phi_x},
    {"phi_y", -360.0, 360.0, 1.0, translatable(" degrees"), &WaveScenario::phi_y},
};

inline constexpr const ScenarioField& theta_i_field = scenario_fields[0];
inline constexpr const ScenarioField& ex_mag_field = scenario_fields[1];
inline constexpr const ScenarioField& ey_mag_field = scenario_fields[2];
inline constexpr const ScenarioField& phi_x_field = scenario_fields[3];
inline constexpr const ScenarioField& phi_y_field = scenario_fields[4];
