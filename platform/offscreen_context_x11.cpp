#include <GL/glx.h>
#include <X11/Xlib.h>

#include "platform/display_connection.h"
#include "platform/offscreen_context.h"
#include "scene/translate.h"

bool open_offscreen_context(const char* display_name, std::string& error) {
    Display* display = XOpenDisplay(display_name);
    if (display == nullptr) {
        error = fill(tr("%s: pictures need one, though no window is shown"),
                     {display_unreachable(display_name)});
        return false;
    }
    int attributes[] = {GLX_RGBA,       GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8,
                        GLX_DEPTH_SIZE, 24,           None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    if (visual == nullptr) {
        error = tr("no OpenGL visual on the X display");
        return false;
    }
    // A small window that is never mapped: the context needs a drawable; the pictures go into
    // a framebuffer object of their own.
    XSetWindowAttributes window_attributes{};
    window_attributes.colormap =
        XCreateColormap(display, RootWindow(display, visual->screen), visual->visual, AllocNone);
    const Window window =
        XCreateWindow(display, RootWindow(display, visual->screen), 0, 0, 16, 16, 0, visual->depth,
                      InputOutput, visual->visual, CWColormap, &window_attributes);
    const GLXContext context = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    if (context == nullptr || !glXMakeCurrent(display, window, context)) {
        error = tr("no OpenGL context on the X display");
        return false;
    }
    return true;
}
