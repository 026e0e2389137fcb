// One frame of the scene, for the view of the moment: side by side for a 3D television (left
// eye in the left half), one picture, red/cyan anaglyph, or crossed side by side.
#pragma once

#include <optional>
#include <vector>

#include "render/field_geometry.h"
#include "render/frame_state.h"

// Camera x of each eye (scene units): 0.0375 in single precision, widened.
double eye_x(int eye_index);

// One picture of the scene in the frame: from which camera, where in the window, with which
// shape and colour channels.
struct EyePass {
    double camera_x;              // scene units: eye_x(0), eye_x(1), or 0 between the eyes
    int32_t x, y, width, height;  // viewport, pixels
    double aspect;                // width / height of the projection
    double field_of_view_deg;     // vertical
    bool red, green, blue;        // colour channels written
    bool clear_depth;             // depth cleared first, so that the eye sees only its own
};

// The pictures of one frame, in drawing order. In full-width mode (not windowed) the
// side-by-side halves keep the 16:9 projection that the television's stretch needs; in a
// window they take the window's shape, as the stretched picture would. A picture narrower than
// 16:9 widens its field of view, so that it shows at least what a 16:9 picture shows.
std::vector<EyePass> eye_passes(StereoView view, int32_t window_width, int32_t window_height,
                                bool windowed);

// Where the camera of a picture stands in the scene frame (the model transform of the view
// undone), and how far the picture's near clipping plane reaches there. None when the view
// cannot be undone (zoom 0 or not finite).
std::optional<SceneCamera> camera_in_scene(const ViewState& view, const EyePass& pass);

// One frame with the given drawing of the wave fields in each picture; on_display draws it
// with draw_field_scene (the benchmarks with other drawings of the same fields). Shown when
// swap, else left in the framebuffer it was drawn into.
void draw_stereo_frame(void (*draw_fields)(), bool swap = true);

void on_display();
