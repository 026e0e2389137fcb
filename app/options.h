// The command line: our own long options, read before anything touches the display; every
// other argument (the toolkit's single-dash options such as -display NAME) goes to glutInit
// as it stands.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/scenario_input.h"
#include "app/shared_state.h"

struct Options {
    bool help = false;
    bool version = false;
    bool list_materials = false;  // --materials: print the table and end
    bool print_curves = false;    // --print-curves: the start scenario's curves as CSV, and end
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
    bool readout = false;                 // --readout (h)
    CurvesMode curves = CurvesMode::off;  // --curves[=power|amplitude] (g)
    bool magnetic = false;                // --magnetic (m)
    bool poynting = false;                // --poynting (p)
    bool tangential = false;              // --tangential (|)
    std::optional<Theme> theme;           // --theme: classic, projector
    std::optional<Palette> palette;       // --palette: classic, colour-blind
    std::string error;                    // one line when the command line is not understood
    std::vector<char*> toolkit_args;      // argv[0] and what is not ours, in order
    const char* display = nullptr;        // the toolkit's -display NAME; null: its default
};

Options parse_options(int argc, char** argv);

// The shell's records as the options ask for them from the start: the view, the overlays,
// the look (the command line's over the lesson's, the lesson's over the classic one), the
// tangential fields, and the clock standing at --frame.
void apply_options(const Options& options);

// The parts of --help, and the line of --version.
std::string usage_text();
std::string version_text();
// What a command-line mistake prints on standard error, before the program ends with status 2.
std::string usage_error_text(const std::string& error);

// The table of materials that --materials prints.
std::string materials_text();
