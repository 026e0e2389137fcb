// Keyboard commands: stepping the scenario, its media and frequency, the example scenarios,
// view reset, pause and the tangential-field display, saving the scenario; the arrow keys pan
// the view, Page Down and Page Up step through the lesson.
#pragma once

#include "app/examples.h"
#include "app/shared_state.h"
#include "physics/interface_solver.h"

// Steps value by step, then clamps it to [lower, upper]; a value on a bound stays.
double step_clamped(double value, double step, double lower, double upper);

// The 1-2-5 frequency (1 kHz, 2 kHz, 5 kHz, ... 1 PHz) above (direction +1) or below (-1)
// hz; hz itself beyond either end: 385 MHz goes to 500 MHz or 200 MHz.
double next_frequency(double hz, int direction);

// The material after (+1) or before (-1) current in the table, clamped at its ends; from -1
// (numbers) the first or the last. With lossless_only, only materials with sigma 0.
int32_t next_material(int32_t current, int direction, bool lossless_only);

// The time sample before frame_index: 1 .. frames_per_period, from 1 to frames_per_period.
int32_t previous_frame_index(int32_t frame_index, int32_t frames_per_period);

// Step position of the lesson of the eleven examples: the start-up scenario (elliptical 2),
// linear 0-3, circular 0-3, elliptical 0-1. Sets where it came from.
inline constexpr int32_t built_in_lesson_length = 11;
NamedScenario built_in_lesson_step(int32_t position, ScenarioOrigin& origin);

// The next (+1) or previous (-1) step of the lesson, clamped at its ends.
void step_lesson(int direction);

void on_keyboard(unsigned char key, int x, int y);
void on_special_key(int key, int x, int y);
