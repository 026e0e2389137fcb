#include "app/mouse_clock.h"

#include <GL/freeglut.h>

#include <cmath>

#include "app/pictures.h"
#include "app/shared_state.h"
#include "app/startup.h"
#include "platform/exit_requests.h"

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

void on_mouse_button(int button, int state, int x, int y) {
    if (state != GLUT_DOWN) return;
    g_drag.last_x = x;
    g_drag.last_y = y;
    if (button == GLUT_LEFT_BUTTON) g_drag.drag_mode = 0;
    if (button == GLUT_RIGHT_BUTTON) g_drag.drag_mode = 1;
}

void on_mouse_motion(int x, int y) {
    const ShownState before = shown_state();
    glutPostRedisplay();
    if (g_drag.drag_mode == 0) {
        g_view.yaw = rotated_angle(g_view.yaw, x - g_drag.last_x);
        g_drag.last_x = x;
        g_view.pitch = rotated_angle(g_view.pitch, y - g_drag.last_y);
        g_drag.last_y = y;
    } else if (g_drag.drag_mode == 1) {
        g_view.zoom = zoomed(g_view.zoom, y - g_drag.last_y);
        g_drag.last_y = y;
    }
    cancel_recording_if_changed(before);
}

void on_timer(int /*value*/) {
    // A termination signal only raises a flag; the mode is restored here, outside the handler.
    if (pending_exit_request() != 0) cancel_recording("the program was asked to end");
    end_program_if_signalled();
    // Closing the window ends the main loop, but the toolkit may still run a due timer first;
    // with no window left to draw, the clock stops here.
    if (glutGetWindow() == 0) return;
    if (clock_running(g_animation.pause_counter)) {
        g_animation.frame_index =
            next_frame_index(g_animation.frame_index, g_animation.frames_per_period);
    }
    glutPostRedisplay();
    glutTimerFunc(timer_period_ms, on_timer, 1);
    // After the clock is armed again, so that the work keeps the animation's pace.
    record_next_frame();
}
