// The pictures of one frame for each view, and where each picture's camera stands: side by
// side for a 3D television (left eye in the left half), one picture, red/cyan anaglyph, or
// crossed side by side.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "scene/frame_records.h"
#include "scene/visibility.h"

// Camera x of each eye (scene units): 0.0375 in single precision, widened.
double eye_x(int eye_index);

// Each eye's perspective: near and far planes (world units).
inline constexpr double near_plane = 1.0, far_plane = 30.0;

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

// The part of a picture left of a column of panels column_width pixels wide, where the scene
// goes: narrower, its projection's shape narrowed alike, its field of view widened as for any
// picture narrower than 16:9.
EyePass beside_panels(const EyePass& pass, int32_t column_width);

// Where the camera of a picture stands in the scene frame (the model transform of the view
// undone), and how far the picture's near clipping plane reaches there. None when the view
// cannot be undone (zoom 0 or not finite).
std::optional<SceneCamera> camera_in_scene(const ViewState& view, const EyePass& pass);

// A 4x4 matrix, column-major as OpenGL and WebGL take it.
struct Mat4 {
    double m[16];
};
Mat4 operator*(const Mat4& a, const Mat4& b);
Mat4 translation(double x, double y, double z);
// A turn by degrees about the axis (x, y, z), counter-clockwise seen from its positive end.
Mat4 rotation(double degrees, double x, double y, double z);
Mat4 scaling(double s);

// The projection of a picture with its camera: a perspective of the pass's field of view and
// aspect between the near and far planes, looking from (camera_x, 0, 5) at the origin, +y up.
Mat4 projection_matrix(const EyePass& pass);

// The model transform of the view: the scene turned so that scene x points up the screen,
// z to the right and y towards the viewer, then the user's pitch and yaw, the pan, and a shift
// of (0, -0.15, -1); scaled by zoom first. Single-precision steps, as the view keeps them.
Mat4 model_matrix(const ViewState& view);
