// The Fresnel curves' panel over the pictures, on the screen's plane like the readout and
// opaque, so that it is the same in every eye's picture.
#pragma once

#include <optional>

#include "render/curves_plot.h"
#include "render/stereo_frame.h"

// Brings the panel up to date for pictures like pass, before the frame's clear: the curves are
// sampled again only when the media or the frequency change, the panel painted again when the
// mode, the angle or its place changes. Clear of the readout's panel when one is given.
void prepare_curves(const EyePass& pass, StereoView view, CurvesMode mode,
                    const std::optional<PanelRect>& readout);

// Lays the panel over the picture of pass.
void draw_curves(const EyePass& pass);
