// The shell's process-wide records: the scenario and its solution, the window, the view, the
// clock, what is shown (the types in scene/frame_records.h), and the shell's own: the mouse
// drag, the example cycles, where the scenario came from. The callbacks write them; a frame is
// described from them (app/frame.h). Everything runs on the toolkit's one event-loop thread,
// so none of them is locked.
#pragma once

#include <cstdint>

#include "app/lesson.h"
#include "physics/interface_solver.h"
#include "scene/frame_inputs.h"
#include "scene/frame_records.h"

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

// Where the scenario came from: an example or a step of the user's lesson, changed by a key
// (or an option) since or not.
enum class ExampleKind { linear, circular, elliptical };
struct ScenarioOrigin {
    ExampleKind kind;  // the example, when not from the lesson
    int32_t index;
    bool custom;               // a value has changed since it was loaded
    int32_t lesson_step = -1;  // the step of the user's lesson, -1 for an example
};

// The lesson that Page Down and Page Up step through: the user's (--lesson), or without one
// the eleven examples, the start-up scenario first.
struct LessonState {
    Lesson lesson;     // no steps without --lesson
    int32_t position;  // the step loaded last
};

// Elliptical example 2: what the program shows at start.
inline constexpr WaveScenario startup_scenario{0.8, 1.0, 0.0, -90.0, 20.0, 1.0,
                                               1.0, 4.0, 1.0, 0.0,   1e9,  6283185307.17958};
inline constexpr ScenarioOrigin startup_origin{ExampleKind::elliptical, 2, false};

extern WaveScenario g_scenario;
extern InterfaceSolution g_solution;
extern ScreenSetup g_screen;
extern ViewState g_view;
extern AnimationState g_animation;
extern Presentation g_presentation;
extern ScenarioLabel g_label;
// What the program is busy with besides the animation, for the readout: "recording 37/100".
extern std::string g_activity;
extern DragState g_drag;
extern ExampleCycles g_examples;
extern ScenarioOrigin g_origin;
extern LessonState g_lesson;

// Gives every shared record, the drawing's included, its start value: the start-up scenario
// solved, the view, the clock, an ordinary side-by-side presentation without readout, no
// window size yet, no lesson.
void reset_shared_state();

// The start-up scenario, its media given as numbers.
NamedScenario startup_named_scenario();

// Loads a scenario with the materials its media were named by, and where it came from.
void load_scenario(const NamedScenario& named, const ScenarioOrigin& origin);

// The current scenario with the materials of its media.
NamedScenario current_named_scenario();

// The readout's first line for an origin: "linear 1: TE wave at the Brewster angle",
// "Reflection at glass \u2014 3/8: Brewster angle of glass", "custom (from linear 1)".
std::string origin_text(const ScenarioOrigin& origin);

// What a frame shows now, from the shared records (the media's Fresnel curves sampled again
// only when they change).
FrameInputs frame_inputs();

// Solves the interface for the current scenario.
void solve_interface();

// After the scenario or its origin changed: solves the interface again and puts the origin
// into words for the readout.
void scenario_changed();

// The scenario the program starts with: the first step of the lesson in lesson_path (none when
// empty), or else the start-up scenario; the options' overrides change either (every step of
// the lesson). "" when done, else one line that says what is wrong with the lesson.
std::string load_start_scenario(const std::string& lesson_path, const ScenarioOverrides& overrides);
