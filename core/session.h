// One session of the program: the scenario and its solution, where it came from, the window,
// the view, the clock, what is shown, the lesson and its position, the curves of the media,
// and what the program is busy with. A shell owns one and changes it only through the
// functions of core/ (the commands of the key table, the settings, the lesson's steps, the
// clock's tick); a frame is described from it (frame_inputs).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/examples.h"
#include "core/lesson.h"
#include "physics/field_map.h"
#include "physics/fresnel_curves.h"
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
struct ScenarioOrigin {
    ExampleKind kind;  // the example, when not from the lesson
    int32_t index;
    bool custom;               // a value has changed since it was loaded
    int32_t lesson_step = -1;  // the step of the user's lesson, -1 for an example
};
inline constexpr ScenarioOrigin startup_origin{ExampleKind::elliptical, 2, false};

// The lesson that Page Down and Page Up step through: the user's (--lesson), or without one
// the eleven examples, the start-up scenario first.
struct LessonState {
    Lesson lesson;     // no steps without --lesson
    int32_t position;  // the step loaded last
};

// The Fresnel curves of the media they were sampled for, none before the first sampling.
struct CurvesCache {
    std::optional<WaveScenario> media;
    FresnelCurves curves;
};
// The curves against frequency of the media and angle they were sampled for: the scenario
// without its field, time and frequency, named media by their materials.
struct SpectrumCache {
    std::optional<NamedScenario> media;
    SpectrumCurves curves;
};
// The field map's phasors of the scenario they were computed for.
struct FieldMapCache {
    std::optional<WaveScenario> scenario;
    FieldMapPhasors phasors;
};

inline constexpr ViewState original_view{0.0f, 0.0f, 0.0f, 0.0f, 1.0f};

struct Session {
    WaveScenario scenario = startup_example.scenario;
    InterfaceSolution solution{};
    ScreenSetup screen{};
    ViewState view = original_view;
    AnimationState animation{1, default_frames_per_period, 1, 0};
    Presentation presentation{StereoView::sbs, false, false};
    ScenarioLabel label{};
    std::string activity;  // besides the animation, for the readout: "recording 37/100"
    DragState drag{0, 0, 0};
    ExampleCycles examples{0, 0, 0};
    ScenarioOrigin origin = startup_origin;
    LessonState lesson{};
    CurvesCache curves;
    SpectrumCache spectrum;
    FieldMapCache field_map;

    // The start-up scenario solved, the view, the clock, an ordinary side-by-side
    // presentation without readout, no window size yet, no lesson.
    Session();
};

// The start-up scenario, its media given as numbers.
NamedScenario startup_named_scenario();

// Loads a scenario with the materials its media were named by, and where it came from.
void load_scenario(Session& s, const NamedScenario& named, const ScenarioOrigin& origin);

// The current scenario with the materials of its media.
NamedScenario current_named_scenario(const Session& s);

// The readout's first line for an origin: "linear 1: TE wave at the Brewster angle",
// "Reflection at glass \u2014 3/8: Brewster angle of glass", "custom (from linear 1)".
std::string origin_text(const Session& s, const ScenarioOrigin& origin);

// What a frame shows now (the media's Fresnel curves sampled again only when they change).
FrameInputs frame_inputs(Session& s);

// After the scenario or its origin changed: solves the interface again and puts the origin
// into words for the readout.
void scenario_changed(Session& s);

// Makes a lesson the one Page Down steps through and loads its first step; its look, where it
// gives one, becomes the session's.
void start_lesson(Session& s, const Lesson& lesson);

// The scenario the program starts with: the first step of the lesson in lesson_path (none when
// empty), or else the start-up scenario; the options' overrides change either (every step of
// the lesson). "" when done, else one line that says what is wrong with the lesson.
std::string load_start_scenario(Session& s, const std::string& lesson_path,
                                const ScenarioOverrides& overrides);
