#include "core/recording.h"

#include "scene/translate.h"

int32_t recorded_frame_index(int32_t first, int32_t k) {
    const int32_t start = first >= default_frames_per_period ? 1 : first;
    return (start - 1 + k) % recorded_frames + 1;
}

std::string recording_activity(int32_t taken) {
    return fill(tr("recording %s/100"), {std::to_string(taken)});
}

ShownState shown_state(const Session& s) {
    return {s.scenario,
            s.label.origin,
            s.view,
            s.presentation,
            s.animation.tangential_toggle,
            clock_running(s.animation.pause_counter)};
}

const char* change_that_cancels(const ShownState& before, const ShownState& now) {
    const WaveScenario &a = before.scenario, &b = now.scenario;
    const bool same_scenario = a.ex_mag == b.ex_mag && a.ey_mag == b.ey_mag && a.phi_x == b.phi_x &&
                               a.phi_y == b.phi_y && a.theta_i == b.theta_i &&
                               a.eps_r1 == b.eps_r1 && a.mu_r1 == b.mu_r1 && a.eps_r2 == b.eps_r2 &&
                               a.mu_r2 == b.mu_r2 && a.sigma2 == b.sigma2 && a.freq == b.freq &&
                               before.origin == now.origin;
    const ViewState &u = before.view, &v = now.view;
    const bool same_view = u.yaw == v.yaw && u.pitch == v.pitch && u.pan_x == v.pan_x &&
                           u.pan_y == v.pan_y && u.zoom == v.zoom;
    const Presentation &p = before.presentation, &q = now.presentation;
    const bool same_overlays =
        p.view == q.view && p.readout_shown == q.readout_shown && p.curves == q.curves &&
        p.magnetic_shown == q.magnetic_shown && p.poynting_shown == q.poynting_shown &&
        p.medium2_decades == q.medium2_decades && p.legend_shown == q.legend_shown &&
        p.field_map == q.field_map && before.tangential_toggle == now.tangential_toggle;
    if (!same_scenario) {
        return translatable("the scenario changed");
    } else if (!same_view) {
        return translatable("the view moved");
    } else if (!same_overlays) {
        return translatable("what is shown changed");
    } else if (before.running != now.running) {
        return translatable("the animation was paused or continued");
    }
    return nullptr;
}
