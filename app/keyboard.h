// Keyboard commands: stepping the scenario, the example scenarios, view reset, pause and the
// tangential-field display; the arrow keys pan the view.
#pragma once

#include "app/examples.h"
#include "app/shared_state.h"
#include "physics/interface_solver.h"

// Steps value by step, then clamps it to [lower, upper]; a value on a bound stays.
double step_clamped(double value, double step, double lower, double upper);

void on_keyboard(unsigned char key, int x, int y);
void on_special_key(int key, int x, int y);
