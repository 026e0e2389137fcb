#include "app/frame.h"

#include "app/shared_state.h"

namespace {

// The Fresnel curves of the current media, sampled again only when the media or the
// frequency change.
const FresnelCurves& current_curves() {
    static bool sampled = false;
    static WaveScenario media{};
    static FresnelCurves curves;
    if (!sampled || !same_curves(media, g_scenario)) {
        curves = fresnel_curves(g_scenario);
        media = g_scenario;
        sampled = true;
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

GlBackend& gl_backend() {
    static GlBackend backend;
    return backend;
}

namespace {

// Rebuilt for every frame in the room of the one before.
FrameDescription& current_frame() {
    static FrameDescription frame;
    build_frame(frame_inputs(), frame);
    return frame;
}

}  // namespace

void on_display() {
    solve_interface();
    draw_frame(gl_backend(), current_frame());
}

RgbImage draw_current_picture() {
    return draw_picture(gl_backend(), current_frame(), g_screen.window_width,
                        g_screen.window_height);
}
