// The application shell: keyboard commands and examples, mouse view control, the animation
// clock, and start-up against a stand-in display-mode service.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/frame.h"
#include "app/keyboard.h"
#include "app/mouse_clock.h"
#include "app/picture_files.h"
#include "app/pictures.h"
#include "app/startup.h"
#include "app/window.h"
#include "core/lesson.h"
#include "core/material_file.h"
#include "core/options.h"
#include "core/session.h"
#include "physics/materials.h"
#include "platform/atomic_file.h"
#include "platform/mode_guardian.h"
#include "tests/support/fresh_session.h"
#include "tests/support/gl_recorder.h"
#include "tests/support/scratch_folder.h"

namespace {

class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        fresh_session();
        gl_recorder::clear();
        gl_recorder::state().modifiers = 0;
    }
    static void press(unsigned char key, int modifiers = 0) {
        gl_recorder::state().modifiers = modifiers;
        on_keyboard(key, 0, 0);
        gl_recorder::state().modifiers = 0;
    }
    static void press_times(unsigned char key, int times, int modifiers = 0) {
        for (int k = 0; k < times; ++k) press(key, modifiers);
    }
};

// --- keyboard -------------------------------------------------------------------------------

struct StepCase {
    const char* what;
    unsigned char key;
    int modifiers;
    double WaveScenario::*field;
    double before, after;
};

TEST_F(Shell, SteppedValuesAreClampedNotWrapped) {
    const std::vector<StepCase> cases = {
        {"ALT+x at 0.02 stops at 0", 'x', GLUT_ACTIVE_ALT, &WaveScenario::ex_mag, 0.02, 0.0},
        {"x at 99.98 stops at 100", 'x', 0, &WaveScenario::ex_mag, 99.98, 100.0},
        {"y steps by 0.05", 'y', 0, &WaveScenario::ey_mag, 1.0, 1.05},
        {"ALT+y at 0 stays", 'y', GLUT_ACTIVE_ALT, &WaveScenario::ey_mag, 0.0, 0.0},
        {"b at 360 stays 360", 'b', 0, &WaveScenario::phi_x, 360.0, 360.0},
        {"ALT+b at -360 stays", 'b', GLUT_ACTIVE_ALT, &WaveScenario::phi_x, -360.0, -360.0},
        {"d steps by 1", 'd', 0, &WaveScenario::phi_y, -90.0, -89.0},
        {"ALT+d steps down", 'd', GLUT_ACTIVE_ALT, &WaveScenario::phi_y, -90.0, -91.0},
        {"i at 88.5 stops at 89", 'i', 0, &WaveScenario::theta_i, 88.5, 89.0},
        {"ALT+i at 0.5 stops at 0", 'i', GLUT_ACTIVE_ALT, &WaveScenario::theta_i, 0.5, 0.0},
        {"Shift+ALT+x counts as x", 'x', GLUT_ACTIVE_ALT | GLUT_ACTIVE_SHIFT, &WaveScenario::ex_mag,
         1.0, 1.05},
        {"Ctrl+ALT+i counts as i", 'i', GLUT_ACTIVE_ALT | GLUT_ACTIVE_CTRL, &WaveScenario::theta_i,
         20.0, 21.0},
        {"X (Shift+x) does nothing", 'X', GLUT_ACTIVE_SHIFT, &WaveScenario::ex_mag, 1.0, 1.0},
        {"I does nothing", 'I', GLUT_ACTIVE_SHIFT, &WaveScenario::theta_i, 20.0, 20.0},
        {"i keeps a fraction", 'i', 0, &WaveScenario::theta_i, 41.8103165, 42.8103165},
        {"i at 88.8103165 stops at 89", 'i', 0, &WaveScenario::theta_i, 88.8103165, 89.0},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.what);
        g_session->scenario.*c.field = c.before;
        press(c.key, c.modifiers);
        EXPECT_DOUBLE_EQ(g_session->scenario.*c.field, c.after);
    }
}

TEST_F(Shell, EveryKeyButEscRunsTheSolver) {
    for (unsigned char key : {'x', 'X', 'q', ' ', '\t', '|', 'l', '7', '\r'}) {
        g_session->solution.k1 = -1.0;  // spoiled; the solver writes it afresh
        press(key);
        EXPECT_GT(g_session->solution.k1, 0.0) << int(key);
    }
    EXPECT_EQ(gl_recorder::state().redisplay_requests, 0);
}

// Each cycle wraps on its own; loading an example leaves the view, the clock and the toggle.
TEST_F(Shell, ExampleCyclesWrapIndependently) {
    g_session->view = ViewState{10, 20, 0.3f, 0.4f, 2};
    g_session->animation = AnimationState{57, 101, 2, 1};
    std::vector<double> linear_angles;
    for (int k = 0; k < 5; ++k) {
        press('l');
        linear_angles.push_back(g_session->scenario.theta_i);
    }
    EXPECT_EQ(linear_angles, (std::vector<double>{35, 31.806, 29, 40, 35}));
    EXPECT_EQ(g_session->examples.next_circular, 0);

    press('e');
    EXPECT_EQ(g_session->scenario.eps_r2, 12.0);
    press_times('e', 2);
    const WaveScenario start = startup_example.scenario;
    EXPECT_EQ(0, std::memcmp(&g_session->scenario, &start, sizeof start))
        << "third e: start-up again";
    press('e');
    EXPECT_EQ(g_session->scenario.eps_r2, 12.0);

    press('x');
    press_times('c', 4);
    EXPECT_EQ(std::tuple(g_session->scenario.theta_i, g_session->scenario.ex_mag),
              std::tuple(41.8103165, 5.0))
        << "the x step is lost";
    EXPECT_EQ(g_session->examples.next_circular, 0);
    const ViewState& v = g_session->view;
    const AnimationState& a = g_session->animation;
    EXPECT_EQ(std::tuple(v.yaw, v.zoom, a.frame_index, a.pause_counter, a.tangential_toggle),
              std::tuple(10.0f, 2.0f, 57, 2, 1));
}

// The toggles, the pause counter (its maximum too), the original view, the pans and the views
// in the title, key by key from the state the one before left; the keys the table does not
// bind change nothing.
TEST_F(Shell, KeysToggleReturnPanAndCycleTheView) {
    g_session->presentation = Presentation{StereoView::sbs, true, false};
    g_session->animation.frame_index = 40;
    struct Case {
        int key;  // a character, or a special key (negative)
        int modifiers;
        int32_t tangential;
        bool running;
        ViewState view;
        StereoView shown;
        const char* title;
    };
    const ViewState original{0, 0, 0, 0, 1};
    const auto sbs = StereoView::sbs, mono = StereoView::mono;
    const Case cases[] = {
        // clang-format off
        {'|', 0, 1, true, original, sbs, ""}, {'\\', 0, 0, true, original, sbs, ""},
        {' ', 0, 0, false, original, sbs, ""}, {' ', 0, 0, true, original, sbs, ""},
        {-GLUT_KEY_UP, 0, 0, true, {0, 0, 0, 0.03f, 1}, sbs, ""},
        {-GLUT_KEY_LEFT, 0, 0, true, {0, 0, -0.03f, 0.03f, 1}, sbs, ""},
        {-GLUT_KEY_RIGHT, 0, 0, true, {0, 0, 0, 0.03f, 1}, sbs, ""},
        {-GLUT_KEY_DOWN, 0, 0, true, original, sbs, ""},
        {-GLUT_KEY_F1, 0, 0, true, original, sbs, ""},
        {-GLUT_KEY_SHIFT_L, 0, 0, true, original, sbs, ""},
        {-100000, 0, 0, true, original, sbs, ""},
        {-GLUT_KEY_LEFT, 0, 0, true, {0, 0, -0.03f, 0, 1}, sbs, ""},
        {'\t', GLUT_ACTIVE_ALT, 0, true, original, sbs, ""},
        {'v', 0, 0, true, original, mono, "3D TV \u2014 mono"},
        {'v', 0, 0, true, original, StereoView::anaglyph, "3D TV \u2014 anaglyph"},
        {'v', 0, 0, true, original, StereoView::cross, "3D TV \u2014 cross"},
        {'v', 0, 0, true, original, sbs, "3D TV"},
        {'V', GLUT_ACTIVE_SHIFT, 0, true, original, sbs, "3D TV"},  // lower case only
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        if (c.key < 0) {
            on_special_key(-c.key, 0, 0);
        } else {
            press(static_cast<unsigned char>(c.key), c.modifiers);
        }
        const AnimationState& a = g_session->animation;
        const ViewState& v = g_session->view;
        EXPECT_EQ(std::tuple(a.tangential_toggle, clock_running(a.pause_counter), a.frame_index),
                  std::tuple(c.tangential, c.running, 40));
        EXPECT_EQ(std::tuple(v.yaw, v.pitch, v.pan_x, v.pan_y, v.zoom),
                  std::tuple(c.view.yaw, c.view.pitch, c.view.pan_x, c.view.pan_y, c.view.zoom));
        EXPECT_EQ(g_session->presentation.view, c.shown);
        EXPECT_EQ(gl_recorder::state().window_title, c.title);
    }
    for (int k = 0; k < 100; ++k) on_special_key(GLUT_KEY_UP, 0, 0);
    EXPECT_NEAR(g_session->view.pan_y, 100 * 0.03f, 1e-4) << "panned without limit";
    // z magnifies medium 2 ten times a press, to a million, then not at all; Tab undoes it too.
    std::vector<int32_t> decades;
    for (int k = 0; k < 8; ++k) {
        press('z');
        decades.push_back(g_session->presentation.medium2_decades);
    }
    EXPECT_EQ(decades, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 0, 1}));
    g_session->view = ViewState{12, -30, 0.6f, -0.9f, 0.25f};
    press('\t');
    EXPECT_EQ(0, std::memcmp(&g_session->view, &original, sizeof original));
    EXPECT_EQ(g_session->presentation.medium2_decades, 0);
    g_session->animation.pause_counter = INT32_MAX;
    press(' ');
    EXPECT_FALSE(clock_running(g_session->animation.pause_counter)) << "wraps at its maximum";
    press(' ');
    EXPECT_TRUE(clock_running(g_session->animation.pause_counter));
    EXPECT_EQ(gl_recorder::state().redisplay_requests, 0);
}

TEST_F(Shell, HTogglesTheReadoutKeysThatChangeAValueMakeTheScenarioCustom) {
    press('h');
    EXPECT_TRUE(g_session->presentation.readout_shown);
    press('h');
    EXPECT_FALSE(g_session->presentation.readout_shown);

    auto origin = [] {
        return std::tuple{g_session->origin.kind, g_session->origin.index,
                          g_session->origin.custom};
    };
    EXPECT_EQ(origin(), std::tuple(ExampleKind::elliptical, 2, false)) << "the start-up scenario";
    press('l');
    press('l');
    EXPECT_EQ(origin(), std::tuple(ExampleKind::linear, 1, false));
    press('x', GLUT_ACTIVE_ALT);  // |Ex| is 0 already: nothing changes
    press(' ');
    press('v');
    EXPECT_FALSE(g_session->origin.custom);
    press('i');
    EXPECT_EQ(origin(), std::tuple(ExampleKind::linear, 1, true));
    press('c');
    EXPECT_EQ(origin(), std::tuple(ExampleKind::circular, 0, false));
    EXPECT_STREQ(example(ExampleKind::linear, 3).description, "lossy medium 2");
}

// --- the command line -----------------------------------------------------------------------

struct OptionCase {
    std::vector<const char*> args;  // after the program's name
    std::string error;              // empty: understood
    bool windowed = false;
    int32_t width = 1280, height = 720;
    StereoView view = StereoView::sbs;
    std::vector<std::string> toolkit = {};  // after the program's name
    std::string display = "";               // the toolkit's -display, "" for its default
};

TEST(CommandLine, OursAreReadTheToolkitsPassOnUntouched) {
    const auto sbs = StereoView::sbs;
    // clang-format off
    const std::vector<OptionCase> cases = {
        {{}, "", false, 1280, 720, sbs, {}},
        {{"--window"}, "", true, 1280, 720, sbs, {}},
        {{"--window=800x600", "--view=anaglyph"}, "", true, 800, 600, StereoView::anaglyph, {}},
        {{"--view", "cross", "-display", ":3"}, "", false, 1280, 720, StereoView::cross,
         {"-display", ":3"}, ":3"},
        {{"-display", "--view=mono", "-geometry", "10x10", "-sync"}, "", false, 1280, 720, sbs,
         {"-display", "--view=mono", "-geometry", "10x10", "-sync"}, "--view=mono"},
        {{"--view=mono", "--", "--window"}, "", false, 1280, 720, StereoView::mono, {"--window"}},
        {{"--window=12x600"}, "invalid window size '12x600' (WIDTHxHEIGHT, 64 to 16384 each)"},
        {{"--window=800x"}, "invalid window size '800x' (WIDTHxHEIGHT, 64 to 16384 each)"},
        {{"--window=-800x600"}, "invalid window size '-800x600' (WIDTHxHEIGHT, 64 to 16384 each)"},
        {{"--view"}, "invalid view '' (sbs, mono, anaglyph or cross)"},
        {{"--fullscreen"}, "unknown option '--fullscreen'"},
        {{"--help=yes"}, "unknown option '--help=yes'"},
        {{"--frame=1"}, ""},
        {{"--record=a.gif", "--window=640x480"}, "", true, 640, 480},
        {{"--snapshot=a.png"}, "", true},
        {{"--snapshot=a.png", "--record=a.gif"}, "--snapshot and --record: one at a time"},
        {{"--record="}, "--record needs a file"},
        {{"--palette", "colorblind"},
         "--palette: invalid palette 'colorblind' (classic or colour-blind)"},
    };
    // clang-format on
    for (const OptionCase& c : cases) {
        std::vector<char*> argv{const_cast<char*>("planewave3d")};
        for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
        const Options o = parse_options(int(argv.size()), argv.data());
        std::string line;
        for (const char* a : c.args) line += std::string(a) + " ";
        SCOPED_TRACE(line);
        EXPECT_EQ(o.error, c.error);
        if (!c.error.empty()) continue;
        EXPECT_EQ(std::tuple(o.windowed, o.window_width, o.window_height, o.view),
                  std::tuple(c.windowed, c.width, c.height, c.view));
        ASSERT_FALSE(o.toolkit_args.empty());
        EXPECT_STREQ(o.toolkit_args[0], "planewave3d");
        EXPECT_EQ(std::vector<std::string>(o.toolkit_args.begin() + 1, o.toolkit_args.end()),
                  c.toolkit);
        EXPECT_EQ(o.display ? o.display : "", c.display);
    }
    EXPECT_EQ(
        usage_error_text("unknown option '--x'"),
        "planewave3d: unknown option '--x'\nTry 'planewave3d --help' for more information.\n");
}

// The options of one value, at and beyond every bound: the value taken, or the message; the
// page's URL parameter of the same name gives the same message, naming the parameter.
struct ScenarioOptionCase {
    const char* arg;
    std::string error;  // empty: understood
    double value = 0;   // the frequency (Hz), the angle (deg), or the medium's eps_r
};

TEST(CommandLine, OptionsAndUrlParametersAtTheirBounds) {
    const std::string known = " (known: " + material_names() + ")";
    const std::vector<ScenarioOptionCase> cases = {
        {"--view=stereo", "invalid view 'stereo' (sbs, mono, anaglyph or cross)"},
        {"--frame=0", "--frame: invalid time sample '0' (a whole number, 1 to 101)"},
        {"--frame=102", "--frame: invalid time sample '102' (a whole number, 1 to 101)"},
        {"--frame=1.5", "--frame: invalid time sample '1.5' (a whole number, 1 to 101)"},
        {"--curves=phase", "invalid curves 'phase' (power, amplitude or spectrum)"},
        {"--theme=dark", "--theme: invalid theme 'dark' (classic or projector)"},
        {"--frequency=1000", "", 1e3},
        {"--frequency=1e15", "", 1e15},
        {"--frequency=385MHz", "", 385e6},
        {"--frequency=1 GHz", "", 1e9},
        {"--frequency=100khz", "", 1e5},
        {"--frequency=999.9", "--frequency: frequency 999.9 Hz is out of range (1 kHz to 1 PHz)"},
        {"--frequency=1.0001PHz",
         "--frequency: frequency 1.0001 PHz is out of range (1 kHz to 1 PHz)"},
        {"--frequency=nan",
         "--frequency: invalid frequency 'nan' (hertz, or with a unit: 385MHz, 1GHz, 100kHz)"},
        {"--frequency=1 GHzz",
         "--frequency: invalid frequency '1 GHzz' (hertz, or with a unit: 385MHz, 1GHz, 100kHz)"},
        {"--angle=0", "", 0},
        {"--angle=89", "", 89},
        {"--angle=-0.001", "--angle: angle -0.001 is out of range (0 to 89 degrees)"},
        {"--angle=89.001", "--angle: angle 89.001 is out of range (0 to 89 degrees)"},
        {"--angle=1e400", "--angle: invalid angle '1e400' (degrees, 0 to 89)"},
        {"--medium2=1", "", 1},
        {"--medium2=1e5,1e5,1e8", "", 1e5},
        {"--medium2=teflon", "", 2.1},
        {"--medium2=0.999", "--medium2: eps_r 0.999 is out of range (1 to 100000)"},
        {"--medium2=2,100001", "--medium2: mu_r 100001 is out of range (1 to 100000)"},
        {"--medium2=2,1,-1e-9", "--medium2: sigma -1e-09 is out of range (0 to 1e+08 S/m)"},
        {"--medium2=2,1,1.1e8", "--medium2: sigma 1.1e+08 is out of range (0 to 1e+08 S/m)"},
        {"--medium2=2,1,0,4",
         "--medium2: invalid medium '2,1,0,4' (a material's name or EPS_R[,MU_R[,SIGMA]])"},
        {"--medium2=Glass", "--medium2: unknown material 'Glass'" + known},
        {"--medium2=.yml",
         "--medium2: invalid medium '.yml' (a material's name or EPS_R[,MU_R[,SIGMA]])"},
        {"--medium1=air", "", 1.0006},
        {"--medium1=2,1,0", "", 2},
        {"--medium1=2,1,1e-12", "--medium1: medium 1 must be lossless, but has sigma 1e-12 S/m"},
        {"--medium1=water", "--medium1: water: medium 1 must be lossless, but has sigma 0.001 S/m"},
        {"--lesson", "--lesson needs a file"},
    };
    for (const ScenarioOptionCase& c : cases) {
        SCOPED_TRACE(c.arg);
        char* argv[] = {const_cast<char*>("planewave3d"), const_cast<char*>(c.arg)};
        const Options o = parse_options(2, argv);
        EXPECT_EQ(std::pair(o.error, o.error_in_file), std::pair(c.error, false));
        const std::string arg = c.arg, name = arg.substr(2, arg.find('=') - 2);
        if (find_setting(name)->page) {
            Session page;
            const std::string e = c.error;
            EXPECT_EQ(
                apply_parameter(page, name, arg.substr(arg.find('=') + 1)),
                e.empty() || e.rfind("--", 0) == 0 ? e.substr(e.empty() ? 0 : 2) : name + ": " + e);
        }
        if (!c.error.empty()) continue;
        const ScenarioOverrides& v = o.overrides;
        const double got = v.frequency_hz  ? *v.frequency_hz
                           : v.theta_i_deg ? *v.theta_i_deg
                           : v.medium1     ? v.medium1->eps_r
                                           : v.medium2->eps_r;
        EXPECT_EQ(got, c.value);
    }
}

// A lesson in a file of the test's own.
std::string lesson_file(const std::string& name, const std::string& text) {
    const std::string path = name;  // in the test program's own folder
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The keys beyond the table that ALT turns back read " K / ALT + K", and each plain press acts.
TEST_F(Shell, TheKeysBeyondTheTableNameWhatTheyDo) {
    size_t with_alt = 0;
    for (const KeyRow& row : key_rows) {
        const std::string text = row.line;
        if (!row.beyond) continue;
        if (text.find("ALT") == std::string::npos) continue;
        ++with_alt;
        EXPECT_EQ(text.substr(2, 9), " / ALT + ") << text;
        EXPECT_EQ(text[11], text[1]) << text;
        fresh_session();
        const std::pair before(g_session->scenario.freq, g_session->label.medium1_material +
                                                             g_session->label.medium2_material);
        press(static_cast<unsigned char>(text[1]));
        EXPECT_NE(std::pair(g_session->scenario.freq,
                            g_session->label.medium1_material + g_session->label.medium2_material),
                  before)
            << text;
    }
    EXPECT_EQ(with_alt, 3u) << "1, 2 and f";
}

// The start as the options ask: their look over the lesson's, the lesson's over the classic one.
TEST_F(Shell, OptionsSetTheStartTheirLookOverTheLessons) {
    std::vector<const char*> args = {
        "planewave3d",  "--palette=colour-blind", "--theme",       "projector", "--frame=37",
        "--tangential", "--curves=amplitude",     "--record=a.gif"};
    std::vector<char*> argv;
    for (const char* a : args) argv.push_back(const_cast<char*>(a));
    g_session->presentation.palette = Palette::colour_blind;  // as a lesson's start sets it
    apply_options(*g_session, parse_options(1, argv.data()));
    const Presentation& p = g_session->presentation;
    EXPECT_EQ(std::tuple(p.view, p.windowed, p.readout_shown, p.curves, p.magnetic_shown,
                         p.poynting_shown, p.theme, p.palette),
              std::tuple(StereoView::sbs, false, false, CurvesMode::off, false, false,
                         Theme::classic, Palette::colour_blind))
        << "a plain start: the lesson's palette, the classic theme";
    EXPECT_EQ(std::pair(clock_running(g_session->animation.pause_counter),
                        g_session->animation.tangential_toggle),
              std::pair(true, 0));
    const Options o = parse_options(int(argv.size()), argv.data());
    ASSERT_EQ(o.error, "");
    EXPECT_EQ(o.record_path, "a.gif");
    apply_options(*g_session, o);
    EXPECT_EQ(p.curves, CurvesMode::amplitude_phase);
    EXPECT_EQ(std::tuple(p.theme, p.palette, g_session->animation.frame_index,
                         clock_running(g_session->animation.pause_counter),
                         g_session->animation.tangential_toggle),
              std::tuple(Theme::projector, Palette::colour_blind, 37, false, 1));
}

// Only plain decimal numbers: what strtod would take besides (hex, inf, nan, a leading space)
// is no number here.
TEST(CommandLine, NumbersAreDecimalsAndNothingElse) {
    for (const char* text : {"0x10", "inf", "nan", " 5", "5 ", "", "1e"})
        EXPECT_FALSE(parse_number(text)) << "'" << text << "'";
    EXPECT_EQ(parse_number("-2.5e3"), -2500.0);
}

TEST(Lessons, ReadWithEveryKeyAndTheStartUpValuesForTheRest) {
    const std::string path = lesson_file("good.toml", R"(title = "Glass"
[[scenario]]
name = "Brewster"
theta_i = 56              # an integer will do
ex_mag = 1.5
ey_mag = 0.25
phi_x = -360
phi_y = 360
frequency = "500 THz"
medium1 = "air"
medium2 = { eps_r = 2.25, mu_r = 1, sigma = 0.5 }
[[scenario]]
medium2 = "copper"
frequency = 2e9
)");
    const Parsed<Lesson> lesson = read_lesson(path, startup_named_scenario());
    ASSERT_TRUE(lesson.value) << lesson.error;
    EXPECT_EQ(lesson.value->title, "Glass");
    ASSERT_EQ(lesson.value->steps.size(), 2u);
    const LessonStep& a = lesson.value->steps[0];
    const WaveScenario expected_a{1.5, 0.25, -360, 360, 56,   1.0006,
                                  1,   2.25, 1,    0.5, 5e14, two_pi * 5e14};
    EXPECT_EQ(a.name, "Brewster");
    EXPECT_EQ(0, std::memcmp(&a.scenario.scenario, &expected_a, sizeof expected_a));
    EXPECT_EQ(std::pair(a.scenario.medium1_material, a.scenario.medium2_material),
              std::pair(1, -1));
    WaveScenario expected_b = startup_example.scenario;
    expected_b.eps_r2 = 1;
    expected_b.sigma2 = 5.8e7;
    expected_b.freq = 2e9;
    expected_b.omega = two_pi * 2e9;
    EXPECT_EQ(
        0, std::memcmp(&lesson.value->steps[1].scenario.scenario, &expected_b, sizeof expected_b));
    EXPECT_EQ(lesson.value->steps[1].scenario.medium2_material, 11);
}

TEST(Lessons, TheShippedLessonsReadAndTheExamplesFileHoldsTheExamplesExactly) {
    for (const char* name : {"reflection-at-glass", "conductors", "ground-and-walls"}) {
        const std::string path = PLANEWAVE_SOURCE_DIR "/examples/" + std::string(name) + ".toml";
        EXPECT_TRUE(read_lesson(path, startup_named_scenario()).value) << name;
    }
    const Parsed<Lesson> shipped = read_lesson(
        PLANEWAVE_SOURCE_DIR "/examples/built-in-examples.toml", startup_named_scenario());
    ASSERT_TRUE(shipped.value) << shipped.error;
    ASSERT_EQ(shipped.value->steps.size(), size_t(example_count));
    for (int32_t k = 0; k < example_count; ++k) {
        ScenarioOrigin origin{};
        const WaveScenario table = built_in_lesson_step(k, origin).scenario;
        const LessonStep& step = shipped.value->steps[size_t(k)];
        EXPECT_EQ(0, std::memcmp(&step.scenario.scenario, &table, sizeof table)) << k;
        EXPECT_EQ(step.name, origin_text(Session{}, origin));
    }
}

TEST(Lessons, MistakesGetOneLineWithTheFileLineAndColumn) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ": the file is empty: no [[scenario]] in it"},
        {"theme = \"dark\"\n[[scenario]]\n", ":1:9: theme must be \"classic\" or \"projector\""},
        {"view = \"mono\"\n[[scenario]]\n",
         ":1:1: unknown key 'view' (known: title, theme, palette, field_map, [[scenario]])"},
        {"palette = 1\n[[scenario]]\n", ":1:11: palette must be \"classic\" or \"colour-blind\""},
        {"field_map = \"ex\"\n[[scenario]]\n", ":1:13: field_map must be \"ey\", \"hy\" or \"e2\""},
        {"field-map = \"e2\"\n[[scenario]]\n",
         ":1:1: unknown key 'field-map' (known: title, theme, palette, field_map, [[scenario]])"},
        {"title = \"x\"\n", ": no [[scenario]] in the lesson"},
        {"scenario = []\n", ": no [[scenario]] in the lesson"},
        {"[[scenario]]\ntheta_i = 89.5\n", ":2:11: theta_i 89.5 is out of range (0 to 89 degrees)"},
        {"[[scenario]]\nex_mag = -0.1\n", ":2:10: ex_mag -0.1 is out of range (0 to 100)"},
        {"[[scenario]]\nphi_y = -361\n", ":2:9: phi_y -361 is out of range (-360 to 360 degrees)"},
        {"[[scenario]]\nphi_x = inf\n", ":2:9: phi_x must be a finite number"},
        {"[[scenario]]\nex_mag = \"1\"\n", ":2:10: ex_mag must be a number"},
        {"[[scenario]]\n\n[[scenario]]\nthetai = 5\n",
         ":4:1: unknown key 'thetai' in scenario 2 (known: name, theta_i, ex_mag, ey_mag, phi_x, "
         "phi_y, frequency, medium1, medium2)"},
        {"titel = 1\n[[scenario]]\n",
         ":1:1: unknown key 'titel' (known: title, theme, palette, field_map, [[scenario]])"},
        {"[[scenario]]\nfrequency = 999\n",
         ":2:13: frequency 999 Hz is out of range (1 kHz to 1 PHz)"},
        {"[[scenario]]\nmedium1 = \"seawater\"\n",
         ":2:11: medium1: medium 1 must be lossless, but has sigma 4.78829 S/m"},
        {"[[scenario]]\nmedium2 = { mu_r = 2 }\n", ":2:11: medium2 needs eps_r"},
        {"[[scenario]]\nmedium2 = { eps_r = 2, loss = 1 }\n",
         ":2:24: unknown key 'loss' in medium2 (known: eps_r, mu_r, sigma)"},
        {"[[scenario]]\nmedium2 = { eps_r = 1e6 }\n",
         ":2:11: medium2: eps_r 1e+06 is out of range (1 to 100000)"},
        {"[[scenario]]\nmedium2 = \"mercury\"\n",
         ":2:11: unknown material 'mercury' (known: " + material_names() + ")"},
        {"[[scenario]\n", ":1:12: Error while parsing table header: expected ']', saw '\\n'"},
        {"scenario = 1\n", ":1:12: scenario must be [[scenario]] tables"},
    };
    for (const auto& [text, message] : cases) {
        const std::string path = lesson_file("bad.toml", text);
        const Parsed<Lesson> lesson = read_lesson(path, startup_named_scenario());
        EXPECT_FALSE(lesson.value) << text;
        EXPECT_EQ(lesson.error, path + message) << text;
    }
    EXPECT_EQ(read_lesson("/nonexistent/x.toml", startup_named_scenario()).error,
              "/nonexistent/x.toml: cannot read the lesson: No such file or directory");
    // The text of the read that failed, not of an earlier call.
    std::filesystem::create_directory("folder.toml");
    errno = ENOSPC;
    EXPECT_EQ(read_lesson("folder.toml", startup_named_scenario()).error,
              "folder.toml: cannot read the lesson: Is a directory");
}

// Refractive index files: each kind read and interpolated linearly in wavelength, n + ik as
// n - j kappa; each mistake one line at its place; as medium 2 of an option and of a lesson.
TEST(MaterialFiles, EachKindItsValuesAndEachMistakeAtItsPlace) {
    const std::string nk =
        "DATA:\n  - type: tabulated nk\n    data: |\n        0.5 0.97 1.87\n"
        "        0.6 0.25 2.98\n        0.7 0.13 4.10\n";
    const std::string bk7 =
        "DATA:\n  - type: formula 2\n    wavelength_range: 0.3 2.5\n"
        "    coefficients: 0 1.03961212 0.00600069867 0.231792344 0.0200179144 "
        "1.01046945 103.560653\n  - type: tabulated k\n    data: 0.5 1e-8\n";
    const std::string amtir =
        "DATA:\n  - type: formula 1\n    wavelength_range: 3 14\n"
        "    coefficients: 0 5.8505 0.29192 1.4536 42.714\n";
    const std::string n_only =
        "DATA:\n  - type: tabulated n\n    data: |\n      0.4 1.5\n      0.8 1.4\n";
    const auto n_at = [](const std::string& text, double um) {
        const std::string path = lesson_file("m.yml", text);
        const Parsed<IndexData> d = read_material_file(path);
        EXPECT_TRUE(d.value) << d.error;
        const Material m = material_from_index("m", path, *d.value);
        const MaterialAt at = material_at(m, c0 / (um * 1e-6));
        const Complex eps(at.values.eps_r, -at.values.sigma / (two_pi * (c0 / (um * 1e-6)) * eps0));
        return std::tuple(principal_sqrt(eps), at.within, m.medium1);
    };
    const double l2 = 100, amtir_10 = std::sqrt(1 + 5.8505 * l2 / (l2 - 0.29192 * 0.29192) +
                                                1.4536 * l2 / (l2 - 42.714 * 42.714));
    for (const auto& [text, um, n, kappa, within, medium1] :
         {std::tuple{nk, 0.55, 0.61, 2.425, true, false},
          {nk, 0.7, 0.13, 4.10, true, false},
          {bk7, 0.5893, 1.51673, 1e-8, true, false},
          {amtir, 10.0, amtir_10, 0.0, true, true},
          {n_only, 0.6, 1.45, 0.0, true, true},
          {n_only, 0.3, 1.5, 0.0, false, true}}) {
        const auto [index, in_band, may_be_1] = n_at(text, um);
        EXPECT_NEAR(index.real(), n, 1e-5) << um;
        EXPECT_NEAR(-index.imag(), kappa, 1e-9 + 1e-9 * kappa) << um;
        EXPECT_EQ(std::pair(in_band, may_be_1), std::pair(within, medium1)) << um;
    }
    const std::pair<std::string, std::string> mistakes[] = {
        {"DATA: [\n", ":2:1: end of sequence flow not found"},
        {"REFERENCES: x\n", ":1:1: not a refractive index file: no DATA"},
        {"DATA:\n  - type: formula 5\n",
         ":2:11: unsupported data type 'formula 5' (tabulated nk, "
         "tabulated n, tabulated k, formula 1 or formula 2)"},
        {"DATA:\n  - type: formula 2\n    coefficients: 1 2\n",
         ":2:5: missing key 'wavelength_range'"},
        {"DATA:\n  - type: tabulated nk\n    data: |\n        0.5 x 1\n",
         ":4:13: data: 'x' is no number"},
        {"DATA:\n  - type: tabulated n\n    data: 0.5 1.5 2\n",
         ":3:11: data: a row must hold 2 numbers"},
        {"DATA:\n  - type: tabulated n\n    data: |\n      0.5 1\n      0.4 1\n",
         ":3:11: the wavelengths must rise, from above 0 um"},
        {"DATA:\n  - type: tabulated k\n    data: 0.5 0\n",
         ":2:3: no n in the file (tabulated nk, tabulated n, formula 1 or 2)"},
        {"DATA:\n  - type: formula 2\n    wavelength_range: 0.3 2\n    coefficients: 0 1 1\n",
         ":4:19: coefficients: no real n at 0.7078 um"},  // n^2 < 0 from 1/sqrt(2) um
    };
    for (const auto& [text, message] : mistakes) {
        EXPECT_EQ(read_material_file(lesson_file("bad.yml", text)).error, "bad.yml" + message)
            << text;
    }
    // As media: named by the file, medium 1 only when lossless, read beside a lesson.
    lesson_file("gold.yml", nk);
    const Parsed<Medium> gold = parse_medium("gold.yml", 2);
    ASSERT_TRUE(gold.value);
    EXPECT_STREQ(material_by_index(gold.value->material)->name, "gold");
    EXPECT_EQ(parse_medium("gold.yml", 1).error,
              "gold.yml: medium 1 must be lossless, but its k is above 0");
    EXPECT_EQ(parse_medium("gold.yml", 2).value->material, gold.value->material) << "read once";
    char* argv[] = {const_cast<char*>("planewave3d"), const_cast<char*>("--medium2=bad.yml")};
    const Options broken = parse_options(2, argv);  // the last mistake above: one line of its own
    EXPECT_EQ(std::pair(broken.error, broken.error_in_file),
              std::pair("bad.yml" + mistakes[8].second, true));
    NamedScenario saved = startup_named_scenario();
    saved.medium2_material = gold.value->material;
    ASSERT_EQ(append_to_lesson("with-file.toml", "gold", saved), "");
    std::ifstream written("with-file.toml");
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(written), {})
                  .find("medium2 = { file = \"" + std::filesystem::absolute("gold.yml").string() +
                        "\" }\n"),
              std::string::npos);
    std::filesystem::create_directories("beside");
    lesson_file("beside/glass.yml", bk7);
    const Parsed<Lesson> lesson = read_lesson(
        lesson_file(
            "beside/l.toml",
            "[[scenario]]\nmedium2 = { file = \"glass.yml\" }\nfrequency = \"508.7268 THz\"\n"),
        startup_named_scenario());
    ASSERT_TRUE(lesson.value) << lesson.error;
    EXPECT_NEAR(lesson.value->steps[0].scenario.scenario.eps_r2, 1.51673 * 1.51673, 1e-4);
    EXPECT_EQ(
        read_lesson(
            lesson_file("l.toml", "[[scenario]]\nmedium2 = { file = \"none.yml\", eps_r = 2 }\n"),
            startup_named_scenario())
            .error,
        "l.toml:2:11: medium2: a file alone, without eps_r, mu_r or sigma");
}

TEST(Lessons, SavedScenariosReadBackExactlyAndOnlyLessonsAreAppendedTo) {
    const std::string path = "saved.toml";
    std::remove(path.c_str());
    NamedScenario numbers{example(ExampleKind::elliptical, 1).scenario, -1, -1};
    numbers.scenario.phi_x = 0.1 + 0.2;                 // a number with all of its seventeen digits
    numbers.scenario.ex_mag = 5.05;                     // and one with three
    set_frequency(numbers.scenario, 1.234567e9 + 0.5);  // more digits than its unit's form
    NamedScenario named{{1, 0, 5, -90, 41.8103165, 1, 1, 1, 1, 0, 3.18e8, two_pi * 3.18e8}, 3, 6};
    set_named_media(named.scenario, 3, 6);  // glass and seawater, at 318 MHz
    ASSERT_EQ(append_to_lesson(path, "numbers \"quoted\"", numbers), "");
    ASSERT_EQ(append_to_lesson(path, "named", named), "");
    const Parsed<Lesson> back = read_lesson(path, startup_named_scenario());
    ASSERT_TRUE(back.value) << back.error;
    ASSERT_EQ(back.value->steps.size(), 2u);
    EXPECT_EQ(back.value->steps[0].name, "numbers \"quoted\"");
    EXPECT_EQ(back.value->title, "Saved scenarios");
    std::ifstream saved(path);
    const std::string text(std::istreambuf_iterator<char>(saved), {});
    EXPECT_NE(text.find("ex_mag = 5.05\n"), std::string::npos) << text;
    EXPECT_NE(text.find("frequency = 1234567000.5\n"), std::string::npos) << text;
    for (size_t k = 0; k < 2; ++k) {
        const NamedScenario& a = back.value->steps[k].scenario;
        const NamedScenario& b = k == 0 ? numbers : named;
        EXPECT_EQ(0, std::memcmp(&a.scenario, &b.scenario, sizeof b.scenario)) << k;
        EXPECT_EQ(std::pair(a.medium1_material, a.medium2_material),
                  std::pair(b.medium1_material, b.medium2_material));
    }
    const std::string not_a_lesson = lesson_file("notes.toml", "notes = 1\n");
    EXPECT_EQ(
        append_to_lesson(not_a_lesson, "x", named),
        "left alone, not a lesson: " + not_a_lesson +
            ":1:1: unknown key 'notes' (known: title, theme, palette, field_map, [[scenario]])");
    std::ifstream kept(not_a_lesson);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "notes = 1\n");
    EXPECT_EQ(append_to_lesson("/nonexistent/saved.toml", "x", named),
              "cannot write '/nonexistent/saved.toml': No such file or directory");

    // An empty file is an empty lesson, appended to, and keeps its permissions; what is no
    // file, or only a link to one, is left alone.
    std::ofstream("empty.toml").flush();
    std::filesystem::permissions("empty.toml", std::filesystem::perms(0600));
    ASSERT_EQ(append_to_lesson("empty.toml", "named", named), "");
    std::ifstream empty("empty.toml");
    EXPECT_EQ(
        std::string(std::istreambuf_iterator<char>(empty), {}),
        "title = \"Saved scenarios\"\n\n[[scenario]]\nname = \"named\"\ntheta_i = 41.8103165\n"
        "ex_mag = 1.0\ney_mag = 0.0\nphi_x = 5.0\nphi_y = -90.0\nfrequency = \"318 MHz\"\n"
        "medium1 = \"glass\"\nmedium2 = \"seawater\"\n");
    EXPECT_EQ(std::filesystem::status("empty.toml").permissions(), std::filesystem::perms(0600));
    std::filesystem::create_directory("folder-saved.toml");
    std::filesystem::create_symlink(path, "link.toml");
    EXPECT_EQ(append_to_lesson("folder-saved.toml", "x", named),
              "left alone, it is not a regular file");
    EXPECT_EQ(append_to_lesson("link.toml", "x", named), "left alone, it is not a regular file");
    EXPECT_TRUE(std::filesystem::is_symlink("link.toml"));
    EXPECT_EQ(read_lesson(path, startup_named_scenario()).value->steps.size(), 2u);
}

// --- pictures for slides ----------------------------------------------------------------------

TEST(Pictures, OnePeriodIsAHundredDistinctSamplesFromTheCurrentOne) {
    for (int32_t first : {1, 37, 100, 101}) {
        std::set<int32_t> seen;
        for (int32_t k = 0; k < recorded_frames; ++k) seen.insert(recorded_frame_index(first, k));
        EXPECT_EQ(seen.size(), 100u) << first;
        EXPECT_EQ(*seen.begin(), 1) << "sample 101 is sample 1";
        EXPECT_EQ(recorded_frame_index(first, 0), first == 101 ? 1 : first);
        EXPECT_EQ(next_frame_index(recorded_frame_index(first, 99), 100),
                  recorded_frame_index(first, 0))
            << "the loop closes";
    }
}

TEST(Pictures, NamesNeverOverwriteAndPalettesKeepTheBackground) {
    const std::string folder = "pictures";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const std::time_t now = 1796688000;  // any instant
    const std::string first = picture_file_name("png", now);
    EXPECT_EQ(first.rfind("planewave3d-", 0), 0u);
    std::ofstream(first) << "x";
    const std::string second = picture_file_name("png", now);
    EXPECT_EQ(second, first.substr(0, first.size() - 4) + "-2.png");
    std::ofstream(second) << "x";
    EXPECT_EQ(picture_file_name("png", now), first.substr(0, first.size() - 4) + "-3.png");
    // A dangling link takes its name too; a picture that may not replace finds it taken.
    std::filesystem::create_symlink("nowhere", first.substr(0, first.size() - 4) + "-3.png");
    EXPECT_EQ(picture_file_name("png", now), first.substr(0, first.size() - 4) + "-4.png");
    const RgbImage dot{1, 1, {9, 9, 9}};
    EXPECT_EQ(write_png(second, dot, false), "cannot write '" + second + "': File exists");
    GifRecording gif;
    ASSERT_TRUE(begin_gif(gif, first, 1, 1, false) && add_gif_frame(gif, dot, 10));
    EXPECT_EQ(finish_gif(gif), "cannot write '" + first + "': File exists");
    // A write that failed on the way without a cause left (a read of a stream open for writing
    // sets its error flag): the first failure said, nothing left.
    std::string error;
    ASSERT_TRUE(begin_file(gif.file, "broken.toml", error));
    std::fgetc(gif.file.stream);
    EXPECT_EQ(finish_file(gif.file), "cannot write 'broken.toml': a write to it failed");
    ASSERT_TRUE(begin_gif(gif, "broken.gif", 1, 1, false));
    std::fgetc(gif.file.stream);
    EXPECT_FALSE(add_gif_frame(gif, dot, 10));
    EXPECT_EQ(finish_gif(gif), "cannot write 'broken.gif': a frame");
    EXPECT_EQ(std::filesystem::file_size(first) + std::filesystem::file_size(second), 2u)
        << "both left as they were";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 3) << "no .part";
    ASSERT_EQ(write_png("dot.png", dot, false), "");
    std::ifstream png("dot.png", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(png), {}).substr(1, 3), "PNG");
    std::filesystem::current_path(before);

    // A background with a gradient of 512 colours over it, more than a palette holds, its own
    // colour among the gradient's neighbours (128, 128, 191) and (130, 128, 190).
    RgbImage image{64, 64, {}};
    for (size_t k = 0; k < 64 * 64; ++k) image.rgb.insert(image.rgb.end(), {129, 128, 190});
    for (size_t k = 0; k < 512; ++k) {
        image.rgb[3 * k] = static_cast<unsigned char>(k / 2);
        image.rgb[3 * k + 2] = static_cast<unsigned char>(255 - k / 4);
    }
    const IndexedImage q = quantised(image);
    EXPECT_LE(q.palette.size(), 3u * 256);
    const unsigned char* grey = &q.palette[3 * size_t(q.indices.back())];
    EXPECT_EQ(std::vector<int>(grey, grey + 3), (std::vector<int>{129, 128, 190}));
    // Each channel keeps its own values: the gradient's first pixel (0, 128, 255) stays near.
    const unsigned char* corner = &q.palette[3 * size_t(q.indices.front())];
    EXPECT_LE(std::abs(corner[0] - 0) + std::abs(corner[1] - 128) + std::abs(corner[2] - 255), 24);
    RgbImage few{2, 1, {1, 2, 3, 250, 251, 252}};
    EXPECT_EQ(quantised(few).palette, few.rgb) << "few colours are kept exactly";
}

// While r records, any input that changes what the pictures show cancels the recording and
// leaves no file; input that changes nothing lets it go on.
TEST_F(Shell, ARecordingHoldsOneScenario) {
    const char *scenario = "the scenario changed", *view = "the view moved",
               *shown = "what is shown changed";
    struct Input {
        unsigned char key;
        int modifiers, special, drag_button;  // a drag of (4, 6) pixels with that button
        const char* cancelled;                // why, or none when the recording goes on
    } const inputs[] = {
        // clang-format off
        {'i', 0, 0, 0, scenario}, {'x', GLUT_ACTIVE_ALT, 0, 0, scenario}, {'2', 0, 0, 0, scenario},
        {'f', 0, 0, 0, scenario}, {'c', 0, 0, 0, scenario}, {0, 0, GLUT_KEY_PAGE_DOWN, 0, scenario},
        {0, 0, GLUT_KEY_LEFT, 0, view}, {'o', 0, 0, 0, view}, {0, 0, 0, GLUT_LEFT_BUTTON + 1, view},
        {0, 0, 0, GLUT_RIGHT_BUTTON + 1, view}, {'h', 0, 0, 0, shown}, {'g', 0, 0, 0, shown},
        {'m', 0, 0, 0, shown}, {'p', 0, 0, 0, shown}, {'|', 0, 0, 0, shown}, {'z', 0, 0, 0, shown},
        {'k', 0, 0, 0, shown}, {'t', 0, 0, 0, shown},
        {' ', 0, 0, 0, "the animation was paused or continued"},
        {'v', 0, 0, 0, "the view changed"}, {'\t', 0, 0, 0, nullptr},
        {'q', 0, 0, 0, nullptr}, {0, 0, GLUT_KEY_F1, 0, nullptr},  // nothing changes
    };  // clang-format on
    std::filesystem::create_directory("recording");
    std::filesystem::current_path("recording");
    for (const Input& in : inputs) {
        fresh_session();
        g_session->screen = ScreenSetup{1920, 1200, 64, 32};
        ::testing::internal::CaptureStdout();
        press('r');
        ASSERT_EQ(g_session->activity, "recording 0/100");
        if (in.key != 0) press(in.key, in.modifiers);
        if (in.special != 0) on_special_key(in.special, 0, 0);
        if (in.drag_button != 0) on_mouse_button(in.drag_button - 1, GLUT_DOWN, 10, 10);
        if (in.drag_button != 0) on_mouse_motion(14, 16);
        const std::string console = ::testing::internal::GetCapturedStdout();
        const std::string said = in.cancelled ? std::string("recording cancelled (") +
                                                    in.cancelled + "), nothing saved\n"
                                              : "";
        EXPECT_EQ(console.substr(console.find('\n') + 1), said) << in.key << in.special;
        // The partial file goes with the recording.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), said.empty());
        cancel_recording("the test is done");
    }
    // The clock's tick cancels nothing when no one asked the program to end; a new height alone
    // does.
    fresh_session();
    g_session->screen = ScreenSetup{1920, 1200, 64, 32};
    ::testing::internal::CaptureStdout();
    press('r');
    on_timer(1);
    EXPECT_EQ(::testing::internal::GetCapturedStdout().find("cancelled"), std::string::npos);
    ::testing::internal::CaptureStdout();
    press('r');
    on_reshape(64, 32);  // the same size: nothing to say
    EXPECT_EQ(g_session->activity, "recording 0/100");
    on_reshape(64, 33);
    const std::string resized = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(resized.substr(resized.find('\n') + 1),
              "recording cancelled (the window's size changed), nothing saved\n");
    cancel_recording("the test is done");
    // Every recorded frame shows the same readout, without the recording's count: its panel
    // is painted for the first alone.
    fresh_session();
    g_session->screen = ScreenSetup{1920, 1200, 64, 32};
    g_session->presentation.readout_shown = true;
    gl_recorder::state().framebuffers_complete = true;
    ::testing::internal::CaptureStdout();
    press('r');
    const std::string started = ::testing::internal::GetCapturedStdout();
    record_next_frame();
    record_next_frame();
    EXPECT_EQ(g_session->activity, "recording 2/100");
    gl_recorder::clear();
    gl_recorder::state().framebuffers_complete = true;
    record_next_frame();
    EXPECT_EQ(gl_recorder::count("glRecti"), 0u) << "no panel painted";
    // A file that takes the recording's name meanwhile is someone's: kept, the recording unsaved.
    const std::string taken =
        started.substr(started.rfind(' ') + 1, started.find('\n') - started.rfind(' ') - 1);
    std::ofstream(taken) << "theirs";
    ::testing::internal::CaptureStderr();
    for (int k = 3; k < 100; ++k) record_next_frame();
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("recording not saved: "),
              std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(taken), 6u);
    std::filesystem::remove(taken);
    gl_recorder::state().framebuffers_complete = false;
    // A recorded frame leaves the clock as it was; a recording that cannot draw ends, leaving
    // nothing; a window resized to nothing keeps a pixel.
    fresh_session();
    g_session->screen = ScreenSetup{1920, 1200, 64, 32};
    g_session->animation.frame_index = 37;
    g_session->animation.pause_counter = 2;
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    press('r');
    record_next_frame();
    ::testing::internal::GetCapturedStdout();
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("recording stopped, nothing saved"),
              std::string::npos);
    EXPECT_EQ(std::pair(g_session->animation.frame_index, g_session->animation.pause_counter),
              std::pair(37, 2));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 0);
    on_reshape(0, -3);
    EXPECT_EQ(std::pair(g_session->screen.window_width, g_session->screen.window_height),
              std::pair(1, 1));
    // A temporary file left by another writer of the same name is stepped round, and kept.
    const std::string stale = ".stale.toml." + std::to_string(getpid()) + "-0.part";
    std::ofstream(stale) << "theirs";
    EXPECT_EQ(write_file("stale.toml", "ours"), "");
    EXPECT_EQ(std::filesystem::file_size(stale), 6u);
    std::filesystem::current_path("..");
}

// --- stepping media, frequency, frames and the lesson -----------------------------------------

// s, w and r write where the program runs and say so at once, to a reader of a pipe too; the
// recording is saved after its hundredth frame; the off-screen target is made again only for
// a new size.
TEST_F(Shell, KeysSaveWhereTheProgramRunsAndSaySoAtOnce) {
    std::filesystem::create_directory("keys");
    std::filesystem::current_path("keys");
    g_session->screen = ScreenSetup{1920, 1200, 72, 36};
    std::fflush(stdout);
    const int terminal = dup(STDOUT_FILENO), console = creat("../console.txt", 0600);
    dup2(console, STDOUT_FILENO);
    const auto said = [] {
        std::ifstream in("../console.txt");
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    ::testing::internal::CaptureStderr();
    press('s');
    const RgbImage none = draw_current_picture();
    EXPECT_EQ(std::tuple(none.width, none.height, none.rgb.size()), std::tuple(0, 0, 0u));
    gl_recorder::state().framebuffers_complete = true;
    press('w');
    const std::string saved = "scenario saved to " + absolute_path("planewave3d-saved.toml") + "\n";
    EXPECT_EQ(said(), saved);
    press('s');
    press('r');
    for (int k = 0; k < 99; ++k) record_next_frame();
    const std::string before_the_last = said();
    record_next_frame();
    const auto made = [] {
        std::vector<double> widths;
        for (const GlCall& c : gl_recorder::named("glRenderbufferStorage")) {
            widths.push_back(c.args[1]);
        }
        return widths;
    };
    EXPECT_EQ(made(), (std::vector<double>{72, 72})) << "one target for both sizes' pictures";
    gl_recorder::clear();
    gl_recorder::state().framebuffers_complete = true;
    g_session->screen = ScreenSetup{1920, 1200, 48, 24};
    press('s');
    dup2(terminal, STDOUT_FILENO);
    gl_recorder::state().framebuffers_complete = false;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "picture not saved: this OpenGL cannot draw off the screen (no framebuffer "
              "objects)\n");
    std::vector<std::string> png;
    std::string gif;
    for (const auto& f : std::filesystem::directory_iterator(".")) {
        const std::string name = absolute_path(f.path().filename().string());
        if (f.path().extension() == ".png") png.push_back(name);
        if (f.path().extension() == ".gif") gif = name;
    }
    ASSERT_EQ(png.size(), 2u);
    if (before_the_last.find(png[1]) != std::string::npos) std::swap(png[0], png[1]);
    const std::string lines =
        saved + "picture saved to " + png[0] + "\nrecording one period to " + gif + "\n";
    EXPECT_EQ(before_the_last, lines) << "99 frames";
    EXPECT_EQ(said(), lines + "recording saved to " + gif + "\npicture saved to " + png[1] + "\n");
    EXPECT_EQ(made(), (std::vector<double>{48, 48}));
    EXPECT_EQ(gl_recorder::count("glDelete"), 2u);
    std::filesystem::current_path("..");
}

TEST(Steps, FrequencyOnTheOneTwoFiveLadderAndMaterialsClampedAtTheEnds) {
    const std::vector<std::tuple<double, int, double>> frequencies = {
        {385e6, 1, 500e6}, {385e6, -1, 200e6}, {1e9, 1, 2e9},   {1e9, -1, 500e6}, {2e3, -1, 1e3},
        {1e3, -1, 1e3},    {1e15, 1, 1e15},    {5e14, 1, 1e15}, {999, 1, 1e3},    {1e15, -1, 5e14},
    };
    for (auto [hz, direction, next] : frequencies) {
        EXPECT_EQ(next_frequency(hz, direction), next) << hz << " " << direction;
    }
    const int32_t last = int32_t(materials().size()) - 1, glass = 3, silica = 4;
    const std::vector<std::tuple<int32_t, int, bool, int32_t>> steps = {
        {-1, 1, false, 0},         {-1, -1, false, last}, {-1, -1, true, silica}, {0, -1, true, 0},
        {silica, 1, true, silica}, {glass, 1, false, 4},  {last, 1, false, last}, {5, -1, false, 4},
        {glass, 1, true, silica},  {6, 1, true, 0},
    };
    for (auto [from, direction, lossless, to] : steps) {
        EXPECT_EQ(next_material(from, direction, lossless), to) << from << " " << direction;
    }
}

TEST_F(Shell, KeysStepTheMediaTheFrequencyAndTheFramesWhilePaused) {
    press('2', GLUT_ACTIVE_ALT);  // from the start-up numbers back to the table's last: iron
    EXPECT_EQ(g_session->label.medium2_material, int32_t(materials().size()) - 1);
    EXPECT_EQ(g_session->scenario.mu_r2, 4000);
    EXPECT_EQ(g_session->label.origin, "custom (from elliptical 2)");
    press('1');
    press('1');
    EXPECT_EQ(g_session->scenario.eps_r1, 1.0006) << "vacuum, then air";
    press('f', GLUT_ACTIVE_ALT);
    EXPECT_EQ(g_session->scenario.freq, 500e6);
    EXPECT_EQ(g_session->scenario.omega, two_pi * 500e6);
    EXPECT_NEAR(g_session->solution.time_step, 2e-9 / 100, 1e-24) << "solved again";

    g_session->animation.frame_index = 1;
    press('.');
    EXPECT_EQ(g_session->animation.frame_index, 1) << "running: the clock's to move";
    press(' ');
    press(',');
    EXPECT_EQ(g_session->animation.frame_index, 101);
    press('.');
    press('.');
    EXPECT_EQ(g_session->animation.frame_index, 2);
}

TEST_F(Shell, PageKeysStepThroughTheLessonClampedAtItsEnds) {
    std::vector<std::string> seen;
    for (int k = 0; k < 12; ++k) {
        on_special_key(GLUT_KEY_PAGE_DOWN, 0, 0);
        seen.push_back(g_session->label.origin.substr(0, g_session->label.origin.find(':')));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"linear 0", "linear 1", "linear 2", "linear 3",
                                              "circular 0", "circular 1", "circular 2",
                                              "circular 3", "elliptical 0", "elliptical 1",
                                              "elliptical 1", "elliptical 1"}));
    EXPECT_EQ(g_session->scenario.sigma2, 8) << "elliptical 1 itself";
    for (int k = 0; k < 12; ++k) on_special_key(GLUT_KEY_PAGE_UP, 0, 0);
    EXPECT_EQ(g_session->label.origin, "elliptical 2: the start-up scenario");

    const std::string path = lesson_file("steps.toml",
                                         "title = \"Two\"\n[[scenario]]\nname = \"one\"\n"
                                         "[[scenario]]\nmedium2 = \"glass\"\n");
    ScenarioOverrides at_2_ghz;
    at_2_ghz.frequency_hz = 2e9;
    ASSERT_EQ(load_start_scenario(*g_session, path, at_2_ghz), "");
    EXPECT_EQ(g_session->label.origin, "Two \u2014 1/2: one");
    on_special_key(GLUT_KEY_PAGE_DOWN, 0, 0);
    on_special_key(GLUT_KEY_PAGE_DOWN, 0, 0);
    EXPECT_EQ(g_session->label.origin, "Two \u2014 2/2");
    EXPECT_EQ(g_session->scenario.freq, 2e9) << "the option holds in every scenario";
    EXPECT_EQ(g_session->label.medium2_material, 3);
    press('i');
    EXPECT_EQ(g_session->label.origin, "custom (from Two \u2014 2/2)");
    press('l');
    EXPECT_EQ(g_session->label.origin, "linear 0: TM wave into a denser medium")
        << "l, c, e still work";
}

// --- mouse ----------------------------------------------------------------------------------

// A drag's rotation wraps once per event however far it goes; its zoom compounds, never turns
// negative, and keeps a value that would overflow to infinity and then to NaN.
TEST(MouseArithmetic, RotationWrapsOncePerEventZoomCompoundsAndNeverTurnsNegative) {
    const struct {
        bool zoom;
        float before;
        int delta_px;
        float after;
    } cases[] = {
        // clang-format off
        {false, 0, 100, 20}, {false, 100, 500, -160}, {false, 180, 0, 180}, {false, -180, 0, -180},
        {false, 180, 1, -179.8f}, {false, -180, -1, 179.8f}, {false, 0, -1000, 160},
        {false, 0, 2000, 40}, {false, 170, 3700, -170}, {false, 0, -2000, -40},
        {false, 0, 1000000, -160}, {true, 1, 30, 1.5f}, {true, 1, -30, 0.5f}, {true, 1, -90, 1},
        {true, 1, -60, 0}, {true, 0, 500, 0}, {true, 2, 60, 4}, {true, 3e38f, 60, 3e38f},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(c.zoom ? zoomed(c.before, c.delta_px) : rotated_angle(c.before, c.delta_px),
                        c.after)
            << c.before << " + " << c.delta_px << " px";
    }
}

TEST_F(Shell, DragsRotateOrZoomByTheLastLeftOrRightPress) {
    on_mouse_button(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 10, 10);  // no left or right press yet
    on_mouse_motion(60, 10);
    EXPECT_FLOAT_EQ(g_session->view.yaw, 10.0f);

    on_mouse_button(GLUT_RIGHT_BUTTON, GLUT_DOWN, 500, 100);
    on_mouse_motion(900, 130);  // zoom ignores x
    EXPECT_FLOAT_EQ(g_session->view.zoom, 1.5f);
    EXPECT_EQ(g_session->drag.last_x, 500);
    on_mouse_button(GLUT_RIGHT_BUTTON, GLUT_UP, 0, 0);
    EXPECT_EQ(g_session->drag.drag_mode, 1) << "a release changes nothing";

    on_mouse_button(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 0, 130);
    on_mouse_motion(0, 160);
    EXPECT_FLOAT_EQ(g_session->view.zoom, 2.25f) << "middle drag keeps zooming";

    on_mouse_button(GLUT_LEFT_BUTTON, GLUT_DOWN, 200, 160);
    on_mouse_motion(300, 160);
    EXPECT_FLOAT_EQ(g_session->view.yaw, 30.0f) << "from the left press, not from the zoom drag";
    EXPECT_EQ(gl_recorder::state().redisplay_requests, 4) << "one per motion event";
}

// --- clock ----------------------------------------------------------------------------------

TEST_F(Shell, ClockRunsThroughThePeriodAndRearmsEveryTick) {
    std::vector<int> frames;
    for (int k = 0; k < 102; ++k) {
        on_timer(1);
        frames.push_back(g_session->animation.frame_index);
    }
    EXPECT_EQ(std::tuple(frames[0], frames[99], frames[100], frames[101]),
              std::tuple(2, 101, 1, 2));
    const auto timers = gl_recorder::named("glutTimerFunc");
    ASSERT_EQ(timers.size(), 102u);
    EXPECT_EQ(timers[0].args, (std::vector<double>{100, 1}));
    EXPECT_EQ(gl_recorder::state().timer_callback, &on_timer);
    EXPECT_EQ(gl_recorder::state().redisplay_requests, 102);

    press(' ');
    on_timer(1);
    on_timer(1);
    EXPECT_EQ(g_session->animation.frame_index, 2) << "paused";
    EXPECT_EQ(gl_recorder::state().redisplay_requests, 104) << "redrawn while paused";

    // A timer that falls due after the window was closed: nothing left to draw or re-arm.
    gl_recorder::state().current_window = 0;
    on_timer(1);
    EXPECT_EQ(gl_recorder::state().redisplay_requests, 104);
    EXPECT_EQ(gl_recorder::named("glutTimerFunc").size(), 104u);
}

// --- start-up -------------------------------------------------------------------------------

// A display whose mode is what the last accepted apply made it.
struct FakeDisplay {
    DisplayMode current{1920, 1200, 59.88};
    bool accept = true;
    int32_t width_after = 1920;
    bool echo = false;  // tells every accepted mode on standard error, for death tests
    std::vector<DisplayMode> applied;
};
FakeDisplay fake;

bool fake_read(DisplayMode* mode) {
    *mode = fake.current;
    return true;
}
bool fake_apply(const DisplayMode& mode) {
    fake.applied.push_back(mode);
    if (!fake.accept) return false;
    fake.current = mode;
    if (fake.echo) std::fprintf(stderr, "display now %dx%d\n", mode.width, mode.height);
    return true;
}
int32_t fake_width() { return fake.width_after; }
const DisplayModeService fake_service{fake_read, fake_apply, fake_width};

// Feeds standard input from text for the wait of the failure path.
void feed_stdin(const char* text) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_GE(write(fds[1], text, std::strlen(text)), 0);
    close(fds[1]);
    dup2(fds[0], STDIN_FILENO);
    close(fds[0]);
    std::clearerr(stdin);
}

// The console text of a good start, as the end-to-end tests keep it (or another of their files).
std::string expected_console(const char* name = "expected_console.txt") {
    std::ifstream file(PLANEWAVE_SOURCE_DIR "/tests/e2e/" + std::string(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// --help holds the key table and the keys beyond it, as a window's console shows them; the
// whole of it, in English, is the text kept beside the end-to-end tests.
TEST(CommandLine, HelpHoldsTheKeysAsTheConsoleShowsThem) {
    const std::string console = expected_console();
    const std::string keys = console.substr(console.find("\nPlease use mouse")) +
                             expected_console("expected_more_keys.txt");
    EXPECT_NE(usage_text().find(keys), std::string::npos);
    EXPECT_EQ(usage_text(), expected_console("expected_help.txt"));
}

// --help and the manual page describe exactly the options of the table of settings.
TEST(CommandLine, HelpAndManualPageNameEverySettingAndNoOther) {
    std::ifstream file(PLANEWAVE_SOURCE_DIR "/packaging/planewave3d.1", std::ios::binary);
    std::string manual(std::istreambuf_iterator<char>(file), {});
    for (size_t at = manual.find("\\-"); at != std::string::npos; at = manual.find("\\-", at))
        manual.erase(at, 1);  // roff's escaped hyphens
    const std::string help = usage_text();
    std::set<std::string> named;
    for (const std::string& text : {help.substr(0, help.find("\nAny other")), manual}) {
        for (size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
            const size_t end =
                text.find_first_not_of("abcdefghijklmnopqrstuvwxyz-0123456789", at + 2);
            named.insert(text.substr(at + 2, end - at - 2));
        }
    }
    named.erase("");  // the toolkit's "--" and roff's own
    std::set<std::string> table;
    for (const Setting& s : settings) {
        table.insert(s.name);
        EXPECT_NE(help.find("--" + std::string(s.name)), std::string::npos) << s.name;
        EXPECT_NE(manual.find("--" + std::string(s.name)), std::string::npos) << s.name;
    }
    EXPECT_EQ(named, table);
}

class Startup : public Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        fake = FakeDisplay{};
        set_display_mode_service(&fake_service);
        g_session->screen = ScreenSetup{};
    }
    void TearDown() override {
        restore_display_mode();
        set_display_mode_service(nullptr);
    }
};

TEST(Startup16by9, HeightIsTheTruncatedFloatProduct) {
    const std::vector<std::pair<int32_t, int32_t>> cases = {{1920, 1080}, {1366, 768}, {1365, 767},
                                                            {3840, 2160}, {1280, 720}, {1024, 576}};
    for (auto [w, h] : cases) EXPECT_EQ(height_16_9(w), h) << w;
}

TEST_F(Startup, SwitchPrintsTheKeyTableAndSizesTheWindowFromTheFreshWidth) {
    fake.current = DisplayMode{1366, 1024, 75.0};
    fake.width_after = 1366;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(prepare_screen(), 0);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, expected_console());
    ASSERT_EQ(fake.applied.size(), 1u);
    const auto mode = [](const DisplayMode& m) {
        return std::tuple(m.width, m.height, m.refresh_hz);
    };
    EXPECT_EQ(mode(fake.applied[0]), std::tuple(1366, 768, 75.0))
        << "the rate passes back unchanged";
    const ScreenSetup& screen = g_session->screen;
    EXPECT_EQ(std::tuple(screen.saved_width, screen.saved_height, screen.window_width,
                         screen.window_height),
              std::tuple(1366, 1024, 1366, 683));
    fake.current.width = 1360;  // a driver's nearest mode: the saved width comes back all the same
    restore_display_mode();
    restore_display_mode();
    EXPECT_EQ(fake.applied.size(), 2u) << "restored once";
    EXPECT_EQ(mode(fake.current), std::tuple(1366, 1024, 75.0));
    // An ordinary window: the same console, the window's own size, the mode left alone.
    ::testing::internal::CaptureStdout();
    prepare_window(800, 450);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), out);
    EXPECT_EQ(std::pair(g_session->screen.window_width, g_session->screen.window_height),
              std::pair(800, 450));
    EXPECT_EQ(fake.applied.size(), 2u);
}

// Each display is asked for 16:9 at its width, 16:9 already or not; the window is sized from
// the width read after the switch, or from the asked one where none can be read. A refused switch
// prints its message, waits for a line or the input's end, and touches nothing more.
TEST_F(Startup, EachDisplayAskedFor16by9OrTheRefusalSaid) {
    const std::string refused = std::string(credit_line) + introduction_line + mode_failure_message;
    const struct {
        DisplayMode current;
        int32_t width_after;
        const char* input;  // what the console holds; none: the switch is accepted
        int32_t window_width, window_height;
    } cases[] = {{{1920, 1200, 60}, 0, nullptr, 1920, 960},
                 {{1920, 1080, 60}, 1920, nullptr, 1920, 960},
                 {{1920, 1200, 60}, 1920, "\nlater input\n", 0, 0},
                 {{1920, 1200, 60}, 1920, "", 0, 0}};
    for (const auto& c : cases) {
        fake = FakeDisplay{c.current, c.input == nullptr, c.width_after, false, {}};
        g_session->screen = ScreenSetup{};
        gl_recorder::clear();
        if (c.input != nullptr) feed_stdin(c.input);
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(prepare_screen(), c.input ? -1 : 0);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), c.input ? refused : expected_console());
        ASSERT_EQ(fake.applied.size(), 1u);
        EXPECT_EQ(fake.applied[0].height, 1080);
        EXPECT_EQ(std::pair(g_session->screen.window_width, g_session->screen.window_height),
                  std::pair(c.window_width, c.window_height));
        restore_display_mode();
        EXPECT_EQ(fake.applied.size(), c.input ? 1u : 2u) << "only a switched mode restored";
        EXPECT_TRUE(!c.input || gl_recorder::calls().empty()) << "no OpenGL or toolkit call";
    }
}

TEST_F(Startup, EscapeRestoresTheModeAndEndsWithStatusZero) {
    ::testing::internal::CaptureStdout();
    ASSERT_EQ(prepare_screen(), 0);
    ::testing::internal::GetCapturedStdout();
    fake.echo = true;
    EXPECT_EXIT(
        {
            on_keyboard(27, 0, 0);
            std::_Exit(3);
        },
        [](int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; },
        "^display now 1920x1200\n$");
}

// --- the guardian ---------------------------------------------------------------------------

int guardian_report = -1;  // where the guardian's restore reports, in the guardian's process
void report_restore() {
    const char line[] = "restored\n";
    (void)!write(guardian_report, line, sizeof line - 1);
}

// Everything written to fd until every writer has closed it: the guardian holds the last one.
std::string read_until_closed(int fd) {
    std::string text;
    char buffer[64];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 5000) <= 0) return text + "(still open after 5 s)";
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) return text;
        text.append(buffer, size_t(got));
    }
}

enum class Ending { dismissed, exit_without_restoring, killed, aborted };

TEST(ModeGuardian, RestoresOnceAndOnlyWhenTheProgramDidNot) {
    const std::vector<std::pair<Ending, std::string>> cases = {
        {Ending::dismissed, ""},
        {Ending::exit_without_restoring, "restored\n"},
        {Ending::killed, "restored\n"},
        {Ending::aborted, "restored\n"},
    };
    for (const auto& [ending, reported] : cases) {
        int report[2];
        ASSERT_EQ(pipe(report), 0);
        const pid_t program = fork();
        ASSERT_GE(program, 0);
        if (program == 0) {  // the program: starts a guardian, then ends as the case says
            close(report[0]);
            guardian_report = report[1];
            start_mode_guardian(report_restore);
            close(report[1]);
            switch (ending) {
                case Ending::dismissed: dismiss_mode_guardian(); _exit(0);
                case Ending::exit_without_restoring: _exit(0);
                case Ending::killed: raise(SIGKILL); break;
                case Ending::aborted: signal(SIGABRT, SIG_DFL); abort();
            }
            _exit(3);
        }
        close(report[1]);
        int status = 0;
        waitpid(program, &status, 0);
        EXPECT_EQ(read_until_closed(report[0]), reported) << int(ending);
        close(report[0]);
    }
}

}  // namespace

// --- randomised input -----------------------------------------------------------------------

void expect_within_bounds(long event) {
    const WaveScenario& sc = g_session->scenario;
    const bool scenario_ok = sc.ex_mag >= 0 && sc.ex_mag <= 100 && sc.ey_mag >= 0 &&
                             sc.ey_mag <= 100 && sc.phi_x >= -360 && sc.phi_x <= 360 &&
                             sc.phi_y >= -360 && sc.phi_y <= 360 && sc.theta_i >= 0 &&
                             sc.theta_i <= 89;
    const ViewState& v = g_session->view;
    const bool view_ok = v.yaw >= -180 && v.yaw <= 180 && v.pitch >= -180 && v.pitch <= 180 &&
                         v.zoom >= 0 && std::isfinite(v.zoom) && std::isfinite(v.pan_x) &&
                         std::isfinite(v.pan_y);
    const AnimationState& a = g_session->animation;
    const bool clock_ok = a.frame_index >= 1 && a.frame_index <= a.frames_per_period &&
                          (a.tangential_toggle == 0 || a.tangential_toggle == 1);
    ASSERT_TRUE(scenario_ok && view_ok && clock_ok) << "after event " << event;
}

// Every key (ALT or not), every special key, extreme drags and zooms, clock ticks; a frame is
// drawn after every event and must reach OpenGL finite and balanced.
TEST_F(Shell, RandomInputNeverBreaksThePicture) {
    g_session->screen = ScreenSetup{1920, 1200, 1920, 960};
    std::mt19937 random(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const int modifiers[] = {0, GLUT_ACTIVE_ALT, GLUT_ACTIVE_SHIFT, GLUT_ACTIVE_CTRL,
                             GLUT_ACTIVE_ALT | GLUT_ACTIVE_SHIFT};
    const int buttons[] = {GLUT_LEFT_BUTTON, GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON, 3, 4};
    gl_recorder::state().keep_calls = false;
    // The sanitizer build may run fewer (PLANEWAVE_FUZZ_EVENTS): every event draws a frame.
    const char* wanted = std::getenv("PLANEWAVE_FUZZ_EVENTS");
    const long events = wanted != nullptr ? std::atol(wanted) : 100000;
    for (long event = 0; event < events; ++event) {
        const int extreme = pick(0, 9) == 0 ? 1000000 : 2000;  // pixels
        switch (pick(0, 9)) {
            case 0:
            case 1:
            case 2: {
                unsigned char key = static_cast<unsigned char>(pick(0, 255));
                // ESC ends the process, w, s and r write files.
                if (key == 27 || key == 'w' || key == 's' || key == 'r') key = 'i';
                // Mostly the keys that act, so that the bounds are pushed against.
                if (pick(0, 1) == 0)
                    key = static_cast<unsigned char>("xybdilce |\\\t12fg.,"[pick(0, 17)]);
                press(key, modifiers[pick(0, 4)]);
                break;
            }
            case 3: on_special_key(pick(-5, 200), 0, 0); break;
            case 4:
                on_mouse_button(buttons[pick(0, 4)], pick(0, 1), pick(-extreme, extreme),
                                pick(-extreme, extreme));
                break;
            case 5:
            case 6:
            case 7: on_mouse_motion(pick(-extreme, extreme), pick(-extreme, extreme)); break;
            default: on_timer(1); break;
        }
        expect_within_bounds(event);
        on_display();
        const GlRecorderState& s = gl_recorder::state();
        ASSERT_FALSE(s.non_finite_argument) << "after event " << event;
        ASSERT_TRUE(s.modelview_depth == 0 && s.projection_depth == 0 && s.attrib_depth == 0 &&
                    s.lowest_depth >= 0 && s.begin_depth == 0)
            << "after event " << event;
        gl_recorder::clear();
    }
    gl_recorder::state().keep_calls = true;
}
