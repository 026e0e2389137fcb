#include "app/options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/console_text.h"
#include "physics/materials.h"
#include "scene/readout_text.h"

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
        const std::string name = arg.substr(0, equals);
        const bool has_value = equals != std::string::npos;
        std::string value = has_value ? arg.substr(equals + 1) : "";
        // Options that need their value: --name=VALUE, or --name VALUE.
        const bool wants_value = name == "--view" || name == "--lesson" || name == "--medium1" ||
                                 name == "--medium2" || name == "--frequency" ||
                                 name == "--angle" || name == "--snapshot" || name == "--record" ||
                                 name == "--frame" || name == "--theme" || name == "--palette";
        if (wants_value && !has_value && i + 1 < argc) value = argv[++i];
        if (name == "--help" && !has_value) {
            o.help = true;
        } else if (name == "--materials" && !has_value) {
            o.list_materials = true;
        } else if (name == "--print-curves" && !has_value) {
            o.print_curves = true;
        } else if (name == "--snapshot" || name == "--record") {
            (name == "--snapshot" ? o.snapshot_path : o.record_path) = value;
            if (value.empty()) o.error = name + " needs a file";
        } else if (name == "--frame") {
            const std::optional<double> n = parse_number(value);
            if (!n || *n != std::floor(*n) || *n < 1 || *n > default_frames_per_period) {
                o.error = "--frame: invalid time sample '" + value + "' (a whole number, 1 to " +
                          std::to_string(default_frames_per_period) + ")";
            } else {
                o.frame = static_cast<int32_t>(*n);
            }
        } else if (name == "--readout" && !has_value) {
            o.readout = true;
        } else if (name == "--magnetic" && !has_value) {
            o.magnetic = true;
        } else if (name == "--poynting" && !has_value) {
            o.poynting = true;
        } else if (name == "--tangential" && !has_value) {
            o.tangential = true;
        } else if (name == "--curves") {
            if (!has_value || value == "power") {
                o.curves = CurvesMode::power;
            } else if (value == "amplitude") {
                o.curves = CurvesMode::amplitude_phase;
            } else {
                o.error = "invalid curves '" + value + "' (power or amplitude)";
            }
        } else if (name == "--lesson") {
            o.lesson_path = value;
            if (value.empty()) o.error = "--lesson needs a file";
        } else if (name == "--medium1" || name == "--medium2") {
            const int number = name == "--medium1" ? 1 : 2;
            const Parsed<Medium> m = parse_medium(value, number);
            if (!m.value) o.error = name + ": " + m.error;
            (number == 1 ? o.overrides.medium1 : o.overrides.medium2) = m.value;
        } else if (name == "--frequency") {
            const Parsed<double> f = parse_frequency(value);
            if (!f.value) o.error = "--frequency: " + f.error;
            o.overrides.frequency_hz = f.value;
        } else if (name == "--angle") {
            const std::optional<double> angle = parse_number(value);
            if (!angle) {
                o.error = "--angle: invalid angle '" + value + "' (degrees, 0 to 89)";
            } else {
                const std::string e = range_error("angle", *angle, 0.0, 89.0, " degrees");
                if (!e.empty()) o.error = "--angle: " + e;
                o.overrides.theta_i_deg = angle;
            }
        } else if (name == "--version" && !has_value) {
            o.version = true;
        } else if (name == "--window") {
            o.windowed = true;
            if (has_value && !parse_size(value, o.window_width, o.window_height)) {
                o.error = "invalid window size '" + value + "' (WIDTHxHEIGHT, 64 to 16384 each)";
            }
        } else if (name == "--theme") {
            const std::optional<Theme> t = parse_theme(value);
            if (!t) o.error = "--theme: invalid theme '" + value + "' (classic or projector)";
            o.theme = t;
        } else if (name == "--palette") {
            const std::optional<Palette> p = parse_palette(value);
            if (!p)
                o.error = "--palette: invalid palette '" + value + "' (classic or colour-blind)";
            o.palette = p;
        } else if (name == "--view") {
            if (!parse_view(value, o.view)) {
                o.error = "invalid view '" + value + "' (sbs, mono, anaglyph or cross)";
            }
        } else {
            o.error = "unknown option '" + arg + "'";
        }
        if (!o.error.empty()) break;
    }
    if (o.error.empty() && !o.snapshot_path.empty() && !o.record_path.empty()) {
        o.error = "--snapshot and --record: one at a time";
    }
    // A picture is drawn as an ordinary window of its size shows it.
    if (!o.snapshot_path.empty() || !o.record_path.empty()) o.windowed = true;
    return o;
}

void apply_options(const Options& options) {
    g_presentation = Presentation{options.view,   options.windowed, options.readout,
                                  options.curves, options.magnetic, options.poynting};
    g_presentation.theme = options.theme.value_or(g_lesson.lesson.theme.value_or(Theme::classic));
    g_presentation.palette =
        options.palette.value_or(g_lesson.lesson.palette.value_or(Palette::classic));
    g_animation.tangential_toggle = options.tangential ? 1 : 0;
    if (options.frame > 0) {  // paused at that instant
        g_animation.frame_index = options.frame;
        g_animation.pause_counter = 2;
    }
}

std::string version_text() {
    return std::string(program_name) + " " PLANEWAVE_VERSION "\n";
}

std::string usage_error_text(const std::string& error) {
    return std::string(program_name) + ": " + error + "\nTry '" + program_name +
           " --help' for more information.\n";
}

std::string usage_text() {
    std::string text =
        "Usage: planewave3d [OPTION]... [TOOLKIT-OPTION]...\n"
        "Animated stereoscopic view of an electromagnetic plane wave reflected and transmitted\n"
        "at an interface.\n"
        "\n"
        "Without options the display is switched to the 16:9 mode of its width and the window\n"
        "\"3D TV\" shows the scene twice side by side, for a 3D television set to side-by-side\n"
        "input; the previous mode comes back when the program ends.\n"
        "\n"
        "Options:\n"
        "  --window[=WIDTHxHEIGHT]  an ordinary, resizable window (1280x720 unless given);\n"
        "                           the display mode is left alone\n"
        "  --view=VIEW              how the two eyes' pictures reach the viewer:\n"
        "                             sbs       side by side, each half squeezed, for a 3D\n"
        "                                       television (the default)\n"
        "                             mono      one picture from between the eyes\n"
        "                             anaglyph  left eye in red, right eye in green and blue,\n"
        "                                       for red/cyan glasses\n"
        "                             cross     side by side at the true shape, left and right\n"
        "                                       swapped, for free viewing with crossed eyes\n"
        "  --medium1=M, --medium2=M  the media: a material's name (--materials lists them) or\n"
        "                           numbers EPS_R[,MU_R[,SIGMA]] (mu_r 1 and sigma 0 S/m when\n"
        "                           left out); medium 1 must be lossless\n"
        "  --frequency=F            hertz, as a number (2.5e9) or with a unit (385MHz, 1GHz,\n"
        "                           100kHz); 1 kHz to 1 PHz\n"
        "  --angle=DEG              the incident angle theta_i, 0 to 89 degrees\n"
        "  --lesson=FILE            scenarios to step through with Page Down and Page Up, from a\n"
        "                           TOML file; the options above then change every one of them\n"
        "  --readout, --magnetic, --poynting, --tangential, --curves[=power|amplitude]\n"
        "                           show the readout (h), the magnetic field (m), the Poynting\n"
        "                           vectors (p), the tangential fields (|), the Fresnel curves\n"
        "                           (g) from the start\n"
        "  --theme=THEME            classic (the default) or projector: a light background,\n"
        "                           dark colours, wider lines and larger text for lit rooms\n"
        "  --palette=PALETTE        classic (the default) or colour-blind: colours that stay\n"
        "                           apart for protanopia, deuteranopia and tritanopia\n"
        "  --frame=N                start paused at the time sample N, 1 to 101\n"
        "  --snapshot=FILE.png      draw one frame (N, or 1) into a PNG file and end\n"
        "  --record=FILE.gif        draw one period, 100 frames, into an animated GIF and end\n"
        "                           (both without a window on the screen, at the size of\n"
        "                           --window=WIDTHxHEIGHT, 1280x720 unless given; they need an\n"
        "                           X display all the same)\n"
        "  --materials              list the named materials and end\n"
        "  --print-curves           print the Fresnel curves of the start scenario (after the\n"
        "                           options above) as CSV, 0 to 90 degrees every 0.1, and end\n"
        "  --help                   show this help and end\n"
        "  --version                show the version and end\n"
        "\n"
        "Any other argument goes to the windowing toolkit, for example -display NAME.\n";
    for (const char* line : key_table) text += line;
    for (const char* line : more_keys) text += line;
    text +=
        "\n"
        "Exit status:\n"
        "  0  ended by ESC or by closing the window, or after the 16:9 mode could not be set\n"
        "     (once Enter is pressed)\n"
        "  1  the windowing toolkit could not start, or a picture could not be written\n"
        "  2  the command line or the lesson was not understood\n"
        "  128+N  ended by signal N (SIGINT, SIGTERM, SIGHUP), the display mode restored\n";
    return text;
}

std::string materials_text() {
    std::string text = "name        eps_r     mu_r      sigma (S/m)  band\n";
    for (const Material& m : materials()) {
        char line[160];
        std::snprintf(line, sizeof line, "%-11s %-9g %-9g %-12g %s to %s\n", m.name, m.eps_r,
                      m.mu_r, m.sigma, frequency_text(m.band_low_hz).c_str(),
                      frequency_text(m.band_high_hz).c_str());
        text += line;
    }
    return text;
}
