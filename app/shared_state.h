// The process-wide records that the callbacks share. Everything runs on the toolkit's one
// event-loop thread, so none of them is locked.
#pragma once

#include <cstdint>

#include "physics/interface_solver.h"

// Display size saved at start and the window size, in pixels.
struct ScreenSetup {
    int32_t saved_width;
    int32_t saved_height;
    int32_t window_width;   // screen width read after the switch to 16:9
    int32_t window_height;  // window_width / 2
};

// Where the scene stands in front of the two cameras.
struct ViewState {
    float yaw;    // degrees about the viewer's y axis, kept in [-180, 180] by the mouse
    float pitch;  // degrees about the viewer's x axis, kept in [-180, 180] by the mouse
    float pan_x;  // scene units
    float pan_y;  // scene units
    float zoom;   // uniform scale, never made negative by the mouse
};

// The mouse drag in progress; window pixels, y downwards.
struct DragState {
    int32_t drag_mode;  // 0 rotates, 1 zooms
    int32_t last_x;
    int32_t last_y;
};

struct AnimationState {
    int32_t frame_index;        // current time sample, 1 .. frames_per_period
    int32_t frames_per_period;  // time samples in one wave period
    int32_t pause_counter;      // odd runs, even pauses
    int32_t tangential_toggle;  // 1 shows the interface tangential fields
};

// Index of the example that the next press of each key loads.
struct ExampleCycles {
    int32_t next_linear;
    int32_t next_circular;
    int32_t next_elliptical;
};

// How the two eyes' pictures reach the viewer: side by side for a 3D television (squeezed to
// half width, which the television stretches back), one picture from between the eyes, red and
// cyan in one picture for anaglyph glasses, or side by side at the true shape and swapped for
// free viewing with crossed eyes.
enum class StereoView { sbs, mono, anaglyph, cross };
const char* view_name(StereoView view);
StereoView next_view(StereoView view);  // sbs, mono, anaglyph, cross, sbs, ...

struct Presentation {
    StereoView view;
    bool windowed;       // an ordinary, resizable window; the display mode untouched
    bool readout_shown;  // the numbers over the scene (key h)
};

// Where the scenario came from: an example, changed by a key or not.
enum class ExampleKind { linear, circular, elliptical };
struct ScenarioOrigin {
    ExampleKind kind;
    int32_t index;
    bool custom;  // a key has changed a value since the example was loaded
};

inline constexpr int32_t default_frames_per_period = 101;

// Elliptical example 2: what the program shows at start.
inline constexpr WaveScenario startup_scenario{0.8, 1.0, 0.0, -90.0, 20.0, 1.0,
                                               1.0, 4.0, 1.0, 0.0,   1e9,  6283185307.17958};
inline constexpr ScenarioOrigin startup_origin{ExampleKind::elliptical, 2, false};

extern WaveScenario g_scenario;
extern InterfaceSolution g_solution;
extern ScreenSetup g_screen;
extern ViewState g_view;
extern DragState g_drag;
extern AnimationState g_animation;
extern ExampleCycles g_examples;
extern Presentation g_presentation;
extern ScenarioOrigin g_origin;

// Gives every shared record its start value (the screen sizes excepted).
void reset_shared_state();

// Re-solves the interface for the current scenario; keeps the drawing's sample_time.
void solve_interface();
