// The WebGL2 backend: draws a frame description (scene/frame_description.h) as the desktop's
// fixed-function OpenGL does: the same meshes, per-vertex lighting equal to its one directional
// light and colour material, the dashed and wide lines as geometry (WebGL draws lines one
// pixel wide), anaglyph through the colour mask. The panels are the page's own elements.
#pragma once

#include "scene/frame_description.h"

// Made once the page's WebGL2 context is current; false when a shader does not build.
bool start_webgl_backend();

// Draws the frame into the canvas of width x height pixels.
void draw_webgl_frame(const FrameDescription& frame);
