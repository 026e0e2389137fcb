// The page's shell, built natively: its URL parameters and their errors, its keys and what they
// ask of the page, the overlays it hands the page, lessons and the controls; and the meshes of
// its WebGL2 backend against the shapes GLU tessellates.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <tuple>

#include "core/lesson.h"
#include "scene/frame_description.h"
#include "tests/support/scratch_folder.h"
#include "web/meshes.h"
#include "web/shell.h"
#include "web/webgl_backend.h"

extern "C" {
const char* pw_reset();
void pw_draw();
const char* pw_parameter(const char* name, const char* value);
const char* pw_start();
const char* pw_command(const char* name);
const char* pw_page_key(const char* key, int alt);
const char* pw_parameters();
const char* pw_language(const char* locale);
const char* pw_fields();
const char* pw_record();
const char* pw_record_frame();
const char* pw_recording();
void pw_pinch(double factor);
const char* pw_lesson(const char* name, const char* text);
const char* pw_saved_lesson();
const char* pw_overlays();
const unsigned char* pw_field_map_pixels(int k);
double pw_field(const char* name, double value);
void pw_resize(int width, int height, int full);
}

// No WebGL2 here: the backend is compiled for the page, and stands aside in this test.
std::string start_webgl_backend(WebGlBackend&) { return ""; }
void draw_webgl_frame(WebGlBackend&, const FrameDescription&) {}
// A grey canvas, a shade lighter at each picture read.
RgbImage read_webgl_picture(int32_t width, int32_t height) {
    static unsigned char shade = 0;
    return RgbImage{width, height, std::vector<unsigned char>(size_t(width) * height * 3, ++shade)};
}

namespace {

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The page's own forms of the flags, and what each parameter does to the session (their
// messages are the options', tested with them).
TEST(Page, UrlParametersAsTheLongOptions) {
    struct Case {
        const char *name, *value, *error;
    } const cases[] = {
        // clang-format off
        {"readout", "yes", "readout: takes no value, or 1"},
        {"medium1", "seawater", "medium1: seawater: medium 1 must be lossless, but has sigma 4.78829 S/m"},
        {"view", "cross", ""}, {"angle", "56", ""}, {"medium2", "glass", ""}, {"frame", "30", ""},
        {"readout", "", ""}, {"magnetic", "1", ""}, {"tangential", "", ""}, {"curves", "", ""},
        {"palette", "colour-blind", ""},
        {"theme", "dark", "theme: invalid theme 'dark' (classic or projector)"},
        // clang-format on
    };
    pw_reset();
    for (const Case& c : cases) EXPECT_EQ(std::string(pw_parameter(c.name, c.value)), c.error);
    const Session& s = page_session();
    const Presentation& p = s.presentation;
    EXPECT_EQ(std::tuple(p.view, s.scenario.theta_i, s.label.medium2_material, s.label.origin),
              std::tuple(StereoView::cross, 56.0, 3, "custom (from elliptical 2)"));  // 3: glass
    EXPECT_EQ(std::tuple(s.animation.frame_index, clock_running(s.animation.pause_counter),
                         s.animation.tangential_toggle),
              std::tuple(30, false, 1))
        << "paused at the frame";
    EXPECT_EQ(std::tuple(p.readout_shown, p.magnetic_shown, p.curves, p.palette, p.theme),
              std::tuple(true, true, CurvesMode::power, Palette::colour_blind, Theme::classic))
        << "a bad value changes nothing";
    EXPECT_EQ(std::string(pw_start()), "This browser cannot draw with WebGL2.")
        << "no context, nothing started";
}

// The browser's names of keys, ALT included, give the key table's commands by name; a key the
// table does not bind is left to the browser.
TEST(Page, KeysAreTheKeyTablesAndAskThePageForPicturesAndLessons) {
    const std::pair<std::pair<const char*, int>, const char*> keys[] = {
        // clang-format off
        {{"s", 0}, "save_picture"}, {{"i", 1}, "angle_down"}, {{"i", 0}, "angle_up"},
        {{"l", 1}, "linear_example"}, {{"1", 1}, "medium1_previous"}, {{"Tab", 0}, "original_view"},
        {{"PageDown", 0}, "lesson_next"}, {{"ArrowLeft", 1}, "pan_left"}, {{"|", 0}, "tangential"},
        {{" ", 0}, "pause"}, {{"q", 0}, ""}, {{"Escape", 0}, ""}, {{"F1", 0}, ""}, {{"", 0}, ""},
        // clang-format on
    };
    for (const auto& [key, name] : keys) {
        EXPECT_EQ(std::string(pw_page_key(key.first, key.second)), name) << key.first;
    }
    pw_reset();
    const std::pair<const char*, const char*> actions[] = {
        {"save_picture", "save_picture"},
        {"record", "toggle_recording"},
        {"next_view", "view_changed"},
        {"angle_down", "none"},
        {"quit", "quit"},
        {"no_such_command", "none"},
    };
    for (const auto& [command, action] : actions) {
        EXPECT_EQ(std::string(pw_command(command)), action) << command;
    }
    EXPECT_EQ(page_session().presentation.view, StereoView::mono);
    EXPECT_EQ(page_session().scenario.theta_i, 19) << "ALT steps down";
    EXPECT_EQ(std::string(pw_saved_lesson()), "");
    EXPECT_EQ(std::string(pw_command("save_scenario")), "save_scenario");
    pw_command("linear_example");
    pw_command("save_scenario");
    const Parsed<Lesson> saved =
        read_lesson_text("saved.toml", pw_saved_lesson(), startup_named_scenario());
    ASSERT_TRUE(saved.value) << saved.error;
    ASSERT_EQ(saved.value->steps.size(), 2u);
    EXPECT_EQ(saved.value->steps[0].name, "custom (from elliptical 2)");
    EXPECT_EQ(saved.value->steps[0].scenario.scenario.theta_i, 19);
    EXPECT_EQ(saved.value->steps[1].name, "linear 0: TM wave into a denser medium");
    EXPECT_STREQ(pw_language("de-DE"), "de");
    EXPECT_STREQ(pw_language("it"), "en") << "no catalogue: English";
    EXPECT_EQ(std::string(pw_parameters()),
              "view\nmedium1\nmedium2\nfrequency\nangle\nreadout\nmagnetic\npoynting\n"
              "tangential\nlegend\ncurves\ntheme\npalette\nfield-map\nframe\n");
    EXPECT_EQ(std::string(pw_parameter("lesson", "x.toml")), "lesson: unknown parameter");
}

TEST(Page, OverlaysAsTextsAndASvgForEachPicture) {
    pw_reset();
    pw_resize(1280, 720, 0);
    pw_parameter("readout", "");
    pw_parameter("curves", "");
    pw_draw();
    std::string o = pw_overlays();

    EXPECT_EQ(o.rfind("{\"eyes\":[[0,0,640,720],[640,0,640,720]],", 0), 0u) << o;
    EXPECT_NE(o.find("\"lines\":[\"elliptical 2: the start-up scenario\",\"theta_i 20.0000 deg"),
              std::string::npos);
    // Four curves and their legends, the T curves dashed as the stipple 0x00FF (factor 2 for the
    // thick parallel one, 1 for the thin perpendicular one), the Brewster mark dotted as 0x3333.
    EXPECT_EQ(count(o, "<polyline"), count(o, "stroke="));
    const size_t size_at = o.find("font-size=\\\"") + 12;
    EXPECT_EQ(o.substr(size_at, o.find('\\', size_at) - size_at), "9.44384")
        << "capitals of 100 text units, 119 to the em";
    EXPECT_EQ(count(o, "stroke-dasharray=\\\"16 16 \\\""), 2u) << "T_par, legend and curve";
    EXPECT_EQ(count(o, "stroke-dasharray=\\\"8 8 \\\""), 2u) << "T_perp, legend and curve";
    EXPECT_EQ(count(o, "stroke-dasharray=\\\"2 2 2 2 2 2 2 2 \\\""), 1u) << "the Brewster mark";
    // The field map: its images for the page's canvases, rows top down, the colour bar's top
    // row its largest value's colour, orange on the dark panel; none beyond the two.
    EXPECT_EQ(pw_field_map_pixels(0), nullptr);
    pw_parameter("field-map", "ey");
    pw_draw();
    o = pw_overlays();
    EXPECT_NE(o.find("\"field_map\":{\"svg\":"), std::string::npos);
    const unsigned char* bar = pw_field_map_pixels(1);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(std::vector<int>(bar, bar + 4), (std::vector<int>{255, 158, 51, 255}));
    EXPECT_EQ(pw_field_map_pixels(2), nullptr);
    pw_parameter("field-map", "e2");
    EXPECT_NE(o.find("\"view\":\"sbs\",\"theme\":\"classic\",\"palette\":\"classic\""),
              std::string::npos);
    pw_resize(1280, 720, 1);
    pw_parameter("theme", "projector");
    pw_draw();
    o = pw_overlays();
    EXPECT_NE(o.find("\"background\":\"rgba(247,247,240,0.8)\",\"ink\":\"rgba(20,20,26,1)\""),
              std::string::npos)
        << "dark text on the light panel";
    // The anaglyph's two eyes share one picture: one readout, one curves panel.
    pw_parameter("view", "anaglyph");
    pw_draw();
    o = pw_overlays();
    EXPECT_EQ(o.rfind("{\"eyes\":[[0,0,1280,720]],", 0), 0u) << o;
}

TEST(Page, LessonsAndControls) {
    pw_reset();
    EXPECT_EQ(
        std::string(pw_lesson("x.toml", "titel = 1\n")),
        "x.toml:1:1: unknown key 'titel' (known: title, theme, palette, field_map, [[scenario]])");
    EXPECT_EQ(std::string(pw_lesson("empty.toml", "")),
              "empty.toml: the file is empty: no [[scenario]] in it");
    EXPECT_EQ(std::string(pw_lesson("two.toml",
                                    "title = \"Two\"\ntheme = \"projector\"\n"
                                    "[[scenario]]\nname = \"one\"\n[[scenario]]\n")),
              "");
    EXPECT_EQ(page_session().label.origin, "Two \u2014 1/2: one");
    EXPECT_EQ(page_session().presentation.theme, Theme::projector);
    EXPECT_EQ(std::string(pw_fields()),
              "theta_i 0 89 1\nex_mag 0 100 0.05\ney_mag 0 100 0.05\nphi_x -360 360 1\n"
              "phi_y -360 360 1\n");
    // Each control then shows what the field holds.
    for (const auto& [field, value, held] : {std::tuple("ex_mag", 200.0, 100.0),
                                             {"ey_mag", -5.0, 0.0},
                                             {"phi_x", 400.0, 360.0},
                                             {"phi_y", -360.0, -360.0},
                                             {"phi_y", NAN, -360.0},
                                             {"theta_i", 89.5, 89.0}}) {
        EXPECT_EQ(pw_field(field, value), held) << field;
    }
    EXPECT_TRUE(std::isnan(pw_field("theta", 5.0)));
    const WaveScenario& held = page_session().scenario;
    EXPECT_EQ(std::tuple(held.ex_mag, held.ey_mag, held.phi_x), std::tuple(100.0, 0.0, 360.0));
    EXPECT_EQ(page_session().label.origin, "custom (from Two \u2014 1/2: one)");
    pw_pinch(2);
    EXPECT_EQ(page_session().view.zoom, 2.0f);
    pw_pinch(-1);
    pw_pinch(INFINITY);
    EXPECT_EQ(page_session().view.zoom, 2.0f) << "never negative or infinite";
}

// r records one period at the canvas's size: 100 frames, then the GIF's bytes; a change of what
// it shows, or r again, cancels it and leaves no file.
TEST(Page, RRecordsOnePeriodAsAGifAndAChangeCancelsIt) {
    const auto files = [] {
        const std::filesystem::directory_iterator here(".");
        return std::distance(begin(here), end(here));
    };
    const auto before = files();
    pw_reset();
    pw_resize(64, 48, 0);
    EXPECT_EQ(std::string(pw_record_frame()), "") << "none under way";
    EXPECT_EQ(std::string(pw_command("record")), "toggle_recording");
    EXPECT_EQ(std::string(pw_record()), "");
    EXPECT_EQ(page_session().activity, "recording 0/100");
    for (int k = 1; k < 100; ++k) ASSERT_EQ(std::string(pw_record_frame()), "") << k;
    EXPECT_EQ(page_session().activity, "recording 99/100");
    EXPECT_EQ(page_session().animation.pause_counter, 1) << "the clock as it was";
    EXPECT_EQ(std::string(pw_record_frame()), "saved");
    EXPECT_EQ(page_session().activity, "");
    const std::string gif = pw_recording();
    EXPECT_EQ(gif.substr(0, 8), "R0lGODlh") << "GIF89a";
    EXPECT_EQ(gif.size() % 4, 0u);
    pw_record();  // a second recording replaces the first
    for (int k = 1; k < 100; ++k) pw_record_frame();
    EXPECT_EQ(std::string(pw_record_frame()), "saved");
    pw_record();
    pw_record_frame();
    pw_command("pan_left");
    EXPECT_EQ(std::string(pw_record_frame()),
              "recording cancelled (the view moved), nothing saved");
    EXPECT_EQ(page_session().activity, "");
    pw_record();
    EXPECT_EQ(std::string(pw_record()), "recording cancelled (r pressed again), nothing saved");
    EXPECT_EQ(files(), before) << "no file left";
}

// GLU's cylinder: a strip per stack, (slices + 1) pairs of rim points going round; each point
// on the cone's surface, its normal of unit length square to the side's slope.
TEST(Meshes, AsGluTessellatesThem) {
    const Mesh head = glu_cylinder(0.08, 0.0, 0.3, 20, 16);
    ASSERT_EQ(head.strip_starts.size(), 16u);
    EXPECT_EQ(head.strip_length, 42);
    ASSERT_EQ(head.positions.size(), 16u * 42 * 3);
    EXPECT_EQ(head.strip_starts[1], 42);
    const double slope = 0.08 / 0.3;
    for (size_t v = 0; v < head.positions.size() / 3; ++v) {
        const float* p = &head.positions[3 * v];
        const float* n = &head.normals[3 * v];
        EXPECT_NEAR(std::hypot(p[0], p[1]), 0.08 * (1 - p[2] / 0.3), 1e-6) << v;
        EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1, 1e-6) << v;
        EXPECT_NEAR(n[2], slope / std::sqrt(1 + slope * slope), 1e-6) << v;
        EXPECT_GE(n[0] * p[0] + n[1] * p[1], -1e-9) << "outwards";
    }
    // Round from +y (sine 0, cosine 1), the low ring before the high one.
    EXPECT_NEAR(head.positions[1], 0.08, 1e-7);
    EXPECT_NEAR(head.positions[4], 0.08 * 15 / 16, 1e-7);
    EXPECT_NEAR(head.positions[5], 0.3 / 16, 1e-7);
    EXPECT_NEAR(head.positions[8], 0.0, 1e-7);
    EXPECT_NEAR(head.positions[11], 0.3 / 16, 1e-7);
    const Mesh cone = solid_cone(0.04, 0.15, 20, 16);
    ASSERT_EQ(cone.strip_starts.size(), 17u) << "the base, then the sides";
    EXPECT_EQ(cone.strip_length, 42);
    EXPECT_EQ(cone.positions.size(), 17u * 42 * 3);
    EXPECT_EQ(cone.normals[2], -1.0f);
    const size_t last = cone.normals.size() - 3;
    EXPECT_GT(cone.normals[last + 1], 0.9f) << "the sides' last normal stays current";
}

}  // namespace
