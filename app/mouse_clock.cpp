#include "app/mouse_clock.h"

#include <GL/freeglut.h>

#include <cmath>

#include "app/desktop_session.h"
#include "app/pictures.h"
#include "app/startup.h"
#include "core/commands.h"
#include "platform/exit_requests.h"
#include "scene/translate.h"

void on_mouse_button(int button, int state, int x, int y) {
    if (state != GLUT_DOWN) return;
    apply_press(*g_session,
                button == GLUT_LEFT_BUTTON    ? 0
                : button == GLUT_RIGHT_BUTTON ? 2
                                              : 1,
                x, y);
}

void on_mouse_motion(int x, int y) {
    const ShownState before = shown_state();
    glutPostRedisplay();
    apply_drag(*g_session, x, y);
    cancel_recording_if_changed(before);
}

void on_timer(int /*value*/) {
    // A termination signal only raises a flag; the mode is restored here, outside the handler.
    if (pending_exit_request() != 0) cancel_recording(translatable("the program was asked to end"));
    end_program_if_signalled();
    // Closing the window ends the main loop, but the toolkit may still run a due timer first;
    // with no window left to draw, the clock stops here.
    if (glutGetWindow() == 0) return;
    tick(*g_session);
    glutPostRedisplay();
    glutTimerFunc(timer_period_ms, on_timer, 1);
    // After the clock is armed again, so that the work keeps the animation's pace.
    record_next_frame();
}
