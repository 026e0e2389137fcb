// Mouse view control (left drag rotates, right drag zooms) and the 10 Hz animation clock.
#pragma once

#include <cstdint>

#include "render/frame_state.h"  // clock_running

inline constexpr unsigned timer_period_ms = 100;

// One wrap step into [-180, 180] degrees: exactly +-180 stays.
float wrap_angle_once(float degrees);

// The rotation of a drag of delta_px pixels: 0.2 degrees a pixel, wrapped into [-180, 180].
float rotated_angle(float degrees, int32_t delta_px);

// The zoom after a vertical drag of delta_px pixels (downwards enlarges): each event multiplies
// it by 1 + delta_px / 60; a factor that would make it negative or infinite leaves it
// unchanged.
float zoomed(float zoom, int32_t delta_px);

// The next time sample: 1 .. frames_per_period, wrapping to 1.
int32_t next_frame_index(int32_t frame_index, int32_t frames_per_period);

void on_mouse_button(int button, int state, int x, int y);
void on_mouse_motion(int x, int y);
void on_timer(int value);
