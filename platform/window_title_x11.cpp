#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>

#include "platform/window_title.h"

void set_window_title(const char* utf8) {
    glutSetWindowTitle(utf8);
    // The toolkit's window is the drawable of its context.
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) return;
    const Atom utf8_string = XInternAtom(display, "UTF8_STRING", False);
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8);
    const int length = static_cast<int>(std::strlen(utf8));
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8_string, 8,
                    PropModeReplace, bytes, length);
    XChangeProperty(display, window, XA_WM_NAME, utf8_string, 8, PropModeReplace, bytes, length);
    XFlush(display);
}
