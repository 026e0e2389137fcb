#include "app/keyboard.h"

#include <GL/freeglut.h>

#include <cstdint>

#include "app/examples.h"
#include "app/shared_state.h"
#include "app/startup.h"
#include "app/window.h"

double step_clamped(double value, double step, double lower, double upper) {
    value += step;
    if (value < lower) return lower;
    if (value > upper) return upper;
    return value;
}

namespace {

constexpr unsigned char key_escape = 27;
constexpr unsigned char key_tab = 9;

// Loads example next of table and advances the cycle, wrapping after the last example.
void load_example(ExampleKind kind, const WaveScenario* table, int count, int32_t& next) {
    g_scenario = table[next];
    g_origin = ScenarioOrigin{kind, next, false};
    next = (next + 1) % count;
}

// Steps a value of the scenario; once one has changed, the scenario is the user's own.
void step(double& value, double by, double lower, double upper) {
    const double stepped = step_clamped(value, by, lower, upper);
    if (stepped != value) g_origin.custom = true;
    value = stepped;
}

}  // namespace

void on_keyboard(unsigned char key, int /*x*/, int /*y*/) {
    if (key == key_escape) {
        quit_program(0);
        return;
    }
    // ALT alone: a held Shift or Ctrl as well makes it a plain press.
    const double sign = glutGetModifiers() == GLUT_ACTIVE_ALT ? -1.0 : 1.0;
    WaveScenario& sc = g_scenario;
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
        case 'v':
            g_presentation.view = next_view(g_presentation.view);
            show_view_in_title();
            break;
        default:
            break;
    }
    scenario_changed();
}

void on_special_key(int key, int /*x*/, int /*y*/) {
    switch (key) {
        case GLUT_KEY_UP:
            g_view.pan_y += 0.03f;
            break;
        case GLUT_KEY_DOWN:
            g_view.pan_y -= 0.03f;
            break;
        case GLUT_KEY_LEFT:
            g_view.pan_x -= 0.03f;
            break;
        case GLUT_KEY_RIGHT:
            g_view.pan_x += 0.03f;
            break;
        default:
            break;  // Shift, Ctrl, Alt and the function keys arrive here too
    }
}
