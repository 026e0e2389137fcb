// The page's shell: the same records, commands, lessons and frame description as the desktop,
// driven from the page's script (web/page.html) through the functions below, and drawn by the
// WebGL2 backend. The readout and the curves go to the page as texts and an SVG.
#include "web/shell.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "core/commands.h"
#include "core/lesson.h"
#include "core/options.h"
#include "core/recording.h"
#include "core/scenario_fields.h"
#include "physics/derived_quantities.h"
#include "physics/fresnel_curves.h"
#include "physics/materials.h"
#include "platform/gif_file.h"
#include "scene/curves_plot.h"
#include "scene/frame_inputs.h"
#include "scene/readout_text.h"
#include "scene/translate.h"
#include "web/webgl_backend.h"

namespace {

Session session;  // the page's one session
WebGlBackend gpu;
std::string answer;  // what the last call returns to the page, kept alive for it
FrameDescription frame;
std::string saved_lesson;  // what w has saved, a lesson of its own

// One period being recorded (r), into a file of the page's memory.
struct PageRecording {
    GifRecording gif;
    int32_t first = 1;  // the time sample it started from
    int32_t taken = 0;  // frames encoded so far
    bool active = false;
    ShownState shown;  // what it shows; any change cancels it
};
PageRecording recording;
std::string recorded;  // the last finished recording's bytes
const char* const recording_path = "planewave3d-recording.gif";  // in the page's memory

// Ends the recording under way, leaving no file; the line for the page's console.
std::string stop_recording(const std::string& why) {
    abandon_gif(recording.gif);
    recording.active = false;
    session.activity.clear();
    return fill(tr("recording cancelled (%s), nothing saved"), {tr(why.c_str())});
}

std::string base64(const std::string& bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t k = 0; k < bytes.size(); k += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - k);
        uint32_t v = 0;
        for (size_t j = 0; j < 3; ++j)
            v = v << 8 | (j < n ? static_cast<unsigned char>(bytes[k + j]) : 0u);
        for (size_t j = 0; j < 4; ++j) out += j <= n ? digits[(v >> (18 - 6 * j)) & 63] : '=';
    }
    return out;
}

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

// What the page's live region speaks of: R and T of the wave as set (null without one) and
// the Brewster and critical angles (degrees, null where the media have none).
std::string spoken_numbers(const Session& s) {
    const PowerBalance p = power_balance(s.scenario, s.solution);
    const auto or_null = [](std::optional<double> v) {
        return v ? number(*v) : std::string("null");
    };
    return ",\"r\":" + or_null(p.r_wave) + ",\"t\":" + or_null(p.t_wave) +
           ",\"brewster\":" + or_null(brewster_angle_deg(s.scenario)) +
           ",\"critical\":" + or_null(critical_angle_deg(s.scenario));
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
std::string curves_svg(const CurvesOverlay& c, const char* label, bool ground = true) {
    const PanelPlace& p = c.place;
    const auto rgb = [](Rgb k) {
        return "rgb(" + std::to_string(int(std::lround(k.r * 255))) + "," +
               std::to_string(int(std::lround(k.g * 255))) + "," +
               std::to_string(int(std::lround(k.b * 255))) + ")";
    };
    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
        std::to_string(p.painted_width) + " " + std::to_string(p.height) +
        "\" preserveAspectRatio=\"none\" role=\"img\" aria-label=\"" + label + "\">" +
        (ground ? "<rect width=\"100%\" height=\"100%\" fill=\"" + rgb(c.background) + "\"/>"
                : std::string()) +
        "<g transform=\"translate(0 " + std::to_string(p.height) + ") scale(1 -1)\" fill=\"none\">";
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
    const double size = c.picture.glyph_scale * 119.0;  // capitals of 100 text units
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

Session& page_session() {
    return session;
}

extern "C" {

// Resets the session; "".
EMSCRIPTEN_KEEPALIVE const char* pw_reset() {
    session = Session{};
    session.presentation.windowed = true;
    return reply("");
}

// The URL parameters the page reads, one name a line.
EMSCRIPTEN_KEEPALIVE const char* pw_parameters() {
    std::string names;
    for (const Setting& s : settings) {
        if (s.page) names += std::string(s.name) + "\n";
    }
    return reply(names);
}

// One URL parameter, as its long option: "" or one line naming it and what is wrong.
EMSCRIPTEN_KEEPALIVE const char* pw_parameter(const char* name, const char* value) {
    return reply(apply_parameter(session, name, value));
}

// A WebGL2 context on the page's canvas #scene, without antialiasing, kept between frames so
// that a snapshot reads what is shown: "", or one line for the page when it cannot draw.
EMSCRIPTEN_KEEPALIVE const char* pw_start() {
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
        return reply(tr("This browser cannot draw with WebGL2."));
    }
    const std::string error = start_webgl_backend(gpu);
    return reply(error.empty() ? "" : fill(tr("This browser cannot draw the scene: %s."), {error}));
}

// The canvas's size in pixels; full screen takes the television's side-by-side shape.
EMSCRIPTEN_KEEPALIVE void pw_resize(int width, int height, int full) {
    session.screen.window_width = std::max(width, 1);
    session.screen.window_height = std::max(height, 1);
    session.presentation.windowed = full == 0;
}

// The 100 ms clock.
EMSCRIPTEN_KEEPALIVE void pw_tick() {
    tick(session);
}

EMSCRIPTEN_KEEPALIVE void pw_draw() {
    build_frame(frame_inputs(session), frame);
    draw_webgl_frame(gpu, frame);
}

// A command by its name ("readout"), from a key of the page (pw_page_key) or a control:
// what it asks of the page ("save_picture", "none").
EMSCRIPTEN_KEEPALIVE const char* pw_command(const char* name) {
    const KeyAction action = apply_command(session, command_named(name));
    if (action == KeyAction::save_scenario) {
        saved_lesson += (saved_lesson.empty() ? saved_lesson_heading : "\n") +
                        scenario_toml(session.label.origin, current_named_scenario(session));
    }
    return reply(key_action_name(action));
}

// The command of a key as the browser names it ("x", "ArrowUp", "PageDown"), with ALT held:
// its name, or "" for a key the key table does not bind (the page leaves it to the browser).
EMSCRIPTEN_KEEPALIVE const char* pw_page_key(const char* key, int alt) {
    const Command command = page_key_command(key, alt != 0);
    return reply(command == Command::none ? "" : command_name(command));
}

EMSCRIPTEN_KEEPALIVE void pw_press(int button, int x, int y) {
    apply_press(session, button, x, y);
}
EMSCRIPTEN_KEEPALIVE void pw_drag(int x, int y) {
    apply_drag(session, x, y);
}
EMSCRIPTEN_KEEPALIVE void pw_pinch(double factor) {
    apply_pinch(session, factor);
}

// r: starts recording one period, 100 frames from the current one at the canvas's size, or
// cancels the recording under way. "" or the line for the page's console.
EMSCRIPTEN_KEEPALIVE const char* pw_record() {
    if (recording.active) return reply(stop_recording("r pressed again"));
    recording = PageRecording{};
    if (!begin_gif(recording.gif, recording_path, session.screen.window_width,
                   session.screen.window_height, true)) {
        return reply(fill(tr("recording not started: %s"), {recording.gif.error}));
    }
    recording.first = session.animation.frame_index;
    recording.active = true;
    recording.shown = shown_state(session);
    session.activity = recording_activity(0);
    return reply("");
}

// From the page's clock, after its tick: the recording's next frame. "" while it goes on (or
// none does), "saved" after the last (pw_recording has it), else why it stopped.
EMSCRIPTEN_KEEPALIVE const char* pw_record_frame() {
    if (!recording.active) return reply("");
    if (const char* why = change_that_cancels(recording.shown, shown_state(session)))
        return reply(stop_recording(why));
    // The sample as a picture, without the readout's status: recorded frames are the same
    // whether the animation runs or stands.
    const AnimationState animation = session.animation;
    const std::string activity = session.activity;
    session.animation.frame_index = recorded_frame_index(recording.first, recording.taken);
    session.animation.pause_counter = 1;
    session.activity.clear();
    build_frame(frame_inputs(session), frame);
    draw_webgl_frame(gpu, frame);
    const RgbImage image =
        read_webgl_picture(session.screen.window_width, session.screen.window_height);
    session.animation = animation;
    session.activity = activity;
    if (image.width != recording.gif.width || image.height != recording.gif.height)
        return reply(stop_recording(translatable("the canvas's size changed")));
    if (!add_gif_frame(recording.gif, image, gif_delay_cs))
        return reply(stop_recording(recording.gif.error));
    ++recording.taken;
    session.activity = recording_activity(recording.taken);
    if (recording.taken < recorded_frames) return reply("");
    recording.active = false;
    session.activity.clear();
    const std::string error = finish_gif(recording.gif);
    if (!error.empty()) return reply(fill(tr("recording not saved: %s"), {error}));
    recorded.clear();
    const std::string unread = read_whole_file(recording_path, recorded);
    std::remove(recording_path);
    return reply(unread.empty() ? "saved" : fill(tr("recording not saved: %s"), {unread}));
}

// The last finished recording, as base64 for the page's download.
EMSCRIPTEN_KEEPALIVE const char* pw_recording() {
    return reply(base64(recorded));
}

// A lesson's text, read from the page's file field: "" or the one-line message.
EMSCRIPTEN_KEEPALIVE const char* pw_lesson(const char* name, const char* text) {
    const Parsed<Lesson> lesson = read_lesson_text(name, text, startup_named_scenario());
    if (!lesson.value) return reply(lesson.error);
    start_lesson(session, *lesson.value);
    return reply("");
}

EMSCRIPTEN_KEEPALIVE const char* pw_saved_lesson() {
    return reply(saved_lesson);
}

// Image k of the field map drawn last, as RGBA rows top down for a canvas's putImageData: the
// bytes' address, valid until the next call; 0 without it. Its place is in pw_overlays.
EMSCRIPTEN_KEEPALIVE const unsigned char* pw_field_map_pixels(int k) {
    static std::vector<unsigned char> rgba;
    if (!frame.field_map || k < 0 || size_t(k) >= frame.field_map->picture.images.size())
        return nullptr;
    const PlotImage& im = frame.field_map->picture.images[size_t(k)];
    rgba.assign(size_t(im.width) * size_t(im.height) * 4, 255);
    for (int32_t y = 0; y < im.height; ++y) {
        for (int32_t x = 0; x < im.width; ++x) {
            const unsigned char* from = &im.rgb[(size_t(y) * size_t(im.width) + size_t(x)) * 3];
            unsigned char* to =
                &rgba[(size_t(im.height - 1 - y) * size_t(im.width) + size_t(x)) * 4];
            std::copy_n(from, 3, to);
        }
    }
    return rgba.data();
}

// What the page shows beside the canvas drawn last (pw_draw), as JSON: each picture's place,
// the readout's lines and panel, the curves' SVG and panel, and the scenario for the controls.
// The frame is not described again for it.
EMSCRIPTEN_KEEPALIVE const char* pw_overlays() {
    // One place per picture: the anaglyph's two eyes share one, and so does its panel.
    std::string j = "{\"eyes\":[";
    for (size_t k = 0; k < frame.eyes.size(); ++k) {
        const EyePass& p = frame.eyes[k].pass;
        const EyePass& first = frame.eyes.front().pass;
        if (k > 0 && p.x == first.x && p.y == first.y && p.width == first.width) continue;
        j += std::string(k ? "," : "") + "[" + std::to_string(p.x) + "," + std::to_string(p.y) +
             "," + std::to_string(frame.eyes[k].picture_width) + "," + std::to_string(p.height) +
             "]";
    }
    j += "]";
    for (const auto& [name, text] :
         {std::pair{"readout", &frame.readout}, std::pair{"caption", &frame.caption}}) {
        if (!*text) continue;
        const ReadoutOverlay& r = **text;
        j += std::string(",\"") + name + "\":{\"lines\":[";
        for (size_t k = 0; k < r.lines.size(); ++k) j += (k ? "," : "") + json_string(r.lines[k]);
        j += "],\"place\":[" + std::to_string(r.place.x) + "," + std::to_string(r.place.y) + "," +
             std::to_string(r.place.painted_width) + "," + std::to_string(r.place.shown_width) +
             "," + std::to_string(r.place.height) + "],\"line\":" + number(r.painted.line_height) +
             ",\"background\":" + json_string(css(r.background, r.alpha)) +
             ",\"ink\":" + json_string(css(r.ink, 1.0f)) + "}";
    }
    using Plot = std::tuple<const char*, const char*, const std::optional<CurvesOverlay>*>;
    for (const auto& [name, label, plot] :
         {Plot{"curves", translatable("Fresnel curves"), &frame.curves},
          Plot{"legend", translatable("The colours and what they show"), &frame.legend},
          Plot{"field_map", translatable("The total field in the plane of incidence"),
               &frame.field_map}}) {
        if (!*plot) continue;
        const PanelPlace& p = (*plot)->place;
        // A plot's images are the page's canvas, under its lines and texts (pw_field_map_pixels).
        const std::vector<PlotImage>& images = (*plot)->picture.images;
        j += std::string(",\"") + name +
             "\":{\"svg\":" + json_string(curves_svg(**plot, tr(label), images.empty())) +
             ",\"place\":[" + std::to_string(p.x) + "," + std::to_string(p.y) + "," +
             std::to_string(p.painted_width) + "," + std::to_string(p.shown_width) + "," +
             std::to_string(p.height) +
             "],\"ground\":" + json_string(css((*plot)->background, 1.0f)) + ",\"images\":[";
        for (size_t k = 0; k < images.size(); ++k) {
            const PlotImage& im = images[k];
            j += std::string(k ? "," : "") + "[" + std::to_string(im.x) + "," +
                 std::to_string(p.height - im.y - im.height) + "," + std::to_string(im.width) +
                 "," + std::to_string(im.height) + "]";
        }
        j += "]}";
    }
    const WaveScenario& sc = session.scenario;
    j += ",\"scenario\":{\"medium1\":" +
         json_string(session.label.medium1_material >= 0
                         ? material_by_index(session.label.medium1_material)->name
                         : number(sc.eps_r1) + "," + number(sc.mu_r1)) +
         ",\"medium2\":" +
         json_string(session.label.medium2_material >= 0
                         ? material_by_index(session.label.medium2_material)->name
                         : number(sc.eps_r2) + "," + number(sc.mu_r2) + "," + number(sc.sigma2)) +
         ",\"angle\":" + number(sc.theta_i) +
         ",\"frequency\":" + json_string(frequency_text(sc.freq)) + ",\"ex\":" + number(sc.ex_mag) +
         ",\"ey\":" + number(sc.ey_mag) + ",\"phi_x\":" + number(sc.phi_x) +
         ",\"phi_y\":" + number(sc.phi_y) +
         ",\"view\":" + json_string(view_name(session.presentation.view)) +
         ",\"theme\":" + json_string(theme_name(session.presentation.theme)) +
         ",\"palette\":" + json_string(palette_name(session.presentation.palette)) +
         ",\"paused\":" + (clock_running(session.animation.pause_counter) ? "false" : "true") +
         ",\"origin\":" + json_string(session.label.origin) + spoken_numbers(session) +
         ",\"moved\":" +
         (std::memcmp(&session.view, &original_view, sizeof original_view) ? "true" : "false") +
         "}}";
    return reply(j);
}

// A text of the page in the language chosen: its own, or the readout's and panels'.
EMSCRIPTEN_KEEPALIVE const char* pw_translate(const char* english) {
    return tr(english);
}

// The language of the page's texts from now on: "de", "fr", "es", or English for any other.
EMSCRIPTEN_KEEPALIVE const char* pw_language(const char* locale) {
    set_language(locale);
    return reply(language());
}

// The named materials, for the controls' lists: name per line.
EMSCRIPTEN_KEEPALIVE const char* pw_materials() {
    std::string names;
    for (const Material& m : materials()) names += std::string(m.name) + "\n";
    return reply(names);
}

// The scenario's fields the controls change, one a line: name, lower and upper bound, step.
EMSCRIPTEN_KEEPALIVE const char* pw_fields() {
    std::string lines;
    for (const ScenarioField& f : scenario_fields) {
        lines += std::string(f.name) + " " + number(f.lower) + " " + number(f.upper) + " " +
                 number(f.key_step) + "\n";
    }
    return reply(lines);
}

// A field of the scenario from the controls ("phi_x", degrees), clamped to its bounds; a
// value that is no number leaves it as it is. What the field holds then, for the control to
// show (NaN for a name that is no field).
EMSCRIPTEN_KEEPALIVE double pw_field(const char* name, double value) {
    for (const ScenarioField& f : scenario_fields) {
        if (name != std::string(f.name)) continue;
        if (std::isfinite(value)) {
            session.scenario.*f.field = std::min(std::max(value, f.lower), f.upper);
            session.origin.custom = true;
            scenario_changed(session);
        }
        return session.scenario.*f.field;
    }
    return NAN;
}

}  // extern "C"
