// A stand-in for the X server's Resize and Rotate extension, as far as the display-mode service
// uses it: one connected primary output on one CRTC, the modes it offers, the screen size, and
// requests that can be made to fail. Every connection sees the state of the moment, as a new
// connection to a real server does.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <string>
#include <vector>

struct RandrDouble {
    struct Mode {
        unsigned width, height;  // pixels, before rotation
        double refresh_hz;
    };
    std::vector<Mode> modes;  // offered by the output; ids are index + 1
    size_t current_mode = 0;  // index into modes
    Rotation rotation = RR_Rotate_0;
    int screen_width = 0, screen_height = 0;  // pixels
    int max_screen_size = 8192;
    bool connected = true;  // false: XOpenDisplay fails
    int open_connections = 0;
    // Requests that raise an X error (BadMatch) instead of taking effect.
    bool screen_size_fails = false;
    bool crtc_config_fails = false;
    std::vector<std::string> requests;  // "crtc WxH" and "screen WxH", in order

    // The CRTC's extent on the screen: a quarter turn stands the mode on its side.
    int crtc_width() const;
    int crtc_height() const;
};

RandrDouble& randr_double();

// A display showing mode (width x height, 60 Hz) among the others, the screen just as large.
void reset_randr_double(std::vector<RandrDouble::Mode> modes, size_t current,
                        Rotation rotation = RR_Rotate_0);
