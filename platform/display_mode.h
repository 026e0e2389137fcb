// The display-mode service: read the current mode of the primary output, apply a mode of
// another size as a dynamic change, read the screen width. A table of plain functions, so that
// tests can stand in for the windowing system.
#pragma once

#include <cstdint>

struct DisplayMode {
    int32_t width;      // pixels
    int32_t height;     // pixels
    double refresh_hz;  // passed back unchanged when only the size changes
};

struct DisplayModeService {
    // False when there is no display or no mode to read.
    bool (*read_current_mode)(DisplayMode* mode);
    // Switches the primary output to one of the modes it offers with this width and height,
    // the one nearest refresh_hz; false when there is none or the server refuses the change.
    bool (*apply_mode)(const DisplayMode& mode);
    // The width in pixels of the primary output as the server has it now; 0 when unknown.
    int32_t (*read_screen_width)();
};

// The service of the platform the program is built for: the X Resize and Rotate extension on
// X11, the display settings on Windows. display_name is the X display to use, or null for the
// DISPLAY of the environment (the service keeps the pointer); Windows has no use for it.
const DisplayModeService& platform_display_mode_service(const char* display_name);

// The X Resize and Rotate extension itself.
const DisplayModeService& xrandr_display_mode_service(const char* display_name);
