#include "tests/support/randr_double.h"

#include <cstring>
#include <type_traits>

namespace {

constexpr RROutput output_id = 0x40;
constexpr RRCrtc crtc_id = 0x20;
constexpr Window root_window = 0x1;

XErrorHandler error_handler = nullptr;

// What Xlib's macros (DefaultScreen, DisplayWidth, ...) read: one screen, sized at connection.
struct FakeConnection {
    std::remove_pointer_t<_XPrivDisplay> display{};
    Screen screen{};
};

void raise_bad_match(Display* display, unsigned char minor_code) {
    XErrorEvent event{};
    event.type = 0;
    event.display = display;
    event.error_code = BadMatch;
    event.request_code = 140;  // the extension's major opcode on a typical server
    event.minor_code = minor_code;
    if (error_handler != nullptr) error_handler(display, &event);
}

RRMode mode_id(size_t index) { return static_cast<RRMode>(index + 1); }

bool quarter_turned(Rotation r) { return (r & (RR_Rotate_90 | RR_Rotate_270)) != 0; }

}  // namespace

int RandrDouble::crtc_width() const {
    const Mode& m = modes[current_mode];
    return int(quarter_turned(rotation) ? m.height : m.width);
}

int RandrDouble::crtc_height() const {
    const Mode& m = modes[current_mode];
    return int(quarter_turned(rotation) ? m.width : m.height);
}

RandrDouble& randr_double() {
    static RandrDouble state;
    return state;
}

void reset_randr_double(std::vector<RandrDouble::Mode> modes, size_t current, Rotation rotation) {
    RandrDouble& d = randr_double();
    d = RandrDouble{};
    d.modes = std::move(modes);
    d.current_mode = current;
    d.rotation = rotation;
    d.screen_width = d.crtc_width();
    d.screen_height = d.crtc_height();
}

// --- Xlib -----------------------------------------------------------------------------------

Display* XOpenDisplay(const char*) {
    RandrDouble& d = randr_double();
    if (!d.connected) return nullptr;
    ++d.open_connections;
    auto* c = new FakeConnection;
    c->screen.width = d.screen_width;
    c->screen.height = d.screen_height;
    c->screen.mwidth = d.screen_width * 254 / 960;  // 96 dpi
    c->screen.mheight = d.screen_height * 254 / 960;
    c->screen.root = root_window;
    c->display.default_screen = 0;
    c->display.nscreens = 1;
    c->display.screens = &c->screen;
    return reinterpret_cast<Display*>(&c->display);
}

int XCloseDisplay(Display* display) {
    --randr_double().open_connections;
    delete reinterpret_cast<FakeConnection*>(display);
    return 0;
}

XErrorHandler XSetErrorHandler(XErrorHandler handler) {
    const XErrorHandler previous = error_handler;
    error_handler = handler;
    return previous;
}

int XSync(Display*, Bool) { return 1; }
int XGrabServer(Display*) { return 1; }
int XUngrabServer(Display*) { return 1; }

// --- the extension ------------------------------------------------------------------------

Bool XRRQueryExtension(Display*, int* event_base, int* error_base) {
    *event_base = 89;
    *error_base = 147;
    return True;
}

Status XRRQueryVersion(Display*, int* major, int* minor) {
    *major = 1;
    *minor = 6;
    return 1;
}

XRRScreenResources* XRRGetScreenResourcesCurrent(Display*, Window) {
    const RandrDouble& d = randr_double();
    auto* r = new XRRScreenResources{};
    r->ncrtc = 1;
    r->crtcs = new RRCrtc[1]{crtc_id};
    r->noutput = 1;
    r->outputs = new RROutput[1]{output_id};
    r->nmode = static_cast<int>(d.modes.size());
    r->modes = new XRRModeInfo[d.modes.size()]{};
    for (size_t k = 0; k < d.modes.size(); ++k) {
        XRRModeInfo& m = r->modes[k];
        m.id = mode_id(k);
        m.width = d.modes[k].width;
        m.height = d.modes[k].height;
        m.hTotal = m.width + 160;
        m.vTotal = m.height + 40;
        m.dotClock = static_cast<unsigned long>(d.modes[k].refresh_hz * m.hTotal * m.vTotal);
    }
    return r;
}

void XRRFreeScreenResources(XRRScreenResources* r) {
    delete[] r->crtcs;
    delete[] r->outputs;
    delete[] r->modes;
    delete r;
}

RROutput XRRGetOutputPrimary(Display*, Window) { return output_id; }

XRROutputInfo* XRRGetOutputInfo(Display*, XRRScreenResources*, RROutput output) {
    if (output != output_id) return nullptr;
    const RandrDouble& d = randr_double();
    auto* o = new XRROutputInfo{};
    o->connection = RR_Connected;
    o->crtc = crtc_id;
    o->nmode = static_cast<int>(d.modes.size());
    o->modes = new RRMode[d.modes.size()];
    for (size_t k = 0; k < d.modes.size(); ++k) o->modes[k] = mode_id(k);
    return o;
}

void XRRFreeOutputInfo(XRROutputInfo* o) {
    delete[] o->modes;
    delete o;
}

XRRCrtcInfo* XRRGetCrtcInfo(Display*, XRRScreenResources*, RRCrtc crtc) {
    if (crtc != crtc_id) return nullptr;
    const RandrDouble& d = randr_double();
    auto* c = new XRRCrtcInfo{};
    c->mode = mode_id(d.current_mode);
    c->width = static_cast<unsigned>(d.crtc_width());
    c->height = static_cast<unsigned>(d.crtc_height());
    c->rotation = d.rotation;
    c->rotations = RR_Rotate_0 | RR_Rotate_90 | RR_Rotate_180 | RR_Rotate_270;
    return c;
}

void XRRFreeCrtcInfo(XRRCrtcInfo* c) { delete c; }

Status XRRGetScreenSizeRange(Display*, Window, int* min_width, int* min_height, int* max_width,
                             int* max_height) {
    *min_width = *min_height = 8;
    *max_width = *max_height = randr_double().max_screen_size;
    return 1;
}

void XRRSetScreenSize(Display* display, Window, int width, int height, int, int) {
    RandrDouble& d = randr_double();
    d.requests.push_back("screen " + std::to_string(width) + "x" + std::to_string(height));
    // A real server also refuses a screen that would not hold the CRTC.
    if (d.screen_size_fails || width < d.crtc_width() || height < d.crtc_height()) {
        raise_bad_match(display, 7);
        return;
    }
    d.screen_width = width;
    d.screen_height = height;
}

Status XRRSetCrtcConfig(Display* display, XRRScreenResources*, RRCrtc, Time, int, int, RRMode mode,
                        Rotation rotation, RROutput*, int) {
    RandrDouble& d = randr_double();
    const size_t index = static_cast<size_t>(mode) - 1;
    d.requests.push_back("crtc " + std::to_string(d.modes.at(index).width) + "x" +
                         std::to_string(d.modes.at(index).height));
    RandrDouble next = d;
    next.current_mode = index;
    next.rotation = rotation;
    if (d.crtc_config_fails || next.crtc_width() > d.screen_width ||
        next.crtc_height() > d.screen_height) {
        raise_bad_match(display, 21);
        return RRSetConfigFailed;
    }
    d.current_mode = index;
    d.rotation = rotation;
    return RRSetConfigSuccess;
}
