// The readout over the scene: what it says about the scenario and the interface, and where it
// goes in a picture. Pure functions; the drawing is in render/readout.h.
#pragma once

#include <string>
#include <vector>

#include "physics/interface_solver.h"

// The lines of the readout, top to bottom, in ASCII (the toolkit's stroke fonts have no Greek):
// the scenario's origin, the incident wave, the media, the transmitted wave, the special
// angles, the Fresnel coefficients, the power balance, and "paused" while paused.
std::vector<std::string> readout_lines(const std::string& origin, const WaveScenario& sc,
                                       const InterfaceSolution& s, bool paused);

// Where the readout goes in a picture of width x height pixels, whose text is squeezed
// horizontally by squeeze (0.5 side by side, for the television's stretch): a dark panel in
// the lower right corner, its text in lines of line_height pixels.
struct ReadoutLayout {
    double panel_x, panel_y, panel_width, panel_height;  // pixels from the lower left corner
    double text_x, first_baseline_y, line_height;        // pixels
    double glyph_scale_x, glyph_scale_y;                 // pixels per stroke-font unit
    double stroke_width;                                 // pixels
};
ReadoutLayout readout_layout(double width, double height, double squeeze,
                             const std::vector<std::string>& lines);
