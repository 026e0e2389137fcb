// The eleven example scenarios that the keys l, c and e load, and what each one shows.
#pragma once

#include "app/shared_state.h"
#include "physics/interface_solver.h"

inline constexpr int linear_example_count = 4;
inline constexpr int circular_example_count = 4;
inline constexpr int elliptical_example_count = 3;

extern const WaveScenario linear_examples[linear_example_count];
extern const WaveScenario circular_examples[circular_example_count];
extern const WaveScenario elliptical_examples[elliptical_example_count];

// What an example shows, for the readout: "lossy medium 2" for linear example 3.
const char* example_description(ExampleKind kind, int index);
