// Small helper for the end-to-end tests on a real X server:
//   x11_probe close WINDOW_ID        asks the window to close, as a window manager's close
//                                    button does (WM_DELETE_WINDOW)
//   x11_probe scene SHOT.xwd         counts the scene pixels of each half of a screenshot and
//                                    how many differ between the two halves
//   x11_probe diff A.xwd B.xwd       counts the pixels that differ between two screenshots
//   x11_probe watch-modes            prints the mode size of the primary output's CRTC at
//                                    start and at every change, one line each, until killed
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int close_window(const char* id_text) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 2;
    const Window window = std::strtoul(id_text, nullptr, 0);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}

// A screenshot in X Window Dump format, 24 or 32 bits per pixel, read as RGB.
struct Image {
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> rgb;  // 0xRRGGBB
};

uint32_t big_endian(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

bool read_xwd(const char* path, Image& image) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> data((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    if (data.size() < 100) return false;
    auto field = [&](int k) { return big_endian(&data[4 * k]); };
    const uint32_t header_size = field(0), width = field(4), height = field(5);
    const uint32_t byte_order = field(7), bits_per_pixel = field(11), bytes_per_line = field(12);
    const uint32_t red_mask = field(14), green_mask = field(15), blue_mask = field(16);
    const uint32_t colour_count = field(19);  // 12-byte colour entries before the pixels
    const size_t offset = header_size + size_t(colour_count) * 12;
    if ((bits_per_pixel != 32 && bits_per_pixel != 24) ||
        data.size() < offset + size_t(bytes_per_line) * height) {
        return false;
    }
    auto channel = [](uint32_t pixel, uint32_t mask) {
        if (mask == 0) return 0u;
        int shift = 0;
        while (((mask >> shift) & 1u) == 0) ++shift;
        return (pixel & mask) >> shift;
    };
    image.width = width;
    image.height = height;
    image.rgb.resize(size_t(width) * height);
    const uint32_t bytes = bits_per_pixel / 8;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = &data[offset + size_t(y) * bytes_per_line + size_t(x) * bytes];
            uint32_t pixel = 0;
            for (uint32_t b = 0; b < bytes; ++b) {
                pixel |= uint32_t(p[b]) << (byte_order == LSBFirst ? 8 * b : 8 * (bytes - 1 - b));
            }
            image.rgb[size_t(y) * width + x] = (channel(pixel, red_mask) << 16) |
                                               (channel(pixel, green_mask) << 8) |
                                               channel(pixel, blue_mask);
        }
    }
    return true;
}

int channel_distance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift : {0, 8, 16}) {
        const int d = std::abs(int((a >> shift) & 255u) - int((b >> shift) & 255u));
        if (d > worst) worst = d;
    }
    return worst;
}

// Scene pixels: anything that is not the mid-grey background.
int scene(const char* path) {
    Image image;
    if (!read_xwd(path, image)) return 2;
    const uint32_t half = image.width / 2;
    const uint32_t background = image.rgb[0];
    // differing: pixels that are not the same in both halves; shift: how far (pixels) the
    // centre of the scene pixels moves from the left half to the right one.
    long left = 0, right = 0, differing = 0;
    double left_x = 0, left_y = 0, right_x = 0, right_y = 0;
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint32_t* row = &image.rgb[size_t(y) * image.width];
        for (uint32_t x = 0; x < half; ++x) {
            const uint32_t l = row[x];
            const uint32_t r = row[x + half];
            if (channel_distance(l, background) > 8) {
                ++left;
                left_x += x;
                left_y += y;
            }
            if (channel_distance(r, background) > 8) {
                ++right;
                right_x += x;
                right_y += y;
            }
            differing += channel_distance(l, r) > 8;
        }
    }
    const double shift = left == 0 || right == 0 ? 1e9
                                                 : std::hypot(right_x / right - left_x / left,
                                                              right_y / right - left_y / left);
    std::printf("background %06x left %ld right %ld differing %ld shift %.0f\n", background, left,
                right, differing, std::ceil(shift));
    return 0;
}

int diff(const char* a_path, const char* b_path) {
    Image a, b;
    if (!read_xwd(a_path, a) || !read_xwd(b_path, b) || a.width != b.width ||
        a.height != b.height) {
        return 2;
    }
    long differing = 0;
    for (size_t k = 0; k < a.rgb.size(); ++k) differing += a.rgb[k] != b.rgb[k];
    std::printf("%ld\n", differing);
    return 0;
}

// The modes of the primary output as they change: what a mode switch and its restoration look
// like from outside the program.
int watch_modes() {
    Display* display = XOpenDisplay(nullptr);
    int event_base = 0, error_base = 0;
    if (display == nullptr || !XRRQueryExtension(display, &event_base, &error_base)) return 2;
    const Window root = DefaultRootWindow(display);
    XRRSelectInput(display, root, RRCrtcChangeNotifyMask);
    auto print_mode = [](unsigned width, unsigned height) {
        static std::string last;
        const std::string now = std::to_string(width) + "x" + std::to_string(height);
        if (now == last) return;
        last = now;
        std::printf("%s\n", now.c_str());
        std::fflush(stdout);
    };
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    const RROutput primary = XRRGetOutputPrimary(display, root);
    XRROutputInfo* output =
        resources != nullptr ? XRRGetOutputInfo(display, resources, primary) : nullptr;
    if (output == nullptr || output->crtc == 0) return 2;
    const RRCrtc crtc = output->crtc;
    XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, crtc);
    if (info != nullptr) print_mode(info->width, info->height);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != event_base + RRNotify) continue;
        const auto* change = reinterpret_cast<const XRRCrtcChangeNotifyEvent*>(&event);
        if (change->subtype == RRNotify_CrtcChange && change->crtc == crtc && change->mode != 0) {
            print_mode(change->width, change->height);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "close" && argc == 3) return close_window(argv[2]);
    if (command == "scene" && argc == 3) return scene(argv[2]);
    if (command == "diff" && argc == 4) return diff(argv[2], argv[3]);
    if (command == "watch-modes" && argc == 2) return watch_modes();
    std::fprintf(stderr,
                 "usage: x11_probe close WINDOW_ID | scene SHOT.xwd | diff A.xwd B.xwd | "
                 "watch-modes\n");
    return 2;
}
