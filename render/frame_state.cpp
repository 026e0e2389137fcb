#include "render/frame_state.h"

// Zero until the shell gives them their start values (reset_shared_state).
WaveScenario g_scenario{};
InterfaceSolution g_solution{};
ScreenSetup g_screen{};
ViewState g_view{0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
AnimationState g_animation{1, default_frames_per_period, 1, 0};
Presentation g_presentation{StereoView::sbs, false, false};
ScenarioLabel g_label{};
std::string g_activity;

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

CurvesMode next_curves_mode(CurvesMode mode) {
    switch (mode) {
        case CurvesMode::off:
            return CurvesMode::power;
        case CurvesMode::power:
            return CurvesMode::amplitude_phase;
        case CurvesMode::amplitude_phase:
            break;
    }
    return CurvesMode::off;
}

void solve_interface() {
    const double sample_time = g_solution.sample_time;
    g_solution = solve_wave_interface(g_scenario, g_animation.frames_per_period);
    g_solution.sample_time = sample_time;
}
