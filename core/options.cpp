#include "core/options.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/keys.h"
#include "core/material_file.h"
#include "core/scenario_fields.h"
#include "physics/materials.h"
#include "scene/field_map_panel.h"
#include "scene/readout_text.h"
#include "scene/translate.h"

namespace {

constexpr const char* program_name = "planewave3d";

// The toolkit's options that take a value: the value is the toolkit's too, whatever it reads.
bool toolkit_option_with_value(const char* arg) {
    return std::strcmp(arg, "-display") == 0 || std::strcmp(arg, "-geometry") == 0;
}

// A window size WIDTHxHEIGHT in pixels, each within 64 .. 16384.
bool parse_size(const std::string& text, int32_t& width, int32_t& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 == text.size()) return false;
    const std::string w = text.substr(0, x), h = text.substr(x + 1);
    if (w.find_first_not_of("0123456789") != std::string::npos ||
        h.find_first_not_of("0123456789") != std::string::npos || w.size() > 5 || h.size() > 5) {
        return false;
    }
    width = std::atoi(w.c_str());
    height = std::atoi(h.c_str());
    return width >= 64 && width <= 16384 && height >= 64 && height <= 16384;
}

bool parse_view(const std::string& text, StereoView& view) {
    for (StereoView v :
         {StereoView::sbs, StereoView::mono, StereoView::anaglyph, StereoView::cross}) {
        if (text == view_name(v)) {
            view = v;
            return true;
        }
    }
    return false;
}

}  // namespace

namespace {

// Each setting's parser: "" when the value is understood, else the one-line message.
using Parser = std::string (*)(Options&, const std::string& value);

std::string parse_view_setting(Options& o, const std::string& v, bool) {
    return parse_view(v, o.view)
               ? ""
               : fill(tr("invalid view '%s' (sbs, mono, anaglyph or cross)"), {v});
}
std::string parse_window(Options& o, const std::string& v, bool given) {
    o.windowed = true;
    if (!given) return "";
    return parse_size(v, o.window_width, o.window_height)
               ? ""
               : fill(tr("invalid window size '%s' (WIDTHxHEIGHT, 64 to 16384 each)"), {v});
}
std::string parse_medium_setting(Options& o, const std::string& v, int number) {
    const Parsed<Medium> m = parse_medium(v, number);
    (number == 1 ? o.overrides.medium1 : o.overrides.medium2) = m.value;
    if (m.value) return "";
    // A file's mistake names its place in the file, as a lesson's does.
    o.error_in_file = names_material_file(v) && m.error.rfind(v + ":", 0) == 0;
    return o.error_in_file ? m.error : "--medium" + std::to_string(number) + ": " + m.error;
}
std::string parse_medium1(Options& o, const std::string& v, bool) {
    return parse_medium_setting(o, v, 1);
}
std::string parse_medium2(Options& o, const std::string& v, bool) {
    return parse_medium_setting(o, v, 2);
}
std::string parse_frequency_setting(Options& o, const std::string& v, bool) {
    const Parsed<double> f = parse_frequency(v);
    o.overrides.frequency_hz = f.value;
    return f.value ? "" : "--frequency: " + f.error;
}
std::string parse_angle(Options& o, const std::string& v, bool) {
    const std::optional<double> angle = parse_number(v);
    const ScenarioField& f = theta_i_field;
    if (!angle) return fill(tr("--angle: invalid angle '%s' (degrees, 0 to 89)"), {v});
    o.overrides.theta_i_deg = angle;
    const std::string e = range_error("angle", *angle, f.lower, f.upper, f.unit);
    return e.empty() ? "" : "--angle: " + e;
}
std::string parse_lesson(Options& o, const std::string& v, bool) {
    o.lesson_path = v;
    return v.empty() ? tr("--lesson needs a file") : "";
}
std::string parse_snapshot(Options& o, const std::string& v, bool) {
    o.snapshot_path = v;
    return v.empty() ? tr("--snapshot needs a file") : "";
}
std::string parse_record(Options& o, const std::string& v, bool) {
    o.record_path = v;
    return v.empty() ? tr("--record needs a file") : "";
}
std::string parse_frame(Options& o, const std::string& v, bool) {
    const std::optional<double> n = parse_number(v);
    if (!n || *n != std::floor(*n) || *n < 1 || *n > default_frames_per_period) {
        return fill(tr("--frame: invalid time sample '%s' (a whole number, 1 to %s)"),
                    {v, std::to_string(default_frames_per_period)});
    }
    o.frame = static_cast<int32_t>(*n);
    return "";
}
std::string parse_curves(Options& o, const std::string& v, bool given) {
    if (!given || v == "power") {
        o.curves = CurvesMode::power;
    } else if (v == "amplitude") {
        o.curves = CurvesMode::amplitude_phase;
    } else if (v == "spectrum") {
        o.curves = CurvesMode::spectrum;
    } else {
        return fill(tr("invalid curves '%s' (power, amplitude or spectrum)"), {v});
    }
    return "";
}
std::string parse_field_map(Options& o, const std::string& v, bool) {
    o.field_map = parse_field_map_quantity(v);
    return o.field_map ? "" : fill(tr("--field-map: invalid quantity '%s' (ey, hy or e2)"), {v});
}
std::string parse_print_field_map(Options& o, const std::string& v, bool) {
    o.print_field_map = parse_field_map_quantity(v);
    return o.print_field_map
               ? ""
               : fill(tr("--print-field-map: invalid quantity '%s' (ey, hy or e2)"), {v});
}
std::string parse_theme_setting(Options& o, const std::string& v, bool) {
    o.theme = parse_theme(v);
    return o.theme ? "" : fill(tr("--theme: invalid theme '%s' (classic or projector)"), {v});
}
std::string parse_palette_setting(Options& o, const std::string& v, bool) {
    o.palette = parse_palette(v);
    return o.palette ? ""
                     : fill(tr("--palette: invalid palette '%s' (classic or colour-blind)"), {v});
}

// Flags: each sets one field of the options.
template <bool Options::*field>
std::string flag(Options& o, const std::string&, bool) {
    o.*field = true;
    return "";
}

// Each setting's effect on a session, after the start scenario is loaded (the media, the
// frequency and the angle change the scenario itself, through overridden).
void apply_view(Session& s, const Options& o) {
    s.presentation.view = o.view;
}
void apply_window(Session& s, const Options& o) {
    s.presentation.windowed = o.windowed;
}
template <bool Presentation::*shown, bool Options::*given>
void apply_shown(Session& s, const Options& o) {
    s.presentation.*shown = o.*given;
}
void apply_curves(Session& s, const Options& o) {
    s.presentation.curves = o.curves;
}
void apply_tangential(Session& s, const Options& o) {
    s.animation.tangential_toggle = o.tangential ? 1 : 0;
}
// The command line's look beats the lesson's, which the session holds already.
void apply_theme(Session& s, const Options& o) {
    if (o.theme) s.presentation.theme = *o.theme;
}
void apply_palette(Session& s, const Options& o) {
    if (o.palette) s.presentation.palette = *o.palette;
}
void apply_field_map(Session& s, const Options& o) {
    if (o.field_map) s.presentation.field_map = field_map_mode(*o.field_map);
}
void apply_frame(Session& s, const Options& o) {
    if (o.frame == 0) return;
    s.animation.frame_index = o.frame;  // paused at that instant
    s.animation.pause_counter = 2;
}

}  // namespace

const Setting settings[setting_count] = {
    {"help", SettingValue::none, flag<&Options::help>, nullptr, false},
    {"version", SettingValue::none, flag<&Options::version>, nullptr, false},
    {"materials", SettingValue::none, flag<&Options::list_materials>, nullptr, false},
    {"print-curves", SettingValue::none, flag<&Options::print_curves>, nullptr, false},
    {"print-spectrum", SettingValue::none, flag<&Options::print_spectrum>, nullptr, false},
    {"print-field-map", SettingValue::required, parse_print_field_map, nullptr, false},
    {"window", SettingValue::optional, parse_window, apply_window, false},
    {"view", SettingValue::required, parse_view_setting, apply_view, true},
    {"medium1", SettingValue::required, parse_medium1, nullptr, true},
    {"medium2", SettingValue::required, parse_medium2, nullptr, true},
    {"frequency", SettingValue::required, parse_frequency_setting, nullptr, true},
    {"angle", SettingValue::required, parse_angle, nullptr, true},
    {"lesson", SettingValue::required, parse_lesson, nullptr, false},
    {"readout", SettingValue::none, flag<&Options::readout>,
     apply_shown<&Presentation::readout_shown, &Options::readout>, true},
    {"magnetic", SettingValue::none, flag<&Options::magnetic>,
     apply_shown<&Presentation::magnetic_shown, &Options::magnetic>, true},
    {"poynting", SettingValue::none, flag<&Options::poynting>,
     apply_shown<&Presentation::poynting_shown, &Options::poynting>, true},
    {"tangential", SettingValue::none, flag<&Options::tangential>, apply_tangential, true},
    {"legend", SettingValue::none, flag<&Options::legend>,
     apply_shown<&Presentation::legend_shown, &Options::legend>, true},
    {"curves", SettingValue::optional, parse_curves, apply_curves, true},
    {"theme", SettingValue::required, parse_theme_setting, apply_theme, true,
     translatable("\"classic\" or \"projector\"")},
    {"palette", SettingValue::required, parse_palette_setting, apply_palette, true,
     translatable("\"classic\" or \"colour-blind\"")},
    {"field-map", SettingValue::required, parse_field_map, apply_field_map, true,
     translatable("\"ey\", \"hy\" or \"e2\"")},
    {"frame", SettingValue::required, parse_frame, apply_frame, true},
    {"snapshot", SettingValue::required, parse_snapshot, nullptr, false},
    {"record", SettingValue::required, parse_record, nullptr, false},
};

std::string lesson_key(const Setting& setting) {
    std::string key = setting.name;
    std::replace(key.begin(), key.end(), '-', '_');
    return key;
}

const Setting* find_setting(const std::string& name) {
    for (const Setting& s : settings) {
        if (name == s.name) return &s;
    }
    return nullptr;
}

Options parse_options(int argc, char** argv) {
    Options o;
    if (argc > 0) o.toolkit_args.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {  // the rest is the toolkit's
            for (++i; i < argc; ++i) o.toolkit_args.push_back(argv[i]);
            break;
        }
        if (arg.rfind("--", 0) != 0) {
            o.toolkit_args.push_back(argv[i]);
            if (toolkit_option_with_value(argv[i]) && i + 1 < argc) {
                if (arg == "-display") o.display = argv[i + 1];
                o.toolkit_args.push_back(argv[++i]);
            }
            continue;
        }
        const size_t equals = arg.find('=');
        const bool has_value = equals != std::string::npos;
        const Setting* setting = find_setting(arg.substr(2, equals - 2));
        if (setting == nullptr || (setting->value == SettingValue::none && has_value)) {
            o.error = fill(tr("unknown option '%s'"), {arg});
            break;
        }
        std::string value = has_value ? arg.substr(equals + 1) : "";
        // Options that need their value: --name=VALUE, or --name VALUE.
        if (setting->value == SettingValue::required && !has_value && i + 1 < argc) {
            value = argv[++i];
        }
        o.error = setting->parse(o, value, has_value);
        if (!o.error.empty()) break;
    }
    if (o.error.empty() && !o.snapshot_path.empty() && !o.record_path.empty()) {
        o.error = tr("--snapshot and --record: one at a time");
    }
    // A picture is drawn as an ordinary window of its size shows it.
    if (!o.snapshot_path.empty() || !o.record_path.empty()) o.windowed = true;
    return o;
}

void apply_options(Session& s, const Options& options) {
    for (const Setting& setting : settings) {
        if (setting.apply != nullptr) setting.apply(s, options);
    }
}

std::string apply_parameter(Session& s, const std::string& name, const std::string& value) {
    const Setting* setting = find_setting(name);
    if (setting == nullptr || !setting->page) return fill(tr("%s: unknown parameter"), {name});
    Options o;
    std::string error;
    if (setting->value == SettingValue::none) {
        if (!value.empty() && value != "1") return fill(tr("%s: takes no value, or 1"), {name});
        error = setting->parse(o, "", false);
    } else {
        // An empty value of an optional one is its default, as the option alone.
        error =
            setting->parse(o, value, setting->value == SettingValue::required || !value.empty());
    }
    if (!error.empty()) {
        // One line naming the parameter, as the option's message names the option.
        if (error.rfind("--" + name, 0) == 0) return error.substr(2);
        return name + ": " + error;
    }
    if (setting->apply != nullptr) setting->apply(s, o);
    const ScenarioOverrides& v = o.overrides;
    if (v.medium1 || v.medium2 || v.frequency_hz || v.theta_i_deg) {
        ScenarioOrigin origin = s.origin;
        origin.custom = true;
        load_scenario(s, overridden(current_named_scenario(s), v), origin);
        scenario_changed(s);
    }
    return "";
}

std::string version_text() {
    return std::string(program_name) + " " PLANEWAVE_VERSION "\n";
}

std::string usage_error_text(const std::string& error) {
    return std::string(program_name) + ": " + error + "\n" +
           fill(tr("Try '%s --help' for more information.\n"), {program_name});
}

std::string usage_text() {
    // A block of text each, for the catalogues: the introduction, each option, the rest.
    static const char* const options[] = {
        translatable(
            "  --window[=WIDTHxHEIGHT]  an ordinary, resizable window (1280x720 unless given);\n"
            "                           the display mode is left alone\n"),
        translatable(
            "  --view=VIEW              how the two eyes' pictures reach the viewer:\n"
            "                             sbs       side by side, each half squeezed, for a 3D\n"
            "                                       television (the default)\n"
            "                             mono      one picture from between the eyes\n"
            "                             anaglyph  left eye in red, right eye in green and blue,\n"
            "                                       for red/cyan glasses\n"
            "                             cross     side by side at the true shape, left and "
            "right\n"
            "                                       swapped, for free viewing with crossed eyes\n"),
        translatable(
            "  --medium1=M, --medium2=M  the media: a material's name (--materials lists them;\n"
            "                           each follows the frequency), numbers EPS_R[,MU_R[,SIGMA]]\n"
            "                           (mu_r 1 and sigma 0 S/m when left out), or FILE.yml, a\n"
            "                           material of the refractiveindex.info database; medium 1\n"
            "                           must be lossless\n"),
        translatable(
            "  --frequency=F            hertz, as a number (2.5e9) or with a unit (385MHz, 1GHz,\n"
            "                           100kHz); 1 kHz to 1 PHz\n"),
        translatable("  --angle=DEG              the incident angle theta_i, 0 to 89 degrees\n"),
        translatable("  --lesson=FILE            scenarios to step through with Page Down and Page "
                     "Up, from a\n"
                     "                           TOML file; the options above then change every "
                     "one of them\n"),
        translatable(
            "  --readout, --magnetic, --poynting, --tangential,\n"
            "  --curves[=power|amplitude|spectrum]\n"
            "                           show the readout (h), the magnetic field (m), the "
            "Poynting\n"
            "                           vectors (p), the tangential fields (|), the Fresnel "
            "curves\n"
            "                           (g; spectrum: against frequency) from the start\n"),
        translatable(
            "  --legend                 show the legend of the colours (k) from the start\n"),
        translatable("  --field-map=Q            show the total field in the plane of incidence "
                     "(t) from the\n"
                     "                           start: ey (E_y), hy (eta1 H_y) or e2 (the mean of "
                     "|E|^2)\n"),
        translatable(
            "  --theme=THEME            classic (the default) or projector: a light background,\n"
            "                           dark colours, wider lines and larger text for lit rooms\n"),
        translatable(
            "  --palette=PALETTE        classic (the default) or colour-blind: colours that stay\n"
            "                           apart for protanopia, deuteranopia and tritanopia\n"),
        translatable("  --frame=N                start paused at the time sample N, 1 to 101\n"),
        translatable(
            "  --snapshot=FILE.png      draw one frame (N, or 1) into a PNG file and end\n"),
        translatable(
            "  --record=FILE.gif        draw one period, 100 frames, into an animated GIF and end\n"
            "                           (both without a window on the screen, at the size of\n"
            "                           --window=WIDTHxHEIGHT, 1280x720 unless given; they need "
            "an\n"
            "                           X display all the same)\n"),
        translatable("  --materials              list the named materials and end\n"),
        translatable(
            "  --print-curves           print the Fresnel curves of the start scenario (after the\n"
            "                           options above) as CSV, 0 to 90 degrees every 0.1, and "
            "end\n"),
        translatable(
            "  --print-spectrum         print its curves against frequency at its angle as CSV,\n"
            "                           frequency_hz and the columns of --print-curves, 1 kHz to\n"
            "                           1 PHz at 40 points a decade, and end\n"),
        translatable(
            "  --print-field-map=Q      print the total field in the plane of incidence at the "
            "time\n"
            "                           sample of --frame (1 unless given) as CSV, x_m,z_m,value,\n"
            "                           and end: Q is ey (E_y), hy (eta1 H_y) or e2 (the period's\n"
            "                           mean of |E|^2)\n"),
        translatable("  --help                   show this help and end\n"),
        translatable("  --version                show the version and end\n"),
    };
    std::string text =
        tr("Usage: planewave3d [OPTION]... [TOOLKIT-OPTION]...\n"
           "Animated stereoscopic view of an electromagnetic plane wave reflected and transmitted\n"
           "at an interface.\n"
           "\n"
           "Without options the display is switched to the 16:9 mode of its width and the window\n"
           "\"3D TV\" shows the scene twice side by side, for a 3D television set to side-by-side\n"
           "input; the previous mode comes back when the program ends.\n"
           "\n"
           "Options:\n");
    for (const char* option : options) text += tr(option);
    text +=
        tr("\n"
           "Any other argument goes to the windowing toolkit, for example -display NAME.\n");
    text += key_table_text() + more_keys_text();
    text +=
        tr("\n"
           "Exit status:\n"
           "  0  ended by ESC or by closing the window, or after the 16:9 mode could not be set\n"
           "     (once Enter is pressed)\n"
           "  1  the windowing toolkit could not start, or a picture could not be written\n"
           "  2  the command line or the lesson was not understood\n"
           "  128+N  ended by signal N (SIGINT, SIGTERM, SIGHUP), the display mode restored\n");
    return text;
}

std::string materials_text() {
    std::string text = tr("name        band                  model\n");
    for (const Material& m : materials()) {
        const char* name = m.name;
        for (const std::string& band : material_band_lines(m)) {
            char line[200];
            std::snprintf(line, sizeof line, "%-11s %s\n", name, band.c_str());
            text += line;
            name = "";
        }
    }
    return text;
}
