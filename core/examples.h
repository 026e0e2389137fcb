// The eleven example scenarios that the keys l, c and e load, what each one shows, and the
// order in which Page Down steps through them without a lesson: one table.
#pragma once

#include <cstdint>

#include "physics/interface_solver.h"

enum class ExampleKind { linear, circular, elliptical };

struct Example {
    ExampleKind kind;
    int32_t index;  // within its kind: "linear 1"
    WaveScenario scenario;
    const char* description;  // for the readout: "lossy medium 2"
};

// In the order of the lesson of the examples: the start-up scenario (elliptical 2) first, then
// linear 0-3, circular 0-3, elliptical 0-1.
inline constexpr int32_t example_count = 11;
extern const Example examples[example_count];

// How many examples a kind has (4, 4, 3), and one of them; index within 0 .. count - 1.
int32_t example_count_of(ExampleKind kind);
const Example& example(ExampleKind kind, int32_t index);

// What the program shows at start: elliptical example 2, the first of the table.
inline const Example& startup_example = examples[0];
