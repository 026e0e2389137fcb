#include "app/commands.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "app/examples.h"
#include "app/shared_state.h"
#include "physics/materials.h"

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
        if (!lossless_only || m.sigma == 0.0) choices.push_back(material_index(&m));
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
    struct Step {
        ExampleKind kind;
        int32_t index;
    };
    static const Step steps[built_in_lesson_length] = {
        {ExampleKind::elliptical, 2}, {ExampleKind::linear, 0},     {ExampleKind::linear, 1},
        {ExampleKind::linear, 2},     {ExampleKind::linear, 3},     {ExampleKind::circular, 0},
        {ExampleKind::circular, 1},   {ExampleKind::circular, 2},   {ExampleKind::circular, 3},
        {ExampleKind::elliptical, 0}, {ExampleKind::elliptical, 1},
    };
    const Step& step = steps[position];
    origin = ScenarioOrigin{step.kind, step.index, false};
    const WaveScenario* table = step.kind == ExampleKind::linear     ? linear_examples
                                : step.kind == ExampleKind::circular ? circular_examples
                                                                     : elliptical_examples;
    return NamedScenario{table[step.index], -1, -1};
}

namespace {

constexpr unsigned char key_tab = 9;

// Loads example next of table and advances the cycle, wrapping after the last example.
void load_example(ExampleKind kind, const WaveScenario* table, int count, int32_t& next) {
    load_scenario(NamedScenario{table[next], -1, -1}, ScenarioOrigin{kind, next, false});
    next = (next + 1) % count;
}

// The next (+1) or previous (-1) material of a medium; medium 1 only through lossless ones.
void step_medium(int medium, int direction) {
    int32_t& material = medium == 1 ? g_label.medium1_material : g_label.medium2_material;
    const int32_t next = next_material(material, direction, medium == 1);
    if (next == material) return;
    const Material& m = materials()[size_t(next)];
    (medium == 1 ? set_medium_1 : set_medium_2)(g_scenario, Medium{m.eps_r, m.mu_r, m.sigma, next});
    material = next;
    g_origin.custom = true;
}

void step_frequency(int direction) {
    const double hz = next_frequency(g_scenario.freq, direction);
    if (hz == g_scenario.freq) return;
    set_frequency(g_scenario, hz);
    g_origin.custom = true;
}

// One time sample on or back, only while the animation stands still.
void step_frame(int direction) {
    if (clock_running(g_animation.pause_counter)) return;
    AnimationState& a = g_animation;
    a.frame_index = direction > 0 ? next_frame_index(a.frame_index, a.frames_per_period)
                                  : previous_frame_index(a.frame_index, a.frames_per_period);
}

// Steps a value of the scenario; once one has changed, the scenario is the user's own.
void step(double& value, double by, double lower, double upper) {
    const double stepped = step_clamped(value, by, lower, upper);
    if (stepped != value) g_origin.custom = true;
    value = stepped;
}

}  // namespace

KeyAction apply_key(unsigned char key, bool alt) {
    const double sign = alt ? -1.0 : 1.0;
    WaveScenario& sc = g_scenario;
    KeyAction action = KeyAction::none;
    switch (key) {
        case 'x':
            step(sc.ex_mag, sign * 0.05, 0.0, 100.0);
            break;
        case 'y':
            step(sc.ey_mag, sign * 0.05, 0.0, 100.0);
            break;
        case 'b':
            step(sc.phi_x, sign * 1.0, -360.0, 360.0);
            break;
        case 'd':
            step(sc.phi_y, sign * 1.0, -360.0, 360.0);
            break;
        case 'i':
            step(sc.theta_i, sign * 1.0, 0.0, 89.0);
            break;
        case ' ':
            // Through unsigned, so that a counter at its maximum wraps instead of overflowing;
            // the parity, which is all that counts, still alternates.
            g_animation.pause_counter =
                static_cast<int32_t>(static_cast<uint32_t>(g_animation.pause_counter) + 1u);
            break;
        case key_tab:
            g_view = ViewState{0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
            break;
        case '|':
        case '\\':
            g_animation.tangential_toggle = (g_animation.tangential_toggle + 1) % 2;
            break;
        case 'l':
            load_example(ExampleKind::linear, linear_examples, linear_example_count,
                         g_examples.next_linear);
            break;
        case 'c':
            load_example(ExampleKind::circular, circular_examples, circular_example_count,
                         g_examples.next_circular);
            break;
        case 'e':
            load_example(ExampleKind::elliptical, elliptical_examples, elliptical_example_count,
                         g_examples.next_elliptical);
            break;
        case 'h':
            g_presentation.readout_shown = !g_presentation.readout_shown;
            break;
        case 'g':
            g_presentation.curves = next_curves_mode(g_presentation.curves);
            break;
        case 'm':
            g_presentation.magnetic_shown = !g_presentation.magnetic_shown;
            break;
        case 'p':
            g_presentation.poynting_shown = !g_presentation.poynting_shown;
            break;
        case 27:
            return KeyAction::quit;
        case 's':
            action = KeyAction::save_picture;
            break;
        case 'r':
            action = KeyAction::toggle_recording;
            break;
        case 'v':
            g_presentation.view = next_view(g_presentation.view);
            action = KeyAction::view_changed;
            break;
        case '1':
        case '2':
            step_medium(key - '0', int(sign));
            break;
        case 'f':
            step_frequency(int(sign));
            break;
        case '.':
            step_frame(1);
            break;
        case ',':
            step_frame(-1);
            break;
        case 'w':
            action = KeyAction::save_scenario;
            break;
        default:
            break;
    }
    scenario_changed();
    return action;
}

void apply_special_key(SpecialKey key) {
    switch (key) {
        case SpecialKey::page_down:
            step_lesson(1);
            scenario_changed();
            break;
        case SpecialKey::page_up:
            step_lesson(-1);
            scenario_changed();
            break;
        case SpecialKey::up:
            g_view.pan_y += 0.03f;
            break;
        case SpecialKey::down:
            g_view.pan_y -= 0.03f;
            break;
        case SpecialKey::left:
            g_view.pan_x -= 0.03f;
            break;
        case SpecialKey::right:
            g_view.pan_x += 0.03f;
            break;
        case SpecialKey::other:
            break;
    }
}
void step_lesson(int direction) {
    const int32_t length = g_lesson.lesson.steps.empty()
                               ? built_in_lesson_length
                               : static_cast<int32_t>(g_lesson.lesson.steps.size());
    const int32_t position = g_lesson.position + direction;
    if (position < 0 || position >= length) return;  // clamped at the ends
    g_lesson.position = position;
    if (g_lesson.lesson.steps.empty()) {
        ScenarioOrigin origin{};
        const NamedScenario named = built_in_lesson_step(position, origin);
        load_scenario(named, origin);
    } else {
        ScenarioOrigin origin = startup_origin;
        origin.lesson_step = position;
        load_scenario(g_lesson.lesson.steps[size_t(position)].scenario, origin);
    }
}

void apply_press(int button, int x, int y) {
    g_drag.last_x = x;
    g_drag.last_y = y;
    if (button == 0) g_drag.drag_mode = 0;
    if (button == 2) g_drag.drag_mode = 1;
}

void apply_drag(int x, int y) {
    if (g_drag.drag_mode == 0) {
        g_view.yaw = rotated_angle(g_view.yaw, x - g_drag.last_x);
        g_drag.last_x = x;
        g_view.pitch = rotated_angle(g_view.pitch, y - g_drag.last_y);
        g_drag.last_y = y;
    } else if (g_drag.drag_mode == 1) {
        g_view.zoom = zoomed(g_view.zoom, y - g_drag.last_y);
        g_drag.last_y = y;
    }
}
