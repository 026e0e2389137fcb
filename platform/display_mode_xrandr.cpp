// The display-mode service over the X Resize and Rotate extension (RandR 1.2 and later).
// Every operation opens its own connection, so that what it reads is the server's state now
// (Xlib's DisplayWidth keeps the size from connection time).
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>

#include "platform/display_mode.h"

namespace {

const char* display_name = nullptr;

// X errors of our own requests are answers, not reasons to end the program.
int x_error_count = 0;
extern "C" int count_x_error(Display*, XErrorEvent*) {
    ++x_error_count;
    return 0;
}

// An open connection with RandR 1.2, the screen resources and the output that is primary (the
// first connected one with a CRTC when none is).
struct RandrSession {
    Display* display = nullptr;
    Window root = 0;
    XRRScreenResources* resources = nullptr;
    XRROutputInfo* output = nullptr;
    RROutput output_id = 0;
    XRRCrtcInfo* crtc = nullptr;
    XErrorHandler previous_handler = nullptr;

    RandrSession() {
        display = XOpenDisplay(display_name);
        if (display == nullptr) return;
        previous_handler = XSetErrorHandler(count_x_error);
        int event_base = 0, error_base = 0, major = 0, minor = 0;
        if (!XRRQueryExtension(display, &event_base, &error_base) ||
            !XRRQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 2)) {
            return;
        }
        root = DefaultRootWindow(display);
        resources = XRRGetScreenResourcesCurrent(display, root);
        if (resources == nullptr) return;
        select_output(XRRGetOutputPrimary(display, root));
        for (int i = 0; output == nullptr && i < resources->noutput; ++i) {
            select_output(resources->outputs[i]);
        }
    }

    ~RandrSession() {
        if (crtc != nullptr) XRRFreeCrtcInfo(crtc);
        if (output != nullptr) XRRFreeOutputInfo(output);
        if (resources != nullptr) XRRFreeScreenResources(resources);
        if (display != nullptr) {
            XSync(display, False);
            XSetErrorHandler(previous_handler);
            XCloseDisplay(display);
        }
    }

    RandrSession(const RandrSession&) = delete;
    RandrSession& operator=(const RandrSession&) = delete;

    bool ready() const { return crtc != nullptr; }

    void select_output(RROutput id) {
        if (id == 0) return;
        XRROutputInfo* info = XRRGetOutputInfo(display, resources, id);
        if (info == nullptr) return;
        if (info->connection == RR_Connected && info->crtc != 0) {
            XRRCrtcInfo* crtc_info = XRRGetCrtcInfo(display, resources, info->crtc);
            if (crtc_info != nullptr && crtc_info->mode != 0) {
                output = info;
                output_id = id;
                crtc = crtc_info;
                return;
            }
            if (crtc_info != nullptr) XRRFreeCrtcInfo(crtc_info);
        }
        XRRFreeOutputInfo(info);
    }

    const XRRModeInfo* mode_info(RRMode id) const {
        for (int i = 0; i < resources->nmode; ++i) {
            if (resources->modes[i].id == id) return &resources->modes[i];
        }
        return nullptr;
    }
};

double refresh_rate_hz(const XRRModeInfo& mode) {
    double lines = mode.vTotal;
    if (mode.modeFlags & RR_DoubleScan) lines *= 2.0;
    if (mode.modeFlags & RR_Interlace) lines /= 2.0;
    if (mode.hTotal == 0 || lines == 0.0) return 0.0;
    return static_cast<double>(mode.dotClock) / (mode.hTotal * lines);
}

bool quarter_turned(Rotation rotation) {
    return (rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
}

bool read_current_mode(DisplayMode* mode) {
    RandrSession session;
    if (!session.ready()) return false;
    const XRRModeInfo* info = session.mode_info(session.crtc->mode);
    if (info == nullptr) return false;
    *mode = DisplayMode{static_cast<int32_t>(info->width), static_cast<int32_t>(info->height),
                        refresh_rate_hz(*info)};
    return true;
}

// Among the modes the output offers, the one of this size nearest the refresh rate; 0 if none.
RRMode offered_mode(const RandrSession& session, const DisplayMode& wanted) {
    RRMode best = 0;
    double best_distance = 0.0;
    for (int i = 0; i < session.output->nmode; ++i) {
        const XRRModeInfo* info = session.mode_info(session.output->modes[i]);
        if (info == nullptr || static_cast<int32_t>(info->width) != wanted.width ||
            static_cast<int32_t>(info->height) != wanted.height) {
            continue;
        }
        const double distance = std::fabs(refresh_rate_hz(*info) - wanted.refresh_hz);
        if (best == 0 || distance < best_distance) {
            best = info->id;
            best_distance = distance;
        }
    }
    return best;
}

// Sets the screen size in pixels, keeping the physical size per pixel (96 dpi when unknown).
void set_screen_size(Display* display, Window root, int width, int height) {
    const int screen = DefaultScreen(display);
    const double mm_per_px_x =
        DisplayWidth(display, screen) > 0 && DisplayWidthMM(display, screen) > 0
            ? double(DisplayWidthMM(display, screen)) / DisplayWidth(display, screen)
            : 25.4 / 96.0;
    const double mm_per_px_y =
        DisplayHeight(display, screen) > 0 && DisplayHeightMM(display, screen) > 0
            ? double(DisplayHeightMM(display, screen)) / DisplayHeight(display, screen)
            : 25.4 / 96.0;
    XRRSetScreenSize(display, root, width, height, static_cast<int>(width * mm_per_px_x + 0.5),
                     static_cast<int>(height * mm_per_px_y + 0.5));
}

bool apply_mode(const DisplayMode& wanted) {
    RandrSession session;
    if (!session.ready()) return false;
    const RRMode mode = offered_mode(session, wanted);
    if (mode == 0) return false;

    Display* display = session.display;
    const XRRCrtcInfo& crtc = *session.crtc;
    // The new extent of the CRTC on the screen: a quarter turn stands the mode on its side.
    const bool turned = quarter_turned(crtc.rotation);
    const int crtc_width = turned ? wanted.height : wanted.width;
    const int crtc_height = turned ? wanted.width : wanted.height;

    // The screen must hold every CRTC: the new extent of ours and those of the others.
    int needed_width = crtc.x + crtc_width;
    int needed_height = crtc.y + crtc_height;
    for (int i = 0; i < session.resources->ncrtc; ++i) {
        if (session.resources->crtcs[i] == session.output->crtc) continue;
        XRRCrtcInfo* other =
            XRRGetCrtcInfo(display, session.resources, session.resources->crtcs[i]);
        if (other == nullptr) continue;
        if (other->mode != 0) {
            needed_width = std::max(needed_width, other->x + static_cast<int>(other->width));
            needed_height = std::max(needed_height, other->y + static_cast<int>(other->height));
        }
        XRRFreeCrtcInfo(other);
    }
    int min_width = 0, min_height = 0, max_width = 0, max_height = 0;
    XRRGetScreenSizeRange(display, session.root, &min_width, &min_height, &max_width, &max_height);
    if (needed_width > max_width || needed_height > max_height) return false;
    needed_width = std::max(needed_width, min_width);
    needed_height = std::max(needed_height, min_height);

    const int screen = DefaultScreen(display);
    const int screen_width = DisplayWidth(display, screen);
    const int screen_height = DisplayHeight(display, screen);

    XGrabServer(display);
    x_error_count = 0;
    // Grow first so that the new mode fits, switch, then shrink to what the CRTCs cover. The
    // grown size holds the old mode and the new one.
    const int grown_width = std::max(needed_width, screen_width);
    const int grown_height = std::max(needed_height, screen_height);
    const bool grown = grown_width != screen_width || grown_height != screen_height;
    if (grown) set_screen_size(display, session.root, grown_width, grown_height);
    RROutput outputs[] = {session.output_id};
    const Status status =
        XRRSetCrtcConfig(display, session.resources, session.output->crtc, CurrentTime, crtc.x,
                         crtc.y, mode, crtc.rotation, outputs, 1);
    const bool switched = status == RRSetConfigSuccess;
    const bool fitted = switched && (needed_width != grown_width || needed_height != grown_height);
    if (fitted) set_screen_size(display, session.root, needed_width, needed_height);
    XSync(display, False);
    const bool done = switched && x_error_count == 0;
    if (!done) {
        // Half done is not done: the mode the output had and the screen size it had go back,
        // so that a failure leaves the display as it was.
        if (switched) {
            if (fitted) set_screen_size(display, session.root, grown_width, grown_height);
            XRRSetCrtcConfig(display, session.resources, session.output->crtc, CurrentTime, crtc.x,
                             crtc.y, crtc.mode, crtc.rotation, outputs, 1);
        }
        if (grown || fitted) set_screen_size(display, session.root, screen_width, screen_height);
        XSync(display, False);
    }
    XUngrabServer(display);
    XSync(display, False);
    return done;
}

int32_t read_screen_width() {
    RandrSession session;
    if (!session.ready()) return 0;
    // The server gives a CRTC's extent on the screen, after rotation.
    return static_cast<int32_t>(session.crtc->width);
}

const DisplayModeService xrandr_service{read_current_mode, apply_mode, read_screen_width};

}  // namespace

const DisplayModeService& xrandr_display_mode_service(const char* name) {
    display_name = name;
    return xrandr_service;
}

const DisplayModeService& platform_display_mode_service(const char* name) {
    return xrandr_display_mode_service(name);
}
