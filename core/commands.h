// The commands of the key table and the mouse as changes of a session, with no
// toolkit: the desktop's callbacks (app/keyboard.h, app/mouse_clock.h) and the page's shell
// (web/) turn their events into these, and carry out what a key asks of the shell itself.
#pragma once

#include <cstdint>

#include "core/keys.h"
#include "core/session.h"

// Steps value by step, then clamps it to [lower, upper]; a value on a bound stays.
double step_clamped(double value, double step, double lower, double upper);

// The 1-2-5 frequency (1 kHz, 2 kHz, 5 kHz, ... 1 PHz) above (direction +1) or below (-1)
// hz; hz itself beyond either end: 385 MHz goes to 500 MHz or 200 MHz.
double next_frequency(double hz, int direction);

// The material after (+1) or before (-1) current in the table, clamped at its ends; from -1
// (numbers) the first or the last. With lossless_only, only materials with sigma 0.
int32_t next_material(int32_t current, int direction, bool lossless_only);

// The next time sample: 1 .. frames_per_period, wrapping to 1.
int32_t next_frame_index(int32_t frame_index, int32_t frames_per_period);
// The time sample before frame_index: 1 .. frames_per_period, from 1 to frames_per_period.
int32_t previous_frame_index(int32_t frame_index, int32_t frames_per_period);

// One wrap step into [-180, 180] degrees: exactly +-180 stays.
float wrap_angle_once(float degrees);
// The rotation of a drag of delta_px pixels: 0.2 degrees a pixel, wrapped into [-180, 180].
float rotated_angle(float degrees, int32_t delta_px);
// The zoom after a vertical drag of delta_px pixels (downwards enlarges): each event multiplies
// it by 1 + delta_px / 60; a factor that would make it negative or infinite leaves it
// unchanged.
float zoomed(float zoom, int32_t delta_px);

// Step position of the lesson of the eleven examples (core/examples.h): the scenario, and
// where it came from.
NamedScenario built_in_lesson_step(int32_t position, ScenarioOrigin& origin);

// The next (+1) or previous (-1) step of the lesson, clamped at its ends.
void step_lesson(Session& s, int direction);

// The 100 ms clock: the next time sample while the animation runs.
void tick(Session& s);

// What a command asks of the shell beyond the session.
enum class KeyAction { none, quit, save_picture, toggle_recording, save_scenario, view_changed };
// Its name, for the page: "save_picture".
const char* key_action_name(KeyAction action);

// A command applied to the session (the interface solved again where the scenario may have
// changed); ESC's command changes nothing and asks to quit.
KeyAction apply_command(Session& s, Command command);
// A key of the key table (alt: ALT held alone).
KeyAction apply_key(Session& s, unsigned char key, bool alt);

// A mouse button pressed at (x, y) window pixels (0 left, 2 right: rotate, zoom), and a drag to
// (x, y): rotates or zooms the view by the left or right press before it.
void apply_press(Session& s, int button, int x, int y);
void apply_drag(Session& s, int x, int y);
// A pinch: the zoom times factor, never negative or infinite.
void apply_pinch(Session& s, double factor);
