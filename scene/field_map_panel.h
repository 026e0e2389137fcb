// The field map's panel (key t): the total field in the plane of incidence face on, z to the
// right with the interface upright in the middle and medium 1 on the left as the scene shows
// it, x up; ticks in medium-1 wavelengths, the media named at the top, the three waves'
// directions from the interface point, and a colour bar with its values.
#pragma once

#include <optional>
#include <string>

#include "scene/frame_inputs.h"

// The colour maps, from CIELAB so that equal steps of value look alike. Signed values (-1 .. 1)
// run from blue through the panel's neutral colour at 0 to orange, bright on a dark panel and
// dark on a light one; magnitudes (0 .. 1) from dark violet through blue, teal and green to
// yellow, in steadily rising lightness. Blue against orange stays apart for every kind of
// colour blindness.
Rgb diverging_colour(double value, Rgb neutral);
Rgb sequential_colour(double value);

// The quantity a mode shows, and the mode of a quantity.
std::optional<FieldMapQuantity> shown_quantity(FieldMapMode mode);
FieldMapMode field_map_mode(FieldMapQuantity q);

// "E_y", "eta1 H_y", "mean |E|^2": the quantity as the panel names it.
std::string field_map_title(FieldMapQuantity q);

// The panel in the picture like pass, at the picture's top, its right edge at right_edge
// (pixels from the picture's left, as shown), its text the readout's size; none without room
// for a map of six text lines, or without the map shown.
std::optional<CurvesOverlay> field_map_overlay(const FrameInputs& in, const EyePass& pass,
                                               double squeeze, double right_edge,
                                               const RoleColours& c);
