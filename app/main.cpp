// planewave3d: reflection and transmission of an electromagnetic plane wave at an interface,
// animated in side-by-side stereo for a 3D television (or in a window, as an anaglyph, ...).
#include <GL/freeglut.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/desktop_session.h"
#include "app/frame.h"
#include "app/keyboard.h"
#include "app/mouse_clock.h"
#include "app/pictures.h"
#include "app/startup.h"
#include "app/window.h"
#include "core/options.h"
#include "physics/field_map.h"
#include "physics/fresnel_curves.h"
#include "physics/spectrum_curves.h"
#include "platform/display_connection.h"
#include "platform/mode_guardian.h"
#include "scene/field_geometry.h"
#include "scene/translate.h"

namespace {

// The user's language as gettext reads the environment: the locale (LC_ALL, LC_MESSAGES, LANG,
// the first set), or the first of LANGUAGE's list unless the locale is C or POSIX; its
// catalogues beside the program (in its build folder) or where it is installed.
void choose_language() {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v != nullptr && *v != '\0') {
            locale = v;
            break;
        }
    }
    const char* list = std::getenv("LANGUAGE");
    if (list != nullptr && *list != '\0' && !locale.empty() && locale != "C" && locale != "POSIX")
        locale = list;
    std::string folder;
#ifdef _WIN32
    // Windows sets no locale variables: the user's language of the system's settings ("de-DE").
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    if (locale.empty() && GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 0) {
        for (const wchar_t* c = name; *c != 0; ++c) locale += char(*c < 128 ? *c : '?');
    }
#else
    std::error_code e;
    const std::filesystem::path here =
        std::filesystem::read_symlink("/proc/self/exe", e).parent_path();
    folder = (std::filesystem::is_directory(here / "locale", e) ? here / "locale"
                                                                : here / ".." / "share" / "locale")
                 .string();
#endif
    set_language(locale, folder);
}

}  // namespace

int main(int argc, char** argv) {
    choose_language();
    // Ours first, before anything touches the display.
    Options options = parse_options(argc, argv);
    if (!options.error.empty()) {
        if (options.error_in_file) {
            std::fprintf(stderr, "planewave3d: %s\n", options.error.c_str());
        } else {
            std::fputs(usage_error_text(options.error).c_str(), stderr);
        }
        return 2;
    }
    if (options.help || options.version || options.list_materials) {
        std::fputs(options.help      ? usage_text().c_str()
                   : options.version ? version_text().c_str()
                                     : materials_text().c_str(),
                   stdout);
        return 0;
    }
    Session session;
    g_session = &session;
    const std::string lesson_error =
        load_start_scenario(session, options.lesson_path, options.overrides);
    if (!lesson_error.empty()) {
        std::fprintf(stderr, "planewave3d: %s\n", lesson_error.c_str());
        return 2;
    }
    if (options.print_curves) {
        std::fputs(fresnel_csv(fresnel_curves(g_session->scenario)).c_str(), stdout);
        return std::ferror(stdout) || std::fflush(stdout) != 0 ? 1 : 0;
    }
    if (options.print_spectrum) {
        const Session& s = *g_session;
        std::fputs(spectrum_csv(spectrum_curves(s.scenario, s.label.medium1_material,
                                                s.label.medium2_material))
                       .c_str(),
                   stdout);
        return std::ferror(stdout) || std::fflush(stdout) != 0 ? 1 : 0;
    }
    if (options.print_field_map) {
        const Session& s = *g_session;
        const double t = sample_time_of(options.frame == 0 ? 1 : options.frame, s.solution);
        std::fputs(field_map_csv(field_map_phasors(s.scenario, s.solution),
                                 *options.print_field_map, s.scenario.omega, t)
                       .c_str(),
                   stdout);
        return std::ferror(stdout) || std::fflush(stdout) != 0 ? 1 : 0;
    }
    apply_options(session, options);
    if (!options.snapshot_path.empty() || !options.record_path.empty()) {
        // Pictures of the picture's size (parse_options: as in an ordinary window of that size).
        g_session->screen.window_width = options.window_width;
        g_session->screen.window_height = options.window_height;
        int toolkit_argc = static_cast<int>(options.toolkit_args.size());
        options.toolkit_args.push_back(nullptr);
        return make_pictures_off_screen(options, toolkit_argc, options.toolkit_args.data());
    }

    if (options.windowed) {
        const std::string unreachable = display_unreachable(options.display);
        if (!unreachable.empty()) {
            std::fprintf(stderr, "planewave3d: %s\n",
                         fill(tr("%s: a window needs one"), {unreachable}).c_str());
            return 1;
        }
        prepare_window(options.window_width, options.window_height);
    } else {
        set_display_mode_service(&platform_display_mode_service(options.display));
        if (prepare_screen() == -1) return 0;
        // Puts the mode back if this process dies without doing it (SIGKILL, a crash).
        start_mode_guardian(restore_display_mode);
    }
    if (options.toolkit_args.size() < size_t(argc)) {
        std::fputs(more_keys_text().c_str(), stdout);
        std::fflush(stdout);
    }

    int toolkit_argc = static_cast<int>(options.toolkit_args.size());
    options.toolkit_args.push_back(nullptr);
    glutInit(&toolkit_argc, options.toolkit_args.data());
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(g_session->screen.window_width, g_session->screen.window_height);
    if (!options.windowed) glutInitWindowPosition(0, 0);  // else where the window manager likes
    glutCreateWindow("3D TV");
    if (!options.windowed) glutPositionWindow(0, 32);
    if (g_session->presentation.view != StereoView::sbs) show_view_in_title();
    // Closing the window returns from the main loop, so that the mode is put back below.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);

    init_gl_state();

    glLineWidth(1.5f);
    glutDisplayFunc(on_display);
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
