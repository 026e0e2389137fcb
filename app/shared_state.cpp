#include "app/shared_state.h"

#include <string>

#include "app/examples.h"

DragState g_drag{0, 0, 0};
ExampleCycles g_examples{0, 0, 0};
ScenarioOrigin g_origin = startup_origin;

namespace {

// "linear 1: TE wave at the Brewster angle", or "custom (from linear 1)" once a key has
// changed a value.
std::string origin_text(const ScenarioOrigin& o) {
    const char* kind = o.kind == ExampleKind::linear     ? "linear"
                       : o.kind == ExampleKind::circular ? "circular"
                                                         : "elliptical";
    const std::string example = std::string(kind) + " " + std::to_string(o.index);
    if (o.custom) return "custom (from " + example + ")";
    return example + ": " + example_description(o.kind, o.index);
}

}  // namespace

void reset_shared_state() {
    g_scenario = startup_scenario;
    g_solution = InterfaceSolution{};
    g_screen = ScreenSetup{};
    g_view = ViewState{0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    g_animation = AnimationState{1, default_frames_per_period, 1, 0};
    g_presentation = Presentation{StereoView::sbs, false, false};
    g_drag = DragState{0, 0, 0};
    g_examples = ExampleCycles{0, 0, 0};
    g_origin = startup_origin;
    scenario_changed();
}

void scenario_changed() {
    solve_interface();
    g_label.origin = origin_text(g_origin);
}
