#include "app/startup.h"

#include <GL/freeglut.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "app/shared_state.h"
#include "platform/exit_requests.h"
#include "platform/mode_guardian.h"
#include "render/gl_backend.h"
#include "scene/build_frame.h"

const char* const credit_line =
    "planewave3d, by the planewave3d developers: see the project's README for more.\n";
const char* const introduction_line =
    "It is for interactive visualization of electromagnetic plane wave reflection and "
    "transmission on 3D TV.\n";
const char* const mode_failure_message =
    "Setting screen for 16:9 resolution failed. Please use compatible screen ...";
const char* const key_table[24] = {
    "\nPlease use mouse & keyboard functions as follows: (switch to '3D TV' window) \n",
    " mouse left \t: rotate view\n",
    " mouse right\t: zoom in / out\n",
    " l          \t: linear examples\n",
    " c          \t: circular examples\n",
    " e          \t: elliptical examples\n",
    " i          \t: increase incident angle theta_i\n",
    " ALT + i    \t: decrease incident angle theta_i\n",
    " x          \t: increase magnitude | Ex | of Ex = | Ex | exp(j*phi_x)\n",
    " ALT + x    \t: decrease magnitude | Ex | of Ex = | Ex | exp(j*phi_x)\n",
    " y          \t: increase magnitude | Ey | of Ey = | Ey | exp(j*phi_y)\n",
    " ALT + y    \t: decrease magnitude | Ey | of Ey = | Ey | exp(j*phi_y)\n",
    " b          \t: increase phase angle phi_x of Ex = | Ex | exp(j*phi_x)\n",
    " ALT + b    \t: decrease phase angle phy_x of Ex = | Ex | exp(j*phi_x)\n",
    " d          \t: increase phase angle phi_y of Ey = | Ey | exp(j*phi_y)\n",
    " ALT + d    \t: decrease phase angle phi_y of Ey = | Ey | exp(j*phi_y)\n",
    " arrow up   \t: move view up\n",
    " arrow down \t: move view down\n",
    " arrow left \t: move view left\n",
    " arrow right\t: move view right\n",
    " tab        \t: revert to original view\n",
    " | or \\    \t: show / hide interface tangential fields\n",
    " space bar  \t: pause / continue\n",
    " ESC        \t: quit\n",
};

const char* const more_keys[more_key_count] = {
    " v          \t: next view: sbs, mono, anaglyph, cross\n",
    " h          \t: show / hide the readout of the numbers\n",
    " g          \t: Fresnel curves: power, amplitude and phase, none\n",
    " m          \t: show / hide the magnetic field (eta1 H)\n",
    " p          \t: show / hide the time-averaged Poynting vectors\n",
    " 1 / ALT + 1\t: next / previous material of medium 1 (the lossless ones)\n",
    " 2 / ALT + 2\t: next / previous material of medium 2\n",
    " f / ALT + f\t: next / previous frequency: 1, 2, 5, 10, 20 kHz ... 1 PHz\n",
    " . / ,      \t: one time step on / back while paused\n",
    " w          \t: save the scenario to planewave3d-saved.toml\n",
    " s          \t: save the picture as a PNG\n",
    " r          \t: record one wave period as an animated GIF\n",
    " Page Down  \t: next scenario of the lesson (or of the examples)\n",
    " Page Up    \t: previous scenario of the lesson\n",
};

namespace {

const DisplayModeService* display_service = nullptr;

// True from a successful switch to 16:9 until the saved mode is put back. Atomic: on Windows
// the console's handler restores from a thread of its own.
std::atomic<bool> mode_switched{false};

extern "C" void restore_at_exit() {
    restore_display_mode();
}

const DisplayModeService& service() {
    if (display_service == nullptr) display_service = &platform_display_mode_service(nullptr);
    return *display_service;
}

}  // namespace

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

void set_display_mode_service(const DisplayModeService* service) {
    display_service = service;
}

int32_t height_16_9(int32_t width) {
    return static_cast<int32_t>(static_cast<unsigned>(static_cast<float>(width) * 0.5625f));
}

int prepare_screen() {
    std::fputs(credit_line, stdout);
    std::fputs(introduction_line, stdout);

    DisplayMode mode{0, 0, 0.0};
    const bool have_mode = service().read_current_mode(&mode);
    g_screen.saved_width = mode.width;
    g_screen.saved_height = mode.height;

    DisplayMode wide = mode;
    wide.height = height_16_9(mode.width);
    if (!have_mode || !service().apply_mode(wide)) {
        std::fputs(mode_failure_message, stdout);
        std::fflush(stdout);
        // Waits for a line; an empty line, a closed input or a signal ends the wait too.
        if (std::scanf("press") < 0) std::clearerr(stdin);
        return -1;
    }
    mode_switched = true;
    install_exit_guards();

    g_screen.window_width = service().read_screen_width();
    if (g_screen.window_width <= 0) g_screen.window_width = wide.width;  // unreadable: as asked
    g_screen.window_height = g_screen.window_width / 2;

    for (const char* line : key_table) std::fputs(line, stdout);
    std::fflush(stdout);
    return 0;
}

void prepare_window(int32_t width, int32_t height) {
    std::fputs(credit_line, stdout);
    std::fputs(introduction_line, stdout);
    g_screen.window_width = width;
    g_screen.window_height = height;
    for (const char* line : key_table) std::fputs(line, stdout);
    std::fflush(stdout);
}

void init_gl_state() {
    set_fixed_gl_state(classic_background);
}

void restore_display_mode() {
    if (!mode_switched.exchange(false)) return;
    DisplayMode mode{0, 0, 0.0};
    service().read_current_mode(&mode);
    mode.width = g_screen.saved_width;
    mode.height = g_screen.saved_height;
    service().apply_mode(mode);
    dismiss_mode_guardian();
}

void install_exit_guards() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    std::atexit(restore_at_exit);
    watch_exit_requests(restore_display_mode);
}

void end_program_if_signalled() {
    const int request = pending_exit_request();
    if (request == 0) return;
    restore_display_mode();
    end_as_requested(request);
}

void quit_program(int status) {
    restore_display_mode();
    std::exit(status);
}
