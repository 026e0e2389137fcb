// Lessons: a sequence of scenarios in a TOML file, stepped through in front of a class.
//
//   title = "Reflection at glass"            # optional
//   theme = "projector"                      # optional: classic, projector
//   palette = "colour-blind"                 # optional: classic, colour-blind
//   [[scenario]]
//   name = "Brewster angle of glass"         # optional
//   theta_i = 56.31                          # degrees, 0 to 89
//   ex_mag = 1.0                             # |Ex|, 0 to 100
//   ey_mag = 0.0                             # |Ey|, 0 to 100
//   phi_x = 0.0                              # degrees, -360 to 360
//   phi_y = -90.0                            # degrees, -360 to 360
//   frequency = 1e9                          # hertz, or a string such as "1 GHz"
//   medium1 = "air"                          # a material's name, or a table:
//   medium2 = { eps_r = 2.25, mu_r = 1.0, sigma = 0.0 }
//
// A key left out keeps the value of the scenario the lesson starts from.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/scenario_input.h"

struct LessonStep {
    std::string name;  // may be empty
    NamedScenario scenario;
};

struct Lesson {
    std::string title;  // the file's name when the lesson has none
    std::vector<LessonStep> steps;
    // The top-level table's settings as written (theme = "projector"), each a setting of the
    // table that the command line reads, its value already checked there.
    std::vector<std::pair<std::string, std::string>> settings;
};

// Reads the lesson in path; a scenario's keys left out take their value from base. On a
// mistake, one line that names the file (and the line and column where known).
Parsed<Lesson> read_lesson(const std::string& path, const NamedScenario& base);
// The same from the file's content, read elsewhere (the page's file field).
Parsed<Lesson> read_lesson_text(const std::string& path, const std::string& content,
                                const NamedScenario& base);

// One scenario as a lesson's [[scenario]], which read_lesson reads back exactly.
std::string scenario_toml(const std::string& name, const NamedScenario& scenario);

// What a new lesson of saved scenarios starts with.
inline constexpr const char* saved_lesson_heading = "title = \"Saved scenarios\"\n\n";

// Appends scenario to the lesson in path (a new one, under the heading, when there is none), never
// half-written:
// "" when done, else what went wrong. A file that is not a lesson is left alone.
std::string append_to_lesson(const std::string& path, const std::string& name,
                             const NamedScenario& scenario);
