// The shell's own process-wide records beside those the drawing reads (render/frame_state.h):
// the mouse drag, the example cycles and where the scenario came from.
#pragma once

#include <cstdint>

#include "physics/interface_solver.h"
#include "render/frame_state.h"

// The mouse drag in progress; window pixels, y downwards.
struct DragState {
    int32_t drag_mode;  // 0 rotates, 1 zooms
    int32_t last_x;
    int32_t last_y;
};

// Index of the example that the next press of each key loads.
struct ExampleCycles {
    int32_t next_linear;
    int32_t next_circular;
    int32_t next_elliptical;
};

// Where the scenario came from: an example, changed by a key or not.
enum class ExampleKind { linear, circular, elliptical };
struct ScenarioOrigin {
    ExampleKind kind;
    int32_t index;
    bool custom;  // a key has changed a value since the example was loaded
};

// Elliptical example 2: what the program shows at start.
inline constexpr WaveScenario startup_scenario{0.8, 1.0, 0.0, -90.0, 20.0, 1.0,
                                               1.0, 4.0, 1.0, 0.0,   1e9,  6283185307.17958};
inline constexpr ScenarioOrigin startup_origin{ExampleKind::elliptical, 2, false};

extern DragState g_drag;
extern ExampleCycles g_examples;
extern ScenarioOrigin g_origin;

// Gives every shared record, the drawing's included, its start value: the start-up scenario
// solved, the view, the clock, an ordinary side-by-side presentation without readout, no
// window size yet.
void reset_shared_state();

// After the scenario or its origin changed: solves the interface again and puts the origin
// into words for the readout.
void scenario_changed();
