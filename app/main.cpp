// planewave3d: reflection and transmission of an electromagnetic plane wave at an interface,
// animated in side-by-side stereo for a 3D television.
#include <GL/freeglut.h>

#include <cstring>

#include "app/keyboard.h"
#include "app/mouse_clock.h"
#include "app/shared_state.h"
#include "app/startup.h"
#include "platform/mode_guardian.h"
#include "render/stereo_frame.h"

namespace {

// The X display that the toolkit will open, so that the mode changes on the same one.
const char* display_argument(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0) return argv[i + 1];
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    set_display_mode_service(&xrandr_display_mode_service(display_argument(argc, argv)));
    if (prepare_screen() == -1) return 0;
    // Puts the mode back if this process dies without doing it (SIGKILL, a crash).
    start_mode_guardian(restore_display_mode);

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(g_screen.window_width, g_screen.window_height);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("3D TV");
    glutPositionWindow(0, 32);
    // Closing the window returns from the main loop, so that the mode is put back below.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);

    init_gl_state();

    reset_shared_state();
    solve_interface();

    glLineWidth(1.5f);
    glutDisplayFunc(on_display);
    on_timer(1);  // advances to frame 2 and arms the 100 ms clock
    glutMouseFunc(on_mouse_button);
    glutMotionFunc(on_mouse_motion);
    glutKeyboardFunc(on_keyboard);
    glutSpecialFunc(on_special_key);

    glutMainLoop();
    quit_program(0);
}
