// The command line: our own long options, read before anything touches the display; every
// other argument (the toolkit's single-dash options such as -display NAME) goes to glutInit
// as it stands.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/scenario_input.h"
#include "core/session.h"
#include "physics/field_map.h"

struct Options {
    bool help = false;
    bool version = false;
    bool list_materials = false;  // --materials: print the table and end
    bool error_in_file = false;   // the error is a file's, "FILE:LINE:COLUMN: ...": one line
    bool print_spectrum = false;  // --print-spectrum: the curves against frequency, and end
    bool print_curves = false;    // --print-curves: the start scenario's curves as CSV, and end
    std::optional<FieldMapQuantity> print_field_map;  // --print-field-map: the map as CSV, and end
    bool windowed = false;        // --window, or a picture: an ordinary window, mode untouched
    int32_t window_width = 1280;  // pixels, with --window
    int32_t window_height = 720;  // pixels, with --window
    StereoView view = StereoView::sbs;
    std::string lesson_path;      // --lesson=FILE
    ScenarioOverrides overrides;  // --medium1, --medium2, --frequency, --angle
    // Pictures without a window on the screen: one frame as a PNG, one period as a GIF.
    std::string snapshot_path;  // --snapshot=FILE.png
    std::string record_path;    // --record=FILE.gif
    int32_t frame = 0;          // --frame=N: the time sample, 1 .. 101; 0 when not given
    // What is shown over and beside the wave from the start, as its keys would.
    bool readout = false;                       // --readout (h)
    CurvesMode curves = CurvesMode::off;        // --curves[=power|amplitude] (g)
    bool magnetic = false;                      // --magnetic (m)
    bool poynting = false;                      // --poynting (p)
    bool tangential = false;                    // --tangential (|)
    bool legend = false;                        // --legend (k)
    std::optional<FieldMapQuantity> field_map;  // --field-map (t)
    std::optional<Theme> theme;                 // --theme: classic, projector
    std::optional<Palette> palette;             // --palette: classic, colour-blind
    std::string error;                          // one line when the command line is not understood
    std::vector<char*> toolkit_args;            // argv[0] and what is not ours, in order
    const char* display = nullptr;              // the toolkit's -display NAME; null: its default
};

// One setting of the table that the command line (--name) and the page's URL parameters
// (?name=) read, and that --help and the manual page describe.
enum class SettingValue { none, optional, required };
struct Setting {
    const char* name;
    SettingValue value;  // none: a flag; optional: --name or --name=VALUE; required: a value
    // Reads the value into the options (given: a value was written, even an empty one): "" or
    // the one-line message.
    std::string (*parse)(Options& options, const std::string& value, bool given);
    // Its effect on a session; null for those that choose what the run does, and for the
    // media, the frequency and the angle, which change the start scenario (overridden).
    void (*apply)(Session& session, const Options& options);
    bool page;  // a URL parameter of the page too
    // A lesson's top-level key too: what its value must be, as the lesson's message says it.
    const char* lesson_values = nullptr;
};
// Its name as a lesson's key: "field_map" for --field-map.
std::string lesson_key(const Setting& setting);
inline constexpr size_t setting_count = 25;
extern const Setting settings[setting_count];
const Setting* find_setting(const std::string& name);

Options parse_options(int argc, char** argv);

// The session as the options ask for it from the start, after its start scenario is loaded:
// the view, the overlays, the look (the command line's over the lesson's), the tangential
// fields, and the clock standing at --frame.
void apply_options(Session& session, const Options& options);

// One URL parameter of the page, applied to the session as its option would be (the media,
// the frequency and the angle change the current scenario): "" or one line naming it and
// what is wrong.
std::string apply_parameter(Session& session, const std::string& name, const std::string& value);

// The parts of --help, and the line of --version.
std::string usage_text();
std::string version_text();
// What a command-line mistake prints on standard error, before the program ends with status 2.
std::string usage_error_text(const std::string& error);

// The table of materials that --materials prints.
std::string materials_text();
