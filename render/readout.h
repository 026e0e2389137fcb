// The readout over the pictures: a 2D overlay in a picture's pixels, with lighting and the depth
// test off; every state it touches is put back.
#pragma once

#include "render/curves_plot.h"
#include "render/stereo_frame.h"

// Brings the readout of the current scenario up to date for pictures like pass, when it has
// changed: before the frame's clear, as it paints in the back buffer's corner. Where its panel
// lies in the picture.
PanelRect prepare_readout(const EyePass& pass, StereoView view);

// Lays the readout over the picture of pass, the same in every picture.
void draw_readout(const EyePass& pass);
