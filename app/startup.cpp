#include "app/startup.h"

#include <GL/freeglut.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "app/desktop_session.h"
#include "core/keys.h"
#include "platform/exit_requests.h"
#include "platform/mode_guardian.h"
#include "render/gl_backend.h"
#include "scene/frame_inputs.h"
#include "scene/translate.h"

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

void set_display_mode_service(const DisplayModeService* service) {
    display_service = service;
}

int32_t height_16_9(int32_t width) {
    return static_cast<int32_t>(static_cast<unsigned>(static_cast<float>(width) * 0.5625f));
}

int prepare_screen() {
    std::fputs(tr(credit_line), stdout);
    std::fputs(tr(introduction_line), stdout);

    DisplayMode mode{0, 0, 0.0};
    const bool have_mode = service().read_current_mode(&mode);
    g_session->screen.saved_width = mode.width;
    g_session->screen.saved_height = mode.height;

    DisplayMode wide = mode;
    wide.height = height_16_9(mode.width);
    if (!have_mode || !service().apply_mode(wide)) {
        std::fputs(tr(mode_failure_message), stdout);
        std::fflush(stdout);
        // Waits for a line; an empty line, a closed input or a signal ends the wait too.
        if (std::scanf("press") < 0) std::clearerr(stdin);
        return -1;
    }
    mode_switched = true;
    install_exit_guards();

    g_session->screen.window_width = service().read_screen_width();
    if (g_session->screen.window_width <= 0)
        g_session->screen.window_width = wide.width;  // unreadable: as asked
    g_session->screen.window_height = g_session->screen.window_width / 2;

    std::fputs(key_table_text().c_str(), stdout);
    std::fflush(stdout);
    return 0;
}

void prepare_window(int32_t width, int32_t height) {
    std::fputs(tr(credit_line), stdout);
    std::fputs(tr(introduction_line), stdout);
    g_session->screen.window_width = width;
    g_session->screen.window_height = height;
    std::fputs(key_table_text().c_str(), stdout);
    std::fflush(stdout);
}

void init_gl_state() {
    set_fixed_gl_state(classic_background);
}

void restore_display_mode() {
    if (!mode_switched.exchange(false)) return;
    DisplayMode mode{0, 0, 0.0};
    service().read_current_mode(&mode);
    mode.width = g_session->screen.saved_width;
    mode.height = g_session->screen.saved_height;
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
