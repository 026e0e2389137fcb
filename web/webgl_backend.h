// The WebGL2 backend: draws a frame description (scene/frame_description.h) as the desktop's
// fixed-function OpenGL does: the same meshes, per-vertex lighting equal to its one directional
// light and colour material, the dashed and wide lines as geometry (WebGL draws lines one
// pixel wide), anaglyph through the colour mask. The panels are the page's own elements.
#pragma once

#include <string>

#include "platform/rgb_image.h"
#include "scene/frame_description.h"
#include "web/meshes.h"

// A mesh in the GPU's buffers, and as it was tessellated (its last normal stays current).
struct GpuMesh {
    unsigned int positions = 0, normals = 0;  // buffer names
    Mesh mesh;
};

// The backend's GPU objects and what the fixed-function pipeline would hold current; the
// page's shell owns it.
struct WebGlBackend {
    unsigned int solid = 0, line = 0;  // programs
    unsigned int vao = 0;
    GpuMesh shaft, head, axis_shaft, axis_tip;
    unsigned int batch_positions = 0, batch_normals = 0, batch_indices = 0;
    unsigned int line_from = 0, line_to = 0, line_corner = 0;
    // The canvas's current picture.
    int viewport[4] = {0, 0, 0, 0};
    // The normal that lights the lines.
    float normal[3] = {0, 0, 1};
    float line_width = 1.5f;  // pixels
};

// Made once the page's WebGL2 context is current: "", or one line when a shader does not
// compile or link (its log goes to the browser's console).
std::string start_webgl_backend(WebGlBackend& gpu);

// Draws the frame into the canvas.
void draw_webgl_frame(WebGlBackend& gpu, const FrameDescription& frame);

// The canvas's pixels of width x height from its lower left corner, as rows from the top.
RgbImage read_webgl_picture(int32_t width, int32_t height);
