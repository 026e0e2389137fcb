// Keyboard commands: stepping the scenario, the example scenarios, view reset, pause and the
// tangential-field display; the arrow keys pan the view.
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

// Steps value by step, then clamps it to [lower, upper]; a value on a bound stays.
double step_clamped(double value, double step, double lower, double upper);

void on_keyboard(unsigned char key, int x, int y);
void on_special_key(int key, int x, int y);
