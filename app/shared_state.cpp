#include "app/shared_state.h"

#include <optional>
#include <string>
#include <vector>

#include "app/examples.h"
#include "physics/fresnel_curves.h"

// Zero until reset_shared_state gives them their start values.
WaveScenario g_scenario{};
InterfaceSolution g_solution{};
ScreenSetup g_screen{};
ViewState g_view{0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
AnimationState g_animation{1, default_frames_per_period, 1, 0};
Presentation g_presentation{StereoView::sbs, false, false};
ScenarioLabel g_label{};
std::string g_activity;
DragState g_drag{0, 0, 0};
ExampleCycles g_examples{0, 0, 0};
ScenarioOrigin g_origin = startup_origin;
LessonState g_lesson{};

std::string origin_text(const ScenarioOrigin& o) {
    const std::vector<LessonStep>& steps = g_lesson.lesson.steps;
    if (o.lesson_step >= 0 && size_t(o.lesson_step) < steps.size()) {
        const LessonStep& step = steps[size_t(o.lesson_step)];
        std::string text = g_lesson.lesson.title + " \u2014 " + std::to_string(o.lesson_step + 1) +
                           "/" + std::to_string(steps.size());
        if (!step.name.empty()) text += ": " + step.name;
        return o.custom ? "custom (from " + text + ")" : text;
    }
    const char* kind = o.kind == ExampleKind::linear     ? "linear"
                       : o.kind == ExampleKind::circular ? "circular"
                                                         : "elliptical";
    const std::string example = std::string(kind) + " " + std::to_string(o.index);
    if (o.custom) return "custom (from " + example + ")";
    return example + ": " + example_description(o.kind, o.index);
}

NamedScenario startup_named_scenario() {
    return NamedScenario{startup_scenario, -1, -1};
}

void load_scenario(const NamedScenario& named, const ScenarioOrigin& origin) {
    g_scenario = named.scenario;
    g_label.medium1_material = named.medium1_material;
    g_label.medium2_material = named.medium2_material;
    g_origin = origin;
}

NamedScenario current_named_scenario() {
    return NamedScenario{g_scenario, g_label.medium1_material, g_label.medium2_material};
}

void reset_shared_state() {
    g_solution = InterfaceSolution{};
    g_screen = ScreenSetup{};
    g_view = ViewState{0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    g_animation = AnimationState{1, default_frames_per_period, 1, 0};
    g_presentation = Presentation{StereoView::sbs, false, false};
    g_drag = DragState{0, 0, 0};
    g_examples = ExampleCycles{0, 0, 0};
    g_lesson = LessonState{};
    g_label = ScenarioLabel{};
    g_activity.clear();
    load_scenario(startup_named_scenario(), startup_origin);
    scenario_changed();
}

void solve_interface() {
    g_solution = solve_wave_interface(g_scenario, g_animation.frames_per_period);
}

void scenario_changed() {
    solve_interface();
    g_label.origin = origin_text(g_origin);
}

std::string load_start_scenario(const std::string& lesson_path,
                                const ScenarioOverrides& overrides) {
    ScenarioOrigin origin = startup_origin;
    if (lesson_path.empty()) {
        // The start-up scenario, changed by an option, is the user's own.
        origin.custom = overrides.medium1 || overrides.medium2 || overrides.frequency_hz ||
                        overrides.theta_i_deg;
        load_scenario(overridden(startup_named_scenario(), overrides), origin);
    } else {
        const Parsed<Lesson> lesson = read_lesson(lesson_path, startup_named_scenario());
        if (!lesson.value) return lesson.error;
        g_lesson = LessonState{*lesson.value, 0};
        for (LessonStep& step : g_lesson.lesson.steps) {
            step.scenario = overridden(step.scenario, overrides);
        }
        origin.lesson_step = 0;
        load_scenario(g_lesson.lesson.steps.front().scenario, origin);
    }
    scenario_changed();
    return "";
}

namespace {

// The Fresnel curves of the current media, sampled again only when the media or the
// frequency change.
const FresnelCurves& current_curves() {
    static std::optional<WaveScenario> media;  // none before the first sampling
    static FresnelCurves curves;
    if (!media || !same_curves(*media, g_scenario)) {
        curves = fresnel_curves(g_scenario);
        media = g_scenario;
    }
    return curves;
}

}  // namespace

FrameInputs frame_inputs() {
    const AnimationState& a = g_animation;
    return FrameInputs{g_scenario,
                       g_solution,
                       g_view,
                       g_presentation,
                       g_screen.window_width,
                       g_screen.window_height,
                       a.frame_index,
                       a.frames_per_period,
                       a.tangential_toggle == 1,
                       !clock_running(a.pause_counter),
                       g_label,
                       g_activity,
                       g_presentation.curves != CurvesMode::off ? &current_curves() : nullptr};
}
