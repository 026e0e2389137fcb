// The panels beside the scene, the readout and the Fresnel curves, placed for a picture: in a
// column at its right, the readout at the bottom, the curves above it; the scene keeps the
// rest of the picture, so that no panel ever covers the wave.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scene/frame_inputs.h"

// Side by side the panels' text is squeezed to half width, which the television stretches
// back: 0.5, else 1.
double panel_squeeze(StereoView view);
// The width a panel painted painted_width pixels wide is shown at, squeezed.
int32_t shown_width(int32_t painted_width, double squeeze);

// The readout in the lower right corner of every picture like pass, its title cut where it is
// wider than 45 % of the picture and than the lines of numbers; a note (why a panel gave way)
// as its last line.
ReadoutOverlay readout_overlay(const FrameInputs& in, const EyePass& pass, double squeeze,
                               const RoleColours& c, const std::string& note = "");
// The caption at the top of the column while medium 2 is magnified: "medium 2 x 1000".
std::optional<ReadoutOverlay> caption_overlay(const FrameInputs& in, const EyePass& pass,
                                              double squeeze, const RoleColours& c);
// The legend (key k): the colours in use, each a swatch and its name, at the readout's text
// size, in the column above the panel below (the readout) and under top (pixels from the
// bottom); none without room for it.
std::optional<CurvesOverlay> legend_overlay(const FrameInputs& in, const EyePass& pass,
                                            double squeeze, const std::optional<PanelPlace>& below,
                                            std::optional<double> top, const RoleColours& c);
// The curves in the column of panels, above the panel below (the legend or the readout) and
// under the caption; none without room to read them.
std::optional<CurvesOverlay> curves_overlay(const FrameInputs& in, const EyePass& pass,
                                            double squeeze, const std::optional<PanelPlace>& below,
                                            const std::optional<ReadoutOverlay>& caption,
                                            const RoleColours& c);

// Where the frame's panels lie, those it shows (the readout, the curves, the caption, the legend,
// the field map).
std::vector<const PanelPlace*> panel_places(const FrameDescription& frame);

// How wide the column of the frame's panels is in a picture like pass, margins included
// (pixels, as shown): 0 without panels.
int32_t panel_column_width(const FrameDescription& frame, const EyePass& pass);
