// The view that fits the scene to its pictures (key o): what the frame draws, inside every
// eye's picture with a margin, at the view's turn.
#pragma once

#include "scene/frame_inputs.h"

// The view of the frame of in, its turn kept, zoomed and panned so that every point the frame
// draws (the arrows, guide lines, traces, planes and axes) lies inside each eye's picture,
// margin (a fraction of the half width and half height) from its nearest edges; in's own view
// when the frame draws nothing.
ViewState fitted_view(FrameInputs in, double margin = 0.05);
