#include "app/shared_state.h"

WaveScenario g_scenario = startup_scenario;
InterfaceSolution g_solution{};
ScreenSetup g_screen{};
ViewState g_view{0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
DragState g_drag{0, 0, 0};
AnimationState g_animation{1, default_frames_per_period, 1, 0};
ExampleCycles g_examples{0, 0, 0};
Presentation g_presentation{StereoView::sbs, false, false};
ScenarioOrigin g_origin = startup_origin;

const char* view_name(StereoView view) {
    switch (view) {
        case StereoView::mono:
            return "mono";
        case StereoView::anaglyph:
            return "anaglyph";
        case StereoView::cross:
            return "cross";
        case StereoView::sbs:
            break;
    }
    return "sbs";
}

StereoView next_view(StereoView view) {
    switch (view) {
        case StereoView::sbs:
            return StereoView::mono;
        case StereoView::mono:
            return StereoView::anaglyph;
        case StereoView::anaglyph:
            return StereoView::cross;
        case StereoView::cross:
            break;
    }
    return StereoView::sbs;
}

void reset_shared_state() {
    g_scenario = startup_scenario;
    g_animation = AnimationState{1, default_frames_per_period, 1, 0};
    g_examples = ExampleCycles{0, 0, 0};
    g_view = ViewState{0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    g_drag = DragState{0, 0, 0};
    g_origin = startup_origin;
}

void solve_interface() {
    const double sample_time = g_solution.sample_time;
    g_solution = solve_wave_interface(g_scenario, g_animation.frames_per_period);
    g_solution.sample_time = sample_time;
}
