// Small helper for the end-to-end tests on a real X server:
//   x11_probe close WINDOW_ID        asks the window to close, as a window manager's close
//                                    button does (WM_DELETE_WINDOW)
//   x11_probe scene SHOT.xwd         counts the scene pixels of each half of a screenshot, how
//                                    many differ between the two halves, and how many lie on
//                                    the screenshot's edge (its outer two rows and columns)
//   x11_probe diff-rows A.xwd B.xwd  the first and last row in which they differ, or "none"
//   x11_probe watch-modes            prints the mode size of the primary output's CRTC at
//                                    start and at every change, one line each, until killed
//   x11_probe match A.xwd X Y W H C B.xwd X Y C
//                                    compares colour channel C (r, g or b) of a W x H rectangle
//                                    of A with one of B: how many pixels differ, and how well
//                                    their scenes (pixels off the background) overlap at the
//                                    best horizontal shift
//   x11_probe trace-box SHOT.xwd     width and height of the box round the trace spheres' blue
//   x11_probe compare A B [N [X Y W H]] how the pictures A and B (.xwd, .png, or FILE.gif:K for
//                                    frame K of an animation) differ: "WxH differing N far F
//                                    worst W", F the pixels off by more than 32 levels in a
//                                    channel, W the most any channel is off; with N, the means
//                                    of their N x N blocks, each block counted once; with X Y W
//                                    H, within that rectangle (from the top left) alone
//   x11_probe gif-info FILE.gif      "frames N loop L delays MIN-MAX" (hundredths of a second)
//   x11_probe shades PICTURE R G B  "corner RRGGBB shaded N": the lower left pixel, and how many
//                                   pixels are the colour R G B (0-255) lit by the scene's light,
//                                   k (R, G, B) for a k of 0.15 to 1.15, within 4 levels
#include <Magick++.h>  // before Xlib, whose macros would clash
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// A picture as 0xRRGGBB pixels, read by ImageMagick.
struct Image {
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> rgb;  // 0xRRGGBB
};

// NAME: a screenshot (.xwd), a .png, or FILE.gif:K for frame K of an animation.
bool read_picture(std::string name, Image& image) {
    const size_t colon = name.rfind(".gif:");
    if (colon != std::string::npos)
        name = name.substr(0, colon + 4) + "[" + name.substr(colon + 5) + "]";
    try {
        Magick::Image picture(name);
        image.width = uint32_t(picture.columns());
        image.height = uint32_t(picture.rows());
        std::vector<unsigned char> rgb(size_t(image.width) * image.height * 3);
        picture.write(0, 0, image.width, image.height, "RGB", Magick::CharPixel, rgb.data());
        image.rgb.resize(size_t(image.width) * image.height);
        for (size_t k = 0; k < image.rgb.size(); ++k) {
            image.rgb[k] =
                (uint32_t(rgb[3 * k]) << 16) | (uint32_t(rgb[3 * k + 1]) << 8) | rgb[3 * k + 2];
        }
        return true;
    } catch (const Magick::Exception&) { return false; }
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
    if (!read_picture(path, image)) return 2;
    const uint32_t half = image.width / 2;
    const uint32_t background = image.rgb[0];
    // differing: pixels that are not the same in both halves; shift: how far (pixels) the
    // centre of the scene pixels moves from the left half to the right one.
    long left = 0, right = 0, differing = 0, edge = 0;
    double left_x = 0, left_y = 0, right_x = 0, right_y = 0;
    const auto on_edge = [&](uint32_t x, uint32_t y) {
        return x < 2 || y < 2 || x + 2 >= image.width || y + 2 >= image.height;
    };
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint32_t* row = &image.rgb[size_t(y) * image.width];
        for (uint32_t x = 0; x < half; ++x) {
            const uint32_t l = row[x];
            const uint32_t r = row[x + half];
            edge += on_edge(x, y) && channel_distance(l, background) > 8;
            edge += on_edge(x + half, y) && channel_distance(r, background) > 8;
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
    std::printf("background %06x left %ld right %ld differing %ld shift %.0f edge %ld\n",
                background, left, right, differing, std::ceil(shift), edge);
    return 0;
}

// The first and the last row (from the top) in which two screenshots differ, or "none".
int differing_rows(const char* path_a, const char* path_b) {
    Image a, b;
    if (!read_picture(path_a, a) || !read_picture(path_b, b) || a.width != b.width ||
        a.height != b.height) {
        return 2;
    }
    long first = -1, last = -1;
    for (uint32_t y = 0; y < a.height; ++y) {
        for (uint32_t x = 0; x < a.width; ++x) {
            if (a.rgb[size_t(y) * a.width + x] == b.rgb[size_t(y) * a.width + x]) continue;
            if (first < 0) first = y;
            last = y;
            break;
        }
    }
    if (first < 0) {
        std::printf("none\n");
    } else {
        std::printf("%ld %ld\n", first, last);
    }
    return 0;
}

int compare(const char* a_name, const char* b_name, uint32_t n, uint32_t x0 = 0, uint32_t y0 = 0,
            uint32_t w = ~0u, uint32_t h = ~0u) {
    Image a, b;
    if (!read_picture(a_name, a) || !read_picture(b_name, b)) return 2;
    if (a.width != b.width || a.height != b.height) {
        std::printf("%ux%u against %ux%u\n", a.width, a.height, b.width, b.height);
        return 0;
    }
    long differing = 0, far = 0;
    int worst = 0;
    const uint32_t x1 = std::min(a.width, x0 + std::min(w, a.width)),
                   y1 = std::min(a.height, y0 + std::min(h, a.height));
    for (uint32_t y = y0; y + n <= y1; y += n) {
        for (uint32_t x = x0; x + n <= x1; x += n) {
            int off = 0;
            for (int shift : {0, 8, 16}) {
                int sum = 0;
                for (uint32_t k = 0; k < n * n; ++k) {
                    const size_t at = size_t(y + k / n) * a.width + x + k % n;
                    sum += int((a.rgb[at] >> shift) & 255u) - int((b.rgb[at] >> shift) & 255u);
                }
                off = std::max(off, std::abs(sum) / int(n * n));
            }
            differing += off > 0;
            far += off > 32;
            worst = std::max(worst, off);
        }
    }
    std::printf("%ux%u differing %ld far %ld worst %d\n", a.width, a.height, differing, far, worst);
    return 0;
}

int shades(char** argv) {
    Image image;
    if (!read_picture(argv[2], image)) return 2;
    const double c[3] = {std::atof(argv[3]), std::atof(argv[4]), std::atof(argv[5])};
    long shaded = 0;
    for (uint32_t rgb : image.rgb) {
        const double p[3] = {double((rgb >> 16) & 255u), double((rgb >> 8) & 255u),
                             double(rgb & 255u)};
        // The k that fits best, then every channel within 4 levels of k c, clamped.
        const double k = (p[0] * c[0] + p[1] * c[1] + p[2] * c[2]) /
                         std::max(1.0, c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
        bool near = k >= 0.15 && k <= 1.15;
        for (int i = 0; i < 3 && near; ++i) near = std::fabs(std::min(255.0, k * c[i]) - p[i]) <= 4;
        shaded += near;
    }
    const uint32_t corner = image.rgb[size_t(image.height - 1) * image.width];
    std::printf("corner %06X shaded %ld\n", unsigned(corner & 0xFFFFFFu), shaded);
    return 0;
}

// The frames' count, the loop count of the application extension and the delays, from the
// frames' headers alone.
int gif_info(const char* path) {
    std::vector<Magick::Image> frames;
    try {
        Magick::ReadOptions headers;
        headers.imageInfo()->ping = MagickCore::MagickTrue;
        Magick::readImages(&frames, path, headers);
    } catch (const Magick::Exception&) { return 2; }
    if (frames.empty()) return 2;
    size_t lowest = ~size_t{0}, highest = 0;
    for (const Magick::Image& frame : frames) {
        lowest = std::min(lowest, frame.animationDelay());
        highest = std::max(highest, frame.animationDelay());
    }
    std::printf("frames %zu loop %zu delays %zu-%zu\n", frames.size(),
                frames[0].animationIterations(), lowest, highest);
    return 0;
}

int channel_of(uint32_t rgb, char channel) {
    const int shift = channel == 'r' ? 16 : channel == 'g' ? 8 : 0;
    return int((rgb >> shift) & 255u);
}

int match(char** argv) {
    Image a, b;
    if (!read_picture(argv[2], a) || !read_picture(argv[8], b)) return 2;
    const int ax = std::atoi(argv[3]), ay = std::atoi(argv[4]), w = std::atoi(argv[5]),
              h = std::atoi(argv[6]), bx = std::atoi(argv[9]), by = std::atoi(argv[10]);
    const char ca = argv[7][0], cb = argv[11][0];
    if (ax < 0 || ay < 0 || bx < 0 || by < 0 || w <= 0 || h <= 0 || ax + w > int(a.width) ||
        ay + h > int(a.height) || bx + w > int(b.width) || by + h > int(b.height)) {
        return 2;
    }
    auto at = [](const Image& image, int x, int y, char ch) {
        return channel_of(image.rgb[size_t(y) * image.width + size_t(x)], ch);
    };
    const int background_a = at(a, 0, 0, ca), background_b = at(b, 0, 0, cb);
    long differing = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            differing += std::abs(at(a, ax + x, ay + y, ca) - at(b, bx + x, by + y, cb)) > 8;
        }
    }
    // The scene of A against the scene of B moved by shift pixels: intersection over union.
    double best_iou = -1;
    int best_shift = 0;
    for (int shift = -20; shift <= 20; ++shift) {
        long both = 0, either = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool in_a = std::abs(at(a, ax + x, ay + y, ca) - background_a) > 8;
                const int xb = x + shift;
                const bool in_b =
                    xb >= 0 && xb < w && std::abs(at(b, bx + xb, by + y, cb) - background_b) > 8;
                both += in_a && in_b;
                either += in_a || in_b;
            }
        }
        const double iou = either == 0 ? 0.0 : double(both) / either;
        if (iou > best_iou) {
            best_iou = iou;
            best_shift = shift;
        }
    }
    std::printf("differing %ld iou %.0f shift %d\n", differing, 100 * best_iou, best_shift);
    return 0;
}

// The trace spheres' dark blue (0.2, 0.2, 0.48), lit: clearly more blue than red or green.
int trace_box(const char* path) {
    Image image;
    if (!read_picture(path, image)) return 2;
    long left = image.width, right = -1, top = image.height, bottom = -1;
    for (uint32_t y = 0; y < image.height; ++y) {
        for (uint32_t x = 0; x < image.width; ++x) {
            const uint32_t p = image.rgb[size_t(y) * image.width + x];
            const int r = channel_of(p, 'r'), g = channel_of(p, 'g'), b = channel_of(p, 'b');
            if (b > r + 25 && b > g + 25 && std::abs(r - g) < 12) {
                left = std::min<long>(left, x);
                right = std::max<long>(right, x);
                top = std::min<long>(top, y);
                bottom = std::max<long>(bottom, y);
            }
        }
    }
    if (right < 0) return 1;
    std::printf("%ld %ld\n", right - left + 1, bottom - top + 1);
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
    Magick::InitializeMagick(argv[0]);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "close" && argc == 3) return close_window(argv[2]);
    if (command == "scene" && argc == 3) return scene(argv[2]);
    if (command == "diff-rows" && argc == 4) return differing_rows(argv[2], argv[3]);
    if (command == "watch-modes" && argc == 2) return watch_modes();
    if (command == "match" && argc == 12) return match(argv);
    if (command == "trace-box" && argc == 3) return trace_box(argv[2]);
    if (command == "compare" && (argc == 4 || argc == 5 || argc == 9)) {
        const auto at = [&](int k) { return uint32_t(std::max(0, std::atoi(argv[k]))); };
        const uint32_t n = argc >= 5 ? std::max(1u, at(4)) : 1;
        return argc == 9 ? compare(argv[2], argv[3], n, at(5), at(6), at(7), at(8))
                         : compare(argv[2], argv[3], n);
    }
    if (command == "gif-info" && argc == 3) return gif_info(argv[2]);
    if (command == "shades" && argc == 6) return shades(argv);
    std::fprintf(stderr,
                 "usage: x11_probe close WINDOW_ID | scene SHOT.xwd | diff-rows A.xwd B.xwd | "
                 "watch-modes | match A.xwd X Y W H C B.xwd X Y C | trace-box SHOT.xwd | "
                 "compare A B | gif-info FILE.gif\n");
    return 2;
}
