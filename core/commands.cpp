#include "core/commands.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/examples.h"
#include "core/scenario_fields.h"
#include "core/session.h"
#include "physics/materials.h"
#include "scene/fit_view.h"

float wrap_angle_once(float degrees) {
    if (degrees > 180.0f) return degrees - 360.0f;
    if (degrees < -180.0f) return degrees + 360.0f;
    return degrees;
}

float rotated_angle(float degrees, int32_t delta_px) {
    const float turned = wrap_angle_once(static_cast<float>(delta_px / 5.0 + degrees));
    // A flick of more than 360 degrees (1800 pixels) in one event is wrapped the rest of the
    // way, so that the angle cannot creep away from [-180, 180] and lose float precision.
    if (turned > 180.0f || turned < -180.0f) return wrap_angle_once(std::fmod(turned, 360.0f));
    return turned;
}

float zoomed(float zoom, int32_t delta_px) {
    const float next = static_cast<float>((delta_px / 60.0 + 1.0) * zoom);
    // Below zero would turn the scene inside out; beyond the float range it would become
    // infinite, and then NaN at the next shrinking drag.
    return next < 0.0f || !std::isfinite(next) ? zoom : next;
}

int32_t next_frame_index(int32_t frame_index, int32_t frames_per_period) {
    return frame_index == frames_per_period ? 1 : frame_index + 1;
}

double step_clamped(double value, double step, double lower, double upper) {
    value += step;
    if (value < lower) return lower;
    if (value > upper) return upper;
    return value;
}

double next_frequency(double hz, int direction) {
    // 1 kHz, 2 kHz, 5 kHz, 10 kHz, ... 1 PHz: each an exact product of two exact doubles.
    std::vector<double> ladder;
    for (double decade = frequency_min_hz; decade < frequency_max_hz; decade *= 10.0) {
        for (double m : {1.0, 2.0, 5.0}) ladder.push_back(m * decade);
    }
    ladder.push_back(frequency_max_hz);
    if (direction > 0) {
        for (double f : ladder) {
            if (f > hz) return f;
        }
    } else {
        for (auto f = ladder.rbegin(); f != ladder.rend(); ++f) {
            if (*f < hz) return *f;
        }
    }
    return hz;
}

int32_t next_material(int32_t current, int direction, bool lossless_only) {
    std::vector<int32_t> choices;
    for (const Material& m : materials()) {
        if (!lossless_only || m.medium1) choices.push_back(material_index(&m));
    }
    for (size_t k = 0; k < choices.size(); ++k) {
        if (choices[k] != current) continue;
        if (direction > 0) return k + 1 < choices.size() ? choices[k + 1] : current;
        return k > 0 ? choices[k - 1] : current;
    }
    // From numbers, or from a lossy material where only lossless ones may go: an end.
    return direction > 0 ? choices.front() : choices.back();
}

int32_t previous_frame_index(int32_t frame_index, int32_t frames_per_period) {
    return frame_index <= 1 ? frames_per_period : frame_index - 1;
}

NamedScenario built_in_lesson_step(int32_t position, ScenarioOrigin& origin) {
    const Example& e = examples[position];
    origin = ScenarioOrigin{e.kind, e.index, false};
    return NamedScenario{e.scenario, -1, -1};
}

void tick(Session& s) {
    AnimationState& a = s.animation;
    if (clock_running(a.pause_counter)) {
        a.frame_index = next_frame_index(a.frame_index, a.frames_per_period);
    }
}

const char* key_action_name(KeyAction action) {
    switch (action) {
        case KeyAction::quit:
            return "quit";
        case KeyAction::save_picture:
            return "save_picture";
        case KeyAction::toggle_recording:
            return "toggle_recording";
        case KeyAction::save_scenario:
            return "save_scenario";
        case KeyAction::view_changed:
            return "view_changed";
        case KeyAction::none:
            break;
    }
    return "none";
}

namespace {

// Loads the next example of a kind and advances its cycle, wrapping after the last one.
void load_example(Session& s, ExampleKind kind, int32_t& next) {
    load_scenario(s, NamedScenario{example(kind, next).scenario, -1, -1},
                  ScenarioOrigin{kind, next, false});
    next = (next + 1) % example_count_of(kind);
}

// The next (+1) or previous (-1) material of a medium; medium 1 only through lossless ones.
void step_medium(Session& s, int medium, int direction) {
    int32_t& material = medium == 1 ? s.label.medium1_material : s.label.medium2_material;
    const int32_t next = next_material(material, direction, medium == 1);
    if (next == material) return;
    material = next;  // its values follow at the frequency, as the scenario is solved
    s.origin.custom = true;
}

void step_frequency(Session& s, int direction) {
    const double hz = next_frequency(s.scenario.freq, direction);
    if (hz == s.scenario.freq) return;
    set_frequency(s.scenario, hz);
    s.origin.custom = true;
}

// One time sample on or back, only while the animation stands still.
void step_frame(Session& s, int direction) {
    AnimationState& a = s.animation;
    if (clock_running(a.pause_counter)) return;
    a.frame_index = direction > 0 ? next_frame_index(a.frame_index, a.frames_per_period)
                                  : previous_frame_index(a.frame_index, a.frames_per_period);
}

// Steps a field of the scenario by its key's step; once one has changed, the scenario is the
// user's own.
void step(Session& s, const ScenarioField& f, int direction) {
    double& value = s.scenario.*f.field;
    const double stepped = step_clamped(value, direction * f.key_step, f.lower, f.upper);
    if (stepped != value) s.origin.custom = true;
    value = stepped;
}

}  // namespace

KeyAction apply_command(Session& s, Command command) {
    Presentation& p = s.presentation;
    KeyAction action = KeyAction::none;
    switch (command) {
        case Command::ex_up:
        case Command::ex_down:
            step(s, ex_mag_field, command == Command::ex_up ? 1 : -1);
            break;
        case Command::ey_up:
        case Command::ey_down:
            step(s, ey_mag_field, command == Command::ey_up ? 1 : -1);
            break;
        case Command::phi_x_up:
        case Command::phi_x_down:
            step(s, phi_x_field, command == Command::phi_x_up ? 1 : -1);
            break;
        case Command::phi_y_up:
        case Command::phi_y_down:
            step(s, phi_y_field, command == Command::phi_y_up ? 1 : -1);
            break;
        case Command::angle_up:
        case Command::angle_down:
            step(s, theta_i_field, command == Command::angle_up ? 1 : -1);
            break;
        case Command::pause:
            // Through unsigned, so that a counter at its maximum wraps instead of overflowing;
            // the parity, which is all that counts, still alternates.
            s.animation.pause_counter =
                static_cast<int32_t>(static_cast<uint32_t>(s.animation.pause_counter) + 1u);
            break;
        case Command::original_view:
            s.view = original_view;
            s.presentation.medium2_decades = 0;
            break;
        case Command::legend:
            p.legend_shown = !p.legend_shown;
            break;
        case Command::field_map:
            p.field_map = next_field_map_mode(p.field_map);
            break;
        case Command::fit_view:
            s.view = fitted_view(frame_inputs(s));
            break;
        case Command::magnify_medium2:
            s.presentation.medium2_decades = (s.presentation.medium2_decades + 1) % 7;
            break;
        case Command::tangential:
            s.animation.tangential_toggle = (s.animation.tangential_toggle + 1) % 2;
            break;
        case Command::linear_example:
            load_example(s, ExampleKind::linear, s.examples.next_linear);
            break;
        case Command::circular_example:
            load_example(s, ExampleKind::circular, s.examples.next_circular);
            break;
        case Command::elliptical_example:
            load_example(s, ExampleKind::elliptical, s.examples.next_elliptical);
            break;
        case Command::readout:
            p.readout_shown = !p.readout_shown;
            break;
        case Command::curves:
            p.curves = next_curves_mode(p.curves);
            break;
        case Command::magnetic:
            p.magnetic_shown = !p.magnetic_shown;
            break;
        case Command::poynting:
            p.poynting_shown = !p.poynting_shown;
            break;
        case Command::quit:
            return KeyAction::quit;
        case Command::save_picture:
            action = KeyAction::save_picture;
            break;
        case Command::record:
            action = KeyAction::toggle_recording;
            break;
        case Command::save_scenario:
            action = KeyAction::save_scenario;
            break;
        case Command::next_view:
            p.view = next_view(p.view);
            action = KeyAction::view_changed;
            break;
        case Command::medium1_next:
        case Command::medium1_previous:
            step_medium(s, 1, command == Command::medium1_next ? 1 : -1);
            break;
        case Command::medium2_next:
        case Command::medium2_previous:
            step_medium(s, 2, command == Command::medium2_next ? 1 : -1);
            break;
        case Command::frequency_up:
        case Command::frequency_down:
            step_frequency(s, command == Command::frequency_up ? 1 : -1);
            break;
        case Command::frame_on:
        case Command::frame_back:
            step_frame(s, command == Command::frame_on ? 1 : -1);
            break;
        case Command::lesson_next:
        case Command::lesson_previous:
            step_lesson(s, command == Command::lesson_next ? 1 : -1);
            break;
        // The view moves; the scenario stays, so the interface is not solved again.
        case Command::pan_up:
            s.view.pan_y += 0.03f;
            return KeyAction::none;
        case Command::pan_down:
            s.view.pan_y -= 0.03f;
            return KeyAction::none;
        case Command::pan_left:
            s.view.pan_x -= 0.03f;
            return KeyAction::none;
        case Command::pan_right:
            s.view.pan_x += 0.03f;
            return KeyAction::none;
        case Command::none:
            break;  // a key the table does not bind solves again all the same
    }
    scenario_changed(s);
    return action;
}

KeyAction apply_key(Session& s, unsigned char key, bool alt) {
    return apply_command(s, key_command(key, alt));
}

void step_lesson(Session& s, int direction) {
    const std::vector<LessonStep>& steps = s.lesson.lesson.steps;
    const int32_t length = steps.empty() ? example_count : static_cast<int32_t>(steps.size());
    const int32_t position = s.lesson.position + direction;
    if (position < 0 || position >= length) return;  // clamped at the ends
    s.lesson.position = position;
    if (steps.empty()) {
        ScenarioOrigin origin{};
        const NamedScenario named = built_in_lesson_step(position, origin);
        load_scenario(s, named, origin);
    } else {
        ScenarioOrigin origin = startup_origin;
        origin.lesson_step = position;
        load_scenario(s, steps[size_t(position)].scenario, origin);
    }
}

void apply_press(Session& s, int button, int x, int y) {
    s.drag.last_x = x;
    s.drag.last_y = y;
    if (button == 0) s.drag.drag_mode = 0;
    if (button == 2) s.drag.drag_mode = 1;
}

void apply_drag(Session& s, int x, int y) {
    DragState& d = s.drag;
    ViewState& v = s.view;
    if (d.drag_mode == 0) {
        v.yaw = rotated_angle(v.yaw, x - d.last_x);
        d.last_x = x;
        v.pitch = rotated_angle(v.pitch, y - d.last_y);
        d.last_y = y;
    } else if (d.drag_mode == 1) {
        v.zoom = zoomed(v.zoom, y - d.last_y);
        d.last_y = y;
    }
}

void apply_pinch(Session& s, double factor) {
    const float next = static_cast<float>(s.view.zoom * factor);
    if (next > 0.0f && std::isfinite(next)) s.view.zoom = next;
}
