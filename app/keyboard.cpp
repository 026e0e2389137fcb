#include "app/keyboard.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/desktop_session.h"
#include "app/pictures.h"
#include "app/startup.h"
#include "app/window.h"
#include "platform/atomic_file.h"
#include "scene/translate.h"

namespace {

const char* const saved_lesson_file = "planewave3d-saved.toml";

// Appends the scenario to the lesson of saved scenarios in the current folder.
void save_scenario() {
    const std::string error = append_to_lesson(saved_lesson_file, g_session->label.origin,
                                               current_named_scenario(*g_session));
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", saved_lesson_file, error.c_str());
        return;
    }
    std::printf(tr("scenario saved to %s\n"), absolute_path(saved_lesson_file).c_str());
    std::fflush(stdout);
}

}  // namespace

void on_keyboard(unsigned char key, int /*x*/, int /*y*/) {
    if (key == 27) quit_program(0);
    const ShownState before = shown_state();
    // The view's change cancels a recording before it shows.
    if (key == 'v') cancel_recording(translatable("the view changed"));
    // ALT alone: a held Shift or Ctrl as well makes it a plain press.
    switch (apply_key(*g_session, key, glutGetModifiers() == GLUT_ACTIVE_ALT)) {
        case KeyAction::save_picture:
            save_picture();
            break;
        case KeyAction::toggle_recording:
            toggle_recording();
            break;
        case KeyAction::save_scenario:
            save_scenario();
            break;
        case KeyAction::view_changed:
            show_view_in_title();
            break;
        case KeyAction::quit:
        case KeyAction::none:
            break;
    }
    cancel_recording_if_changed(before);
}

void on_special_key(int key, int /*x*/, int /*y*/) {
    const ShownState before = shown_state();
    // Shift, Ctrl, Alt and the function keys arrive here too, and give no command.
    const SpecialKey special = key == GLUT_KEY_PAGE_DOWN ? SpecialKey::page_down
                               : key == GLUT_KEY_PAGE_UP ? SpecialKey::page_up
                               : key == GLUT_KEY_UP      ? SpecialKey::up
                               : key == GLUT_KEY_DOWN    ? SpecialKey::down
                               : key == GLUT_KEY_LEFT    ? SpecialKey::left
                               : key == GLUT_KEY_RIGHT   ? SpecialKey::right
                                                         : SpecialKey::none;
    apply_command(*g_session, special_key_command(special));
    cancel_recording_if_changed(before);
}
