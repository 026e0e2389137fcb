// planewave3d: reflection and transmission of an electromagnetic plane wave at an interface,
// animated in side-by-side stereo for a 3D television (or in a window, as an anaglyph, ...).
#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>

#include "app/frame.h"
#include "app/keyboard.h"
#include "app/mouse_clock.h"
#include "app/options.h"
#include "app/pictures.h"
#include "app/shared_state.h"
#include "app/startup.h"
#include "app/window.h"
#include "physics/fresnel_curves.h"
#include "platform/mode_guardian.h"

namespace {

// The X display that the toolkit will open, so that the mode changes on the same one.
const char* display_argument(const std::vector<char*>& toolkit_args) {
    for (size_t i = 1; i + 1 < toolkit_args.size(); ++i) {
        if (std::strcmp(toolkit_args[i], "-display") == 0) return toolkit_args[i + 1];
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    // Ours first, before anything touches the display.
    Options options = parse_options(argc, argv);
    if (!options.error.empty()) {
        std::fputs(usage_error_text(options.error).c_str(), stderr);
        return 2;
    }
    if (options.help || options.version || options.list_materials) {
        std::fputs(options.help      ? usage_text().c_str()
                   : options.version ? version_text().c_str()
                                     : materials_text().c_str(),
                   stdout);
        return 0;
    }
    reset_shared_state();
    const std::string lesson_error = load_start_scenario(options.lesson_path, options.overrides);
    if (!lesson_error.empty()) {
        std::fprintf(stderr, "planewave3d: %s\n", lesson_error.c_str());
        return 2;
    }
    if (options.print_curves) {
        std::fputs(fresnel_csv(fresnel_curves(g_scenario)).c_str(), stdout);
        return std::ferror(stdout) || std::fflush(stdout) != 0 ? 1 : 0;
    }
    g_presentation = Presentation{options.view,   options.windowed, options.readout,
                                  options.curves, options.magnetic, options.poynting};
    // The command line over the lesson, the lesson over the classic look.
    g_presentation.theme = options.theme.value_or(g_lesson.lesson.theme.value_or(Theme::classic));
    g_presentation.palette =
        options.palette.value_or(g_lesson.lesson.palette.value_or(Palette::classic));
    g_animation.tangential_toggle = options.tangential ? 1 : 0;
    if (!options.snapshot_path.empty() || !options.record_path.empty()) {
        // Pictures of the picture's size, drawn as in an ordinary window of that size.
        g_presentation.windowed = true;
        g_screen = ScreenSetup{0, 0, options.window_width, options.window_height};
        int toolkit_argc = static_cast<int>(options.toolkit_args.size());
        options.toolkit_args.push_back(nullptr);
        return make_pictures_off_screen(options, toolkit_argc, options.toolkit_args.data());
    }

    if (options.windowed) {
        prepare_window(options.window_width, options.window_height);
    } else {
        set_display_mode_service(
            &platform_display_mode_service(display_argument(options.toolkit_args)));
        if (prepare_screen() == -1) return 0;
        // Puts the mode back if this process dies without doing it (SIGKILL, a crash).
        start_mode_guardian(restore_display_mode);
    }
    if (options.toolkit_args.size() < size_t(argc)) {
        for (const char* line : more_keys) std::fputs(line, stdout);
        std::fflush(stdout);
    }

    int toolkit_argc = static_cast<int>(options.toolkit_args.size());
    options.toolkit_args.push_back(nullptr);
    glutInit(&toolkit_argc, options.toolkit_args.data());
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(g_screen.window_width, g_screen.window_height);
    if (!options.windowed) glutInitWindowPosition(0, 0);  // else where the window manager likes
    glutCreateWindow("3D TV");
    if (!options.windowed) glutPositionWindow(0, 32);
    if (g_presentation.view != StereoView::sbs) show_view_in_title();
    // Closing the window returns from the main loop, so that the mode is put back below.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);

    init_gl_state();

    glLineWidth(1.5f);
    glutDisplayFunc(on_display);
    if (options.frame > 0) {  // paused at that instant
        g_animation.frame_index = options.frame;
        g_animation.pause_counter = 2;
    }
    on_timer(1);  // advances to frame 2 and arms the 100 ms clock
    glutMouseFunc(on_mouse_button);
    glutMotionFunc(on_mouse_motion);
    glutKeyboardFunc(on_keyboard);
    glutSpecialFunc(on_special_key);
    // The picture follows an ordinary window's size; a full-width one keeps its geometry.
    if (options.windowed) glutReshapeFunc(on_reshape);

    glutMainLoop();
    quit_program(0);
}
