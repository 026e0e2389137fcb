// The page's shell: the same records, commands, lessons and frame description as the desktop,
// driven from the page's script (web/page.html) through the functions below, and drawn by the
// WebGL2 backend. The readout and the curves go to the page as texts and an SVG.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/lesson.h"
#include "app/options.h"
#include "app/shared_state.h"
#include "physics/fresnel_curves.h"
#include "physics/materials.h"
#include "scene/curves_plot.h"
#include "scene/frame_inputs.h"
#include "scene/readout_text.h"
#include "web/webgl_backend.h"

namespace {

std::string answer;  // what the last call returns to the page, kept alive for it
FrameDescription frame;
std::string saved_lesson;  // what w has saved, a lesson of its own
bool fullscreen = false;

const char* reply(std::string text) {
    answer = std::move(text);
    return answer.c_str();
}

std::string json_string(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) continue;
        out += c;
    }
    return out + "\"";
}

std::string number(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", v);
    return text;
}

// A colour for the page's style sheet: rgba(R, G, B, A), A to three figures.
std::string css(Rgb c, float alpha) {
    char a[16];
    std::snprintf(a, sizeof a, "%.3g", double(alpha));
    return "rgba(" + std::to_string(int(std::lround(c.r * 255))) + "," +
           std::to_string(int(std::lround(c.g * 255))) + "," +
           std::to_string(int(std::lround(c.b * 255))) + "," + a + ")";
}

// The curves' picture as SVG in the painted panel's pixels (y up, as it is drawn): the same
// polylines, widths, dashes and texts as the desktop's panel.
std::string curves_svg(const CurvesOverlay& c) {
    const PanelPlace& p = c.place;
    const auto rgb = [](Rgb k) {
        return "rgb(" + std::to_string(int(std::lround(k.r * 255))) + "," +
               std::to_string(int(std::lround(k.g * 255))) + "," +
               std::to_string(int(std::lround(k.b * 255))) + ")";
    };
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
                      std::to_string(p.painted_width) + " " + std::to_string(p.height) +
                      "\" preserveAspectRatio=\"none\" role=\"img\" aria-label=\"Fresnel curves\">"
                      "<rect width=\"100%\" height=\"100%\" fill=\"" +
                      rgb(c.background) + "\"/><g transform=\"translate(0 " +
                      std::to_string(p.height) + ") scale(1 -1)\" fill=\"none\">";
    for (const PlotLine& line : c.picture.lines) {
        if (line.xy.size() < 4) continue;
        std::string points;
        const auto add = [&](size_t k) {
            points += number(line.xy[k]) + "," + number(line.xy[k + 1]) + " ";
        };
        std::string dash;
        if (line.stipple != 0) {
            // The stipple's runs of bits, each factor pixels long.
            const double f = std::max(1.0, std::round(double(line.width) / 2));
            int run = 1;
            bool on = line.stipple & 1;
            for (int bit = 1; bit <= 16; ++bit) {
                const bool b = bit < 16 && ((line.stipple >> bit) & 1);
                if (bit < 16 && b == on) {
                    ++run;
                    continue;
                }
                dash += number(run * f) + " ";
                run = 1;
                on = b;
            }
            if (!(line.stipple & 1)) dash = "0 " + dash;
        }
        const std::string style = "\" stroke=\"" + rgb(line.colour) + "\" stroke-width=\"" +
                                  number(line.width) + "\"" +
                                  (dash.empty() ? "" : " stroke-dasharray=\"" + dash + "\"") + "/>";
        if (line.strip) {
            for (size_t k = 0; k + 1 < line.xy.size(); k += 2) add(k);
            svg += "<polyline points=\"" + points + style;
        } else {
            for (size_t k = 0; k + 3 < line.xy.size(); k += 4) {
                points.clear();
                add(k);
                add(k + 2);
                svg += "<polyline points=\"" + points + style;
            }
        }
    }
    svg += "</g>";
    const double size = c.picture.glyph_scale * 119.0;  // the stroke font's capitals are ~100
    for (const PlotText& t : c.picture.texts) {
        std::string text;
        for (char ch : t.text)
            text += ch == '<' ? "&lt;" : ch == '&' ? "&amp;" : std::string(1, ch);
        svg += "<text x=\"" + number(t.x) + "\" y=\"" + number(p.height - t.y) +
               "\" font-family=\"monospace\" font-size=\"" + number(size) + "\" fill=\"" +
               rgb(c.ink) + "\">" + text + "</text>";
    }
    return svg + "</svg>";
}

}  // namespace

extern "C" {

// Resets the records; "" or what is wrong with the WebGL2 context.
EMSCRIPTEN_KEEPALIVE const char* pw_reset() {
    reset_shared_state();
    g_presentation.windowed = true;
    return reply("");
}

// One URL parameter, as its long option: "" or one line naming it and what is wrong.
EMSCRIPTEN_KEEPALIVE const char* pw_parameter(const char* name, const char* value) {
    const std::string n = name, v = value;
    const bool flag = n == "readout" || n == "magnetic" || n == "poynting" || n == "tangential";
    std::string option = "--" + n;
    if (!(flag && (v.empty() || v == "1"))) option += "=" + v;
    if (flag && !(v.empty() || v == "1")) return reply(n + ": takes no value, or 1");
    if (n == "curves" && v.empty()) option = "--curves";
    std::vector<char*> argv = {const_cast<char*>("planewave3d"), option.data()};
    const Options o = parse_options(2, argv.data());
    if (!o.error.empty()) {
        std::string e = o.error;
        if (e.rfind("--" + n, 0) == 0) return reply(e.substr(2));
        return reply(n + ": " + e);
    }
    Presentation& p = g_presentation;
    if (n == "view") p.view = o.view;
    if (n == "theme") p.theme = *o.theme;
    if (n == "palette") p.palette = *o.palette;
    if (n == "readout") p.readout_shown = true;
    if (n == "curves") p.curves = o.curves;
    if (n == "magnetic") p.magnetic_shown = true;
    if (n == "poynting") p.poynting_shown = true;
    if (n == "tangential") g_animation.tangential_toggle = 1;
    if (n == "frame") {
        g_animation.frame_index = o.frame;
        g_animation.pause_counter = 2;  // paused there
    }
    if (o.overrides.medium1 || o.overrides.medium2 || o.overrides.frequency_hz ||
        o.overrides.theta_i_deg) {
        NamedScenario named = overridden(current_named_scenario(), o.overrides);
        ScenarioOrigin origin = g_origin;
        origin.custom = true;
        load_scenario(named, origin);
        scenario_changed();
    }
    return reply("");
}

// A WebGL2 context on the page's canvas #scene, without antialiasing, kept between frames so
// that a snapshot reads what is shown: false when WebGL2 cannot draw here.
EMSCRIPTEN_KEEPALIVE int pw_start() {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.antialias = false;
    attributes.alpha = false;
    attributes.depth = true;
    attributes.preserveDrawingBuffer = true;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context("#scene", &attributes);
    if (context <= 0 ||
        emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        return 0;
    }
    return start_webgl_backend() ? 1 : 0;
}

// The canvas's size in pixels; full screen takes the television's side-by-side shape.
EMSCRIPTEN_KEEPALIVE void pw_resize(int width, int height, int full) {
    g_screen.window_width = std::max(width, 1);
    g_screen.window_height = std::max(height, 1);
    fullscreen = full != 0;
    g_presentation.windowed = !fullscreen;
}

// The 100 ms clock.
EMSCRIPTEN_KEEPALIVE void pw_tick() {
    if (clock_running(g_animation.pause_counter)) {
        g_animation.frame_index =
            next_frame_index(g_animation.frame_index, g_animation.frames_per_period);
    }
}

EMSCRIPTEN_KEEPALIVE void pw_draw() {
    build_frame(frame_inputs(), frame);
    draw_webgl_frame(frame);
}

// A key of the key table; what it asks of the page (KeyAction).
EMSCRIPTEN_KEEPALIVE int pw_key(int key, int alt) {
    const KeyAction action = apply_key(static_cast<unsigned char>(key), alt != 0);
    if (action == KeyAction::save_scenario) {
        saved_lesson += (saved_lesson.empty() ? "" : "\n") +
                        scenario_toml(g_label.origin, current_named_scenario());
    }
    return static_cast<int>(action);
}

EMSCRIPTEN_KEEPALIVE void pw_special(int key) {
    apply_special_key(static_cast<SpecialKey>(key));
}

EMSCRIPTEN_KEEPALIVE void pw_press(int button, int x, int y) {
    apply_press(button, x, y);
}
EMSCRIPTEN_KEEPALIVE void pw_drag(int x, int y) {
    apply_drag(x, y);
}
// A pinch: the zoom times factor, never negative or infinite.
EMSCRIPTEN_KEEPALIVE void pw_pinch(double factor) {
    const float next = static_cast<float>(g_view.zoom * factor);
    if (next > 0.0f && std::isfinite(next)) g_view.zoom = next;
}

// A lesson's text, read from the page's file field: "" or the one-line message.
EMSCRIPTEN_KEEPALIVE const char* pw_lesson(const char* name, const char* text) {
    const Parsed<Lesson> lesson = read_lesson_text(name, text, startup_named_scenario());
    if (!lesson.value) return reply(lesson.error);
    g_lesson = LessonState{*lesson.value, 0};
    if (lesson.value->theme) g_presentation.theme = *lesson.value->theme;
    if (lesson.value->palette) g_presentation.palette = *lesson.value->palette;
    ScenarioOrigin origin = startup_origin;
    origin.lesson_step = 0;
    load_scenario(g_lesson.lesson.steps.front().scenario, origin);
    scenario_changed();
    return reply("");
}

EMSCRIPTEN_KEEPALIVE const char* pw_saved_lesson() {
    return reply(saved_lesson);
}

// What the page shows beside the canvas drawn last (pw_draw), as JSON: each picture's place,
// the readout's lines and panel, the curves' SVG and panel, and the scenario for the controls.
// The frame is not described again for it.
EMSCRIPTEN_KEEPALIVE const char* pw_overlays() {
    std::string j = "{\"eyes\":[";
    for (size_t k = 0; k < frame.eyes.size(); ++k) {
        const EyePass& p = frame.eyes[k].pass;
        j += std::string(k ? "," : "") + "[" + std::to_string(p.x) + "," + std::to_string(p.y) +
             "," + std::to_string(p.width) + "," + std::to_string(p.height) + "]";
    }
    j += "],\"squeeze\":" + std::string(g_presentation.view == StereoView::sbs ? "0.5" : "1");
    if (frame.readout) {
        const ReadoutOverlay& r = *frame.readout;
        j += ",\"readout\":{\"lines\":[";
        for (size_t k = 0; k < r.lines.size(); ++k) j += (k ? "," : "") + json_string(r.lines[k]);
        j += "],\"place\":[" + std::to_string(r.place.x) + "," + std::to_string(r.place.y) + "," +
             std::to_string(r.place.painted_width) + "," + std::to_string(r.place.shown_width) +
             "," + std::to_string(r.place.height) + "],\"line\":" + number(r.painted.line_height) +
             ",\"background\":" + json_string(css(r.background, r.alpha)) +
             ",\"ink\":" + json_string(css(r.ink, 1.0f)) + "}";
    }
    if (frame.curves) {
        const PanelPlace& p = frame.curves->place;
        j += ",\"curves\":{\"svg\":" + json_string(curves_svg(*frame.curves)) + ",\"place\":[" +
             std::to_string(p.x) + "," + std::to_string(p.y) + "," +
             std::to_string(p.painted_width) + "," + std::to_string(p.shown_width) + "," +
             std::to_string(p.height) + "]}";
    }
    const WaveScenario& sc = g_scenario;
    j += ",\"scenario\":{\"medium1\":" +
         json_string(g_label.medium1_material >= 0
                         ? materials()[size_t(g_label.medium1_material)].name
                         : number(sc.eps_r1) + "," + number(sc.mu_r1)) +
         ",\"medium2\":" +
         json_string(g_label.medium2_material >= 0
                         ? materials()[size_t(g_label.medium2_material)].name
                         : number(sc.eps_r2) + "," + number(sc.mu_r2) + "," + number(sc.sigma2)) +
         ",\"angle\":" + number(sc.theta_i) +
         ",\"frequency\":" + json_string(frequency_text(sc.freq)) + ",\"ex\":" + number(sc.ex_mag) +
         ",\"ey\":" + number(sc.ey_mag) + ",\"phi_x\":" + number(sc.phi_x) +
         ",\"phi_y\":" + number(sc.phi_y) +
         ",\"view\":" + json_string(view_name(g_presentation.view)) +
         ",\"theme\":" + json_string(theme_name(g_presentation.theme)) +
         ",\"palette\":" + json_string(palette_name(g_presentation.palette)) +
         ",\"paused\":" + (clock_running(g_animation.pause_counter) ? "false" : "true") + "}}";
    return reply(j);
}

// The named materials, for the controls' lists: name per line.
EMSCRIPTEN_KEEPALIVE const char* pw_materials() {
    std::string names;
    for (const Material& m : materials()) names += std::string(m.name) + "\n";
    return reply(names);
}

// The polarisation from the controls: |Ex|, |Ey|, phi_x, phi_y (degrees), each clamped.
EMSCRIPTEN_KEEPALIVE void pw_polarisation(double ex, double ey, double phi_x, double phi_y) {
    WaveScenario& sc = g_scenario;
    const auto clamp = [](double v, double lo, double hi) {
        return std::isfinite(v) ? std::min(std::max(v, lo), hi) : lo;
    };
    sc.ex_mag = clamp(ex, 0, 100);
    sc.ey_mag = clamp(ey, 0, 100);
    sc.phi_x = clamp(phi_x, -360, 360);
    sc.phi_y = clamp(phi_y, -360, 360);
    g_origin.custom = true;
    scenario_changed();
}

}  // extern "C"
