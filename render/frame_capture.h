// The picture of a frame as an image: drawn into an off-screen framebuffer of its own size,
// exactly as the window shows it, and read back.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rgb_image.h"
#include "render/gl_backend.h"

// The current colour buffer's pixels of (x, y, width, height) from its lower left corner, as
// rows from the top.
RgbImage read_pixels(int32_t x, int32_t y, int32_t width, int32_t height);

// The frame as the window would show it, drawn off the screen at width x height pixels (the
// window's size) and read back; the window's own picture is left alone. Empty when the OpenGL
// has no framebuffer objects.
RgbImage draw_picture(GlBackend& gl, const FrameDescription& frame, int32_t width, int32_t height);
