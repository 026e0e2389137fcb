#include <X11/Xlib.h>

#include <cstdlib>

#include "platform/display_connection.h"
#include "scene/translate.h"

std::string display_unreachable(const char* display_name) {
    Display* display = XOpenDisplay(display_name);
    if (display != nullptr) {
        XCloseDisplay(display);
        return "";
    }
    const char* shown = display_name != nullptr ? display_name : std::getenv("DISPLAY");
    return fill(tr("cannot open the X display '%s'"), {shown != nullptr ? shown : ""});
}
