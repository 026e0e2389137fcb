// Mouse view control (left drag rotates, right drag zooms) and the 10 Hz animation clock.
#pragma once

#include <cstdint>

#include "core/commands.h"        // the drag and the time samples
#include "scene/frame_records.h"  // clock_running

inline constexpr unsigned timer_period_ms = 100;

void on_mouse_button(int button, int state, int x, int y);
void on_mouse_motion(int x, int y);
void on_timer(int value);
