// The display-mode service over the X Resize and Rotate extension, against a stand-in for the
// server: what it reads, what it asks for, and what the display is left in. And what the
// off-screen context asks of Windows, against a stand-in for it.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/display_connection.h"
#include "platform/display_mode.h"
#include "platform/exit_requests.h"
#include "platform/offscreen_context.h"
#include "tests/support/randr_double.h"
#include "tests/support/win32/win32_calls.h"

Win32Calls& win32_calls() {
    static Win32Calls calls;
    return calls;
}

namespace {

const std::vector<RandrDouble::Mode> offered = {
    {1920, 1200, 59.88}, {1920, 1080, 60.0}, {1680, 1050, 59.95}, {1920, 1080, 50.0}};

const DisplayModeService& service() { return xrandr_display_mode_service(nullptr); }

struct SwitchCase {
    const char* what;
    size_t start_mode;
    Rotation rotation;
    DisplayMode wanted;
    bool screen_size_fails, crtc_config_fails;
    bool done;
    size_t mode_after;
    int screen_width_after, screen_height_after;  // pixels
    std::vector<std::string> requests;
};

TEST(RandrService, SwitchesFitTheScreenAndLeaveNothingHalfDone) {
    // clang-format off
    const std::vector<SwitchCase> cases = {
        {"landscape to 16:9: switch, then shrink the screen", 0, RR_Rotate_0, {1920, 1080, 59.88},
         false, false, true, 1, 1920, 1080, {"crtc 1920x1080", "screen 1920x1080"}},
        {"back again: grow the screen first", 1, RR_Rotate_0, {1920, 1200, 60.0},
         false, false, true, 0, 1920, 1200, {"screen 1920x1200", "crtc 1920x1200"}},
        {"the refresh rate nearest the old one", 0, RR_Rotate_0, {1920, 1080, 51.0},
         false, false, true, 3, 1920, 1080, {"crtc 1920x1080", "screen 1920x1080"}},
        {"portrait: the mode stands on its side", 0, RR_Rotate_90, {1920, 1080, 59.88},
         false, false, true, 1, 1080, 1920, {"crtc 1920x1080", "screen 1080x1920"}},
        {"a mode the output does not offer", 2, RR_Rotate_0, {1680, 945, 60.0},
         false, false, false, 2, 1680, 1050, {}},
        {"a refused switch leaves everything", 0, RR_Rotate_0, {1920, 1080, 59.88},
         false, true, false, 0, 1920, 1200, {"crtc 1920x1080"}},
        {"a switch whose shrink fails is undone", 0, RR_Rotate_0, {1920, 1080, 59.88},
         true, false, false, 0, 1920, 1200, {"crtc 1920x1080", "screen 1920x1080",
                                             "screen 1920x1200", "crtc 1920x1200",
                                             "screen 1920x1200"}},
        {"a switch whose grow fails is undone", 1, RR_Rotate_0, {1920, 1200, 59.88},
         true, false, false, 1, 1920, 1080, {"screen 1920x1200", "crtc 1920x1200",
                                             "screen 1920x1080"}},
    };
    // clang-format on
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.what);
        reset_randr_double(offered, c.start_mode, c.rotation);
        RandrDouble& d = randr_double();
        d.screen_size_fails = c.screen_size_fails;
        d.crtc_config_fails = c.crtc_config_fails;
        EXPECT_EQ(service().apply_mode(c.wanted), c.done);
        EXPECT_EQ(
            std::tuple(d.requests, d.current_mode, d.screen_width, d.screen_height),
            std::tuple(c.requests, c.mode_after, c.screen_width_after, c.screen_height_after));
        // What start-up sizes the window from: the width the output now covers on the screen.
        EXPECT_EQ(service().read_screen_width(), d.crtc_width());
        DisplayMode now{0, 0, 0};
        ASSERT_TRUE(service().read_current_mode(&now));
        EXPECT_EQ(now.width, int32_t(offered[c.mode_after].width));
        EXPECT_EQ(now.height, int32_t(offered[c.mode_after].height));
        EXPECT_EQ(d.open_connections, 0);
    }
}

TEST(RandrService, PortraitOutputIsAsWideAsItsModeIsHigh) {
    reset_randr_double(offered, 1, RR_Rotate_270);
    EXPECT_EQ(service().read_screen_width(), 1080);
    DisplayMode mode{0, 0, 0};
    ASSERT_TRUE(service().read_current_mode(&mode));
    EXPECT_EQ(mode.width, 1920) << "the mode itself is read as the output scans it out";
    EXPECT_EQ(mode.height, 1080);
    EXPECT_NEAR(mode.refresh_hz, 60.0, 1e-6);
}

TEST(RandrService, WithoutADisplayNothingIsReadOrApplied) {
    reset_randr_double(offered, 0);
    randr_double().connected = false;
    DisplayMode mode{0, 0, 0};
    EXPECT_FALSE(service().read_current_mode(&mode));
    EXPECT_FALSE(service().apply_mode({1920, 1080, 60}));
    EXPECT_EQ(service().read_screen_width(), 0);
    EXPECT_EQ(display_unreachable(":7"), "cannot open the X display ':7'");
    randr_double().connected = true;
    EXPECT_EQ(display_unreachable(":7"), "");
    EXPECT_EQ(randr_double().open_connections, 0) << "the check's connection closed again";
}

// On Windows: a hidden window's device, a pixel format of RGBA, 24-bit colour and depth, double
// buffered, for OpenGL in a window, and a context made current on that device; each refusal is
// one line.
TEST(OffscreenContextOnWindows, AsksForAnOpenGLFormatAndNamesWhatWasRefused) {
    std::string error;
    EXPECT_TRUE(open_offscreen_context(nullptr, error));
    const Win32Calls& c = win32_calls();
    EXPECT_EQ(std::vector<unsigned>(c.asked, c.asked + 6),
              (std::vector<unsigned>{c.descriptor_size, 1, 0x25, 0, 24, 24}));
    EXPECT_EQ(std::pair(c.format_set, c.current), std::pair(7, true));
    const struct {
        bool window;
        int format;
        bool context;
        const char* error;
    } refusals[] = {{false, 7, true, "cannot make a window for OpenGL"},
                    {true, 0, true, "no OpenGL context"},
                    {true, 7, false, "no OpenGL context"}};
    for (const auto& r : refusals) {
        win32_calls() = Win32Calls{r.window, r.format, r.context};
        EXPECT_FALSE(open_offscreen_context(nullptr, error));
        EXPECT_EQ(error, r.error);
    }
}

// On Windows the console's Ctrl+C and Ctrl+Break are left to the clock's thread, which puts the
// mode back and ends the process; the console's thread does so itself only when the clock has not
// taken the request within two seconds. After the close button it puts the mode back and leaves
// the end to Windows. What was requested and taken carries over from one event to the next.
TEST(ExitRequestsOnWindows, TheClockEndsTheProcessElseTheConsoleAfterTwoSeconds) {
    static int restored = 0, taken = 0;
    watch_exit_requests([] { ++restored; });
    Win32Calls& w = win32_calls();
    ASSERT_NE(w.console_handler, nullptr);
    constexpr unsigned infinite_ms = 0xFFFFFFFF, ctrl_c_exit = 0xC000013A;
    const auto clock = [](unsigned ms) {  // takes the request while the console waits, then ends
        if (ms != infinite_ms) taken = pending_exit_request();
        if (ms == infinite_ms && taken != 0) end_as_requested(taken);
    };
    // Close (2), logoff (5) and shutdown (6) note no request, and 4 is no event of ours; then
    // Ctrl+C (0) with the clock stopped, and Ctrl+Break (1) with it running.
    const struct {
        unsigned event;
        bool clock_runs;
        int handled, restored;
        unsigned status, slept_ms;  // status 0: the process goes on
    } events[] = {
        // clang-format off
        {2, true, 0, 1, 0, 0}, {5, false, 0, 1, 0, 0}, {6, false, 0, 1, 0, 0}, {4, false, 0, 0, 0, 0},
        {0, false, -1, 1, ctrl_c_exit, 2000}, {1, true, -1, 0, ctrl_c_exit, 50},
    };  // clang-format on
    for (const auto& e : events) {
        SCOPED_TRACE(e.event);
        restored = 0;
        w.slept_ms = 0;
        w.while_sleeping = e.clock_runs ? +clock : nullptr;
        unsigned status = 0;
        int handled = -1;
        try {
            handled = w.console_handler(e.event);
        } catch (const ProcessEnded& end) { status = end.status; }
        EXPECT_EQ(std::tuple(handled, restored, status, w.slept_ms),
                  std::tuple(e.handled, e.restored, e.status, e.slept_ms));
        if (e.status == 0) { EXPECT_EQ(pending_exit_request(), 0) << "no request noted"; }
    }
}

}  // namespace
