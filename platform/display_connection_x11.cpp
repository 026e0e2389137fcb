#include <X11/Xlib.h>

#include <cstdlib>

#include "platform/display_connection.h"

std::string display_unreachable(const char* display_name) {
    Display* display = XOpenDisplay(display_name);
    if (display != nullptr) {
        XCloseDisplay(display);
        return "";
    }
    const char* shown = display_name != nullptr ? display_name : std::getenv("DISPLAY");
    return "cannot open the X display '" + std::string(shown != nullptr ? shown : "") + "'";
}
