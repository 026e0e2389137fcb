#include "app/window.h"

#include <GL/freeglut.h>

#include "app/pictures.h"
#include "platform/window_title.h"
#include "scene/translate.h"

std::string window_title(StereoView view) {
    if (view == StereoView::sbs) return "3D TV";
    return std::string("3D TV \u2014 ") + view_name(view);
}

void show_view_in_title() {
    set_window_title(window_title(g_session->presentation.view).c_str());
}

void on_reshape(int width, int height) {
    const int32_t w = width > 0 ? width : 1, h = height > 0 ? height : 1;
    if (w != g_session->screen.window_width || h != g_session->screen.window_height) {
        cancel_recording(translatable("the window's size changed"));
    }
    g_session->screen.window_width = w;
    g_session->screen.window_height = h;
    glutPostRedisplay();
}
