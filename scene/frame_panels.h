// The panels over the scene, the readout and the Fresnel curves, placed for a picture: in its
// lower right and lower left corners, clear of each other.
#pragma once

#include <cstdint>
#include <optional>

#include "scene/frame_inputs.h"

// Side by side the panels' text is squeezed to half width, which the television stretches
// back: 0.5, else 1.
double panel_squeeze(StereoView view);
// The width a panel painted painted_width pixels wide is shown at, squeezed.
int32_t shown_width(int32_t painted_width, double squeeze);

// The readout in the lower right corner of every picture like pass.
ReadoutOverlay readout_overlay(const FrameInputs& in, const EyePass& pass, double squeeze,
                               const RoleColours& c);
// The curves in the lower left corner, clear of the readout; none without room to read them.
std::optional<CurvesOverlay> curves_overlay(const FrameInputs& in, const EyePass& pass,
                                            double squeeze,
                                            const std::optional<ReadoutOverlay>& readout,
                                            const RoleColours& c);
