// The frame of the shell's records: described (scene/frame_inputs.h) and drawn by the OpenGL
// backend (render/gl_backend.h), in the window or off the screen.
#pragma once

#include "render/frame_capture.h"
#include "render/gl_backend.h"
#include "scene/frame_inputs.h"

// The backend's record: the quadric, the panels' textures, the font, the off-screen target.
GlBackend& gl_backend();

// The toolkit's display callback: draws the frame of the records as they stand (every change
// of the scenario has solved the interface already).
void on_display();

// The frame as the window would show it now, drawn off the screen and read back (empty
// without framebuffer objects).
RgbImage draw_current_picture();
